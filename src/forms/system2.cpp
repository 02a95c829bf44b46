// Wizard step 2. The adhesive follows the insulation: "B" the first of the
// adhesive list, "S" the second, "F" the third; any other first letter leaves
// the adhesive as it was. Step 4 needs an adhesive with a record, so "Dalej >"
// waits for one and the step says which one is missing.
#include "forms/system2.h"

#include <QLabel>
#include <QListWidget>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "calc/textfile.h"
#include "forms/system1.h"
#include "forms/system3.h"

TFormSystem2* FormSystem2 = nullptr;

TFormSystem2::TFormSystem2(QWidget* mainWindow, WizardChoices& choices)
    : TSystemStep(mainWindow, QStringLiteral("FormSystem2"), 2, QStringLiteral("Materiał termoizolacyjny"),
                  QStringLiteral("1322.htm"), QStringLiteral("system2.png")),
      choices_(choices) {
  auto* label = new QLabel(QStringLiteral("Wybierz materiał termoizolacyjny:"), this);
  TreeViewDocieplenie = NewCatalogueTree(this, "TreeViewDocieplenie");
  label->setBuddy(TreeViewDocieplenie);
  connect(TreeViewDocieplenie, &QTreeWidget::itemSelectionChanged, this,
          [this] { ui::Guard([this] { TreeViewDocieplenieChange(); }); });

  auto* labelKlej = new QLabel(
      QStringLiteral(
          "Dla wybranego materiału termoizolacyjnego stosuje się następującą masę klejowo-szpachlową:"),
      this);
  labelKlej->setWordWrap(true);
  ListViewKlej = new QListWidget(this);
  ListViewKlej->setObjectName(QStringLiteral("ListViewKlej"));
  ListViewKlej->setSelectionMode(QAbstractItemView::SingleSelection);
  // It only shows which compound goes with the insulation.
  ListViewKlej->setEnabled(false);
  ListViewKlej->setFixedHeight(4 * ListViewKlej->fontMetrics().lineSpacing() + 8);

  LabelBrakKleju = new QLabel(this);
  LabelBrakKleju->setObjectName(QStringLiteral("LabelBrakKleju"));
  LabelBrakKleju->setWordWrap(true);
  LabelBrakKleju->setTextFormat(Qt::PlainText);
  QPalette p = LabelBrakKleju->palette();
  p.setColor(QPalette::WindowText, Qt::red);
  LabelBrakKleju->setPalette(p);
  LabelBrakKleju->hide();

  content()->addWidget(label);
  content()->addWidget(TreeViewDocieplenie, 1);
  content()->addWidget(labelKlej);
  content()->addWidget(ListViewKlej);
  content()->addWidget(LabelBrakKleju);

  Button3 = addButton("Button3", QStringLiteral("< &Wstecz"), &TFormSystem2::Button3Click);
  Button1 = addButton("Button1", QStringLiteral("&Zakończ"), &TFormSystem2::Button1Click);
  ButtonDalej = addButton("ButtonDalej", QStringLiteral("&Dalej >"), &TFormSystem2::ButtonDalejClick);
  ButtonDalej->setEnabled(false);
  ButtonDalej->setDefault(true);
  setFirstFocus(TreeViewDocieplenie);
}

TFormSystem2::~TFormSystem2() {
  const QSignalBlocker quiet(TreeViewDocieplenie);
  TreeViewDocieplenie->clear();
  ListViewKlej->clear();
}

void TFormSystem2::FormCreate() {
  {
    veltor::TextReader reader = veltor::TextReader::open(veltor::kInsulationFile);
    const auto show = qScopeGuard([this] { FillCatalogueTree(TreeViewDocieplenie, insulation_); });
    veltor::ReadInsulationFile(reader, insulation_);
  }
  // Not reached when the insulation file fails: the adhesive list stays empty.
  veltor::TextReader reader = veltor::TextReader::open(veltor::kAdhesiveFile);
  const auto show = qScopeGuard([this] { fillAdhesiveList(); });
  veltor::ReadAdhesiveFile(reader, adhesives_);
}

void TFormSystem2::fillAdhesiveList() {
  ListViewKlej->clear();
  for (const auto& node : adhesives_) {
    auto* item = new QListWidgetItem(veltor::FromCp1250(node->label), ListViewKlej);
    if (node->record) {
      item->setData(Qt::UserRole,
                    QVariant::fromValue(static_cast<const veltor::LayerRecord*>(node->record.get())));
    }
  }
  ListViewKlej->setCurrentItem(nullptr);
  ListViewKlej->clearSelection();
}

const veltor::LayerRecord* TFormSystem2::SelectedInsulation() const {
  return SelectedRecord(TreeViewDocieplenie);
}

const veltor::LayerRecord* TFormSystem2::SelectedAdhesive() const {
  const QList<QListWidgetItem*> selected = ListViewKlej->selectedItems();
  return selected.isEmpty() ? nullptr : RecordOf(selected.first());
}

void TFormSystem2::TreeViewDocieplenieChange() {
  // A group leaves the adhesive as it is.
  if (const veltor::LayerRecord* insulation = SelectedInsulation()) {
    if (const std::optional<int> position = veltor::AdhesivePositionFor(*insulation)) {
      if (*position < ListViewKlej->count()) {
        ListViewKlej->setCurrentRow(*position);
      } else {
        // The list is too short: keeping the previous adhesive would put the
        // wrong compound into the wall.
        ListViewKlej->setCurrentItem(nullptr);
        ListViewKlej->clearSelection();
      }
    }
  }
  choices_.insulation = Chosen(SelectedInsulation());
  choices_.adhesive = Chosen(SelectedAdhesive());
  // Without an adhesive the family stays the one chosen before.
  const QList<QListWidgetItem*> selected = ListViewKlej->selectedItems();
  if (!selected.isEmpty()) {
    if (const std::optional<veltor::SystemFamily> family = veltor::FamilyAt(ListViewKlej->row(selected.first())))
      choices_.family = *family;
  }
  updateDalej();
}

void TFormSystem2::updateDalej() {
  const veltor::LayerRecord* insulation = SelectedInsulation();
  const bool ready = insulation && SelectedAdhesive();
  ButtonDalej->setEnabled(ready);
  if (ready || !insulation) {
    LabelBrakKleju->hide();
    return;
  }
  if (const std::optional<int> position = veltor::AdhesivePositionFor(*insulation)) {
    LabelBrakKleju->setText(
        QStringLiteral("Brak masy klejowo-szpachlowej do materiałów o nazwie zaczynającej się literą %1 "
                       "(pozycja %2 w pliku %3).")
            .arg(QLatin1Char(veltor::AdhesiveLetter(*position)))
            .arg(*position + 1)
            .arg(veltor::kAdhesiveFile));
  } else {
    LabelBrakKleju->setText(
        QStringLiteral("Nazwa materiału nie zaczyna się literą B, S ani F: nie wiadomo, którą masę "
                       "klejowo-szpachlową zastosować."));
  }
  LabelBrakKleju->show();
}

void TFormSystem2::Button3Click() {
  ShowSystemStep(FormSystem1);
}

void TFormSystem2::Button1Click() {
  hide();
}

void TFormSystem2::ButtonDalejClick() {
  ShowSystemStep(FormSystem3);
}
