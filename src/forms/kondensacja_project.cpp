// The moisture window and the project: the window's choices (Settings) are
// stored in the project's moisture settings as the user makes them and shown
// again (ApplySettings) when the settings change elsewhere: a project opened
// or begun, undo, redo. A station is stored with its twelve months, so that a
// project assessed against a station keeps its result when the station file
// changes or loses it.
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTableWidget>
#include <cmath>
#include <limits>

#include "calc/errors.h"
#include "calc/numbers.h"
#include "forms/followproject.h"
#include "forms/kondensacja.h"

namespace {

double CellValue(const QString& text) {
  try {
    return veltor::StrToFloat(text.trimmed());
  } catch (const veltor::Error&) {
    // Kept as an empty cell: the project stores numbers only.
    return std::numeric_limits<double>::quiet_NaN();
  }
}

QString CellText(double value) {
  return std::isnan(value) ? QString() : veltor::FormatGeneral(value);
}

}  // namespace

void TFormKondensacja::followProject() {
  // Its own choices, changed by undo or by opening a project, come back
  // through restoreSettings, which recalculates.
  new ProjectFollower(
      this, project_, [this] { Recalculate(); }, Project::Layers | Project::Conditions);
  connect(&project_, &Project::changed, this, [this](Project::Parts parts) {
    if ((parts & Project::Extras) && !storing_) restoreSettings();
  });
  connect(ComboBoxStacja, &QComboBox::currentIndexChanged, this, &TFormKondensacja::storeSettings);
  connect(RadioKlasaWilgotnosci, &QRadioButton::toggled, this, &TFormKondensacja::storeSettings);
  connect(ComboBoxKlasa, &QComboBox::currentIndexChanged, this, &TFormKondensacja::storeSettings);
  connect(CheckBoxRaport, &QCheckBox::toggled, this, &TFormKondensacja::storeSettings);
  connect(TableMiesiace, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (!filling_ && item && item->column() <= kondensacja::ColumnPhiE) storeSettings();
  });
}

veltor::MoistureSettings TFormKondensacja::currentSettings() const {
  const MoistureSettings shown = Settings();
  veltor::MoistureSettings m;
  if (shown.stationName.isEmpty()) {
    m.climate = veltor::MoistureSettings::Climate::Typed;
    for (int i = 0; i < veltor::kMonthCount; ++i) {
      m.te[i] = CellValue(shown.typedMonths.value(2 * i));
      m.phiE[i] = CellValue(shown.typedMonths.value(2 * i + 1));
    }
  } else {
    m.climate = veltor::MoistureSettings::Climate::Station;
    m.stationName = shown.stationName;
    m.te = shown.stationClimate.te;
    m.phiE = shown.stationClimate.phiE;
  }
  m.humidityClass = shown.humidityClass ? shown.humidityClassNumber : 0;
  m.inReport = shown.inReport;
  return m;
}

void TFormKondensacja::storeSettings() {
  if (restoring_) return;
  {
    const QScopedValueRollback storing(storing_, true);
    project_.setMoisture(currentSettings());
  }
  Recalculate();
}

void TFormKondensacja::restoreSettings() {
  const QScopedValueRollback restoring(restoring_, true);
  const veltor::MoistureSettings& m = project_.extras().moisture;
  MoistureSettings shown = DefaultSettings();
  shown.typedMonths.clear();
  for (int i = 0; i < veltor::kMonthCount; ++i) {
    const bool typed = m.climate == veltor::MoistureSettings::Climate::Typed;
    shown.typedMonths << (typed ? CellText(m.te[i]) : QString()) << (typed ? CellText(m.phiE[i]) : QString());
  }
  if (m.climate == veltor::MoistureSettings::Climate::Typed) shown.stationName.clear();
  if (m.climate == veltor::MoistureSettings::Climate::Station) {
    shown.stationName = m.stationName;
    shown.stationClimate = {m.te, m.phiE};
  }
  shown.humidityClass = m.humidityClass > 0;
  if (m.humidityClass > 0) shown.humidityClassNumber = m.humidityClass;
  shown.inReport = m.inReport;
  ApplySettings(shown);
}
