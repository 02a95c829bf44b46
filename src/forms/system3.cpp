// Wizard step 3. The systems tree is rebuilt from the file on every showing
// with the family current then; it is emptied only once the file is open, so
// a file gone missing leaves the previous tree.
#include "forms/system3.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <array>

#include "calc/textfile.h"
#include "forms/appstate.h"
#include "forms/system2.h"
#include "forms/system4.h"

TFormSystem3* FormSystem3 = nullptr;

namespace {
// The items of ComboBoxTynk, in metres.
constexpr std::array<double, 4> kRenderThickness{0.0015, 0.002, 0.003, 0.005};
}  // namespace

TFormSystem3::TFormSystem3(QWidget* mainWindow, WizardChoices& choices)
    : TSystemStep(mainWindow, QStringLiteral("FormSystem3"), 3, QStringLiteral("Tynk cienkowarstwowy"),
                  QStringLiteral("1323.htm"), QStringLiteral("system3.png")),
      choices_(choices) {
  auto* label = new QLabel(QStringLiteral("Wybierz tynk z dostępnych systemów VELTOR:"), this);
  label->setWordWrap(true);
  TreeViewSystemy = NewCatalogueTree(this, "TreeViewSystemy");
  label->setBuddy(TreeViewSystemy);
  connect(TreeViewSystemy, &QTreeWidget::itemSelectionChanged, this,
          [this] { ui::Guard([this] { TreeViewSystemyChange(); }); });

  auto* labelTynk = new QLabel(QStringLiteral("Wybierz grubość warstwy tynku"), this);
  ComboBoxTynk = new QComboBox(this);
  ComboBoxTynk->setObjectName(QStringLiteral("ComboBoxTynk"));
  ComboBoxTynk->setEditable(false);
  ComboBoxTynk->addItems(
      {QStringLiteral("1,5 mm"), QStringLiteral("2 mm"), QStringLiteral("3 mm"), QStringLiteral("5 mm")});
  ComboBoxTynk->setCurrentIndex(0);
  choices_.renderThickness = RenderThickness();
  connect(ComboBoxTynk, &QComboBox::currentIndexChanged, this,
          [this] { choices_.renderThickness = RenderThickness(); });
  labelTynk->setBuddy(ComboBoxTynk);
  auto* row = new QHBoxLayout;
  row->addWidget(ComboBoxTynk);
  row->addStretch(1);

  content()->addWidget(label);
  content()->addWidget(TreeViewSystemy, 1);
  content()->addWidget(labelTynk);
  content()->addLayout(row);

  Button3 = addButton("Button3", QStringLiteral("< &Wstecz"), &TFormSystem3::Button3Click);
  Button2 = addButton("Button2", QStringLiteral("&Zakończ"), &TFormSystem3::Button2Click);
  ButtonDalej = addButton("ButtonDalej", QStringLiteral("&Dalej >"), &TFormSystem3::ButtonDalejClick);
  ButtonDalej->setEnabled(false);
  ButtonDalej->setDefault(true);
  setFirstFocus(TreeViewSystemy);
}

TFormSystem3::~TFormSystem3() {
  const QSignalBlocker quiet(TreeViewSystemy);
  TreeViewSystemy->clear();
}

void TFormSystem3::FormShow() {
  ButtonDalej->setEnabled(false);
  veltor::TextReader reader =
      veltor::TextReader::open(StartFolder() + QLatin1Char('/') + veltor::kSystemsFile);
  {
    // The items point into systems_: they go first.
    const QSignalBlocker quiet(TreeViewSystemy);
    TreeViewSystemy->clear();
  }
  choices_.render.reset();
  systems_.clear();
  const auto show = qScopeGuard([this] { FillCatalogueTree(TreeViewSystemy, systems_); });
  veltor::ReadSystemsFile(reader, veltor::FamilyKey(choices_.family), systems_);
}

const veltor::LayerRecord* TFormSystem3::SelectedRender() const {
  return SelectedRecord(TreeViewSystemy);
}

double TFormSystem3::RenderThickness() const {
  const int index = ComboBoxTynk->currentIndex();
  return index >= 0 && index < int(kRenderThickness.size()) ? kRenderThickness[index] : kRenderThickness[0];
}

void TFormSystem3::TreeViewSystemyChange() {
  choices_.render = Chosen(SelectedRender());
  ButtonDalej->setEnabled(SelectedRender() != nullptr);
}

void TFormSystem3::Button3Click() {
  ShowSystemStep(FormSystem2);
}

void TFormSystem3::Button2Click() {
  hide();
}

void TFormSystem3::ButtonDalejClick() {
  ShowSystemStep(FormSystem4);
}
