// The live summary of the free layer definition window, "Dane przegrody": the
// fields show the partition summary of the latest pass, U to three decimals,
// R and Uc(max) to two, d to two significant digits; their hints, worked out when the mouse is over a field,
// give the full values. RefreshSummary runs the pass and fills the fields.
// A partition with a bridged layer adds the limits R'T and R''T of the combined
// method and its error; one with a bridge or a correction adds ΔU and Uc, which
// the requirement then concerns. Without either the group looks as it always did.
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "calc/calculation.h"
#include "calc/errors.h"
#include "calc/ground.h"
#include "calc/numbers.h"
#include "calc/units.h"
#include "forms/appstate.h"
#include "forms/poprawki.h"
#include "forms/warstwy.h"
#include "model/project.h"

namespace {

using veltor::FormatQuantity;
using veltor::Quantity;
const QString kNoFigure = QStringLiteral("–");
constexpr int kErrorDecimals = 1;  // the combined method's error, in per cent
const QString kResistanceCaption = QStringLiteral("Opór cieplny przegrody RT");
const QString kBridgedResistanceCaption = QStringLiteral("Opór cieplny przegrody RT = (R'T + R''T) / 2");
const QString kUWarning = QStringLiteral("UWAGA! U > Uc(max)");
const QString kUcWarning = QStringLiteral("UWAGA! Uc > Uc(max)");
const QString kMet = QStringLiteral("Uc ≤ Uc(max): spełnia");

bool anyBridge(const veltor::LayerTable& layers) {
  for (int i = 0; i < layers.size(); ++i)
    if (layers.at(i).bridge.present()) return true;
  return false;
}

// The caption, field and unit of the summary row that holds `field`.
QList<QWidget*> rowOf(QLabel* field) {
  auto* grid = static_cast<QGridLayout*>(field->parentWidget()->layout());
  int row = 0, column = 0, rows = 0, columns = 0;
  grid->getItemPosition(grid->indexOf(field), &row, &column, &rows, &columns);
  QList<QWidget*> widgets;
  for (int c = 0; c < grid->columnCount(); ++c)
    if (QLayoutItem* item = grid->itemAtPosition(row, c); item && item->widget()) widgets << item->widget();
  return widgets;
}

void showRow(QLabel* field, bool shown) {
  for (QWidget* w : rowOf(field)) w->setVisible(shown);
}

// The rows of a bridged or corrected partition make the summary taller; the
// window grows to keep the layer list readable, as far as the screen allows,
// and never shrinks under the designer's hand.
void growToFit(QWidget* window) {
  if (window->isMaximized() || window->isFullScreen()) return;
  window->layout()->activate();
  int target = window->sizeHint().height();
  if (const QScreen* screen = window->screen())
    target = std::min(
        target, screen->availableGeometry().height() - window->frameGeometry().height() + window->height());
  if (window->height() < target) window->resize(window->width(), target);
}

void emphasise(QLabel* field) {
  for (QWidget* w : rowOf(field).mid(0, 2)) {
    QFont bold = w->font();
    bold.setBold(true);
    w->setFont(bold);
  }
}

QLabel* summaryField(QWidget* parent, const char* name) {
  auto* field = new QLabel(QStringLiteral("0"), parent);
  field->setObjectName(QString::fromLatin1(name));
  field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  field->setMinimumWidth(80);
  // A caption wrapped over several lines must not stretch its value box.
  field->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  field->setMargin(2);
  field->setAttribute(Qt::WA_Hover);
  field->setMouseTracking(true);
  return field;
}

QLabel* warning(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setAlignment(Qt::AlignCenter);
  label->setWordWrap(true);
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, Qt::red);
  label->setPalette(p);
  QFont f = label->font();
  f.setBold(true);
  label->setFont(f);
  // Showing or hiding a warning must not make the window jump.
  QSizePolicy policy = label->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  label->setSizePolicy(policy);
  label->hide();
  return label;
}

}  // namespace

QLabel* TFormWarstwy::warningLabel(QWidget* parent, const char* name) {
  return warning(parent, name, QString());
}

QWidget* TFormWarstwy::buildSummaryGroup() {
  auto* group = new QGroupBox(QStringLiteral("Dane przegrody"), this);
  group->setObjectName(QStringLiteral("GroupBoxPrzegroda"));
  StaticText1 = summaryField(group, "StaticText1");
  StaticText2 = summaryField(group, "StaticText2");
  StaticText3 = summaryField(group, "StaticText3");
  StaticText4 = summaryField(group, "StaticText4");
  StaticText5 = summaryField(group, "StaticText5");
  StaticText6 = summaryField(group, "StaticText6");
  LabelUwaga = warning(group, "LabelUwaga", kUWarning);
  LabelSpelnia = warning(group, "LabelSpelnia", kMet);
  QPalette met = LabelSpelnia->palette();
  met.setColor(QPalette::WindowText, QColor(0, 128, 0));
  LabelSpelnia->setPalette(met);
  LabelKond =
      warning(group, "LabelKond", QStringLiteral("UWAGA! Kondensacja na wewnętrznej powierzchni przegrody"));
  StaticTextRGorna = summaryField(group, "StaticTextRGorna");
  StaticTextRDolna = summaryField(group, "StaticTextRDolna");
  StaticTextBlad = summaryField(group, "StaticTextBlad");
  StaticTextDeltaU = summaryField(group, "StaticTextDeltaU");
  StaticTextUc = summaryField(group, "StaticTextUc");
  ButtonPoprawki = new QPushButton(QStringLiteral("&Poprawki U…"), group);
  ButtonPoprawki->setObjectName(QStringLiteral("ButtonPoprawki"));
  ButtonPoprawki->setStatusTip(
      QStringLiteral("Poprawki współczynnika U: nieszczelności, łączniki, dach odwrócony"));
  ButtonPoprawki->setAutoDefault(false);
  connect(ButtonPoprawki, &QPushButton::clicked, this, [] {
    if (FormPoprawki) FormPoprawki->ActionPoprawkiExecute();
  });

  auto* grid = new QGridLayout(group);
  const struct {
    QString caption;
    QLabel* field;
    QString unit;
  } rows[] = {
      {QStringLiteral("Grubość przegrody d"), StaticText1, QStringLiteral("m")},
      {QStringLiteral("Liczba warstw"), StaticText2, QString()},
      {kResistanceCaption, StaticText3, veltor::unit::kResistance},
      {QStringLiteral("Górna granica oporu R'T"), StaticTextRGorna, veltor::unit::kResistance},
      {QStringLiteral("Dolna granica oporu R''T"), StaticTextRDolna, veltor::unit::kResistance},
      {QStringLiteral("Szacowany błąd względny e"), StaticTextBlad, QStringLiteral("%")},
      {QStringLiteral("Współczynnik przenikania ciepła U"), StaticText4, veltor::unit::kTransmittance},
      {QStringLiteral("Poprawka ΔU = ΔUg + ΔUf + ΔUr"), StaticTextDeltaU, veltor::unit::kTransmittance},
      {QStringLiteral("Skorygowany współczynnik Uc = U + ΔU"), StaticTextUc, veltor::unit::kTransmittance},
      {QStringLiteral("Maksymalna wartość współczynnika przenikania ciepła Uc(max)"), StaticText5,
       veltor::unit::kTransmittance},
      {QStringLiteral("Opór dyfuzyjny przegrody z oporami przejmowania na powierzchniach"), StaticText6,
       veltor::unit::kDiffusionResistance},
  };
  int r = 0;
  for (const auto& row : rows) {
    auto* caption = new QLabel(row.caption, group);
    caption->setWordWrap(true);
    grid->addWidget(caption, r, 0);
    grid->addWidget(row.field, r, 1, Qt::AlignVCenter);
    grid->addWidget(new QLabel(row.unit, group), r, 2, Qt::AlignVCenter);
    row.field->installEventFilter(this);
    ++r;
  }
  emphasise(StaticText4);
  emphasise(StaticTextUc);
  // Met or not, the verdict stands in one row; both keep their room hidden,
  // so the verdict changing moves nothing.
  auto* verdict = new QWidget(group);
  auto* verdictRow = new QHBoxLayout(verdict);
  verdictRow->setContentsMargins(0, 0, 0, 0);
  verdictRow->addWidget(LabelUwaga, 1);
  verdictRow->addWidget(LabelSpelnia, 1);
  grid->addWidget(verdict, r++, 0, 1, 3);
  grid->addWidget(LabelKond, r++, 0, 1, 3);
  grid->addWidget(ButtonPoprawki, r++, 0, 1, 3, Qt::AlignRight);
  LabelGrunt = new QLabel(group);
  LabelGrunt->setObjectName(QStringLiteral("LabelGrunt"));
  LabelGrunt->setWordWrap(true);
  LabelGrunt->setTextInteractionFlags(Qt::TextSelectableByMouse);
  LabelGrunt->hide();
  grid->addWidget(LabelGrunt, r++, 0, 1, 3);
  grid->setColumnStretch(0, 1);
  for (QLabel* field : {StaticTextRGorna, StaticTextRDolna, StaticTextBlad, StaticTextDeltaU, StaticTextUc})
    showRow(field, false);
  return group;
}

void TFormWarstwy::RefreshSummary() {
  QScopedValueRollback busy(busyDepth_, busyDepth_ + 1);
  (void)CurrentSummary(project_);
  showSummary();
  showLayerColumns();
}

const veltor::PartitionSummary& TFormWarstwy::Summary() const {
  return project_.building().results(project_.currentId()).summary;
}

void TFormWarstwy::showSummary() {
  const veltor::PartitionSummary& s = Summary();
  const double umax = gDesignConditions.umax;

  StaticText1->setText(veltor::FormatGeneral(s.totalThickness, 2));
  StaticText2->setText(QString::number(s.layerCount));
  // A wall without layers has neither R nor U: the pass's zeros are no figures.
  const bool empty = s.layerCount == 0;
  StaticText3->setText(empty ? kNoFigure : FormatQuantity(Quantity::Resistance, s.totalResistance));
  StaticText4->setText(empty ? kNoFigure : FormatQuantity(Quantity::Transmittance, s.u));
  StaticText5->setText(umax == 0 ? QStringLiteral("bez wym.")
                                 : FormatQuantity(Quantity::TransmittanceLimit, umax));
  StaticText6->setText(
      std::isinf(s.totalDiffusionResistance)
          ? QStringLiteral("max")
          // Half to even (the default rounding mode), as it always was.
          : FormatQuantity(Quantity::DiffusionResistance, std::nearbyint(s.totalDiffusionResistance)));

  const veltor::TransmittanceResult& t = s.transmittance;
  const bool bridged = !empty && anyBridge(Layers());
  const bool corrected = !empty && (bridged || gDesignConditions.corrections.any());
  showRow(StaticTextRGorna, bridged);
  showRow(StaticTextRDolna, bridged);
  showRow(StaticTextBlad, bridged);
  showRow(StaticTextDeltaU, corrected);
  showRow(StaticTextUc, corrected);
  if (auto* caption = qobject_cast<QLabel*>(rowOf(StaticText3).value(0)))
    caption->setText(bridged ? kBridgedResistanceCaption : kResistanceCaption);
  StaticTextRGorna->setText(FormatQuantity(Quantity::Resistance, t.upperResistance));
  StaticTextRDolna->setText(FormatQuantity(Quantity::Resistance, t.lowerResistance));
  StaticTextBlad->setText(veltor::FormatFixed(t.relativeError * 100, kErrorDecimals));
  StaticTextDeltaU->setText(FormatQuantity(Quantity::Transmittance, t.deltaU));
  StaticTextUc->setText(FormatQuantity(Quantity::Transmittance, t.uc));
  if (corrected) growToFit(this);

  // The requirement is on Uc, U with its corrections; computed for exactly
  // Umax it may come out a rounding step above it. The figure compared is the
  // one drawn in red.
  // On the ground the designer's chosen U is the one held against Umax, and
  // outdoor air under the floor is no condition to check condensation with.
  const veltor::GroundSettings& ground = project_.extras().ground;
  double compared = t.uc;
  LabelGrunt->setVisible(ground.onGround() && !empty);
  if (ground.onGround() && !empty) {
    // The model's figures, computed with the pass; its error says why there are none.
    const PartitionResults& r = project_.building().results(project_.currentId());
    if (r.ground) {
      compared = r.ground->uCompared;
      LabelGrunt->setText(veltor::GroundReportLines(ground, *r.ground).join(QLatin1Char('\n')));
    } else {
      LabelGrunt->setText(r.error);
    }
    growToFit(this);
  }
  const bool tooHigh = veltor::ExceedsUmax(compared, umax);
  for (QLabel* field : {StaticText4, StaticTextUc}) {
    const bool shownCompared = !ground.onGround() && field == (corrected ? StaticTextUc : StaticText4);
    QPalette p = field->palette();
    p.setColor(QPalette::WindowText,
               tooHigh && shownCompared ? QColor(Qt::red) : palette().color(QPalette::WindowText));
    field->setPalette(p);
  }
  LabelUwaga->setText(corrected && !ground.onGround() ? kUcWarning : kUWarning);
  LabelUwaga->setVisible(tooHigh);
  LabelSpelnia->setVisible(!tooHigh && !empty && umax > 0);
  LabelKond->setVisible(!ground.onGround() && veltor::SurfaceCondensation(Layers(), gDesignConditions,
                                                                          gReferenceTables.saturation));
}

QString TFormWarstwy::summaryHint(const QLabel* field) const {
  const veltor::PartitionSummary& s = Summary();
  if (field == StaticText1) return veltor::FormatGeneral(s.totalThickness) + QStringLiteral(" [m]");
  if (field == StaticText3)
    return veltor::FormatGeneral(s.totalResistance) + veltor::unit::Bracketed(veltor::unit::kResistance);
  if (field == StaticText4)
    return veltor::FormatGeneral(s.u) + veltor::unit::Bracketed(veltor::unit::kTransmittance);
  const veltor::TransmittanceResult& t = s.transmittance;
  const struct {
    const QLabel* field;
    double value;
    const QString& unit;
  } more[] = {
      {StaticTextRGorna, t.upperResistance, veltor::unit::kResistance},
      {StaticTextRDolna, t.lowerResistance, veltor::unit::kResistance},
      {StaticTextDeltaU, t.deltaU, veltor::unit::kTransmittance},
      {StaticTextUc, t.uc, veltor::unit::kTransmittance},
  };
  for (const auto& m : more)
    if (field == m.field) return veltor::FormatGeneral(m.value) + veltor::unit::Bracketed(m.unit);
  if (field == StaticTextBlad) return veltor::FormatGeneral(t.relativeError * 100) + QStringLiteral(" [%]");
  if (field == StaticText5) return gDesignConditions.umax == 0 ? QStringLiteral("bez wymagań") : QString();
  if (field == StaticText6) {
    return std::isinf(s.totalDiffusionResistance)
               ? QStringLiteral("max")
               : veltor::FormatGeneral(s.totalDiffusionResistance) +
                     veltor::unit::Bracketed(veltor::unit::kDiffusionResistance);
  }
  return {};
}
