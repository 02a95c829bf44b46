// The initial-conditions window. Data flow: the catalogue file fills the tree
// once (each requirement node keeps its Umax as Qt::UserRole data); choosing a
// requirement writes its value into EditUmax; CommitConditions converts the
// controls into the project's conditions; a change of those made elsewhere
// (open, undo) refreshes the controls, the tree's choice included.
#include "forms/warunki_poczatkowe.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <cmath>
#include <limits>
#include <type_traits>
#include <utility>

#include "calc/catalogue.h"
#include "calc/errors.h"
#include "calc/numbers.h"
#include "calc/textfile.h"
#include "calc/units.h"
#include "forms/appstate.h"
#include "forms/grunt.h"
#include "forms/numberbox.h"
#include "forms/windowset.h"
#include "model/project.h"
#include "platform/dialogs.h"
#include "project/projectfile.h"

TFormWarunkiPoczatkowe* FormWarunkiPoczatkowe = nullptr;

namespace {

constexpr double kMinHumidity = 0;
constexpr double kMaxHumidity = 100;
// Indoor air at this relative humidity or above makes humid conditions.
constexpr double kHumidBoundary = 75;

const QString kHumidityRange = QStringLiteral("Dopuszczalne wartości: 0 ÷ 100");
const QString kNegativeUmax = QStringLiteral("Wartość Umax nie może być ujemna");
const QString kTooHighUmax = QStringLiteral("Wartość Umax nie może przekraczać 10 W/(m²K)");
// W/(m2 K); far above any requirement of the regulation.
constexpr double kMaxUmax = 10;
const QString kNoRequirement = QStringLiteral("bez wymagań");
const QString kCatalogueFile = QStringLiteral("Dane/maksymalne.txt");

// Written this way round so that a NaN is out of range too.
bool inRange(double v, double lo, double hi) {
  return v >= lo && v <= hi;
}

// Design temperatures must lie where the saturation table has values; its
// range is what the data file held.
double minTemperature() {
  return gReferenceTables.saturation.lowestTemperature();
}
double maxTemperature() {
  return veltor::SaturationTable::highestTemperature();
}
QString temperatureRange() {
  return QStringLiteral("Dopuszczalne wartości: %1 ÷ %2")
      .arg(minTemperature(), 0, 'f', 1)
      .arg(maxTemperature(), 0, 'f', 1);
}

const QStringList kOuterSides = {QStringLiteral("powietrze zewnętrzne"),
                                 QStringLiteral("słabo wentylowana warstwa powietrza"),
                                 QStringLiteral("dobrze wentylowana warstwa powietrza lub elewacja"),
                                 QStringLiteral("przestrzeń nieogrzewana")};
const QString kBadOpenings = QStringLiteral("Pole otworów wentylacyjnych musi być liczbą nieujemną");

QString umaxText(double umax) {
  return umax == 0 ? kNoRequirement : veltor::FormatGeneral(umax);
}

// Rows under the mouse get a light wash of the selection colour; the styles do
// not all draw a hover state in item views.
class HoverDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    if ((option.state & QStyle::State_MouseOver) && !(option.state & QStyle::State_Selected)) {
      QColor wash = option.palette.color(QPalette::Active, QPalette::Highlight);
      wash.setAlpha(48);
      painter->fillRect(option.rect, wash);
    }
    QStyledItemDelegate::paint(painter, option, index);
  }
};

QLineEdit* labeledEdit(QWidget* parent, const char* name, const QString& caption, const QString& text,
                       QLabel** label) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(QString::fromLatin1(name));
  *label = new QLabel(caption, parent);
  (*label)->setObjectName(QString::fromLatin1(name) + QStringLiteral("Label"));
  (*label)->setBuddy(edit);
  return edit;
}

}  // namespace

// ---------------------------------------------------------------------------

TRadioGroup::TRadioGroup(const QString& objectName, const QString& caption, const QStringList& items,
                         Qt::Orientation orientation, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this)) {
  setObjectName(objectName);
  QBoxLayout* layout =
      orientation == Qt::Vertical ? static_cast<QBoxLayout*>(new QVBoxLayout(this)) : new QHBoxLayout(this);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    button->setObjectName(objectName + QStringLiteral("Item%1").arg(i));
    buttons_->addButton(button, i);
    layout->addWidget(button);
  }
  if (orientation == Qt::Horizontal) layout->addStretch();
}

int TRadioGroup::itemIndex() const {
  return buttons_->checkedId();
}

void TRadioGroup::setItemIndex(int index) {
  if (QAbstractButton* b = buttons_->button(index)) b->setChecked(true);
}

int TRadioGroup::count() const {
  return static_cast<int>(buttons_->buttons().size());
}

// ---------------------------------------------------------------------------

TFormWarunkiPoczatkowe::TFormWarunkiPoczatkowe(QWidget* mainWindow, Project& project)
    : TCompanionWindow(mainWindow, QStringLiteral("FormWarunkiPoczatkowe"),
                       QStringLiteral("Warunki początkowe"), QStringLiteral("12.htm")),
      project_(project) {
  buildControls();
  // Open, undo and redo change the conditions behind the controls' back.
  connect(&project_, &Project::changed, this, [this](Project::Parts parts) {
    if ((parts & Project::Conditions) && !committing_) showConditions(project_.conditions());
  });
}

TFormWarunkiPoczatkowe::~TFormWarunkiPoczatkowe() = default;

void TFormWarunkiPoczatkowe::buildControls() {
  auto* top = new QVBoxLayout(this);

  auto* groupUmax = new QGroupBox(QStringLiteral("Wymagania izolacyjności cieplnej"), this);
  groupUmax->setObjectName(QStringLiteral("GroupBoxUmax"));
  auto* umaxLayout = new QVBoxLayout(groupUmax);
  TreeViewUmax = new QTreeWidget(groupUmax);
  TreeViewUmax->setObjectName(QStringLiteral("TreeViewUmax"));
  TreeViewUmax->setHeaderHidden(true);
  TreeViewUmax->setColumnCount(2);  // the requirement, its Umax
  TreeViewUmax->header()->setStretchLastSection(false);
  TreeViewUmax->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  TreeViewUmax->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  TreeViewUmax->setEditTriggers(QAbstractItemView::NoEditTriggers);
  TreeViewUmax->setSelectionMode(QAbstractItemView::SingleSelection);
  TreeViewUmax->setSelectionBehavior(QAbstractItemView::SelectRows);
  TreeViewUmax->setAllColumnsShowFocus(true);
  TreeViewUmax->setMouseTracking(true);
  TreeViewUmax->viewport()->setAttribute(Qt::WA_Hover);
  TreeViewUmax->setItemDelegate(new HoverDelegate(TreeViewUmax));
  {
    // The chosen requirement stays visibly chosen while the designer types elsewhere.
    QPalette p = TreeViewUmax->palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
      p.setColor(QPalette::Inactive, role, p.color(QPalette::Active, role));
    TreeViewUmax->setPalette(p);
  }
  umaxLayout->addWidget(TreeViewUmax, 1);
  auto* umaxRow = new QHBoxLayout;
  auto* labelUmax = new QLabel(QStringLiteral("Umax"), groupUmax);
  labelUmax->setObjectName(QStringLiteral("LabelUmax"));
  EditUmax = new QLineEdit(groupUmax);
  EditUmax->setObjectName(QStringLiteral("EditUmax"));
  labelUmax->setBuddy(EditUmax);
  auto* unitUmax = new QLabel(veltor::unit::kTransmittance, groupUmax);
  unitUmax->setObjectName(QStringLiteral("LabelUmaxUnit"));
  umaxRow->addWidget(labelUmax);
  umaxRow->addWidget(EditUmax, 1);
  umaxRow->addWidget(unitUmax);
  umaxRow->addStretch(1);
  umaxLayout->addLayout(umaxRow);
  top->addWidget(groupUmax, 1);

  RadioGroup1 = new TRadioGroup(
      QStringLiteral("RadioGroup1"), QStringLiteral("Obliczeniowa wilgotność powietrza w pomieszczeniu"),
      {QStringLiteral("Warunki średniowilgotne (wilg. powietrza niższa niż 75%)"),
       QStringLiteral("Warunki wilgotne (wilg. powietrza równa lub wyższa niż 75%)")},
      Qt::Vertical, this);
  RadioGroup1->setItemIndex(0);
  top->addWidget(RadioGroup1);
  LabelUwagaWilgotnosc = new QLabel(this);
  LabelUwagaWilgotnosc->setObjectName(QStringLiteral("LabelUwagaWilgotnosc"));
  LabelUwagaWilgotnosc->setWordWrap(true);
  {
    QPalette p = LabelUwagaWilgotnosc->palette();
    p.setColor(QPalette::WindowText, QColor(Qt::darkRed));
    LabelUwagaWilgotnosc->setPalette(p);
  }
  LabelUwagaWilgotnosc->hide();
  top->addWidget(LabelUwagaWilgotnosc);

  RadioGroup2 = new TRadioGroup(
      QStringLiteral("RadioGroup2"), QStringLiteral("Kierunek strumienia cieplnego"),
      {QStringLiteral("w górę"), QStringLiteral("poziomy"), QStringLiteral("w dół")}, Qt::Horizontal, this);
  RadioGroup2->setItemIndex(1);
  top->addWidget(RadioGroup2);

  auto* grid = new QGridLayout;
  QLabel* label = nullptr;
  LabeledEditTW = labeledEdit(this, "LabeledEditTW", QStringLiteral("Temp. w pomieszczeniu"),
                              QStringLiteral("20"), &label);
  grid->addWidget(label, 0, 0, 1, 2);
  grid->addWidget(LabeledEditTW, 1, 0);
  LabeledEditTZ =
      labeledEdit(this, "LabeledEditTZ", QStringLiteral("Temp. na zewnątrz"), QStringLiteral("-16"), &label);
  grid->addWidget(label, 0, 2, 1, 2);
  grid->addWidget(LabeledEditTZ, 1, 2);
  LabeledEditWW = labeledEdit(this, "LabeledEditWW", QStringLiteral("Wilg. w pomieszczeniu"),
                              QStringLiteral("55"), &label);
  grid->addWidget(label, 2, 0, 1, 2);
  grid->addWidget(LabeledEditWW, 3, 0);
  auto* unit = new QLabel(QStringLiteral("[%]"), this);
  unit->setObjectName(QStringLiteral("LabelWWUnit"));
  grid->addWidget(unit, 3, 1);
  LabeledEditWZ =
      labeledEdit(this, "LabeledEditWZ", QStringLiteral("Wilg. na zewnątrz"), QStringLiteral("85"), &label);
  grid->addWidget(label, 2, 2, 1, 2);
  grid->addWidget(LabeledEditWZ, 3, 2);
  unit = new QLabel(QStringLiteral("[%]"), this);
  unit->setObjectName(QStringLiteral("LabelWZUnit"));
  grid->addWidget(unit, 3, 3);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(2, 1);
  top->addLayout(grid);
  buildBoundaryControls(top);

  for (QLineEdit* edit : {LabeledEditTW, LabeledEditTZ, LabeledEditWW, LabeledEditWZ})
    edit->installEventFilter(this);
  connect(LabeledEditWW, &QLineEdit::textChanged, this, &TFormWarunkiPoczatkowe::showHumidityNote);
  for (QRadioButton* item : RadioGroup1->findChildren<QRadioButton*>())
    connect(item, &QRadioButton::toggled, this, &TFormWarunkiPoczatkowe::showHumidityNote);
  // While typing the boxes only say what is wrong; the messages come when a
  // box is left or the conditions are committed.
  const auto range = [](double lo, double hi, const QString& message) {
    return [lo, hi, message](double v) { return inRange(v, lo, hi) ? QString() : message; };
  };
  for (QLineEdit* edit : {LabeledEditTW, LabeledEditTZ})
    // The range is the saturation table's, known only once it is loaded.
    new TNumberBox(
        edit,
        [](double v) {
          return inRange(v, minTemperature(), maxTemperature()) ? QString() : temperatureRange();
        },
        false);
  for (QLineEdit* edit : {LabeledEditWW, LabeledEditWZ})
    new TNumberBox(edit, range(kMinHumidity, kMaxHumidity, kHumidityRange), false);
  new TNumberBox(
      EditUmax,
      [](double umax) { return umax < 0          ? kNegativeUmax
                               : umax > kMaxUmax ? kTooHighUmax
                                                 : QString(); }, true,
      kNoRequirement);

  auto button = [this](QPushButton*& b, const char* name, const QString& caption, const QString& tip) {
    b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    // Hints go to the main window's status bar only, never as tool tips here.
    if (!tip.isEmpty()) b->setStatusTip(tip);
  };
  button(Button1, "Button1", QStringLiteral("< &Wstecz"), QStringLiteral("Informacje o projekcie"));
  button(Button2, "Button2", QStringLiteral("Z&atwierdź"), {});
  button(ButtonZamknij, "ButtonZamknij", QStringLiteral("&Zamknij"), {});
  button(ButtonAnuluj, "ButtonAnuluj", QStringLiteral("Dowolny dobór materiałów >"),
         QStringLiteral("Definicja warstw obliczanej przegrody"));
  button(Button3, "Button3", QStringLiteral("Dobór materiałów wg systemów VELTOR >"), {});
  button(ButtonGrunt, "ButtonGrunt", QStringLiteral("&Grunt…"),
         QStringLiteral("Podłoga na gruncie, podłoga podniesiona, piwnica (PN-EN ISO 13370)"));

  // Back and the commit on the left, the two ways forward stacked on the right.
  auto* buttons = new QGridLayout;
  buttons->addWidget(Button1, 0, 0, Qt::AlignLeft);
  auto* commitRow = new QHBoxLayout;
  commitRow->addWidget(Button2);
  commitRow->addWidget(ButtonZamknij);
  commitRow->addWidget(ButtonGrunt);
  buttons->addLayout(commitRow, 1, 0);
  buttons->setColumnStretch(1, 1);
  buttons->addWidget(ButtonAnuluj, 0, 2);
  buttons->addWidget(Button3, 1, 2);
  top->addLayout(buttons);

  connect(Button1, &QPushButton::clicked, this, &TFormWarunkiPoczatkowe::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TFormWarunkiPoczatkowe::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &TFormWarunkiPoczatkowe::Button3Click);
  connect(ButtonAnuluj, &QPushButton::clicked, this, &TFormWarunkiPoczatkowe::ButtonAnulujClick);
  connect(ButtonZamknij, &QPushButton::clicked, this, &TFormWarunkiPoczatkowe::ButtonZamknijClick);
  connect(ButtonGrunt, &QPushButton::clicked, this, [] {
    if (FormGrunt) FormGrunt->ActionGruntExecute();
  });
  // The choice is the selection. The current row alone moves without one: the
  // tree makes its first row current when it first takes the focus, and that
  // chooses nothing.
  connect(TreeViewUmax, &QTreeWidget::itemSelectionChanged, this, [this] {
    const QList<QTreeWidgetItem*> selected = TreeViewUmax->selectedItems();
    if (!selected.isEmpty()) TreeViewUmaxChange(selected.first());
  });

  setMinimumSize(453, 480);
  // Larger than the minimum, so that a few groups of the catalogue show at once.
  resize(470, 660);
  TreeViewUmax->setFocus();
}

void TFormWarunkiPoczatkowe::buildBoundaryControls(QBoxLayout* top) {
  auto* grid = new QGridLayout;
  auto label = [this](const char* name, const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text, this);
    l->setObjectName(QString::fromLatin1(name));
    l->setBuddy(buddy);
    return l;
  };
  ComboBoxStrefa = new QComboBox(this);
  ComboBoxStrefa->setObjectName(QStringLiteral("ComboBoxStrefa"));
  ComboBoxStrefa->setPlaceholderText(QStringLiteral("temperatura wpisana"));
  for (const veltor::ClimateZone& zone : veltor::kClimateZones)
    ComboBoxStrefa->addItem(QString::fromUtf8(zone.label), zone.te);
  grid->addWidget(label("LabelStrefa", QStringLiteral("Strefa klimatyczna"), ComboBoxStrefa), 0, 0);
  grid->addWidget(ComboBoxStrefa, 0, 1, 1, 2);

  ComboBoxStronaZewn = new QComboBox(this);
  ComboBoxStronaZewn->setObjectName(QStringLiteral("ComboBoxStronaZewn"));
  ComboBoxStronaZewn->addItems(kOuterSides);
  grid->addWidget(label("LabelStronaZewn", QStringLiteral("Strona zewnętrzna"), ComboBoxStronaZewn), 1, 0);
  grid->addWidget(ComboBoxStronaZewn, 1, 1, 1, 2);

  EditOtwory = new QLineEdit(QStringLiteral("0"), this);
  EditOtwory->setObjectName(QStringLiteral("EditOtwory"));
  EditOtwory->setEnabled(false);
  grid->addWidget(label("LabelOtwory", QStringLiteral("Otwory wentylacyjne Av"), EditOtwory), 2, 0);
  grid->addWidget(EditOtwory, 2, 1);
  auto* unit = new QLabel(QStringLiteral("[mm²/m lub mm²/m²]"), this);
  unit->setObjectName(QStringLiteral("LabelOtworyUnit"));
  grid->addWidget(unit, 2, 2);
  grid->setColumnStretch(1, 1);
  top->addLayout(grid);

  connect(ComboBoxStrefa, &QComboBox::activated, this, &TFormWarunkiPoczatkowe::ComboBoxStrefaChange);
  connect(ComboBoxStronaZewn, &QComboBox::currentIndexChanged, this,
          &TFormWarunkiPoczatkowe::ComboBoxStronaZewnChange);
  connect(LabeledEditTZ, &QLineEdit::textChanged, this, &TFormWarunkiPoczatkowe::showZoneOfTemperature);
  showZoneOfTemperature();
}

void TFormWarunkiPoczatkowe::ComboBoxStrefaChange(int index) {
  if (index < 0) return;
  LabeledEditTZ->setText(veltor::FormatGeneral(ComboBoxStrefa->itemData(index).toDouble()));
}

void TFormWarunkiPoczatkowe::ComboBoxStronaZewnChange(int index) {
  EditOtwory->setEnabled(index == static_cast<int>(veltor::OuterSideKind::SlightlyVentilated));
}

void TFormWarunkiPoczatkowe::showZoneOfTemperature() {
  int match = -1;
  try {
    const double te = veltor::StrToFloat(LabeledEditTZ->text());
    for (int i = 0; i < ComboBoxStrefa->count() && match < 0; ++i)
      if (ComboBoxStrefa->itemData(i).toDouble() == te) match = i;
  } catch (const veltor::ConversionError&) {
    // Half-typed text belongs to no zone; the box reports it when it is left.
  }
  ComboBoxStrefa->setCurrentIndex(match);
}

// ---------------------------------------------------------------------------

void TFormWarunkiPoczatkowe::FormCreate() {
  veltor::TextReader reader = veltor::TextReader::open(kCatalogueFile);
  auto addNode = [this](QTreeWidgetItem* parent, const QByteArray& label, veltor::CatalogueEntry) {
    const QString text = veltor::FromCp1250(label);
    auto* item = parent ? new QTreeWidgetItem(parent, {text}) : new QTreeWidgetItem(TreeViewUmax, {text});
    // Long requirement names are cut at the tree's edge; the tip shows them whole.
    item->setToolTip(0, text);
    return item;
  };
  auto readItem = [](QTreeWidgetItem* item, veltor::TextReader& r) {
    const double umax = r.readNumberLine();
    item->setData(0, Qt::UserRole, umax);
    // The requirement's value beside its name, as a designer compares them.
    item->setText(
        1, umax == 0 ? kNoRequirement : veltor::FormatQuantity(veltor::Quantity::TransmittanceLimit, umax));
    item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
  };
  veltor::ReadCatalogue<QTreeWidgetItem>(reader, veltor::kUmaxMarkers, addNode, readItem);
  // What the controls start with is the new project's, not a step to undo.
  veltor::DesignConditions c = project_.conditions();
  if (readControls(c) && !(c == project_.conditions())) {
    const QScopedValueRollback<bool> committing(committing_, true);
    project_.applyConditions(c);
  }
}

void TFormWarunkiPoczatkowe::showHumidityNote() {
  // The class is the designer's choice; a typed φi on the other side of 75 %
  // is pointed out, not corrected.
  const std::optional<double> phi = veltor::ParseTypedNumber(LabeledEditWW->text());
  const int chosen = RadioGroup1->itemIndex();
  QString note;
  if (phi && *phi >= kHumidBoundary && chosen == 0)
    note = QStringLiteral(
        "Uwaga: przy wilgotności w pomieszczeniu %1% (75% lub więcej) właściwe są "
        "warunki wilgotne.");
  else if (phi && *phi < kHumidBoundary && chosen == 1)
    note = QStringLiteral(
        "Uwaga: przy wilgotności w pomieszczeniu %1% (poniżej 75%) właściwe są "
        "warunki średniowilgotne.");
  if (!note.isEmpty()) LabelUwagaWilgotnosc->setText(note.arg(veltor::FormatGeneral(*phi)));
  LabelUwagaWilgotnosc->setVisible(!note.isEmpty());
}

void TFormWarunkiPoczatkowe::TreeViewUmaxChange(QTreeWidgetItem* node) {
  if (!node) return;
  node->setExpanded(true);
  TreeViewUmax->scrollToItem(node);
  const QVariant value = node->data(0, Qt::UserRole);
  if (value.isValid()) EditUmax->setText(umaxText(value.toDouble()));
}

// ---------------------------------------------------------------------------

bool TFormWarunkiPoczatkowe::CommitConditions() {
  // A box left just before a button was pressed is checked first, as it would
  // have been had the check run before the press.
  if (!runPendingFieldCheck()) return false;
  // All fields or none: a refused field leaves the project as it was, so the
  // commit is one step to undo.
  veltor::DesignConditions c = project_.conditions();
  if (!readControls(c)) return false;
  const QScopedValueRollback<bool> committing(committing_, true);
  project_.setConditions(c);
  return true;
}

bool TFormWarunkiPoczatkowe::readControls(veltor::DesignConditions& c) {
  c.humidityClass = RadioGroup1->itemIndex() == 1 ? 1 : 0;
  c.direction = RadioGroup2->itemIndex();
  c.setSurfaceResistancesFromDirection();

  // Each field is stored as soon as it passes, so a failure keeps the earlier ones.
  auto store = [this](QLineEdit* edit, auto& target, auto convert, double lo, double hi,
                      const QString& rangeMessage) {
    std::remove_reference_t<decltype(target)> v{};
    if (!ui::Guard([&] { v = convert(edit->text()); })) {
      focusField(edit);
      return false;
    }
    if (!inRange(v, lo, hi)) {
      refuseField(edit, rangeMessage);
      return false;
    }
    target = v;
    return true;
  };
  auto temperature = [&](QLineEdit* edit, double& target) {
    return store(
        edit, target, [](const QString& t) { return veltor::StrToFloat(t); }, minTemperature(),
        maxTemperature(), temperatureRange());
  };
  auto humidity = [&](QLineEdit* edit, std::int32_t& target) {
    return store(
        edit, target, [](const QString& t) { return veltor::StrToInt(t); }, kMinHumidity, kMaxHumidity,
        kHumidityRange);
  };
  if (!temperature(LabeledEditTW, c.ti) || !temperature(LabeledEditTZ, c.te)) return false;
  if (!humidity(LabeledEditWW, c.phiI) || !humidity(LabeledEditWZ, c.phiE)) return false;

  const auto side = static_cast<veltor::OuterSideKind>(std::max(ComboBoxStronaZewn->currentIndex(), 0));
  if (side == veltor::OuterSideKind::SlightlyVentilated &&
      !store(
          EditOtwory, c.outerSide.openings, [](const QString& t) { return veltor::StrToFloat(t); }, 0.0,
          std::numeric_limits<double>::max(), kBadOpenings))
    return false;
  c.outerSide.kind = side;

  const QString text = EditUmax->text();
  if (text.isEmpty() || text == kNoRequirement) {
    c.umax = 0;
    return true;
  }
  double umax = 0;
  if (!ui::Guard([&] { umax = veltor::StrToFloat(text); })) {
    focusField(EditUmax);
    return false;
  }
  // A requirement below zero means nothing, and a project saved with one could
  // not be opened again.
  if (umax < 0) {
    refuseField(EditUmax, kNegativeUmax);
    return false;
  }
  // No partition has a requirement that high; a typo of the separator would
  // otherwise be stored, and opening refuses such a project.
  if (umax > kMaxUmax) {
    refuseField(EditUmax, kTooHighUmax);
    return false;
  }
  c.umax = umax;
  return true;
}

// ---------------------------------------------------------------------------
// Checks on leaving a box. The check is queued rather than run inside the focus
// change: a message box opened in the middle of a focus change (or of the mouse
// press that caused it) would leave a button half pressed. A focus loss caused
// by another window (a message box, a menu, this window being hidden) is not
// the designer leaving the box and is not checked; neither is the move of the
// focus back to a refused box.

bool TFormWarunkiPoczatkowe::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && !checking_ && !movingFocus_) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && isVisible() && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      pendingCheck_ = edit;
      QMetaObject::invokeMethod(
          this, [this] { runPendingFieldCheck(); }, Qt::QueuedConnection);
    }
  }
  return TCompanionWindow::eventFilter(watched, event);
}

bool TFormWarunkiPoczatkowe::runPendingFieldCheck() {
  QLineEdit* edit = std::exchange(pendingCheck_, nullptr);
  if (!edit || !isVisible() || checking_) return true;
  checking_ = true;
  const bool ok = (edit == LabeledEditTW || edit == LabeledEditTZ) ? checkTemperatureField(edit)
                                                                   : checkHumidityField(edit);
  checking_ = false;
  return ok;
}

bool TFormWarunkiPoczatkowe::checkTemperatureField(QLineEdit* edit) {
  double v = 0;
  if (!ui::Guard([&] { v = veltor::StrToFloat(edit->text()); })) return false;
  if (inRange(v, minTemperature(), maxTemperature())) return true;
  refuseField(edit, temperatureRange());
  return false;
}

bool TFormWarunkiPoczatkowe::checkHumidityField(QLineEdit* edit) {
  double v = 0;
  if (!ui::Guard([&] { v = veltor::StrToFloat(edit->text()); })) return false;
  const bool ok = inRange(v, kMinHumidity, kMaxHumidity);
  if (!ok) refuseField(edit, kHumidityRange);
  // Humidities are whole percents; the box shows what a commit will store.
  // Adding 0 turns the -0 of a truncated small negative into 0.
  if (std::isfinite(v)) edit->setText(QString::number(std::trunc(v) + 0.0, 'f', 0));
  return ok;
}

void TFormWarunkiPoczatkowe::refuseField(QLineEdit* edit, const QString& message) {
  ui::inform(ui::MessageKind::Error, message);
  focusField(edit);
}

void TFormWarunkiPoczatkowe::focusField(QLineEdit* edit) {
  movingFocus_ = true;
  edit->setFocus(Qt::OtherFocusReason);
  movingFocus_ = false;
}

// ---------------------------------------------------------------------------
// Buttons: each commits first and goes no further when the commit failed.

void TFormWarunkiPoczatkowe::Button2Click() {
  CommitConditions();
}

void TFormWarunkiPoczatkowe::ButtonZamknijClick() {
  if (CommitConditions()) hide();
}

void TFormWarunkiPoczatkowe::Button1Click() {
  if (!CommitConditions()) return;
  hide();
  ui::Guard([] { ShowWindow(WindowId::ProjectDescription); });
}

void TFormWarunkiPoczatkowe::ButtonAnulujClick() {
  if (!CommitConditions()) return;
  hide();
  ui::Guard([] { ShowWindow(WindowId::Layers); });
}

void TFormWarunkiPoczatkowe::Button3Click() {
  // The wizard's action hides this window itself once the wizard can start.
  if (!CommitConditions()) return;
  ui::Guard([] { ShowWindow(WindowId::Wizard); });
}

// ---------------------------------------------------------------------------

void TFormWarunkiPoczatkowe::SaveToProject(QIODevice& device) {
  veltor::WriteConditionsSection(device, project_.conditions());
}

void TFormWarunkiPoczatkowe::CheckProjectConditions(const veltor::DesignConditions& read) {
  // Values the saturation table or the surface resistances cannot serve would
  // only fail later, in every calculation; a file holding them is refused whole.
  veltor::CheckStoredConditions(read, gReferenceTables.saturation);
}

void TFormWarunkiPoczatkowe::LoadFromProject(QIODevice& device) {
  veltor::DesignConditions read = veltor::ReadConditionsSection(device);
  CheckProjectConditions(read);
  read.setSurfaceResistancesFromDirection();
  project_.setConditions(read);
}

void TFormWarunkiPoczatkowe::showConditions(const veltor::DesignConditions& read) {
  // Another class byte stays in the conditions as read (the calculation treats it
  // as humid) and leaves the choice in the window alone.
  if (read.humidityClass <= 1) RadioGroup1->setItemIndex(read.humidityClass);
  RadioGroup2->setItemIndex(read.direction);
  EditUmax->setText(umaxText(read.umax));
  selectRequirement(read.umax);
  LabeledEditTW->setText(veltor::FormatGeneral(read.ti));
  LabeledEditTZ->setText(veltor::FormatGeneral(read.te));
  LabeledEditWW->setText(veltor::FormatGeneral(read.phiI));
  LabeledEditWZ->setText(veltor::FormatGeneral(read.phiE));
  ComboBoxStronaZewn->setCurrentIndex(static_cast<int>(read.outerSide.kind));
  EditOtwory->setText(veltor::FormatGeneral(read.outerSide.openings));
}

void TFormWarunkiPoczatkowe::selectRequirement(double umax) {
  // The first requirement of that value in file order; a typed Umax matches none.
  QTreeWidgetItem* match = nullptr;
  for (QTreeWidgetItemIterator it(TreeViewUmax); *it && !match; ++it) {
    const QVariant value = (*it)->data(0, Qt::UserRole);
    if (value.isValid() && value.toDouble() == umax) match = *it;
  }
  if (match) {
    TreeViewUmax->setCurrentItem(match);
    TreeViewUmax->scrollToItem(match);
  } else {
    TreeViewUmax->clearSelection();
    TreeViewUmax->setCurrentItem(nullptr);
  }
}
