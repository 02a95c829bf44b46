// The moisture window and the project: the window's choices are stored in the
// project's moisture settings as the user makes them and shown again when the
// settings change elsewhere (a project opened or begun, undo, redo). A station
// is stored with its twelve months, so that a project assessed against a
// station keeps its result when the station file changes or loses it: such a
// station is added to the list under its stored name for this run.
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QTableWidget>
#include <cmath>
#include <limits>

#include "calc/errors.h"
#include "calc/numbers.h"
#include "forms/followproject.h"
#include "forms/kondensacja.h"

namespace {

// What the class list shows before a class is chosen (class 3, dwellings).
constexpr int kDefaultClassIndex = 2;
const QString kProjectStationSuffix = QStringLiteral(" (z projektu)");

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

bool SameMonths(const veltor::MonthlyClimate& climate, const veltor::MoistureSettings& m) {
  return climate.te == m.te && climate.phiE == m.phiE;
}

}  // namespace

void TFormKondensacja::followProject() {
  new ProjectFollower(this, project_, [this] { Recalculate(); });
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
  veltor::MoistureSettings m;
  if (ownData()) {
    m.climate = veltor::MoistureSettings::Climate::Typed;
    const QStringList texts = showingOwn() ? cellTexts() : typed_;
    for (int i = 0; i < veltor::kMonthCount; ++i) {
      m.te[i] = CellValue(texts.value(2 * i));
      m.phiE[i] = CellValue(texts.value(2 * i + 1));
    }
  } else {
    const veltor::ClimateStation& station = stations_[ComboBoxStacja->currentIndex()];
    m.climate = veltor::MoistureSettings::Climate::Station;
    m.stationName = station.name;
    m.te = station.climate.te;
    m.phiE = station.climate.phiE;
  }
  m.humidityClass = RadioKlasaWilgotnosci->isChecked() ? ComboBoxKlasa->currentIndex() + 1 : 0;
  m.inReport = CheckBoxRaport->isChecked();
  return m;
}

void TFormKondensacja::storeSettings() {
  if (restoring_) return;
  const QScopedValueRollback storing(storing_, true);
  project_.setMoisture(currentSettings());
}

int TFormKondensacja::settingsStation(const veltor::MoistureSettings& m) {
  for (size_t i = 0; i < stations_.size(); ++i)
    if (stations_[i].name == m.stationName && SameMonths(stations_[i].climate, m)) return static_cast<int>(i);
  QString name = m.stationName.trimmed();
  const bool taken = std::any_of(stations_.begin(), stations_.end(),
                                 [&name](const veltor::ClimateStation& s) { return s.name == name; });
  if (name.isEmpty() || taken) name += kProjectStationSuffix;
  stations_.push_back({name, {m.te, m.phiE}});
  const int index = static_cast<int>(stations_.size()) - 1;
  ComboBoxStacja->insertItem(index, name);
  return index;
}

void TFormKondensacja::restoreSettings() {
  const QScopedValueRollback restoring(restoring_, true);
  const veltor::MoistureSettings& m = project_.extras().moisture;
  const QSignalBlocker b1(ComboBoxStacja), b2(RadioKlasaWilgotnosci), b3(RadioWilgotnoscProjektowa),
      b4(ComboBoxKlasa), b5(CheckBoxRaport);
  const int ownIndex = static_cast<int>(stations_.size());
  QStringList typed;
  for (int i = 0; i < veltor::kMonthCount; ++i) {
    const bool own = m.climate == veltor::MoistureSettings::Climate::Typed;
    typed << (own ? CellText(m.te[i]) : QString()) << (own ? CellText(m.phiE[i]) : QString());
  }
  switch (m.climate) {
    case veltor::MoistureSettings::Climate::Default:
      ComboBoxStacja->setCurrentIndex(stations_.empty() ? ownIndex : 0);
      break;
    case veltor::MoistureSettings::Climate::Station:
      ComboBoxStacja->setCurrentIndex(settingsStation(m));
      break;
    case veltor::MoistureSettings::Climate::Typed:
      ComboBoxStacja->setCurrentIndex(ownIndex);
      break;
  }
  // The columns keep what was typed before unless told otherwise; the
  // project's months take their place.
  fillClimateColumns();
  typed_ = typed;
  if (ownData()) {
    const QScopedValueRollback filling(filling_, true);
    for (int i = 0; i < veltor::kMonthCount; ++i) {
      TableMiesiace->item(i, kondensacja::ColumnTe)->setText(typed_[2 * i]);
      TableMiesiace->item(i, kondensacja::ColumnPhiE)->setText(typed_[2 * i + 1]);
    }
  }
  const bool byClass = m.humidityClass > 0;
  (byClass ? RadioKlasaWilgotnosci : RadioWilgotnoscProjektowa)->setChecked(true);
  ComboBoxKlasa->setCurrentIndex(byClass ? m.humidityClass - 1 : kDefaultClassIndex);
  ComboBoxKlasa->setEnabled(byClass);
  CheckBoxRaport->setChecked(m.inReport);
}
