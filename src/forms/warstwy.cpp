// The free layer definition window: building the controls, the catalogue and
// the layer table, and the handlers that change the table. The table is the
// truth; ListViewMaterialy's rows follow it after every change (syncList and
// the following of the project's changes are in warstwy_list.cpp). The summary
// group and RefreshSummary are in warstwy_summary.cpp.
#include "forms/warstwy.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QSplitter>
#include <QStyle>
#include <QToolTip>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>
#include <array>
#include <cmath>

#include "calc/calculation.h"
#include "calc/errors.h"
#include "calc/numbers.h"
#include "calc/ownmaterials.h"
#include "calc/units.h"
#include "forms/appstate.h"
#include "forms/katalog.h"
#include "forms/numberbox.h"
#include "forms/windowset.h"
#include "model/project.h"
#include "platform/dialogs.h"

TFormWarstwy* FormWarstwy = nullptr;

namespace {

const QString kAirLayer = QString::fromUtf8(veltor::kAirLayerName);
// Thicker unventilated air layers are beyond the air-layer table.
constexpr double kMaxAirLayerThickness = 0.3;
const QString kAirLayerTooThick =
    QStringLiteral("Maksymalna grubość niewentylowanej warstwy powietrza nie może przekraczać 0.3m");
// No wall is thicker; a typo such as 20 for 0,20 is caught before it reaches
// the figures.
constexpr double kMaxThickness = 10.0;
const QString kMissingThickness = QStringLiteral("Musisz podać grubość warstwy");
const QString kNegativeThickness = QStringLiteral("Grubość warstwy musi być większa od zera");
const QString kThicknessTooLarge = QStringLiteral("Grubość warstwy nie może przekraczać 10 m");
constexpr int kMillimetresPerMetre = 1000;

const QString kVapourCaption = QStringLiteral("Przepuszczalność pary wodnej δ [10⁻⁶ g/(m·h·Pa)]");
// -INF in the record: a layer that the diffusion sums leave out.
const QString kNoResistance = QStringLiteral("brak oporu (max)");
const QString kNoResistanceTip =
    QStringLiteral("Obliczenia nie uwzględniają oporu dyfuzyjnego tej warstwy (jak dla warstwy powietrza)");

bool IsThickness(double value) {
  return value > 0 && value <= kMaxThickness;  // NaN is none
}

// What is told of a typed thickness that no layer may have; empty when it may.
QString ThicknessRefusal(double thickness, bool airLayer) {
  if (!IsThickness(thickness))
    return thickness > kMaxThickness ? kThicknessTooLarge
           : thickness < 0           ? kNegativeThickness
                                     : kMissingThickness;
  if (airLayer && thickness > kMaxAirLayerThickness) return kAirLayerTooThick;
  return {};
}

// A push button that mirrors an action: its caption, hints and enabled state
// come from the action, and a click triggers it.
void bindToAction(QPushButton* button, QAction* action) {
  button->setText(action->text());
  button->setToolTip(action->toolTip());
  button->setStatusTip(action->statusTip());
  button->setEnabled(action->isEnabled());
  QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
  QObject::connect(action, &QAction::changed, button,
                   [button, action] { button->setEnabled(action->isEnabled()); });
}

QLineEdit* dataEdit(QWidget* parent, const char* name, bool readOnly) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  if (readOnly) {
    edit->setReadOnly(true);
    // Click focus still lets a value be selected and copied, but Tab passes by.
    edit->setFocusPolicy(Qt::ClickFocus);
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Button));
    edit->setPalette(p);
  }
  return edit;
}

}  // namespace

TFormWarstwy::TFormWarstwy(QWidget* mainWindow, Project& project)
    : TCompanionWindow(mainWindow, QStringLiteral("FormWarstwy"),
                       QStringLiteral("Definicja warstw przegrody"), QStringLiteral("1.htm")),
      project_(project) {
  buildControls();
  connect(&project_, &Project::changed, this, &TFormWarstwy::projectChanged);
  // A new or opened project starts with no current layer, as a cleared table does.
  connect(&project_, &Project::replaced, this, [this] {
    currentRow_ = -1;
    syncList(-1);
    clearMaterial();
  });
  syncList(-1);
  // The window opens with the layer table focused.
  ListViewMaterialy->setFocus();
}

TFormWarstwy::~TFormWarstwy() {
  // The items point into the stores below; let them go first, quietly.
  syncing_ = true;
  ListViewMaterialy->clear();
  TreeViewMaterialy->blockSignals(true);
  TreeViewMaterialy->clear();
}

void TFormWarstwy::buildControls() {
  const auto guarded = [this](void (TFormWarstwy::*handler)()) {
    return [this, handler] { runHandler([this, handler] { (this->*handler)(); }); };
  };

  // The catalogue.
  Katalog = new TFrameKatalog(this);
  TreeViewMaterialy = Katalog->TreeViewMaterialy;
  TreeViewMaterialy->installEventFilter(this);
  connect(TreeViewMaterialy, &QTreeWidget::itemSelectionChanged, this,
          guarded(&TFormWarstwy::TreeViewMaterialyChange));

  // Between the catalogue and the table.
  ActionUsunWarstwe = new QAction(QStringLiteral("&Usuń"), this);
  ActionUsunWarstwe->setObjectName(QStringLiteral("ActionUsunWarstwe"));
  ActionUp = new QAction(QStringLiteral("do wewnątrz"), this);
  ActionUp->setObjectName(QStringLiteral("ActionUp"));
  ActionUp->setToolTip(QStringLiteral("Przesunięcie warstwy do wewnątrz przegrody"));
  ActionUp->setStatusTip(ActionUp->toolTip());
  ActionDown = new QAction(QStringLiteral("na zewnątrz"), this);
  ActionDown->setObjectName(QStringLiteral("ActionDown"));
  ActionDown->setToolTip(QStringLiteral("Przesunięcie warstwy na zewnątrz przegrody"));
  ActionDown->setStatusTip(ActionDown->toolTip());
  addActions({ActionUsunWarstwe, ActionUp, ActionDown});
  connect(ActionUsunWarstwe, &QAction::triggered, this, guarded(&TFormWarstwy::ActionUsunWarstweExecute));
  connect(ActionUp, &QAction::triggered, this, guarded(&TFormWarstwy::ActionUpExecute));
  connect(ActionDown, &QAction::triggered, this, guarded(&TFormWarstwy::ActionDownExecute));

  BitBtnDodaj = new QPushButton(QStringLiteral("Dodaj"), this);
  BitBtnDodaj->setObjectName(QStringLiteral("BitBtnDodaj"));
  BitBtnDodaj->setToolTip(QStringLiteral("Dodawanie warstw do przegrody"));
  BitBtnDodaj->setStatusTip(BitBtnDodaj->toolTip());
  BitBtnDodaj->setLayoutDirection(Qt::RightToLeft);  // the arrow after the word, pointing at the table
  connect(BitBtnDodaj, &QPushButton::clicked, this, guarded(&TFormWarstwy::BitBtnDodajClick));
  BitBtnDodaj->setEnabled(false);  // until a material is chosen
  BitBtnUsun = new QPushButton(this);
  BitBtnUsun->setObjectName(QStringLiteral("BitBtnUsun"));
  bindToAction(BitBtnUsun, ActionUsunWarstwe);

  // The layer table.
  auto* labelUzyte = new QLabel(QStringLiteral("Użyte materiały"), this);
  ListViewMaterialy = new QTreeWidget(this);
  ListViewMaterialy->setObjectName(QStringLiteral("ListViewMaterialy"));
  ListViewMaterialy->setColumnCount(ColumnCount);
  ListViewMaterialy->setHeaderLabels({QStringLiteral("Materiał"), QStringLiteral("d [m]"),
                                      QStringLiteral("λ [W/(m·K)]"), QStringLiteral("R [m²K/W]"),
                                      QStringLiteral("sd [m]")});
  ListViewMaterialy->setRootIsDecorated(false);
  ListViewMaterialy->setItemsExpandable(false);
  ListViewMaterialy->setUniformRowHeights(true);
  ListViewMaterialy->setAllColumnsShowFocus(true);
  ListViewMaterialy->setSelectionMode(QAbstractItemView::SingleSelection);
  ListViewMaterialy->setSelectionBehavior(QAbstractItemView::SelectRows);
  ListViewMaterialy->viewport()->setCursor(Qt::PointingHandCursor);
  ListViewMaterialy->viewport()->installEventFilter(this);
  ListViewMaterialy->setMinimumWidth(420);
  // A bridged layer's caption ends in its share, and an ignored one in its
  // mark: a long name gives way in the middle.
  ListViewMaterialy->setTextElideMode(Qt::ElideMiddle);
  {
    QHeaderView* header = ListViewMaterialy->header();
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    for (int c = ColumnThickness; c < ColumnCount; ++c)
      ListViewMaterialy->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
  }
  labelUzyte->setBuddy(ListViewMaterialy);
  connect(ListViewMaterialy->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this](const QItemSelection& selected, const QItemSelection& deselected) {
            const QModelIndexList rows = selected.isEmpty() ? deselected.indexes() : selected.indexes();
            const int row = rows.isEmpty() ? -1 : rows.first().row();
            runHandler([this, row] { ListViewMaterialySelectItem(row); });
          });
  connect(ListViewMaterialy, &QTreeWidget::itemClicked, this, guarded(&TFormWarstwy::ListViewMaterialyClick));
  auto* labelWew = new QLabel(QStringLiteral("wew."), this);
  auto* labelZew = new QLabel(QStringLiteral("zew."), this);
  for (QLabel* side : {labelWew, labelZew}) {
    QFont f = side->font();
    f.setItalic(true);
    side->setFont(f);
    side->setForegroundRole(QPalette::PlaceholderText);
  }

  auto* groupKolejnosc = new QGroupBox(QStringLiteral("Zmiana kolejności warstw"), this);
  groupKolejnosc->setObjectName(QStringLiteral("GroupBoxKolejnosc"));
  ButtonUp = new QPushButton(groupKolejnosc);
  ButtonUp->setObjectName(QStringLiteral("ButtonUp"));
  bindToAction(ButtonUp, ActionUp);
  ButtonDown = new QPushButton(groupKolejnosc);
  ButtonDown->setObjectName(QStringLiteral("ButtonDown"));
  bindToAction(ButtonDown, ActionDown);
  auto* kolejnoscLayout = new QHBoxLayout(groupKolejnosc);
  kolejnoscLayout->addWidget(ButtonUp);
  kolejnoscLayout->addWidget(ButtonDown);

  Button2 = new QPushButton(QStringLiteral("Przelicz grubość warstwy"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  QFont bold = Button2->font();
  bold.setBold(true);
  bold.setUnderline(true);
  Button2->setFont(bold);
  Button2->setToolTip(QStringLiteral("Oblicz grubość zaznaczonej warstwy, aby uzyskać Uc ≤ Uc(max)"));
  Button2->setStatusTip(Button2->toolTip());
  connect(Button2, &QPushButton::clicked, this, guarded(&TFormWarstwy::Button2Click));

  ButtonWstecz = new QPushButton(QStringLiteral("< &Wstecz"), this);
  ButtonWstecz->setObjectName(QStringLiteral("ButtonWstecz"));
  ButtonWstecz->setToolTip(QStringLiteral("Warunki początkow projektu"));
  ButtonWstecz->setStatusTip(ButtonWstecz->toolTip());
  connect(ButtonWstecz, &QPushButton::clicked, this, guarded(&TFormWarstwy::ButtonWsteczClick));
  ButtonZamknij = new QPushButton(QStringLiteral("&Zamknij"), this);
  ButtonZamknij->setObjectName(QStringLiteral("ButtonZamknij"));
  connect(ButtonZamknij, &QPushButton::clicked, this, guarded(&TFormWarstwy::ButtonZamknijClick));

  // Layout: catalogue | add, remove | table with its summary.
  auto* left = new QVBoxLayout;
  left->addWidget(Katalog, 1);
  left->addWidget(buildMaterialGroup());
  left->addWidget(buildBridgeGroup());

  auto* middle = new QVBoxLayout;
  middle->addStretch(1);
  middle->addWidget(BitBtnDodaj);
  middle->addWidget(BitBtnUsun);
  middle->addStretch(1);

  auto* sides = new QVBoxLayout;
  sides->addWidget(labelWew);
  sides->addStretch(1);
  sides->addWidget(labelZew);
  auto* tableRow = new QHBoxLayout;
  tableRow->addWidget(ListViewMaterialy, 1);
  tableRow->addLayout(sides);

  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(ButtonWstecz);
  bottom->addWidget(ButtonZamknij);

  auto* right = new QVBoxLayout;
  right->addWidget(labelUzyte);
  right->addLayout(tableRow, 1);
  right->addWidget(groupKolejnosc);
  right->addWidget(Button2);
  right->addWidget(buildSummaryGroup());
  right->addWidget(LabelUwagaMostek);
  right->addLayout(bottom);

  // The designer may give the catalogue or the table more room; the divide
  // stays where it was put, whatever the window shows next.
  auto* leftPane = new QWidget(this);
  leftPane->setLayout(left);
  left->setContentsMargins(0, 0, 0, 0);
  auto* rightPane = new QWidget(this);
  auto* rightRow = new QHBoxLayout(rightPane);
  rightRow->setContentsMargins(0, 0, 0, 0);
  rightRow->addLayout(middle);
  rightRow->addLayout(right, 1);
  SplitterWarstwy = new QSplitter(Qt::Horizontal, this);
  SplitterWarstwy->setObjectName(QStringLiteral("SplitterWarstwy"));
  SplitterWarstwy->addWidget(leftPane);
  SplitterWarstwy->addWidget(rightPane);
  SplitterWarstwy->setChildrenCollapsible(false);
  // The panes' hints (a long name, a warning) must not move the divide; each
  // keeps the room its captions and boxes need.
  for (QWidget* pane : {leftPane, rightPane}) {
    pane->setMinimumWidth(pane->minimumSizeHint().width());
    pane->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  }
  SplitterWarstwy->setStretchFactor(0, 4);
  SplitterWarstwy->setStretchFactor(1, 6);
  SplitterWarstwy->setSizes({leftPane->sizeHint().width(), rightPane->sizeHint().width()});
  auto* top = new QHBoxLayout(this);
  top->addWidget(SplitterWarstwy);

  setTabOrder(Katalog->EditSzukaj, TreeViewMaterialy);
  setTabOrder(TreeViewMaterialy, EditGW);
  // The bridge belongs to the current layer, as its thickness does.
  QWidget* previous = EditGW;
  for (QWidget* next : std::initializer_list<QWidget*>{
           CheckWarstwaNiejednorodna, ButtonMaterialMostka, EditLambdaMostka, EditUdzialMostka,
           EditSzerokoscMostka, EditRozstawMostka, ButtonObliczUdzial, BitBtnDodaj}) {
    setTabOrder(previous, next);
    previous = next;
  }
  setTabOrder(BitBtnDodaj, BitBtnUsun);
  setTabOrder(BitBtnUsun, ListViewMaterialy);
  setTabOrder(ListViewMaterialy, ButtonUp);
  setTabOrder(ButtonUp, ButtonDown);
  setTabOrder(ButtonDown, Button2);
  setTabOrder(Button2, ButtonWstecz);
  setTabOrder(ButtonWstecz, ButtonZamknij);
  resize(1160, 720);
}

QWidget* TFormWarstwy::buildMaterialGroup() {
  auto* group = new QGroupBox(QStringLiteral("Dane wskazanego materiału"), this);
  group->setObjectName(QStringLiteral("GroupBoxMaterial"));
  LabelOpis = new QLabel(QStringLiteral("Opis"), group);
  LabelOpis->setObjectName(QStringLiteral("LabelOpis"));
  LabelOpis->setTextFormat(Qt::PlainText);  // a name's "&" or "<" is shown as it is
  LabelOpis->setWordWrap(true);
  LabelOpis->setMinimumHeight(2 * LabelOpis->fontMetrics().lineSpacing());
  LabelOpis->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QFont bold = LabelOpis->font();
  bold.setBold(true);
  LabelOpis->setFont(bold);

  EditPC1 = dataEdit(group, "EditPC1", true);
  EditPC2 = dataEdit(group, "EditPC2", true);
  EditOD = dataEdit(group, "EditOD", true);
  EditCW = dataEdit(group, "EditCW", true);
  EditG = dataEdit(group, "EditG", true);
  EditGW = dataEdit(group, "EditGW", false);
  connect(EditGW, &QLineEdit::textChanged, this, [this] { runHandler([this] { EditGWChange(); }); });
  thicknessBox_ = new TNumberBox(EditGW, [this](double thickness) {
    return ThicknessRefusal(thickness, current() && current()->isAirLayer());
  });
  connect(thicknessBox_, &TNumberBox::Committed, this,
          [this](const QString& text) { runHandler([this, &text] { EditGWCommitted(text); }); });
  // With a material chosen and no layer current, Enter adds it, as "Dodaj" does.
  connect(EditGW, &QLineEdit::returnPressed, this, [this] {
    if (!current() && BitBtnDodaj->isEnabled()) BitBtnDodaj->click();
  });

  auto* grid = new QGridLayout(group);
  grid->addWidget(LabelOpis, 0, 0, 1, 3);
  const struct {
    QString caption;
    QLineEdit* edit;
  } rows[] = {
      {QStringLiteral("Współczynnik przewodzenia ciepła λ [W/(m·K)]\n(warunki średniowilgotne)"), EditPC1},
      {QStringLiteral("Współczynnik przewodzenia ciepła λ [W/(m·K)]\n(warunki wilgotne)"), EditPC2},
      {kVapourCaption, EditOD},
      {QStringLiteral("Ciepło właściwe w stanie suchym c [J/(kg·K)]"), EditCW},
      {QStringLiteral("Gęstość ρ [%1]").arg(veltor::unit::kDensity), EditG},
      {QStringLiteral("Grubość warstwy [m]"), EditGW},
  };
  int r = 1;
  for (const auto& row : rows) {
    auto* label = new QLabel(row.caption, group);
    label->setBuddy(row.edit);
    grid->addWidget(label, r, 0);
    grid->addWidget(row.edit, r, 1);
    ++r;
  }
  grid->addWidget(buildDeclaredRow(group), 3, 2);
  grid->addWidget(ButtonPrzywroc, r, 0, 1, 3);
  QFont boldEdit = EditGW->font();
  boldEdit.setBold(true);
  EditGW->setFont(boldEdit);
  grid->setColumnStretch(0, 1);
  grid->setColumnMinimumWidth(1, 110);
  return group;
}

void TFormWarstwy::FormCreate() {
  Katalog->Load();
}

// --- The layer table -------------------------------------------------------

veltor::LayerRecord* TFormWarstwy::current() const {
  veltor::LayerTable& table = project_.layersForResults();
  return currentRow_ >= 0 && currentRow_ < table.size() ? &table.at(currentRow_) : nullptr;
}

void TFormWarstwy::endCurrentLayer() {
  currentRow_ = -1;
  bridgePending_ = false;
  bridgeField_ = nullptr;
  ++thicknessSession_;
  {
    QScopedValueRollback quiet(syncing_, true);
    ListViewMaterialy->selectionModel()->clearSelection();
  }
  UpdateLayerActions();
  updateDeclaredBoxes();
}

void TFormWarstwy::makeCurrent(int row) {
  if (row < 0 || row >= Layers().size()) return;
  ShowMaterial(&Layers().at(row));
  // Typing into another layer's thickness is another step to undo.
  if (row != currentRow_) {
    ++thicknessSession_;
    bridgePending_ = false;
    bridgeField_ = nullptr;
  }
  currentRow_ = row;
  updateDeclaredBoxes();
}

void TFormWarstwy::UpdateLayerActions() {
  const int row = selectedRow();
  const bool selected = !Layers().empty() && row >= 0;
  ActionUsunWarstwe->setEnabled(selected);
  ActionUp->setEnabled(selected && row > 0);
  ActionDown->setEnabled(selected && row < Layers().size() - 1);
}

// --- Showing a material ----------------------------------------------------

void TFormWarstwy::ShowMaterial(const veltor::LayerRecord* record) {
  if (!record) return;
  QScopedValueRollback filling(showingMaterial_, true);
  LabelOpis->setText(record->nameText());
  const auto show = [](QLineEdit* edit, const QString& text) {
    edit->setText(text);
    edit->setCursorPosition(0);
  };
  show(EditPC1, veltor::FormatEditable(veltor::Quantity::Conductivity, record->lambdaMedium));
  show(EditPC2, veltor::FormatEditable(veltor::Quantity::Conductivity, record->lambdaHumid));
  const bool open = std::isinf(record->vapourCoefficient);
  show(EditOD, open ? kNoResistance : veltor::FormatGeneral(record->vapourCoefficient));
  EditOD->setToolTip(open ? kNoResistanceTip : QString());
  LabelMu->setText(QStringLiteral("μ = %1").arg(
      open ? QStringLiteral("0")
           : veltor::FormatQuantity(veltor::Quantity::VapourCoefficient,
                                    veltor::kMuPermeability / record->vapourCoefficient)));
  show(EditCW, veltor::FormatGeneral(record->specificHeat));
  show(EditG, veltor::FormatEditable(veltor::Quantity::Density, record->density));
  show(EditGW, veltor::FormatEditable(veltor::Quantity::Thickness, record->thickness));
}

void TFormWarstwy::clearMaterial() {
  QScopedValueRollback filling(showingMaterial_, true);
  LabelOpis->setText(QStringLiteral("Opis"));
  for (QLineEdit* edit : {EditPC1, EditPC2, EditOD, EditCW, EditG, EditGW}) edit->clear();
  EditOD->setToolTip(QString());
  LabelMu->clear();
}

bool TFormWarstwy::CheckThickness() {
  const double thickness = veltor::StrToFloat(EditGW->text());
  if (IsThickness(thickness)) return true;
  ui::inform(ui::MessageKind::Information, ThicknessRefusal(thickness, false));
  EditGW->setFocus();
  return false;
}

// --- Handlers --------------------------------------------------------------

void TFormWarstwy::TreeViewMaterialyChange() {
  const QList<QTreeWidgetItem*> selected = TreeViewMaterialy->selectedItems();
  const veltor::LayerRecord* material = selected.isEmpty() ? nullptr : MaterialOf(selected.first());
  // A group adds nothing, so its "Dodaj" is not offered.
  BitBtnDodaj->setEnabled(material != nullptr);
  if (!material) return;
  ShowMaterial(material);
  // The thickness box now holds the material's thickness, for "Dodaj". The
  // catalogue's getting the focus usually ends the current layer already, but
  // not when it kept the focus while showing made a layer current.
  endCurrentLayer();
}

void TFormWarstwy::ListViewMaterialySelectItem(int row) {
  if (syncing_) return;
  makeCurrent(row);
  UpdateLayerActions();
}

void TFormWarstwy::ListViewMaterialyClick() {
  makeCurrent(selectedRow());
}

void TFormWarstwy::EditGWChange() {
  if (showingMaterial_ || !EditGW->hasFocus() || !current()) return;
  // Whatever is not (yet) a thickness, "0" on the way to "0,18" or "0." on
  // the way to "0.18", leaves the layer as it is; the box says why, and the
  // message waits for the commit.
  if (EditGW->text().trimmed().isEmpty() || !thicknessBox_->Accepted()) return;
  {
    const QScopedValueRollback own(editing_, true);
    project_.setThickness(currentRow_, *thicknessBox_->Number(), thicknessSession_);
  }
  RefreshSummary();
}

void TFormWarstwy::EditGWCommitted(const QString& text) {
  // Only a thickness typed for a layer is committed by leaving the box; for
  // "Dodaj" the button itself is the commit.
  if (!current()) return;
  // An emptied box is no thickness either: the layer keeps its own, and the
  // box shows it again rather than a blank the figures do not follow.
  const bool empty = text.trimmed().isEmpty();
  const std::optional<double> thickness = veltor::ParseTypedNumber(text);
  const QString refusal = empty       ? kMissingThickness
                          : thickness ? ThicknessRefusal(*thickness, current()->isAirLayer())
                                      : QString();
  if (thickness && refusal.isEmpty()) return;
  // The box shows the thickness the layer kept.
  const auto restore = qScopeGuard([this, &text] {
    if (current() && EditGW->text() == text) {
      QScopedValueRollback filling(showingMaterial_, true);
      EditGW->setText(veltor::FormatEditable(veltor::Quantity::Thickness, current()->thickness));
    }
  });
  if (!empty && !thickness) veltor::StrToFloat(text);  // raises the conversion error
  ui::inform(ui::MessageKind::Information, refusal);
}

void TFormWarstwy::BitBtnDodajClick() {
  const QList<QTreeWidgetItem*> selected = TreeViewMaterialy->selectedItems();
  if (selected.isEmpty()) return;
  const veltor::LayerRecord* material = MaterialOf(selected.first());
  if (!material) return;
  if (!CheckThickness()) return;
  const double thickness = veltor::StrToFloat(EditGW->text());
  if (selected.first()->text(0) == kAirLayer && thickness > kMaxAirLayerThickness) {
    ui::inform(ui::MessageKind::Information, kAirLayerTooThick);
    EditGW->setFocus();
    return;
  }
  veltor::LayerRecord layer = *material;
  layer.thickness = thickness;
  {
    const QScopedValueRollback own(editing_, true);
    project_.appendLayer(layer);
  }
  syncList(std::nullopt);
  RefreshSummary();
}

void TFormWarstwy::ActionUsunWarstweExecute() {
  const int row = selectedRow();
  if (row < 0) return;
  {
    const QScopedValueRollback own(editing_, true);
    project_.removeLayer(row);
  }
  // The removed layer's data goes with it.
  endCurrentLayer();
  clearMaterial();
  syncList(-1);
  RefreshSummary();
}

void TFormWarstwy::ActionUpExecute() {
  const int row = selectedRow();
  if (row <= 0) return;
  {
    const QScopedValueRollback own(editing_, true);
    project_.moveLayer(row, -1);
  }
  const int moved = row - 1;
  syncList(moved);
  makeCurrent(moved);
  RefreshSummary();
}

void TFormWarstwy::ActionDownExecute() {
  const int row = selectedRow();
  if (row < 0 || row >= Layers().size() - 1) return;
  {
    const QScopedValueRollback own(editing_, true);
    project_.moveLayer(row, 1);
  }
  const int moved = row + 1;
  syncList(moved);
  makeCurrent(moved);
  RefreshSummary();
}

void TFormWarstwy::Button2Click() {
  if (gDesignConditions.umax == 0) {
    ui::inform(ui::MessageKind::Error,
               QStringLiteral("Nie można dokonać obliczeń. Umax zdefiniowano jako 'bez wymagań'"));
    return;
  }
  const int row = selectedRow();
  if (row < 0) {
    ui::inform(ui::MessageKind::Error, QStringLiteral("Nie wybrano warstwy"));
    return;
  }
  if (Layers().at(row).isAirLayer()) {
    ui::inform(ui::MessageKind::Error, QStringLiteral("Dla tej warstwy nie można dokonać obliczeń"));
    return;
  }
  (void)CurrentSummary(project_);
  const double required = RequiredThickness(project_, row);
  if (required > 0) {
    // Whole millimetres, rounded up so that U stays at or below Umax.
    const QScopedValueRollback own(editing_, true);
    project_.setThickness(row, veltor::RoundUpToStep(required, kMillimetresPerMetre));
  } else if (ui::ask(ui::MessageKind::Information,
                     QStringLiteral("Zaznaczona warstwa nie jest potrzebna. Wykasować?"), ui::Yes | ui::No,
                     ui::Answer::Yes, ui::Answer::No) == ui::Answer::Yes) {
    ActionUsunWarstweExecute();
  }
  RefreshSummary();
  if (veltor::LayerRecord* record = selectedLayer()) {
    makeCurrent(selectedRow());
    QScopedValueRollback filling(showingMaterial_, true);
    EditGW->setText(veltor::FormatEditable(veltor::Quantity::Thickness, record->thickness));
  }
}

void TFormWarstwy::ButtonWsteczClick() {
  hide();
  ShowWindow(WindowId::Conditions);
}

void TFormWarstwy::ButtonZamknijClick() {
  hide();
}

// --- Window events ---------------------------------------------------------

void TFormWarstwy::runHandler(const std::function<void()>& body) {
  // Busy until the error box, if any, has closed.
  QScopedValueRollback busy(busyDepth_, busyDepth_ + 1);
  ui::Guard(body);
}

void TFormWarstwy::showEvent(QShowEvent* e) {
  TCompanionWindow::showEvent(e);
  if (e->spontaneous()) return;
  if (BitBtnDodaj->icon().isNull()) prepareForShowing();
  // A box that closed while the window was hidden left no activation to skip.
  skipActivation_ = false;
  ui::Guard([this] { FormShow(); });
}

void TFormWarstwy::prepareForShowing() {
  // The style reads each arrow from pictures of three sizes; the window is
  // created at start-up but shown later, so they wait until it is shown. The
  // figures' columns are fitted by fitLayerColumns, not by the header.
  QHeaderView* header = ListViewMaterialy->header();
  header->setSectionResizeMode(ColumnName, QHeaderView::Stretch);
  for (int c = ColumnThickness; c < ColumnCount; ++c) header->setSectionResizeMode(c, QHeaderView::Fixed);
  fitLayerColumns();
  BitBtnDodaj->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
  BitBtnUsun->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
  ButtonUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
  ButtonDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
}

void TFormWarstwy::FormShow() {
  if (!Layers().empty()) {
    if (!current()) {
      syncList(0);
      currentRow_ = 0;
    }
    ShowMaterial(current());
    updateDeclaredBoxes();
  }
  // The activation that recalculates may come late or not at all (a window
  // manager need not activate a shown tool window). A table changed meanwhile
  // gets its pass here, quietly: the pass's message is the activation's to
  // tell, once. Otherwise the fields show the latest pass against the
  // conditions as they are now (Umax above all).
  if (stale_)
    refreshQuietly();
  else
    showSummary();
}

void TFormWarstwy::FormActivate() {
  runHandler([this] { RefreshSummary(); });
}

bool TFormWarstwy::event(QEvent* e) {
  switch (e->type()) {
    case QEvent::WindowActivate:
      if (skipActivation_)
        skipActivation_ = false;
      else
        FormActivate();
      break;
    case QEvent::WindowDeactivate:
      // Hiding the window from a handler deactivates it too, but no
      // activation follows that one.
      if (busyDepth_ > 0 && !isHidden()) skipActivation_ = true;
      break;
    default:
      break;
  }
  return TCompanionWindow::event(e);
}

bool TFormWarstwy::eventFilter(QObject* watched, QEvent* e) {
  if (watched == TreeViewMaterialy && e->type() == QEvent::FocusIn) {
    // Focus given back to the catalogue because the window became active again
    // is not the user turning to it; showing may just have made a layer current.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) endCurrentLayer();
  } else if (watched == ListViewMaterialy->viewport() && e->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(e);
    QTreeWidgetItem* item = ListViewMaterialy->itemAt(help->pos());
    ShowLayerTip(help, ListViewMaterialy, item ? ListViewMaterialy->visualItemRect(item) : QRect(),
                 item ? item->data(ColumnName, Qt::ToolTipRole).toString() : QString());
    return true;
  } else if (auto* field = qobject_cast<QLabel*>(watched);
             field &&
             (e->type() == QEvent::Enter || e->type() == QEvent::MouseMove || e->type() == QEvent::ToolTip)) {
    // The hints are worked out when the mouse is over the field, from the
    // summary as it is then.
    const QString hint = summaryHint(field);
    field->setToolTip(hint);
    field->setStatusTip(hint);
  }
  return TCompanionWindow::eventFilter(watched, e);
}
