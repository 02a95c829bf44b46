// The partitions window. Rows follow the building's order; each row keeps its
// partition's id (Qt::UserRole of the symbol cell), never an address, so an
// undo that removes, restores or moves partitions can never point a row at the
// wrong one.
#include "forms/przegrody.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "calc/calculation.h"
#include "calc/errors.h"
#include "calc/numbers.h"
#include "forms/appstate.h"
#include "forms/dobor_grubosci.h"
#include "forms/porownanie.h"
#include "forms/warunki_poczatkowe.h"
#include "forms/windowset.h"
#include "model/project.h"
#include "platform/dialogs.h"
#include "project/buildingfile.h"
#include "project/projectfile.h"

TFormPrzegrody* FormPrzegrody = nullptr;

namespace {

const QString kNoValue = QStringLiteral("—");
const QString kMeets = QStringLiteral("spełnia");
const QString kFails = QStringLiteral("nie spełnia");
const QString kNoRequirement = QStringLiteral("bez wymagań");
const QString kAreaRefused = QStringLiteral("Pole powierzchni musi być liczbą nie mniejszą od 0 [m²]");

const QString kHeaders[TFormPrzegrody::Columns] = {
    QStringLiteral("Symbol"),      QStringLiteral("Nazwa"),
    QStringLiteral("Rodzaj"),      QStringLiteral("A [m²]"),
    QStringLiteral("d [m]"),       QStringLiteral("Uc [W/(m²K)]"),
    QStringLiteral("Uc(max)"),     QStringLiteral("Ocena Uc"),
    QStringLiteral("fRsi ≥ 0,72"), QStringLiteral("Ocena wilgotnościowa"),
};

}  // namespace

QString TFormPrzegrody::MoistureWords(const PartitionResults& r) {
  if (r.ground) return veltor::kNotForGround;
  if (!r.moisture)
    return r.moistureError.isEmpty() ? QStringLiteral("Nie wybrano klimatu zewnętrznego")
                                     : QStringLiteral("Oceny nie wykonano: %1").arg(r.moistureError);
  const veltor::MoistureResult& m = *r.moisture;
  const bool surface = m.saturatedMonth < 0 && m.meetsCriticalFactor;
  QString interstitial;
  switch (m.verdict) {
    case veltor::InterstitialVerdict::NoCondensation:
      interstitial = QStringLiteral("nie występuje");
      break;
    case veltor::InterstitialVerdict::DriesOut:
      interstitial = QStringLiteral("kondensat wysycha w ciągu roku");
      break;
    case veltor::InterstitialVerdict::Accumulates:
      interstitial = QStringLiteral("kondensat narasta z roku na rok");
      break;
  }
  return QStringLiteral("Powierzchnia wewnętrzna: %1\nKondensacja międzywarstwowa: %2")
      .arg(surface ? QStringLiteral("brak ryzyka rozwoju pleśni") : QStringLiteral("ryzyko rozwoju pleśni"),
           interstitial);
}

namespace {

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(QString::fromLatin1(name));
  return b;
}

}  // namespace

TFormPrzegrody::TFormPrzegrody(QWidget* mainWindow, Project& project)
    : TCompanionWindow(mainWindow, QStringLiteral("FormPrzegrody"), QStringLiteral("Przegrody budynku"),
                       QString(), true),
      project_(project),
      building_(project.building()) {
  buildControls();
  connect(&building_, &Building::partitionChanged, this, &TFormPrzegrody::schedule);
  connect(&building_, &Building::listChanged, this, &TFormPrzegrody::schedule);
  connect(&building_, &Building::currentChanged, this, &TFormPrzegrody::schedule);
  connect(&building_, &Building::reset, this, &TFormPrzegrody::schedule);
}

TFormPrzegrody::~TFormPrzegrody() = default;

void TFormPrzegrody::buildControls() {
  ActionPrzegrody = new QAction(QStringLiteral("Prze&grody budynku"), this);
  ActionPrzegrody->setObjectName(QStringLiteral("ActionPrzegrody"));
  ActionPrzegrody->setStatusTip(QStringLiteral("Wszystkie przegrody budynku w jednej tabeli"));
  connect(ActionPrzegrody, &QAction::triggered, this, &TFormPrzegrody::ActionPrzegrodyExecute);
  ActionEksportujPrzegrode = new QAction(QStringLiteral("&Eksportuj przegrodę…"), this);
  ActionEksportujPrzegrode->setObjectName(QStringLiteral("ActionEksportujPrzegrode"));
  ActionEksportujPrzegrode->setStatusTip(QStringLiteral("Zapisuje bieżącą przegrodę jako osobny projekt"));
  connect(ActionEksportujPrzegrode, &QAction::triggered, this,
          [this] { ui::Guard([this] { ActionEksportujPrzegrodeExecute(); }); });

  table_ = new QTableWidget(0, Columns, this);
  table_->setObjectName(QStringLiteral("TablePrzegrody"));
  for (int c = 0; c < Columns; ++c) table_->setHorizontalHeaderItem(c, new QTableWidgetItem(kHeaders[c]));
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setSectionResizeMode(Name, QHeaderView::Stretch);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  // Several rows with Ctrl or Shift, for the comparison; the other buttons
  // act on the row with the focus.
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  // A double click chooses the partition; F2 or a second click renames.
  table_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  connect(table_, &QTableWidget::itemChanged, this, &TFormPrzegrody::itemEdited);
  connect(table_, &QTableWidget::cellDoubleClicked, this,
          [this](int row, int) { ui::Guard([this, row] { TablePrzegrodyDoubleClick(row); }); });
  connect(table_, &QTableWidget::itemSelectionChanged, this, &TFormPrzegrody::updateButtons);

  kind_ = new QComboBox(this);
  kind_->setObjectName(QStringLiteral("ComboBoxRodzaj"));
  for (const veltor::PartitionKindInfo& info : veltor::PartitionKinds())
    kind_->addItem(QString::fromUtf8(info.label));
  connect(kind_, &QComboBox::activated, this, &TFormPrzegrody::kindChosen);

  auto* add = Button(this, "ButtonDodaj", QStringLiteral("&Dodaj"));
  auto* addMenu = new QMenu(add);
  addMenu->setObjectName(QStringLiteral("MenuDodaj"));
  const auto addAction = [&](const char* name, const QString& text, void (TFormPrzegrody::*slot)()) {
    QAction* a = addMenu->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, [this, slot] { ui::Guard([this, slot] { (this->*slot)(); }); });
  };
  addAction("ActionDodajPusta", QStringLiteral("Pustą przegrodę"), &TFormPrzegrody::ButtonDodajClick);
  addAction("ActionDodajZKreatora", QStringLiteral("Z kreatora systemów…"),
            &TFormPrzegrody::ButtonDodajZKreatoraClick);
  addAction("ActionDodajZPliku", QStringLiteral("Z pliku projektu…"),
            &TFormPrzegrody::ButtonDodajZPlikuClick);
  add->setMenu(addMenu);
  auto* duplicate = Button(this, "ButtonDuplikuj", QStringLiteral("Duplikuj jako wariant"));
  remove_ = Button(this, "ButtonUsun", QStringLiteral("&Usuń"));
  up_ = Button(this, "ButtonWGore", QStringLiteral("W &górę"));
  down_ = Button(this, "ButtonWDol", QStringLiteral("W d&ół"));
  compare_ = Button(this, "ButtonPorownaj", QStringLiteral("&Porównaj"));
  compare_->setStatusTip(
      QStringLiteral("Zaznaczone przegrody obok siebie (zaznacz co najmniej dwie z Ctrl)"));
  compare_->setEnabled(false);
  auto* thickness = Button(this, "ButtonDoborGrubosci", QStringLiteral("Dobór &grubości"));
  thickness->setStatusTip(QStringLiteral("Uc bieżącej przegrody dla grubości warstwy z zakresu"));
  for (auto [button, slot] :
       {std::pair{duplicate, &TFormPrzegrody::ButtonDuplikujClick},
        std::pair{remove_, &TFormPrzegrody::ButtonUsunClick},
        std::pair{up_, &TFormPrzegrody::ButtonWGoreClick}, std::pair{down_, &TFormPrzegrody::ButtonWDolClick},
        std::pair{compare_, &TFormPrzegrody::ButtonPorownajClick},
        std::pair{thickness, &TFormPrzegrody::ButtonDoborGrubosciClick}})
    connect(button, &QPushButton::clicked, this,
            [this, slot] { ui::Guard([this, slot] { (this->*slot)(); }); });

  sumArea_ = new QLabel(this);
  sumArea_->setObjectName(QStringLiteral("LabelSumaA"));
  sumTransmission_ = new QLabel(this);
  sumTransmission_->setObjectName(QStringLiteral("LabelSumaAUc"));

  auto* buttons = new QHBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{add, duplicate, remove_, up_, down_, compare_, thickness})
    buttons->addWidget(w);
  buttons->addStretch();
  auto* kindLabel = new QLabel(QStringLiteral("&Rodzaj przegrody:"), this);
  kindLabel->setObjectName(QStringLiteral("LabelRodzaj"));
  kindLabel->setBuddy(kind_);
  buttons->addWidget(kindLabel);
  buttons->addWidget(kind_);
  auto* sums = new QHBoxLayout;
  sums->addWidget(sumArea_);
  sums->addSpacing(24);
  sums->addWidget(sumTransmission_);
  sums->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(table_);
  layout->addLayout(sums);
  resize(980, 360);
}

void TFormPrzegrody::updateButtons() {
  const int row = building_.rowOf(selectedId());
  remove_->setEnabled(row >= 0 && building_.count() > 1);
  up_->setEnabled(row > 0);
  down_->setEnabled(row >= 0 && row < building_.count() - 1);
  compare_->setEnabled(SelectedIds().size() >= 2);
  const QSignalBlocker quiet(kind_);
  kind_->setEnabled(row >= 0);
  if (row >= 0) kind_->setCurrentIndex(int(building_.at(row).identity.kind));
}

void TFormPrzegrody::showEvent(QShowEvent* e) {
  TCompanionWindow::showEvent(e);
  refill();
}

void TFormPrzegrody::schedule() {
  if (pending_ || !isVisible()) return;
  pending_ = true;
  QTimer::singleShot(0, this, [this] {
    pending_ = false;
    if (isVisible()) refill();
  });
}

void TFormPrzegrody::refill() {
  const QSignalBlocker quiet(table_);
  const PartitionId focus = selectedId();
  std::vector<PartitionId> selected = SelectedIds();
  std::erase_if(selected, [this](PartitionId id) { return !building_.find(id); });
  // Each changed item would make the header measure its whole column again:
  // the columns are measured once, after the last row.
  QHeaderView* header = table_->horizontalHeader();
  header->setSectionResizeMode(QHeaderView::Fixed);
  table_->setRowCount(building_.count());
  for (int row = 0; row < building_.count(); ++row) fillRow(row);
  header->setSectionResizeMode(QHeaderView::ResizeToContents);
  header->setSectionResizeMode(Name, QHeaderView::Stretch);
  // The rows follow their partitions through moves; a selection of several
  // stays for the comparison.
  if (selected.size() < 2) {
    select(building_.find(focus) ? focus : building_.currentId());
  } else {
    table_->clearSelection();
    for (const PartitionId id : selected)
      table_->selectionModel()->select(table_->model()->index(building_.rowOf(id), 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
  sumArea_->setText(AreaSumText());
  sumTransmission_->setText(TransmissionText());
  updateButtons();
}

std::array<QString, TFormPrzegrody::Columns> TFormPrzegrody::RowTexts(const Building& building,
                                                                      const Partition& p,
                                                                      const PartitionResults& r) {
  const bool computed = !p.layers.empty() && r.error.isEmpty();
  const double umax = p.conditions.umax;
  const double uc = r.comparedU();
  std::array<QString, Columns> texts;
  texts[Symbol] = building.label(p.id);
  texts[Name] = p.identity.name;
  texts[Kind] = veltor::KindLabel(p.identity.kind);
  texts[Area] = p.identity.hasArea() ? veltor::FormatFixed(p.identity.area, 2) : QString();
  texts[Thickness] = computed ? veltor::FormatFixed(r.summary.totalThickness, 3) : kNoValue;
  texts[Uc] = computed ? veltor::FormatFixed(uc, 3) : kNoValue;
  texts[UcMax] = umax > 0 ? veltor::FormatFixed(umax, 2) : kNoRequirement;
  texts[Verdict] = !computed                        ? kNoValue
                   : umax <= 0                      ? kNoRequirement
                   : !veltor::ExceedsUmax(uc, umax) ? kMeets
                                                    : kFails;
  texts[FRsiVerdict] = computed && !std::isnan(r.fRsi) ? (r.meetsFRsi ? kMeets : kFails) : kNoValue;
  // No climate chosen, or a partition on the ground: no verdict rather than a false one.
  const std::optional<bool> moisture = computed ? r.meetsMoisture() : std::nullopt;
  texts[MoistureVerdict] = !moisture ? kNoValue : *moisture ? kMeets : kFails;
  return texts;
}

void TFormPrzegrody::fillRow(int row) {
  const Partition& p = building_.at(row);
  const PartitionResults& r = building_.results(p.id);
  const bool computed = !p.layers.empty() && r.error.isEmpty();
  const std::array<QString, Columns> texts = RowTexts(building_, p, r);
  for (int c = 0; c < Columns; ++c) {
    QTableWidgetItem* item = table_->item(row, c);
    if (!item) {
      item = new QTableWidgetItem;
      table_->setItem(row, c, item);
    }
    // setFlags tells the view even when nothing changed.
    item->setText(texts[c]);
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (c == Symbol || c == Name || c == Area) flags |= Qt::ItemIsEditable;
    if (item->flags() != flags) item->setFlags(flags);
    QFont font = item->font();
    font.setBold(p.id == building_.currentId());
    item->setFont(font);
  }
  table_->item(row, Symbol)->setData(Qt::UserRole, p.id);
  table_->item(row, Uc)->setToolTip(r.error);
  table_->item(row, MoistureVerdict)->setToolTip(computed ? MoistureWords(r) : QString());
}

QString TFormPrzegrody::AreaSumText() const {
  double area = 0;
  for (int row = 0; row < building_.count(); ++row)
    if (building_.at(row).identity.hasArea()) area += building_.at(row).identity.area;
  return QStringLiteral("ΣA = %1 m²").arg(veltor::FormatFixed(area, 2));
}

QString TFormPrzegrody::TransmissionText() const {
  double sum = 0;
  auto& building = const_cast<Building&>(building_);
  for (int row = 0; row < building.count(); ++row) {
    const Partition& p = building.at(row);
    if (!p.identity.hasArea() || p.layers.empty()) continue;
    const PartitionResults& r = building.results(p.id);
    if (r.error.isEmpty()) sum += p.identity.area * r.comparedU();
  }
  return QStringLiteral("ΣA·Uc = %1 W/K").arg(veltor::FormatFixed(sum, 2));
}

PartitionId TFormPrzegrody::selectedId() const {
  const QList<QTableWidgetItem*> items = table_->selectedItems();
  if (items.isEmpty()) return 0;
  int row = items.first()->row();
  if (const QTableWidgetItem* focus = table_->currentItem(); focus && focus->isSelected()) row = focus->row();
  const QTableWidgetItem* symbol = table_->item(row, Symbol);
  return symbol ? symbol->data(Qt::UserRole).toInt() : 0;
}

std::vector<PartitionId> TFormPrzegrody::SelectedIds() const {
  std::vector<PartitionId> ids;
  for (int row = 0; row < table_->rowCount(); ++row) {
    const QTableWidgetItem* symbol = table_->item(row, Symbol);
    if (symbol && symbol->isSelected()) ids.push_back(symbol->data(Qt::UserRole).toInt());
  }
  return ids;
}

void TFormPrzegrody::select(PartitionId id) {
  const int row = building_.rowOf(id);
  if (row >= 0) table_->selectRow(row);
}

void TFormPrzegrody::itemEdited(QTableWidgetItem* item) {
  const int row = item->row();
  if (row < 0 || row >= building_.count()) return;
  const Partition& p = building_.at(row);
  veltor::PartitionIdentity identity = p.identity;
  const QString text = item->text().trimmed();
  switch (item->column()) {
    case Symbol:
      identity.symbol = text.left(veltor::kMaxFieldLength);
      break;
    case Name:
      identity.name = text.left(veltor::kMaxFieldLength);
      break;
    case Area:
      if (text.isEmpty()) {
        identity.area = std::nan("");
      } else if (const std::optional<double> area = veltor::ParseTypedNumber(text);
                 area && std::isfinite(*area) && *area >= 0) {
        identity.area = *area;
      } else {
        ui::inform(ui::MessageKind::Error, kAreaRefused);
      }
      break;
    default:
      return;
  }
  building_.setIdentity(p.id, identity);
  // A refused or unchanged value shows what the partition holds again.
  schedule();
}

void TFormPrzegrody::kindChosen(int index) {
  const PartitionId id = selectedId();
  const std::optional<veltor::PartitionKind> kind = veltor::KindFromNumber(index);
  if (!building_.find(id) || !kind) return;
  veltor::PartitionIdentity identity = building_.find(id)->identity;
  identity.kind = *kind;
  building_.setIdentity(id, identity);
}

void TFormPrzegrody::ActionPrzegrodyExecute() {
  showInFront();
}

void TFormPrzegrody::ButtonDodajClick() {
  // A new partition starts from the current one's climate and requirement.
  veltor::PartitionContents fresh;
  fresh.conditions = building_.current().conditions;
  fresh.conditions.corrections = {};
  fresh.conditions.outerSide = {};
  select(building_.addPartition(fresh));
}

void TFormPrzegrody::ButtonDodajZKreatoraClick() {
  ButtonDodajClick();
  // The wizard fills the current partition, which the new one now is.
  ShowWindow(WindowId::Wizard);
}

void TFormPrzegrody::ButtonDodajZPlikuClick() {
  ui::FileDialogRequest request;
  request.objectName = QStringLiteral("OpenDialogPrzegroda");
  request.title = QStringLiteral("Dodaj przegrody z projektu...");
  request.filters = {QStringLiteral("Projekty (*.Veltor)"), QStringLiteral("Wszystkie pliki (*.*)")};
  request.defaultSuffix = QStringLiteral("Veltor");
  request.initialDir = ProjectsFolder();
  const std::optional<ui::FileChoice> choice = ui::dialogs().openFile(request);
  if (!choice || choice->fileName.isEmpty()) return;
  // Read and checked whole before the building changes.
  veltor::BuildingContents loaded = veltor::LoadBuildingFile(choice->fileName);
  for (veltor::PartitionContents& partition : loaded.partitions) {
    TFormWarunkiPoczatkowe::CheckProjectConditions(partition.conditions);
    partition.conditions.setSurfaceResistancesFromDirection();
    // The file's own symbols may be taken here; new ones are proposed.
    partition.identity.symbol.clear();
    if (partition.identity.name.isEmpty())
      partition.identity.name = QFileInfo(choice->fileName).completeBaseName();
  }
  if (building_.count() + int(loaded.partitions.size()) > veltor::kMaxPartitions)
    throw veltor::DataError(
        QStringLiteral("Budynek może mieć najwyżej %1 przegród").arg(veltor::kMaxPartitions));
  building_.undoStack().beginMacro(QStringLiteral("dodanie przegród z pliku"));
  for (const veltor::PartitionContents& partition : loaded.partitions) building_.addPartition(partition);
  building_.undoStack().endMacro();
}

void TFormPrzegrody::ButtonDuplikujClick() {
  const PartitionId id = selectedId() ? selectedId() : building_.currentId();
  select(building_.duplicatePartition(id));
}

void TFormPrzegrody::ButtonUsunClick() {
  const PartitionId id = selectedId();
  // No question: the removal is a step that Cofnij takes back whole.
  building_.removePartition(id);
}

void TFormPrzegrody::ButtonWGoreClick() {
  const PartitionId id = selectedId();
  building_.movePartition(id, -1);
  select(id);
}

void TFormPrzegrody::ButtonWDolClick() {
  const PartitionId id = selectedId();
  building_.movePartition(id, 1);
  select(id);
}

void TFormPrzegrody::ButtonPorownajClick() {
  FormPorownanie->Compare(SelectedIds());
}

void TFormPrzegrody::ButtonDoborGrubosciClick() {
  FormDoborGrubosci->ActionDoborGrubosciExecute();
}

void TFormPrzegrody::TablePrzegrodyDoubleClick(int row) {
  if (row < 0 || row >= building_.count()) return;
  building_.setCurrent(building_.at(row).id);
  ShowWindow(WindowId::Layers);
}

void TFormPrzegrody::ActionEksportujPrzegrodeExecute() {
  ui::FileDialogRequest request;
  request.objectName = QStringLiteral("SaveDialogPrzegroda");
  request.title = QStringLiteral("Eksportuj przegrodę...");
  request.defaultSuffix = QStringLiteral("Veltor");
  request.initialDir = ProjectsFolder();
  request.fileName = building_.label(building_.currentId());
  request.confirmOverwrite = true;
  const std::optional<ui::FileChoice> choice = ui::dialogs().saveFile(request);
  if (!choice || choice->fileName.isEmpty()) return;
  QString path = choice->fileName;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".Veltor");
  // The building's own file and its modified mark stay as they are.
  veltor::SaveProjectFile(path, [this](QIODevice& file) {
    veltor::WritePartitionAsProject(file, building_.description(), building_.current());
  });
}
