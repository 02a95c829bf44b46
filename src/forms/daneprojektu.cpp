// The project description window. Its six boxes edit the project's
// description: every keystroke goes to the project (keystrokes in one box merge
// into one step to undo), and a description changed elsewhere (New, Open,
// undo) comes back into the boxes.
#include "forms/daneprojektu.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "forms/windowset.h"
#include "model/project.h"
#include "platform/dialogs.h"
#include "project/projectfile.h"

TFormDaneProj* FormDaneProj = nullptr;

QString ProjectName() {
  return FormDaneProj ? FormDaneProj->LabeledEdit1->text() : QString();
}

namespace {
// The project file keeps a length byte, so no more than this survives a save.
constexpr int kFieldLength = veltor::kMaxFieldLength;
}  // namespace

TFormDaneProj::TFormDaneProj(QWidget* mainWindow, Project& project)
    : TCompanionWindow(mainWindow, QStringLiteral("FormDaneProj"), QStringLiteral("Opis projektu"),
                       QStringLiteral("11.htm")),
      project_(project) {
  auto* top = new QVBoxLayout(this);
  auto make = [this, top](QLineEdit*& e, const char* name, const QString& caption, bool narrow) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(QString::fromLatin1(name) + QStringLiteral("Label"));
    e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(name));
    // What the project file keeps; more would be lost without a word.
    e->setMaxLength(kFieldLength);
    label->setBuddy(e);
    top->addWidget(label);
    if (!narrow) {
      top->addWidget(e);
      return;
    }
    // The date takes about a fifth of the width, and keeps that share when resized.
    auto* row = new QHBoxLayout;
    row->addWidget(e, 1);
    row->addStretch(4);
    top->addLayout(row);
  };
  // The address beside the partition's name and the licence beside the
  // designer, in the order the designer's report lists them.
  make(LabeledEdit1, "LabeledEdit1", QStringLiteral("Nazwa przegrody"), false);
  make(LabeledEditAdres, "LabeledEditAdres", QStringLiteral("Adres inwestycji"), false);
  make(LabeledEdit2, "LabeledEdit2", QStringLiteral("Odbiorca"), false);
  make(LabeledEdit3, "LabeledEdit3", QStringLiteral("Projektant"), false);
  make(LabeledEditUprawnienia, "LabeledEditUprawnienia", QStringLiteral("Nr uprawnień projektanta"), false);
  make(LabeledEdit4, "LabeledEdit4", QStringLiteral("Data"), true);
  top->addStretch(1);

  ButtonZamknij = new QPushButton(QStringLiteral("&Zamknij"), this);
  ButtonZamknij->setObjectName(QStringLiteral("ButtonZamknij"));
  ButtonZamknij->setAutoDefault(false);
  ButtonDalej = new QPushButton(QStringLiteral("&Dalej >"), this);
  ButtonDalej->setObjectName(QStringLiteral("ButtonDalej"));
  ButtonDalej->setAutoDefault(false);
  ButtonDalej->setStatusTip(QStringLiteral("Warunki początkowe projektu"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ButtonZamknij);
  buttons->addWidget(ButtonDalej);
  top->addLayout(buttons);

  const auto all = boxes();
  for (int i = 0; i < veltor::kDescriptionFieldCount; ++i)
    connect(all[i], &QLineEdit::textChanged, this,
            [this, i](const QString& text) { project_.setDescriptionField(i, text); });
  connect(&project_, &Project::changed, this, [this](Project::Parts parts) {
    if (parts & Project::Description) showDescription();
  });
  connect(ButtonZamknij, &QPushButton::clicked, this, &TFormDaneProj::ButtonZamknijClick);
  connect(ButtonDalej, &QPushButton::clicked, this, &TFormDaneProj::ButtonDalejClick);

  resize(420, 360);
  LabeledEdit1->setFocus();
}

TFormDaneProj::~TFormDaneProj() = default;

std::array<QLineEdit*, veltor::kDescriptionFieldCount> TFormDaneProj::boxes() const {
  return {LabeledEdit1, LabeledEdit2, LabeledEdit3, LabeledEdit4, LabeledEditAdres, LabeledEditUprawnienia};
}

void TFormDaneProj::ClearFields() {
  for (int i = 0; i < veltor::kDescriptionFieldCount; ++i) project_.setDescriptionField(i, QString());
}

void TFormDaneProj::showDescription() {
  const auto all = boxes();
  for (int i = 0; i < veltor::kDescriptionFieldCount; ++i) {
    // A box whose text is already the project's keeps its cursor.
    if (all[i]->text() != project_.description()[i]) all[i]->setText(project_.description()[i]);
  }
}

void TFormDaneProj::showEvent(QShowEvent* e) {
  // A spontaneous show is the window system restoring the window, not a showing.
  if (!e->spontaneous()) FormShow();
  TCompanionWindow::showEvent(e);
}

void TFormDaneProj::FormShow() {
  if (LabeledEdit4->text().isEmpty())
    project_.proposeDescriptionField(veltor::kDate,
                                     QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
}

void TFormDaneProj::ButtonZamknijClick() {
  hide();
}

void TFormDaneProj::ButtonDalejClick() {
  hide();
  ui::Guard([] { ShowWindow(WindowId::Conditions); });
}

void TFormDaneProj::SaveToProject(QIODevice& device) {
  veltor::WriteDescriptionSection(device, project_.description());
}

void TFormDaneProj::LoadFromProject(QIODevice& device) {
  veltor::ReadDescriptionSection(device, [this](int index, const QString& text) {
    if (index >= 0 && index < veltor::kFixedDescriptionFields)
      project_.setDescriptionField(index, text.left(kFieldLength));
  });
}
