// The corrections window. Each number box has its own range, in the units the
// designer reads from a technical assessment (mm², mm, W/K); the window turns
// them into the core's SI values when it reads them.
#include "forms/poprawki.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QShowEvent>
#include <QVBoxLayout>

#include "calc/numbers.h"
#include "calc/units.h"
#include "forms/numberbox.h"
#include "model/project.h"
#include "platform/dialogs.h"

TFormPoprawki* FormPoprawki = nullptr;

namespace {

constexpr double kMillimetresPerMetre = 1e3;
constexpr double kSquareMillimetresPerSquareMetre = 1e6;

// What a box accepts: [lo, hi], or (lo, hi] when lo itself is refused.
struct Range {
  double lo;
  double hi;
  bool loExcluded;
};
// Far beyond any real fastener or roof, yet keeping a typing slip (a missing
// decimal separator) from reaching the calculation.
constexpr Range kPerSquareMetre{0, 100, true};
constexpr Range kFastenerLambda{0, 500, true};  // W/(m K), up to copper
constexpr Range kCrossSection{0, 10000, true};  // mm²
constexpr Range kRecess{0, 1000, false};        // mm
constexpr Range kChiP{0, 1, true};              // W/K per fastener
constexpr Range kPrecipitation{0, 100, false};  // mm/day
constexpr Range kDrainage{0, 1, false};         // a share
constexpr Range kFactorX{0, 1, false};          // W day/(m² K mm)

// The choices of ComboBoxLaczniki, in the order of FastenerMethod.
const QString kFastenerMethods[] = {
    QStringLiteral("bez łączników mechanicznych"),
    QStringLiteral("z λ, przekroju i zagłębienia łącznika"),
    QStringLiteral("z deklarowanego χp łącznika"),
};

constexpr int kValueColumnWidth = 200;  // px; the lists spanning it show their texts whole

const QString kAutoLayer = QStringLiteral("izolacja (warstwa o największym R)");

QString rangeText(const Range& r) {
  return r.loExcluded ? QStringLiteral("Wartość musi być większa od %1 i nie większa niż %2")
                            .arg(veltor::FormatGeneral(r.lo), veltor::FormatGeneral(r.hi))
                      : QStringLiteral("Dopuszczalne wartości: %1 ÷ %2")
                            .arg(veltor::FormatGeneral(r.lo), veltor::FormatGeneral(r.hi));
}

// A value the core stores, shown in the box's unit. A 0 the box would refuse
// is a value never typed, and the box stays empty for it.
QString shown(double value, const Range& range, double scale = 1) {
  return value == 0 && range.loExcluded ? QString() : veltor::FormatGeneral(value * scale);
}

TNumberBox::Rule rangeRule(const Range& range) {
  return [range](double v) {
    const bool low = range.loExcluded ? !(v > range.lo) : !(v >= range.lo);
    return low || !(v <= range.hi) ? rangeText(range) : QString();
  };
}

}  // namespace

TNumberBox::Rule FastenerCountRule() {
  return rangeRule(kPerSquareMetre);
}

TNumberBox::Rule ChiPRule() {
  return rangeRule(kChiP);
}

TFormPoprawki::TFormPoprawki(QWidget* mainWindow, Project& project)
    : TCompanionWindow(mainWindow, QStringLiteral("FormPoprawki"), QStringLiteral("Poprawki współczynnika U"),
                       QStringLiteral("uc.htm")),
      project_(project) {
  ActionPoprawki = new QAction(QStringLiteral("&Poprawki współczynnika U…"), this);
  ActionPoprawki->setObjectName(QStringLiteral("ActionPoprawki"));
  ActionPoprawki->setStatusTip(
      QStringLiteral("Nieszczelności izolacji, łączniki mechaniczne i dach odwrócony: Uc = U + ΔU"));
  connect(ActionPoprawki, &QAction::triggered, this, &TFormPoprawki::ActionPoprawkiExecute);

  auto* intro = new QLabel(
      QStringLiteral("Skorygowany współczynnik przenikania ciepła Uc = U + ΔUg + ΔUf + ΔUr porównuje się "
                     "z Uc(max). Poprawki dotyczą warstwy izolacji, chyba że wskazano inną."),
      this);
  intro->setWordWrap(true);

  ButtonOK = new QPushButton(QStringLiteral("OK"), this);
  ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
  ButtonOK->setDefault(true);
  ButtonAnuluj = new QPushButton(QStringLiteral("&Anuluj"), this);
  ButtonAnuluj->setObjectName(QStringLiteral("ButtonAnuluj"));
  ButtonAnuluj->setAutoDefault(false);
  connect(ButtonOK, &QPushButton::clicked, this, [this] { ui::Guard([this] { ButtonOKClick(); }); });
  connect(ButtonAnuluj, &QPushButton::clicked, this, &TFormPoprawki::ButtonAnulujClick);
  // Esc leaves the window as "Anuluj" does, wherever the focus is in it.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WidgetWithChildrenShortcut);
  connect(escape, &QShortcut::activated, this, &TFormPoprawki::ButtonAnulujClick);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ButtonOK);
  buttons->addWidget(ButtonAnuluj);

  auto* top = new QVBoxLayout(this);
  top->addWidget(intro);
  top->addWidget(buildAirGapGroup());
  top->addWidget(buildFastenerGroup());
  top->addWidget(buildRoofGroup());
  top->addStretch(1);
  top->addLayout(buttons);

  connect(&project_, &Project::changed, this, [this](Project::Parts parts) {
    if (parts & Project::Layers) fillLayerLists();
    if (parts & Project::Conditions) showCorrections();
  });
  fillLayerLists(true);
  showCorrections();
  resize(620, 0);
}

TFormPoprawki::~TFormPoprawki() = default;

namespace {

QComboBox* layerList(QWidget* parent, const char* name) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(QString::fromLatin1(name));
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  // Narrow enough to fit the value and unit columns, which it spans.
  combo->setMinimumContentsLength(16);
  return combo;
}

// A number box with its caption and unit on one row of `grid`.
QLineEdit* numberRow(QGridLayout* grid, QWidget* parent, const char* name, const QString& caption,
                     const QString& unit, const Range& range) {
  const int row = grid->rowCount();
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setMaximumWidth(110);
  edit->setAccessibleName(caption);
  // An empty box is marked only when OK finds it in use: a method not chosen
  // leaves its boxes empty and greyed out, not red.
  new TNumberBox(edit, rangeRule(range), true);
  auto* label = new QLabel(caption, parent);
  label->setBuddy(edit);
  grid->addWidget(label, row, 0);
  grid->addWidget(edit, row, 1, Qt::AlignRight);
  grid->addWidget(new QLabel(unit, parent), row, 2);
  return edit;
}

// The groups' grids share the widths of their value and unit columns, so that
// the boxes of all three groups stand one under another.
void alignColumns(QGridLayout* grid, const QWidget* parent) {
  grid->setColumnStretch(0, 1);
  grid->setColumnMinimumWidth(1, kValueColumnWidth);
  grid->setColumnMinimumWidth(2,
                              parent->fontMetrics().horizontalAdvance(QStringLiteral("W·dzień/(m²·K·mm)")));
}

void layerRow(QGridLayout* grid, QWidget* parent, QComboBox* combo) {
  const int row = grid->rowCount();
  auto* label = new QLabel(QStringLiteral("Warstwa, której dotyczy poprawka"), parent);
  label->setBuddy(combo);
  grid->addWidget(label, row, 0);
  grid->addWidget(combo, row, 1, 1, 2);
}

}  // namespace

QGroupBox* TFormPoprawki::buildAirGapGroup() {
  auto* group = new QGroupBox(QStringLiteral("Nieszczelności w warstwie izolacji (ΔUg)"), this);
  group->setObjectName(QStringLiteral("GroupBoxNieszczelnosci"));
  auto* rows = new QVBoxLayout(group);
  levels_ = new QButtonGroup(group);
  const struct {
    QRadioButton*& button;
    const char* name;
    QString text;
  } levels[] = {
      {RadioPoziom0, "RadioPoziom0",
       QStringLiteral("ΔU″ = 0,00: brak szczelin powietrznych przechodzących przez całą grubość "
                      "izolacji, albo tylko drobne szczeliny bez istotnego wpływu na przenikanie ciepła")},
      {RadioPoziom1, "RadioPoziom1",
       QStringLiteral("ΔU″ = 0,01: szczeliny powietrzne łączą ciepłą i zimną stronę izolacji, "
                      "lecz nie powodują cyrkulacji powietrza między nimi")},
      {RadioPoziom2, "RadioPoziom2",
       QStringLiteral("ΔU″ = 0,04: szczeliny powietrzne łączą ciepłą i zimną stronę izolacji, "
                      "a wraz z pustkami pozwalają powietrzu swobodnie krążyć między nimi")},
  };
  int id = 0;
  for (const auto& level : levels) {
    level.button = new QRadioButton(QStringLiteral("Poziom %1").arg(id), group);
    level.button->setObjectName(QString::fromLatin1(level.name));
    level.button->setAccessibleDescription(level.text);
    // A radio button does not wrap its text; the description beside it does.
    auto* text = new QLabel(level.text, group);
    text->setWordWrap(true);
    text->setBuddy(level.button);
    auto* row = new QHBoxLayout;
    row->addWidget(level.button, 0, Qt::AlignTop);
    row->addWidget(text, 1);
    rows->addLayout(row);
    levels_->addButton(level.button, id++);
  }
  auto* grid = new QGridLayout;
  ComboBoxWarstwaG = layerList(group, "ComboBoxWarstwaG");
  layerRow(grid, group, ComboBoxWarstwaG);
  alignColumns(grid, group);
  rows->addLayout(grid);
  connect(levels_, &QButtonGroup::idToggled, this, &TFormPoprawki::updateEnabled);
  return group;
}

QGroupBox* TFormPoprawki::buildFastenerGroup() {
  auto* group = new QGroupBox(QStringLiteral("Łączniki mechaniczne przebijające izolację (ΔUf)"), this);
  group->setObjectName(QStringLiteral("GroupBoxLaczniki"));
  auto* grid = new QGridLayout(group);
  ComboBoxLaczniki = new QComboBox(group);
  ComboBoxLaczniki->setObjectName(QStringLiteral("ComboBoxLaczniki"));
  ComboBoxLaczniki->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  ComboBoxLaczniki->setMinimumContentsLength(16);
  for (const QString& method : kFastenerMethods) ComboBoxLaczniki->addItem(method);
  auto* methodLabel = new QLabel(QStringLiteral("Sposób obliczenia"), group);
  methodLabel->setBuddy(ComboBoxLaczniki);
  grid->addWidget(methodLabel, 0, 0);
  grid->addWidget(ComboBoxLaczniki, 0, 1, 1, 2);
  EditLiczbaLacznikow = numberRow(grid, group, "EditLiczbaLacznikow", QStringLiteral("Liczba łączników nf"),
                                  QStringLiteral("szt./m²"), kPerSquareMetre);
  EditChiP = numberRow(grid, group, "EditChiP", QStringLiteral("Współczynnik punktowy χp łącznika"),
                       QStringLiteral("W/K"), kChiP);
  EditLambdaLacznika = numberRow(grid, group, "EditLambdaLacznika", QStringLiteral("Przewodność łącznika λf"),
                                 QStringLiteral("W/(m·K)"), kFastenerLambda);
  EditPrzekroj = numberRow(grid, group, "EditPrzekroj", QStringLiteral("Pole przekroju łącznika Af"),
                           QStringLiteral("mm²"), kCrossSection);
  EditZaglebienie =
      numberRow(grid, group, "EditZaglebienie", QStringLiteral("Zagłębienie łba (0 – łącznik na wylot)"),
                QStringLiteral("mm"), kRecess);
  ComboBoxWarstwaF = layerList(group, "ComboBoxWarstwaF");
  layerRow(grid, group, ComboBoxWarstwaF);
  alignColumns(grid, group);
  connect(ComboBoxLaczniki, &QComboBox::currentIndexChanged, this, &TFormPoprawki::updateEnabled);
  return group;
}

QGroupBox* TFormPoprawki::buildRoofGroup() {
  auto* group = new QGroupBox(QStringLiteral("Dach odwrócony (ΔUr)"), this);
  group->setObjectName(QStringLiteral("GroupBoxDachOdwrocony"));
  auto* grid = new QGridLayout(group);
  CheckBoxDachOdwrocony = new QCheckBox(
      QStringLiteral("Izolacja nad hydroizolacją (dach odwrócony): ΔUr = p·f·x·(R1/RT)²"), group);
  CheckBoxDachOdwrocony->setObjectName(QStringLiteral("CheckBoxDachOdwrocony"));
  grid->addWidget(CheckBoxDachOdwrocony, 0, 0, 1, 3);
  EditOpad = numberRow(grid, group, "EditOpad", QStringLiteral("Średni opad w sezonie grzewczym p"),
                       QStringLiteral("mm/dzień"), kPrecipitation);
  EditDrenaz =
      numberRow(grid, group, "EditDrenaz", QStringLiteral("Część opadu dochodząca do hydroizolacji f"),
                QStringLiteral("–"), kDrainage);
  EditWspX = numberRow(grid, group, "EditWspX", QStringLiteral("Współczynnik wzrostu strat ciepła x"),
                       QStringLiteral("W·dzień/(m²·K·mm)"), kFactorX);
  ComboBoxWarstwaR = layerList(group, "ComboBoxWarstwaR");
  layerRow(grid, group, ComboBoxWarstwaR);
  alignColumns(grid, group);
  connect(CheckBoxDachOdwrocony, &QCheckBox::toggled, this, &TFormPoprawki::updateEnabled);
  return group;
}

void TFormPoprawki::updateEnabled() {
  ComboBoxWarstwaG->setEnabled(!RadioPoziom0->isChecked());
  const auto method = static_cast<veltor::FastenerMethod>(ComboBoxLaczniki->currentIndex());
  const bool conductivity = method == veltor::FastenerMethod::Conductivity;
  EditLiczbaLacznikow->setEnabled(method != veltor::FastenerMethod::None);
  EditChiP->setEnabled(method == veltor::FastenerMethod::PointTransmittance);
  for (QWidget* w : {static_cast<QWidget*>(EditLambdaLacznika), static_cast<QWidget*>(EditPrzekroj),
                     static_cast<QWidget*>(EditZaglebienie), static_cast<QWidget*>(ComboBoxWarstwaF)})
    w->setEnabled(conductivity);
  const bool roof = CheckBoxDachOdwrocony->isChecked();
  for (QWidget* w : {static_cast<QWidget*>(EditOpad), static_cast<QWidget*>(EditDrenaz),
                     static_cast<QWidget*>(EditWspX), static_cast<QWidget*>(ComboBoxWarstwaR)})
    w->setEnabled(roof);
}

void TFormPoprawki::fillLayerLists(bool always) {
  const veltor::LayerTable& layers = project_.layers();
  QStringList captions;
  captions.reserve(layers.size());
  for (int i = 0; i < layers.size(); ++i) {
    const veltor::LayerRecord& layer = layers.at(i);
    captions << QStringLiteral("%1. %2").arg(i + 1).arg(veltor::LayerCaption(layer.nameText(), layer.bridge));
  }
  // A thickness typed or a figure changed leaves the captions as they were:
  // the lists are not built again for every keystroke.
  if (!always && captions == listedCaptions_) return;
  listedCaptions_ = captions;
  for (QComboBox* combo : {ComboBoxWarstwaG, ComboBoxWarstwaF, ComboBoxWarstwaR}) {
    const QVariant kept = combo->currentData();
    combo->clear();
    combo->addItem(kAutoLayer, veltor::kLayerAuto);
    for (int i = 0; i < captions.size(); ++i) combo->addItem(captions[i], i);
    selectLayer(combo, kept.isValid() ? kept.toInt() : veltor::kLayerAuto);
  }
}

void TFormPoprawki::selectLayer(QComboBox* combo, std::int32_t layer) {
  int index = combo->findData(layer);
  if (index < 0) {
    // A layer the project names but the table has lost (removed since): the
    // choice stays visible, and OK asks for another.
    combo->addItem(QStringLiteral("%1. (tej warstwy nie ma w przegrodzie)").arg(layer + 1), layer);
    index = combo->count() - 1;
  }
  combo->setCurrentIndex(index);
}

void TFormPoprawki::showCorrections() {
  const veltor::UCorrections& c = project_.conditions().corrections;
  if (QAbstractButton* level = levels_->button(c.airGaps.level)) level->setChecked(true);
  selectLayer(ComboBoxWarstwaG, c.airGaps.layer);

  const veltor::FastenerCorrection& f = c.fasteners;
  const int method = static_cast<int>(f.method);
  ComboBoxLaczniki->setCurrentIndex(method >= 0 && method < ComboBoxLaczniki->count() ? method : 0);
  EditLiczbaLacznikow->setText(shown(f.perSquareMetre, kPerSquareMetre));
  EditChiP->setText(shown(f.chiP, kChiP));
  EditLambdaLacznika->setText(shown(f.lambda, kFastenerLambda));
  EditPrzekroj->setText(shown(f.area, kCrossSection, kSquareMillimetresPerSquareMetre));
  EditZaglebienie->setText(shown(f.recess, kRecess, kMillimetresPerMetre));
  selectLayer(ComboBoxWarstwaF, f.layer);

  const veltor::InvertedRoofCorrection& r = c.invertedRoof;
  CheckBoxDachOdwrocony->setChecked(r.enabled);
  EditOpad->setText(shown(r.precipitation, kPrecipitation));
  EditDrenaz->setText(shown(r.drainage, kDrainage));
  EditWspX->setText(shown(r.factor, kFactorX));
  selectLayer(ComboBoxWarstwaR, r.layer);
  updateEnabled();
}

std::optional<veltor::UCorrections> TFormPoprawki::ReadControls() {
  bool refused = false;
  // The first refused box is told and focused; the others wait for the next OK.
  auto refuse = [&](QWidget* control, const QString& message) {
    if (refused) return;
    refused = true;
    ui::inform(ui::MessageKind::Error, message);
    control->setFocus(Qt::OtherFocusReason);
  };
  auto number = [&](QLineEdit* edit, double scale = 1) {
    const TNumberBox* box = TNumberBox::Of(edit);
    const QString problem =
        edit->text().trimmed().isEmpty() ? QStringLiteral("Wpisz liczbę") : box->Problem();
    if (!problem.isEmpty()) {
      refuse(edit, QStringLiteral("%1: %2").arg(edit->accessibleName(), problem));
      return 0.0;
    }
    return *box->Number() / scale;
  };
  auto layer = [&](QComboBox* combo) {
    const std::int32_t index = combo->currentData().toInt();
    if (index != veltor::kLayerAuto && index >= project_.layers().size())
      refuse(combo,
             QStringLiteral("Warstwy %1 nie ma w przegrodzie: wybierz warstwę, której dotyczy poprawka")
                 .arg(index + 1));
    return index;
  };

  // Values of a correction switched off stay as the project holds them, so
  // that switching it on again brings them back.
  veltor::UCorrections c = project_.conditions().corrections;
  c.airGaps.level = levels_->checkedId() < 0 ? 0 : levels_->checkedId();
  if (c.airGaps.level > 0) c.airGaps.layer = layer(ComboBoxWarstwaG);

  veltor::FastenerCorrection& f = c.fasteners;
  f.method = static_cast<veltor::FastenerMethod>(ComboBoxLaczniki->currentIndex());
  if (f.method != veltor::FastenerMethod::None) f.perSquareMetre = number(EditLiczbaLacznikow);
  if (f.method == veltor::FastenerMethod::PointTransmittance) f.chiP = number(EditChiP);
  if (f.method == veltor::FastenerMethod::Conductivity) {
    f.lambda = number(EditLambdaLacznika);
    f.area = number(EditPrzekroj, kSquareMillimetresPerSquareMetre);
    f.recess = number(EditZaglebienie, kMillimetresPerMetre);
    f.layer = layer(ComboBoxWarstwaF);
  }

  veltor::InvertedRoofCorrection& r = c.invertedRoof;
  r.enabled = CheckBoxDachOdwrocony->isChecked();
  if (r.enabled) {
    r.precipitation = number(EditOpad);
    r.drainage = number(EditDrenaz);
    r.factor = number(EditWspX);
    r.layer = layer(ComboBoxWarstwaR);
  }
  if (refused) return std::nullopt;
  return c;
}

bool TFormPoprawki::ButtonOKClick() {
  const std::optional<veltor::UCorrections> read = ReadControls();
  if (!read) return false;
  veltor::DesignConditions conditions = project_.conditions();
  conditions.corrections = *read;
  project_.setConditions(conditions);
  hide();
  return true;
}

void TFormPoprawki::ButtonAnulujClick() {
  hide();
  showCorrections();
}

void TFormPoprawki::ActionPoprawkiExecute() {
  showInFront();
}

void TFormPoprawki::showEvent(QShowEvent* e) {
  // Whatever was typed and cancelled, the window opens on the project's values.
  if (!e->spontaneous()) {
    fillLayerLists(true);
    showCorrections();
  }
  TCompanionWindow::showEvent(e);
}
