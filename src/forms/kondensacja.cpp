// The moisture window. Its controls are built here; the texts and pictures it
// shows come from kondensacja_draw, so that the report's second page shows
// the same.
#include "forms/kondensacja.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>
#include <optional>

#include "calc/errors.h"
#include "calc/ground.h"
#include "calc/numbers.h"
#include "forms/appstate.h"
#include "forms/pictureframe.h"
#include "platform/dialogs.h"

TFormKondensacja* FormKondensacja = nullptr;

const QString TFormKondensacja::kOwnDataItem = QStringLiteral("Własne dane (wpisz miesiące)");

namespace {

constexpr QSize kChartSize(440, 250);
constexpr int kMarkSize = 16;
// Characters of a station name the picker shows before eliding it.
constexpr int kStationPickerLength = 24;
constexpr int kDefaultHumidityClass = 3;
const QColor kRefusedCell(255, 205, 205);

const QString kEmptyClimate = QStringLiteral(
    "Wpisz w tabeli średnie miesięczne temperatury θe i wilgotności względne φe powietrza zewnętrznego "
    "(dwanaście miesięcy) albo wybierz stację klimatyczną");

const QStringList kHumidityClasses = {
    QStringLiteral("1 – magazyny suchych towarów, budynki nieużytkowane"),
    QStringLiteral("2 – biura, sklepy"),
    QStringLiteral("3 – mieszkania o małej liczbie mieszkańców"),
    QStringLiteral("4 – mieszkania o dużej liczbie mieszkańców, sale sportowe, kuchnie"),
    QStringLiteral("5 – pralnie, browary, pływalnie"),
};

QPixmap MarkPicture(bool ok) {
  QImage image(kMarkSize, kMarkSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  kondensacja::DrawMark(painter, QRectF(0, 0, kMarkSize, kMarkSize), ok);
  painter.end();
  return QPixmap::fromImage(image);
}

// A typed month's value; Polish messages name the month and the quantity.
double TypedValue(const QString& typed, int month, int column) {
  const QString what = column == kondensacja::ColumnTe ? QStringLiteral("temperatura θe")
                                                       : QStringLiteral("wilgotność względna φe");
  const QString text = typed.trimmed();
  if (text.isEmpty())
    throw veltor::Error(QStringLiteral("%1: brak wartości (%2)").arg(veltor::MonthName(month), what));
  try {
    return veltor::StrToFloat(text);
  } catch (const veltor::ConversionError&) {
    throw veltor::Error(
        QStringLiteral("%1, %2: „%3” nie jest liczbą (separator dziesiętny: przecinek lub kropka)")
            .arg(veltor::MonthName(month), what, veltor::QuotedInput(text)));
  }
}

// A typed cell the assessment would refuse: empty, no number, or out of the
// climate's limits (those of the core, checked on a month of its own).
bool CellRefused(const QString& typed, int month, int column) {
  try {
    veltor::MonthlyClimate one;
    one.phiE.fill(50);
    (column == kondensacja::ColumnTe ? one.te : one.phiE)[month] = TypedValue(typed, month, column);
    veltor::ValidateClimate(one);
    return false;
  } catch (const veltor::Error&) {
    return true;
  }
}

}  // namespace

TFormKondensacja::TFormKondensacja(QWidget* mainWindow, Project& project)
    : TCompanionWindow(mainWindow, QStringLiteral("FormKondensacja"),
                       QStringLiteral("Ocena wilgotnościowa (EN ISO 13788)"),
                       QStringLiteral("kondensacja.htm"), true),
      project_(project) {
  for (int i = 0; i < 2 * veltor::kMonthCount; ++i) typed_.append(QString());
  buildControls();
  ActionWklejMiesiace = new QAction(QStringLiteral("&Wklej miesiące"), this);
  ActionWklejMiesiace->setObjectName(QStringLiteral("ActionWklejMiesiace"));
  ActionWklejMiesiace->setShortcut(QKeySequence::Paste);
  ActionWklejMiesiace->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  ActionWklejMiesiace->setStatusTip(
      QStringLiteral("Wkleja z arkusza dwanaście wierszy θe (i φe) albo dwa wiersze po dwanaście wartości"));
  TableMiesiace->addAction(ActionWklejMiesiace);
  connect(ActionWklejMiesiace, &QAction::triggered, this, &TFormKondensacja::ActionWklejMiesiaceExecute);
  fillClimateColumns();
  followProject();
}

TFormKondensacja::~TFormKondensacja() = default;

void TFormKondensacja::buildControls() {
  auto* top = new QVBoxLayout(this);

  auto* stationRow = new QHBoxLayout;
  auto* stationLabel = new QLabel(QStringLiteral("&Stacja klimatyczna:"), this);
  ComboBoxStacja = new QComboBox(this);
  ComboBoxStacja->setObjectName(QStringLiteral("ComboBoxStacja"));
  ComboBoxStacja->addItem(kOwnDataItem);
  // The picker does not widen the window to a long name: it elides it, and
  // the item's tip holds it whole.
  ComboBoxStacja->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  ComboBoxStacja->setMinimumContentsLength(kStationPickerLength);
  ComboBoxStacja->setStatusTip(
      QStringLiteral("Średnie miesięczne warunki zewnętrzne: stacja z pliku Dane\\klimat.txt, "
                     "stacja zapisana przez użytkownika albo dwanaście miesięcy wpisanych w tabeli"));
  stationLabel->setBuddy(ComboBoxStacja);
  stationRow->addWidget(stationLabel);
  stationRow->addWidget(ComboBoxStacja, 1);
  top->addLayout(stationRow);

  auto* indoor = new QGroupBox(QStringLiteral("Wilgotność powietrza wewnętrznego"), this);
  indoor->setObjectName(QStringLiteral("GroupBoxWilgotnosc"));
  auto* indoorRow = new QHBoxLayout(indoor);
  RadioWilgotnoscProjektowa = new QRadioButton(indoor);
  RadioWilgotnoscProjektowa->setObjectName(QStringLiteral("RadioWilgotnoscProjektowa"));
  RadioWilgotnoscProjektowa->setChecked(true);
  RadioKlasaWilgotnosci = new QRadioButton(QStringLiteral("&klasa wilgotności wg EN ISO 13788:"), indoor);
  RadioKlasaWilgotnosci->setObjectName(QStringLiteral("RadioKlasaWilgotnosci"));
  ComboBoxKlasa = new QComboBox(indoor);
  ComboBoxKlasa->setObjectName(QStringLiteral("ComboBoxKlasa"));
  ComboBoxKlasa->addItems(kHumidityClasses);
  ComboBoxKlasa->setCurrentIndex(kDefaultHumidityClass - 1);
  ComboBoxKlasa->setEnabled(false);
  ComboBoxKlasa->setStatusTip(QStringLiteral(
      "Nadwyżka ciśnienia pary Δp klasy według załącznika A EN ISO 13788 w naszym odczytaniu – "
      "wartości niepotwierdzone ze źródłem publicznym"));
  indoorRow->addWidget(RadioWilgotnoscProjektowa);
  indoorRow->addSpacing(12);
  indoorRow->addWidget(RadioKlasaWilgotnosci);
  indoorRow->addWidget(ComboBoxKlasa, 1);
  top->addWidget(indoor);
  showIndoorCaption();

  auto* middle = new QHBoxLayout;
  TableMiesiace = new QTableWidget(veltor::kMonthCount, kondensacja::kMonthColumnCount, this);
  TableMiesiace->setObjectName(QStringLiteral("TableMiesiace"));
  TableMiesiace->setHorizontalHeaderLabels(kondensacja::MonthColumnTitles());
  QStringList months;
  for (int m = 0; m < veltor::kMonthCount; ++m) months.append(veltor::MonthName(m));
  TableMiesiace->setVerticalHeaderLabels(months);
  TableMiesiace->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  TableMiesiace->verticalHeader()->setDefaultSectionSize(22);
  TableMiesiace->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  TableMiesiace->horizontalHeader()->setDefaultSectionSize(76);
  TableMiesiace->setSelectionMode(QAbstractItemView::SingleSelection);
  TableMiesiace->setStatusTip(
      QStringLiteral("θe i φe: średnie miesięczne warunki zewnętrzne (wpisywane przy własnych danych); "
                     "dalej wyniki: temperatura i czynnik temperaturowy powierzchni, kondensacja gc "
                     "i zgromadzona wilgoć Ma"));
  for (int m = 0; m < veltor::kMonthCount; ++m) {
    for (int c = 0; c < kondensacja::kMonthColumnCount; ++c) {
      auto* item = new QTableWidgetItem;
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      TableMiesiace->setItem(m, c, item);
    }
  }
  auto* tableColumn = new QVBoxLayout;
  tableColumn->addWidget(TableMiesiace, 0, Qt::AlignTop);
  auto* saveRow = new QHBoxLayout;
  auto* nameLabel = new QLabel(QStringLiteral("Nazwa &miejsca:"), this);
  EditNazwaStacji = new QLineEdit(this);
  EditNazwaStacji->setObjectName(QStringLiteral("EditNazwaStacji"));
  EditNazwaStacji->setMaxLength(static_cast<int>(veltor::kMaxStationName));
  EditNazwaStacji->setStatusTip(QStringLiteral("Nazwa, pod którą wpisane miesiące trafią na listę stacji"));
  nameLabel->setBuddy(EditNazwaStacji);
  ButtonZapiszStacje = new QPushButton(QStringLiteral("Zapisz &jako stację"), this);
  ButtonZapiszStacje->setObjectName(QStringLiteral("ButtonZapiszStacje"));
  ButtonZapiszStacje->setStatusTip(
      QStringLiteral("Dodaje wpisane miesiące do listy stacji, także przy następnym uruchomieniu programu"));
  saveRow->addWidget(nameLabel);
  saveRow->addWidget(EditNazwaStacji, 1);
  saveRow->addWidget(ButtonZapiszStacje);
  tableColumn->addLayout(saveRow);
  tableColumn->addStretch(1);
  middle->addLayout(tableColumn);

  auto* results = new QVBoxLayout;
  LabelKomunikat = new QLabel(this);
  LabelKomunikat->setObjectName(QStringLiteral("LabelKomunikat"));
  LabelKomunikat->setWordWrap(true);
  LabelKomunikat->setStyleSheet(QStringLiteral("color: #b42020;"));
  LabelKomunikat->setMaximumWidth(kChartSize.width());
  results->addWidget(LabelKomunikat);
  auto* verdicts = new QGridLayout;
  verdicts->setColumnStretch(1, 1);
  const auto verdictRow = [&](int row, QLabel*& mark, QLabel*& label, const char* markName,
                              const char* name) {
    mark = new QLabel(this);
    mark->setObjectName(QString::fromLatin1(markName));
    mark->setFixedSize(kMarkSize, kMarkSize);
    label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setMaximumWidth(kChartSize.width() - kMarkSize - 8);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    verdicts->addWidget(mark, row, 0, Qt::AlignTop);
    verdicts->addWidget(label, row, 1);
  };
  verdictRow(0, MarkPowierzchnia, LabelPowierzchnia, "MarkPowierzchnia", "LabelPowierzchnia");
  verdictRow(1, MarkProgUproszczony, LabelProgUproszczony, "MarkProgUproszczony", "LabelProgUproszczony");
  verdictRow(2, MarkKondensacja, LabelKondensacja, "MarkKondensacja", "LabelKondensacja");
  results->addLayout(verdicts);
  ImageWykres = new TPictureImage(this);
  ImageWykres->setObjectName(QStringLiteral("ImageWykres"));
  // The chart is drawn at this size; the window grows rather than squeeze it.
  ImageWykres->setFixedSize(kChartSize);
  results->addWidget(ImageWykres);
  results->addStretch(1);
  middle->addLayout(results, 1);
  top->addLayout(middle, 1);

  auto* bottom = new QHBoxLayout;
  CheckBoxRaport = new QCheckBox(QStringLiteral("&Dołącz ocenę wilgotnościową do raportu"), this);
  CheckBoxRaport->setObjectName(QStringLiteral("CheckBoxRaport"));
  CheckBoxRaport->setStatusTip(QStringLiteral("Raport otrzyma drugą stronę z tą oceną"));
  ButtonZamknij = new QPushButton(QStringLiteral("&Zamknij"), this);
  ButtonZamknij->setObjectName(QStringLiteral("ButtonZamknij"));
  bottom->addWidget(CheckBoxRaport);
  bottom->addStretch(1);
  bottom->addWidget(ButtonZamknij);
  top->addLayout(bottom);

  // The choices reach the project, and the outcome the window, through
  // storeSettings (kondensacja_project.cpp), connected after these.
  connect(ComboBoxStacja, &QComboBox::currentIndexChanged, this, &TFormKondensacja::ComboBoxStacjaChange);
  connect(RadioKlasaWilgotnosci, &QRadioButton::toggled, ComboBoxKlasa, &QComboBox::setEnabled);
  connect(ButtonZapiszStacje, &QPushButton::clicked, this,
          [this] { ui::Guard([this] { ButtonZapiszStacjeClick(); }); });
  connect(EditNazwaStacji, &QLineEdit::returnPressed, ButtonZapiszStacje, &QPushButton::click);
  connect(ButtonZamknij, &QPushButton::clicked, this, &TFormKondensacja::ButtonZamknijClick);
}

QString TFormKondensacja::UserClimateFile() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         QStringLiteral("/veltorobl/klimat.txt");
}

void TFormKondensacja::FormCreate() {
  // Either file may fail alone; the stations of the other still come in.
  std::optional<veltor::Error> failure;
  try {
    stations_ = veltor::LoadClimateFile(veltor::kClimateFile);
  } catch (const veltor::Error& e) {
    failure = e;
  }
  const QString userFile = UserClimateFile();
  if (QFileInfo::exists(userFile)) {
    try {
      veltor::AppendUserStations(stations_, userFile);
    } catch (const veltor::Error& e) {
      if (!failure) failure = e;
    }
  }
  {
    const QSignalBlocker blocker(ComboBoxStacja);
    for (size_t i = 0; i < stations_.size(); ++i) {
      ComboBoxStacja->insertItem(static_cast<int>(i), stations_[i].name);
      ComboBoxStacja->setItemData(static_cast<int>(i), stations_[i].name, Qt::ToolTipRole);
    }
    ComboBoxStacja->setCurrentIndex(0);
  }
  fillClimateColumns();
  if (failure) throw *failure;
}

void TFormKondensacja::ButtonZapiszStacjeClick() {
  if (!ownData()) return;
  const QString name = EditNazwaStacji->text().trimmed();
  QString problem = veltor::StationNameProblem(name);
  if (problem.isEmpty() &&
      std::any_of(stations_.begin(), stations_.end(), [&](const veltor::ClimateStation& s) {
        return s.name.compare(name, Qt::CaseInsensitive) == 0;
      }))
    problem = QStringLiteral("Stacja „%1” już jest na liście stacji").arg(name);
  veltor::ClimateStation station{name, {}};
  if (problem.isEmpty()) {
    try {
      station.climate = chosenClimate();
    } catch (const veltor::Error& e) {
      problem = e.message();
    }
  }
  if (!problem.isEmpty()) {
    ui::inform(ui::MessageKind::Warning, ui::WithFullStop(problem));
    EditNazwaStacji->setFocus();
    return;
  }
  const QString file = UserClimateFile();
  try {
    veltor::AppendClimateStation(
        file, station,
        QStringLiteral("wpisane przez użytkownika %1").arg(QDate::currentDate().toString(Qt::ISODate)));
  } catch (const veltor::Error& e) {
    ui::inform(ui::MessageKind::Error,
               ui::WithFullStop(QStringLiteral("Nie zapisano stacji w pliku %1: %2")
                                    .arg(QDir::toNativeSeparators(file), e.message())));
    return;
  }
  stations_.push_back(station);
  const int index = static_cast<int>(stations_.size()) - 1;
  {
    // The own-data entry moves down one; it stays the chosen one until the new station is.
    const QSignalBlocker blocker(ComboBoxStacja);
    ComboBoxStacja->insertItem(index, station.name);
    ComboBoxStacja->setItemData(index, station.name, Qt::ToolTipRole);
  }
  EditNazwaStacji->clear();
  ComboBoxStacja->setCurrentIndex(index);
}

bool TFormKondensacja::ownData() const {
  const int index = ComboBoxStacja->currentIndex();
  return index < 0 || index >= static_cast<int>(stations_.size());
}

bool TFormKondensacja::climateMissing() const {
  if (!ownData()) return false;
  const QStringList texts = cellTexts();
  return std::all_of(texts.begin(), texts.end(), [](const QString& t) { return t.trimmed().isEmpty(); });
}

void TFormKondensacja::chooseOwnData() {
  if (!ownData()) ComboBoxStacja->setCurrentIndex(ComboBoxStacja->count() - 1);
}

void TFormKondensacja::ActionWklejMiesiaceExecute() {
  PasteMonths(QGuiApplication::clipboard()->text());
}

void TFormKondensacja::PasteMonths(const QString& text) {
  QStringList rows = text.split(QRegularExpression(QStringLiteral("\\r\\n|\\r|\\n")));
  while (!rows.isEmpty() && rows.back().trimmed().isEmpty()) rows.removeLast();
  std::vector<QStringList> cells;
  for (const QString& row : rows) cells.push_back(row.split(QRegularExpression(QStringLiteral("[\\t;]"))));
  const int count = static_cast<int>(cells.size());
  const int width = count > 0 ? static_cast<int>(cells.front().size()) : 0;
  const bool sameWidth =
      std::all_of(cells.begin(), cells.end(), [&](const QStringList& row) { return row.size() == width; });
  const bool monthRows = count == veltor::kMonthCount && (width == 1 || width == 2);
  const bool monthColumns = count == 2 && width == veltor::kMonthCount;
  if (!sameWidth || !(monthRows || monthColumns)) {
    ui::inform(ui::MessageKind::Warning,
               QStringLiteral("Schowek nie zawiera miesięcy w układzie, który można wkleić: potrzeba "
                              "dwunastu wierszy z θe albo z θe i φe, albo dwóch wierszy po dwanaście "
                              "wartości (θe, potem φe), oddzielonych tabulatorem lub średnikiem."));
    return;
  }
  // Whatever the sheet's decimal mark, the cell shows the program's comma.
  const QChar separator(u',');
  const auto cellText = [&](QString value) {
    value = value.trimmed();
    if (!(value.contains(QLatin1Char(',')) && value.contains(QLatin1Char('.')))) {
      value.replace(QLatin1Char(','), separator);
      value.replace(QLatin1Char('.'), separator);
    }
    return value;
  };
  const int currentColumn = TableMiesiace->currentColumn() == kondensacja::ColumnPhiE
                                ? kondensacja::ColumnPhiE
                                : kondensacja::ColumnTe;
  // Turning to own data stores the choice as a step of its own (the window's
  // rule for the station box); with the months it is one step to undo, so an
  // undo never leaves "Własne dane" over a station's months.
  project_.undoStack().beginMacro(QStringLiteral("Wklejenie miesięcy"));
  chooseOwnData();
  filling_ = true;
  for (int m = 0; m < veltor::kMonthCount; ++m) {
    if (monthColumns) {
      TableMiesiace->item(m, kondensacja::ColumnTe)->setText(cellText(cells[0][m]));
      TableMiesiace->item(m, kondensacja::ColumnPhiE)->setText(cellText(cells[1][m]));
    } else if (width == 2) {
      TableMiesiace->item(m, kondensacja::ColumnTe)->setText(cellText(cells[m][0]));
      TableMiesiace->item(m, kondensacja::ColumnPhiE)->setText(cellText(cells[m][1]));
    } else {
      TableMiesiace->item(m, currentColumn)->setText(cellText(cells[m][0]));
    }
  }
  filling_ = false;
  // The cells were filled with the table's own handler held off: the months
  // reach the project here.
  storeSettings();
  project_.undoStack().endMacro();
}

TFormKondensacja::MoistureSettings TFormKondensacja::Settings() const {
  MoistureSettings settings;
  if (!ownData()) {
    const veltor::ClimateStation& station = stations_[ComboBoxStacja->currentIndex()];
    settings.stationName = station.name;
    settings.stationClimate = station.climate;
  }
  settings.typedMonths = showingOwn() ? cellTexts() : typed_;
  settings.humidityClass = RadioKlasaWilgotnosci->isChecked();
  settings.humidityClassNumber = ComboBoxKlasa->currentIndex() + 1;
  settings.inReport = CheckBoxRaport->isChecked();
  return settings;
}

TFormKondensacja::MoistureSettings TFormKondensacja::DefaultSettings() const {
  MoistureSettings settings;
  if (!stations_.empty()) {
    settings.stationName = stations_.front().name;
    settings.stationClimate = stations_.front().climate;
  }
  return settings;
}

void TFormKondensacja::ApplySettings(const MoistureSettings& settings) {
  {
    const QSignalBlocker blockRadio(RadioKlasaWilgotnosci);
    const QSignalBlocker blockClass(ComboBoxKlasa);
    (settings.humidityClass ? RadioKlasaWilgotnosci : RadioWilgotnoscProjektowa)->setChecked(true);
    ComboBoxKlasa->setEnabled(settings.humidityClass);
    ComboBoxKlasa->setCurrentIndex(std::clamp(settings.humidityClassNumber, 1, veltor::kHumidityClassCount) -
                                   1);
  }
  CheckBoxRaport->setChecked(settings.inReport);
  QStringList typed = settings.typedMonths.mid(0, 2 * veltor::kMonthCount);
  while (typed.size() < 2 * veltor::kMonthCount) typed.append(QString());
  int index = static_cast<int>(stations_.size());  // the own-data entry
  if (!settings.stationName.isEmpty()) {
    const auto same = std::find_if(stations_.begin(), stations_.end(), [&](const veltor::ClimateStation& s) {
      return s.name == settings.stationName && s.climate == settings.stationClimate;
    });
    if (same != stations_.end()) {
      index = static_cast<int>(same - stations_.begin());
    } else {
      // The station file no longer has these months: the project's own copy is listed.
      stations_.push_back({settings.stationName, settings.stationClimate});
      const QSignalBlocker blocker(ComboBoxStacja);
      ComboBoxStacja->insertItem(index, QStringLiteral("%1 (z projektu)").arg(settings.stationName));
    }
  }
  // The typed months are the settings', not those typed before.
  if (showingOwn()) {
    filling_ = true;
    for (int m = 0; m < veltor::kMonthCount; ++m) {
      for (int c : {kondensacja::ColumnTe, kondensacja::ColumnPhiE})
        TableMiesiace->item(m, c)->setText(typed[2 * m + c]);
    }
    filling_ = false;
  }
  typed_ = typed;
  {
    const QSignalBlocker blocker(ComboBoxStacja);
    ComboBoxStacja->setCurrentIndex(index);
  }
  fillClimateColumns();
  Recalculate();
}

const veltor::LayerTable& TFormKondensacja::Partition() const {
  return project_.resultLayers();
}

QString TFormKondensacja::climateName() const {
  return ownData() ? kondensacja::kOwnClimateName : stations_[ComboBoxStacja->currentIndex()].name;
}

veltor::MonthlyClimate TFormKondensacja::chosenClimate() const {
  if (!ownData()) return stations_[ComboBoxStacja->currentIndex()].climate;
  const QStringList texts = cellTexts();
  if (std::all_of(texts.begin(), texts.end(), [](const QString& t) { return t.trimmed().isEmpty(); }))
    throw veltor::Error(kEmptyClimate);
  veltor::MonthlyClimate climate;
  for (int m = 0; m < veltor::kMonthCount; ++m) {
    climate.te[m] = TypedValue(texts[2 * m], m, kondensacja::ColumnTe);
    climate.phiE[m] = TypedValue(texts[2 * m + 1], m, kondensacja::ColumnPhiE);
  }
  veltor::ValidateClimate(climate);
  return climate;
}

veltor::MoistureInput TFormKondensacja::chosenInput(const veltor::MonthlyClimate& climate) const {
  veltor::MoistureInput input = veltor::MoistureInput::FromDesignConditions(gDesignConditions, climate);
  if (RadioKlasaWilgotnosci->isChecked()) {
    input.indoor.mode = veltor::IndoorHumidity::HumidityClass;
    input.indoor.humidityClass = ComboBoxKlasa->currentIndex() + 1;
  }
  return input;
}

kondensacja::Assessment TFormKondensacja::Assess() const {
  const bool onGround = project_.extras().ground.onGround();
  // Typed text the project keeps only as an empty month: the window names the
  // cell and what is wrong in it.
  if (!onGround && climateMissing()) return kondensacja::NoClimate(kEmptyClimate, chosenInput({}));
  if (!onGround && ownData()) {
    try {
      chosenClimate();
    } catch (const veltor::Error& e) {
      return kondensacja::Refused(e.message(), climateName(), chosenInput({}));
    }
  }
  const veltor::MoistureSettings shown = currentSettings();
  const veltor::LayerTable& table = Partition();
  const bool wizard = project_.layers().empty() && !table.empty();
  Building& building = project_.building();
  const PartitionId id = project_.currentId();
  if (!wizard && shown == project_.extras().moisture) {
    const PartitionResults& r = building.results(id);
    return kondensacja::AssessmentOf(shown, project_.conditions(), onGround, r.moisture, r.moistureError,
                                     table);
  }
  const PartitionResults r = building.moistureWith(id, shown, wizard ? &table : nullptr);
  return kondensacja::AssessmentOf(shown, project_.conditions(), onGround, r.moisture, r.moistureError,
                                   table);
}

void TFormKondensacja::Recalculate() {
  showIndoorCaption();
  try {
    current_ = Assess();
  } catch (const std::exception& e) {
    // Out of memory and the like: this runs from the event loop, where nothing may escape.
    current_ = kondensacja::Refused(QString::fromUtf8(e.what()), climateName(), chosenInput({}));
  }
  showAssessment();
}

void TFormKondensacja::fitTable() {
  // The headers measure their texts for this, which cost a noticeable part of
  // start-up; a window that is never opened need not pay it.
  if (tableFitted_) return;
  tableFitted_ = true;
  TableMiesiace->setFixedWidth(TableMiesiace->verticalHeader()->sizeHint().width() +
                               76 * kondensacja::kMonthColumnCount + 2 * TableMiesiace->frameWidth() + 4);
  TableMiesiace->setMinimumHeight(22 * veltor::kMonthCount +
                                  TableMiesiace->horizontalHeader()->sizeHint().height() +
                                  2 * TableMiesiace->frameWidth() + 2);
  if (!testAttribute(Qt::WA_Resized)) adjustSize();
}

void TFormKondensacja::showEvent(QShowEvent* e) {
  if (!e->spontaneous()) {
    // The verdicts first, so that the first fitting measures the lines they take.
    Recalculate();
    fitTable();
  }
  TCompanionWindow::showEvent(e);
}

void TFormKondensacja::ComboBoxStacjaChange() {
  fillClimateColumns();
}

void TFormKondensacja::ButtonZamknijClick() {
  hide();
}

bool TFormKondensacja::showingOwn() const {
  return TableMiesiace->item(0, 0)->flags().testFlag(Qt::ItemIsEditable);
}

QStringList TFormKondensacja::cellTexts() const {
  QStringList texts;
  for (int m = 0; m < veltor::kMonthCount; ++m) {
    texts.append(TableMiesiace->item(m, kondensacja::ColumnTe)->text());
    texts.append(TableMiesiace->item(m, kondensacja::ColumnPhiE)->text());
  }
  return texts;
}

void TFormKondensacja::fillClimateColumns() {
  const bool wasOwn = showingOwn();
  if (wasOwn) typed_ = cellTexts();
  const bool own = ownData();
  QStringList texts = typed_;
  // Typing starts from the station shown last rather than from empty cells.
  if (own && !wasOwn &&
      std::all_of(typed_.begin(), typed_.end(), [](const QString& t) { return t.trimmed().isEmpty(); }))
    texts = cellTexts();
  filling_ = true;
  for (int m = 0; m < veltor::kMonthCount; ++m) {
    for (int c : {kondensacja::ColumnTe, kondensacja::ColumnPhiE}) {
      QTableWidgetItem* item = TableMiesiace->item(m, c);
      if (own) {
        item->setText(texts.value(2 * m + c));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        item->setBackground(QBrush());
      } else {
        const veltor::MonthlyClimate& climate = stations_[ComboBoxStacja->currentIndex()].climate;
        item->setText(veltor::FormatGeneral(c == kondensacja::ColumnTe ? climate.te[m] : climate.phiE[m]));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        // Read-only cells look like the window behind them.
        item->setBackground(palette().brush(QPalette::Window));
      }
    }
  }
  filling_ = false;
  EditNazwaStacji->setEnabled(own);
  ButtonZapiszStacje->setEnabled(own);
}

void TFormKondensacja::showIndoorCaption() {
  RadioWilgotnoscProjektowa->setText(
      QStringLiteral("z &warunków początkowych: θi = %1 °C, φi = %2%")
          .arg(veltor::FormatQuantity(veltor::Quantity::Temperature, gDesignConditions.ti),
               veltor::FormatGeneral(gDesignConditions.phiI)));
}

void TFormKondensacja::showAssessment() {
  const bool refused = !current_.result;
  filling_ = true;
  for (int m = 0; m < veltor::kMonthCount; ++m) {
    const QStringList texts = kondensacja::MonthTexts(current_, m);
    for (int c = kondensacja::ColumnThetaSi; c < kondensacja::kMonthColumnCount; ++c) {
      QTableWidgetItem* item = TableMiesiace->item(m, c);
      item->setText(texts[c]);
      QFont font = item->font();
      font.setBold(c == kondensacja::ColumnFRsiMin && !refused && m == current_.result->decisiveMonth);
      item->setFont(font);
    }
  }
  // Typed cells the assessment refuses stand out, unless nothing is typed yet.
  const QStringList typed = cellTexts();
  const bool anyTyped =
      std::any_of(typed.begin(), typed.end(), [](const QString& t) { return !t.trimmed().isEmpty(); });
  if (showingOwn()) {
    for (int m = 0; m < veltor::kMonthCount; ++m) {
      for (int c : {kondensacja::ColumnTe, kondensacja::ColumnPhiE}) {
        const bool refusedCell = anyTyped && CellRefused(typed[2 * m + c], m, c);
        TableMiesiace->item(m, c)->setBackground(refusedCell ? QBrush(kRefusedCell) : QBrush());
      }
    }
  }
  filling_ = false;

  LabelKomunikat->setText(current_.message);
  LabelKomunikat->setVisible(refused);
  QLabel* const marks[] = {MarkPowierzchnia, MarkProgUproszczony, MarkKondensacja};
  QLabel* const labels[] = {LabelPowierzchnia, LabelProgUproszczony, LabelKondensacja};
  for (size_t i = 0; i < std::size(labels); ++i) {
    const bool shown = i < current_.verdicts.size();
    const kondensacja::Verdict verdict = shown ? current_.verdicts[i] : kondensacja::Verdict{};
    labels[i]->setText(verdict.text);
    labels[i]->setVisible(shown);
    marks[i]->setVisible(shown);
    marks[i]->setProperty("ok", shown ? QVariant(verdict.ok) : QVariant());
    if (shown) marks[i]->setPixmap(MarkPicture(verdict.ok));
  }
  ImageWykres->SetPicture(kondensacja::DrawMoistureChart(current_, kChartSize));
  fitVerdicts();
}

void TFormKondensacja::fitVerdicts() {
  // A window's minimum size ignores how tall word-wrapped labels get at its
  // width, so a verdict that wraps over more lines would push the chart under
  // the bottom row: the height the texts take now is made the minimum.
  QLayout* top = layout();
  top->activate();
  if (!top->hasHeightForWidth()) return;
  const int needed = top->totalHeightForWidth(width());
  setMinimumHeight(needed);
  if (height() < needed) resize(width(), needed);
}
