// The live summary of the free layer definition window, "Dane przegrody": the
// fields show the partition summary of the latest pass, U to three decimals,
// R and Umax to two, d to two significant digits; their hints, worked out when the mouse is over a field,
// give the full values. RefreshSummary runs the pass and fills the fields.
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScopedValueRollback>
#include <cmath>

#include "calc/calculation.h"
#include "calc/numbers.h"
#include "calc/units.h"
#include "forms/appstate.h"
#include "forms/warstwy.h"

namespace {

// A designer compares U with Umax to the third decimal, and reads R to the second.
constexpr int kTransmittanceDecimals = 3;
constexpr int kResistanceDecimals = 2;
constexpr int kUmaxDecimals = 2;
const QString kNoFigure = QStringLiteral("–");

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

QWidget* TFormWarstwy::buildSummaryGroup() {
  auto* group = new QGroupBox(QStringLiteral("Dane przegrody"), this);
  group->setObjectName(QStringLiteral("GroupBoxPrzegroda"));
  StaticText1 = summaryField(group, "StaticText1");
  StaticText2 = summaryField(group, "StaticText2");
  StaticText3 = summaryField(group, "StaticText3");
  StaticText4 = summaryField(group, "StaticText4");
  StaticText5 = summaryField(group, "StaticText5");
  StaticText6 = summaryField(group, "StaticText6");
  LabelUwaga = warning(group, "LabelUwaga", QStringLiteral("UWAGA! U > Umax"));
  LabelKond =
      warning(group, "LabelKond", QStringLiteral("UWAGA! Kondensacja na wewnętrznej powierzchni przegrody"));

  auto* grid = new QGridLayout(group);
  const struct {
    QString caption;
    QLabel* field;
    QString unit;
  } rows[] = {
      {QStringLiteral("Grubość przegrody d"), StaticText1, QStringLiteral("m")},
      {QStringLiteral("Liczba warstw"), StaticText2, QString()},
      {QStringLiteral("Opór cieplny przegrody R"), StaticText3, veltor::unit::kResistance},
      {QStringLiteral("Współczynnik przenikania ciepła U"), StaticText4, veltor::unit::kTransmittance},
      {QStringLiteral("Maksymalna wartość współczynnika przenikania ciepła Umax"), StaticText5,
       veltor::unit::kTransmittance},
      {QStringLiteral("Opór dyfuzyjny przegrody"), StaticText6, veltor::unit::kDiffusionResistance},
  };
  int r = 0;
  for (const auto& row : rows) {
    auto* caption = new QLabel(row.caption, group);
    caption->setWordWrap(true);
    grid->addWidget(caption, r, 0);
    grid->addWidget(row.field, r, 1, Qt::AlignVCenter);
    grid->addWidget(new QLabel(row.unit, group), r, 2, Qt::AlignVCenter);
    row.field->installEventFilter(this);
    if (row.field == StaticText4) {
      QFont bold = caption->font();
      bold.setBold(true);
      caption->setFont(bold);
      row.field->setFont(bold);
    }
    ++r;
  }
  grid->addWidget(LabelUwaga, r++, 0, 1, 3);
  grid->addWidget(LabelKond, r++, 0, 1, 3);
  grid->setColumnStretch(0, 1);
  return group;
}

void TFormWarstwy::RefreshSummary() {
  QScopedValueRollback busy(busyDepth_, busyDepth_ + 1);
  RunCalculationPass(layers_, gPartitionSummary);
  showSummary();
  showLayerColumns();
}

void TFormWarstwy::showSummary() {
  const veltor::PartitionSummary& s = gPartitionSummary;
  const double umax = gDesignConditions.umax;

  StaticText1->setText(veltor::FormatGeneral(s.totalThickness, 2));
  StaticText2->setText(QString::number(s.layerCount));
  // A wall without layers has neither R nor U: the pass's zeros are no figures.
  const bool empty = s.layerCount == 0;
  StaticText3->setText(empty ? kNoFigure : veltor::FormatFixed(s.totalResistance, kResistanceDecimals));
  StaticText4->setText(empty ? kNoFigure : veltor::FormatFixed(s.u, kTransmittanceDecimals));
  StaticText5->setText(umax == 0 ? QStringLiteral("bez wym.") : veltor::FormatFixed(umax, kUmaxDecimals));
  // Rounded half to even (the default rounding mode); + 0.0 turns -0 into 0.
  StaticText6->setText(std::isinf(s.totalDiffusionResistance)
                           ? QStringLiteral("max")
                           : QString::number(std::nearbyint(s.totalDiffusionResistance) + 0.0, 'f', 0));

  // The requirement is on Uc, U with its corrections; computed for exactly
  // Umax it may come out a rounding step above it.
  const bool tooHigh = veltor::ExceedsUmax(s.transmittance.uc, umax);
  QPalette p = StaticText4->palette();
  p.setColor(QPalette::WindowText, tooHigh ? QColor(Qt::red) : palette().color(QPalette::WindowText));
  StaticText4->setPalette(p);
  LabelUwaga->setVisible(tooHigh);
  LabelKond->setVisible(veltor::SurfaceCondensation(layers_, gDesignConditions, gReferenceTables.saturation));
}

QString TFormWarstwy::summaryHint(const QLabel* field) const {
  const veltor::PartitionSummary& s = gPartitionSummary;
  if (field == StaticText1) return veltor::FormatGeneral(s.totalThickness) + QStringLiteral(" [m]");
  if (field == StaticText3)
    return veltor::FormatGeneral(s.totalResistance) + veltor::unit::Bracketed(veltor::unit::kResistance);
  if (field == StaticText4)
    return veltor::FormatGeneral(s.u) + veltor::unit::Bracketed(veltor::unit::kTransmittance);
  if (field == StaticText5) return gDesignConditions.umax == 0 ? QStringLiteral("bez wymagań") : QString();
  if (field == StaticText6) {
    return std::isinf(s.totalDiffusionResistance)
               ? QStringLiteral("max")
               : veltor::FormatGeneral(s.totalDiffusionResistance) +
                     veltor::unit::Bracketed(veltor::unit::kDiffusionResistance);
  }
  return {};
}
