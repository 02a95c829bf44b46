// Wizard step 1. Selecting an entry proposes its record's thickness; the
// thickness must be a number above zero before step 2 opens.
#include "forms/system1.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "calc/numbers.h"
#include "calc/textfile.h"
#include "forms/numberbox.h"
#include "forms/system2.h"
#include "forms/windowset.h"

TFormSystem1* FormSystem1 = nullptr;

namespace {
const QString kWallMissing = QStringLiteral("Należy podać grubość muru.");
}  // namespace

TFormSystem1::TFormSystem1(QWidget* mainWindow, WizardChoices& choices)
    : TSystemStep(mainWindow, QStringLiteral("FormSystem1"), 1, QStringLiteral("Mur"),
                  QStringLiteral("1321.htm"), QStringLiteral("system1.png")),
      choices_(choices) {
  auto* label = new QLabel(QStringLiteral("Wybierz materiał, z którego zrobiony będzie mur:"), this);
  label->setWordWrap(true);
  TreeViewMur = NewCatalogueTree(this, "TreeViewMur");
  label->setBuddy(TreeViewMur);
  connect(TreeViewMur, &QTreeWidget::itemSelectionChanged, this,
          [this] { ui::Guard([this] { TreeViewMurChange(); }); });

  auto* labelGW = new QLabel(QStringLiteral("Podaj grubość muru:"), this);
  EditGW = new QLineEdit(QStringLiteral("0"), this);
  EditGW->setObjectName(QStringLiteral("EditGW"));
  EditGW->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  labelGW->setBuddy(EditGW);
  new TNumberBox(
      EditGW, [](double wall) { return wall > 0 ? QString() : kWallMissing; }, false);
  auto* row = new QHBoxLayout;
  row->addWidget(labelGW, 1);
  row->addWidget(EditGW);
  row->addWidget(new QLabel(QStringLiteral("[m]"), this));

  content()->addWidget(label);
  content()->addWidget(TreeViewMur, 1);
  content()->addLayout(row);

  Button1 = addButton("Button1", QStringLiteral("< &Wstecz"), &TFormSystem1::Button1Click);
  Button2 = addButton("Button2", QStringLiteral("&Zamknij"), &TFormSystem1::Button2Click);
  ButtonDalej = addButton("ButtonDalej", QStringLiteral("&Dalej >"), &TFormSystem1::ButtonDalejClick);
  ButtonDalej->setEnabled(false);
  ButtonDalej->setDefault(true);
  setFirstFocus(TreeViewMur);
}

TFormSystem1::~TFormSystem1() {
  // The items point into masonry_, which goes first.
  const QSignalBlocker quiet(TreeViewMur);
  TreeViewMur->clear();
}

void TFormSystem1::FormCreate() {
  veltor::TextReader reader = veltor::TextReader::open(veltor::kMasonryFile);
  // What was read before a failure is shown too.
  const auto show = qScopeGuard([this] { FillCatalogueTree(TreeViewMur, masonry_); });
  veltor::ReadMasonryFile(reader, masonry_);
}

const veltor::LayerRecord* TFormSystem1::SelectedMasonry() const {
  return SelectedRecord(TreeViewMur);
}

double TFormSystem1::WallThickness() const {
  return veltor::StrToFloat(EditGW->text());
}

void TFormSystem1::TreeViewMurChange() {
  const veltor::LayerRecord* masonry = SelectedMasonry();
  choices_.masonry = Chosen(masonry);
  ButtonDalej->setEnabled(masonry != nullptr);
  // A group keeps the thickness typed or proposed before.
  if (masonry) EditGW->setText(veltor::FormatGeneral(masonry->thickness));
}

void TFormSystem1::Button1Click() {
  hide();
  ShowWindow(WindowId::Conditions);
}

void TFormSystem1::Button2Click() {
  hide();
}

void TFormSystem1::ButtonDalejClick() {
  if (EditGW->text().isEmpty() || WallThickness() <= 0) {
    ui::inform(ui::MessageKind::Warning, kWallMissing);
    EditGW->setFocus();
    return;
  }
  choices_.wallThickness = WallThickness();
  ShowSystemStep(FormSystem2);
}
