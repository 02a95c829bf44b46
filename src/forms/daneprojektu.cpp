// The project description window. Its four boxes are the only storage of the
// description: New empties them, the project file reads and writes them
// (through the section functions of the project module), the report reads them.
#include "forms/daneprojektu.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "forms/glowna.h"
#include "platform/dialogs.h"
#include "project/projectfile.h"

TFormDaneProj* FormDaneProj = nullptr;

QString ProjectName() {
  return FormDaneProj ? FormDaneProj->LabeledEdit1->text() : QString();
}

namespace {
// The project file keeps a length byte, so no more than this survives a save.
constexpr int kFieldLength = 255;
}  // namespace

TFormDaneProj::TFormDaneProj(QWidget* mainWindow)
    : TCompanionWindow(mainWindow, QStringLiteral("FormDaneProj"), QStringLiteral("Opis projektu"),
                       QStringLiteral("11.htm")) {
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
  make(LabeledEdit1, "LabeledEdit1", QStringLiteral("Nazwa przegrody"), false);
  make(LabeledEdit2, "LabeledEdit2", QStringLiteral("Odbiorca"), false);
  make(LabeledEdit3, "LabeledEdit3", QStringLiteral("Projektant"), false);
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

  connect(ButtonZamknij, &QPushButton::clicked, this, &TFormDaneProj::ButtonZamknijClick);
  connect(ButtonDalej, &QPushButton::clicked, this, &TFormDaneProj::ButtonDalejClick);

  resize(420, 260);
  LabeledEdit1->setFocus();
}

TFormDaneProj::~TFormDaneProj() = default;

void TFormDaneProj::ClearFields() {
  for (QLineEdit* e : {LabeledEdit1, LabeledEdit2, LabeledEdit3, LabeledEdit4}) e->clear();
}

void TFormDaneProj::showEvent(QShowEvent* e) {
  // A spontaneous show is the window system restoring the window, not a showing.
  if (!e->spontaneous()) FormShow();
  TCompanionWindow::showEvent(e);
}

void TFormDaneProj::FormShow() {
  if (LabeledEdit4->text().isEmpty())
    LabeledEdit4->setText(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
}

void TFormDaneProj::ButtonZamknijClick() {
  hide();
}

void TFormDaneProj::ButtonDalejClick() {
  hide();
  ui::Guard([] {
    if (FormGlowna) FormGlowna->ExecuteAction(FormGlowna->ActionPokazWarunkiPocz);
  });
}

void TFormDaneProj::SaveToProject(QIODevice& device) {
  veltor::ProjectDescription description;
  const QLineEdit* boxes[] = {LabeledEdit1, LabeledEdit2, LabeledEdit3, LabeledEdit4};
  for (int i = 0; i < 4; ++i) description[i] = boxes[i]->text().left(kFieldLength);
  veltor::WriteDescriptionSection(device, description);
}

void TFormDaneProj::LoadFromProject(QIODevice& device) {
  QLineEdit* boxes[] = {LabeledEdit1, LabeledEdit2, LabeledEdit3, LabeledEdit4};
  veltor::ReadDescriptionSection(device, [&boxes](int index, const QString& text) {
    if (index >= 0 && index < 4) boxes[index]->setText(text);
  });
}
