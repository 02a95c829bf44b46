// The batch command line: parse, read the reference tables and catalogues from
// the program's folder, read each input, compute, write the results. Nothing is
// written unless every input was accepted.
#include "batch/batch.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "batch/batchbuilding.h"
#include "batch/batchinput.h"
#include "batch/batchoutput.h"
#include "calc/dynamic.h"
#include "calc/errors.h"
#include "calc/ground.h"
#include "calc/ownmaterials.h"
#include "calc/reftables.h"
#include "calc/safefile.h"
#include "calc/textfile.h"
#include "draw/fixedfont.h"
#include "draw/kondensacja_draw.h"
#include "draw/pictures.h"
#include "draw/raport_budynku.h"
#include "draw/raport_draw.h"
#include "draw/raport_projektowy.h"
#include "draw/rysunek_draw.h"
#include "project/moisturerequest.h"
#include "project/projectfile.h"

namespace batch {

namespace {

struct Option {
  const char* polish;
  const char* english;
};
constexpr Option kCalc{"oblicz", "calc"};
constexpr Option kOutput{"wyjscie", "output"};
constexpr Option kReport{"raport", "report"};
constexpr Option kPage{"strona", "page"};
constexpr Option kTemperatureChart{"wykres-temperatury", "temperature-chart"};
constexpr Option kPressureChart{"wykres-cisnienia", "pressure-chart"};
constexpr Option kHelp{"pomoc", "help"};
constexpr Option kVersion{"wersja", "version"};

const QString kMaterialsFile = QStringLiteral("Dane/materiały.txt");

QStringList Names(const Option& o) {
  return {QString::fromLatin1(o.polish), QString::fromLatin1(o.english)};
}

// A refusal of one input file, as standard error shows it.
struct Refusal {
  QString text;
};

QString HelpText() {
  return QStringLiteral(
      "Użycie: veltorobl [opcje] [PLIK]\n"
      "PLIK: plik projektu (.Veltor) albo opis przegrody w JSON.\n"
      "Bez opcji otwiera program (z projektem .Veltor PLIK, jeśli podano; opis JSON\n"
      "czytają tylko opcje obliczeń).\n\n"
      "  --oblicz, --calc PLIK      oblicza przegrodę z pliku projektu (.Veltor) albo opisu JSON\n"
      "                             (tablica JSON: każdy element); wyniki jako JSON\n"
      "  --wyjscie, --output PLIK   zapisuje wyniki do pliku zamiast na standardowe wyjście\n"
      "  --raport, --report PLIK.pdf|.odt\n"
      "                             raport projektowy przegrody podanej jako ostatni argument\n"
      "  --strona, --page PLIK.bmp|.jpg|.pdf\n"
      "                             jednostronicowy raport obliczeń\n"
      "  --wykres-temperatury, --temperature-chart PLIK.bmp|.jpg\n"
      "  --wykres-cisnienia, --pressure-chart PLIK.bmp|.jpg\n"
      "                             wykresy rozkładu temperatury i ciśnienia pary wodnej\n"
      "  --pomoc, --help            ten opis\n"
      "  --wersja, --version        wersja programu\n\n"
      "Kod wyjścia: 0 powodzenie, 1 odrzucone dane wejściowe, 2 błędny wiersz poleceń.\n");
}

QString Version() {
  return QStringLiteral("VELTORobl %1\n").arg(QStringLiteral(VELTOR_VERSION));
}

bool IsProjectFile(const QString& path) {
  return QFileInfo(path).suffix().compare(QLatin1String("veltor"), Qt::CaseInsensitive) == 0;
}

// A project's saved moisture choices give its assessment, as in the window
// and the designer's report; choices the window would refuse give none.
void UseSavedMoisture(BatchCase& c) {
  if (!c.extras || c.extras->ground.onGround()) return;
  const veltor::MoistureRequest request = veltor::MoistureRequestOf(c.extras->moisture, c.conditions);
  if (request.state != veltor::MoistureRequest::State::Ready) return;
  c.moisture = request.input;
  if (!request.typed) c.climateName = c.extras->moisture.stationName;
}

// Every case at once: a building's partitions, read whole.
std::vector<BatchCase> ReadInput(const QString& path, const Catalogues& catalogues,
                                 const veltor::SaturationTable& saturation, bool& many, bool& building) {
  many = building = false;
  if (IsProjectFile(path)) {
    veltor::BuildingContents loaded = veltor::LoadBuildingFile(path);
    // A building file of several partitions (or of one named partition)
    // gives the building's results; a plain project the wall's as before.
    building = loaded.partitions.size() > 1 || !loaded.partitions.front().identity.isDefault();
    std::vector<BatchCase> cases(loaded.partitions.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
      veltor::PartitionContents& p = loaded.partitions[i];
      const QString where = building ? QStringLiteral("partitions[%1]").arg(i) : QString();
      try {
        veltor::CheckStoredConditions(p.conditions, saturation);
      } catch (const veltor::Error& e) {
        throw InputError(where, e.message());
      }
      cases[i].description = loaded.description;
      cases[i].conditions = p.conditions;
      cases[i].layers = std::move(p.layers);
      cases[i].identity = p.identity;
      cases[i].extras = p.extras;
      cases[i].ground = p.extras.ground;
      UseSavedMoisture(cases[i]);
      if (building && cases[i].identity.symbol.isEmpty())
        cases[i].identity.symbol = QStringLiteral("przegroda %1").arg(i + 1);
      if (cases[i].layers.empty())
        throw InputError(where, QStringLiteral("projekt nie zawiera żadnej warstwy"));
    }
    return cases;
  }
  return ReadDocument(veltor::ReadDataFile(path), catalogues, &many, &building);
}

// The cases of one input: a project gives one, a JSON description one per
// element, each read (and checked) when asked for.
class Input {
 public:
  Input(const QString& path, const Catalogues& catalogues, const veltor::SaturationTable& saturation)
      : saturation_(saturation) {
    if (IsProjectFile(path)) {
      bool many = false, building = false;
      std::vector<BatchCase> all = ReadInput(path, catalogues, saturation, many, building);
      if (building) {
        building_ = std::move(all);
        return;
      }
      project_ = veltor::LoadProjectFile(path).bytes;
    } else {
      json_.emplace(veltor::ReadDataFile(path), catalogues);
      if (json_->isBuilding()) {
        building_ = json_->takeBuilding();
        json_.reset();
      }
    }
  }
  // A building's partitions, all read: its results are one object over them.
  bool isBuilding() const { return building_.has_value(); }
  std::vector<BatchCase>& building() { return *building_; }
  bool isArray() const { return json_ && json_->isArray(); }
  qsizetype size() const { return building_ ? 0 : json_ ? json_->size() : 1; }
  BatchCase read(qsizetype index) const {
    if (json_) return json_->read(index);
    veltor::LoadedProject loaded = veltor::ReadProjectBytes(project_);
    veltor::CheckStoredConditions(loaded.contents.conditions, saturation_);
    BatchCase c;
    c.description = loaded.contents.description;
    c.conditions = loaded.contents.conditions;
    // As the window opens the file: the stored Rsi and Rse give way to the
    // direction's, so that one file never gives two U.
    c.conditions.setSurfaceResistancesFromDirection();
    c.layers = std::move(loaded.contents.layers);
    c.extras = loaded.contents.extras;
    UseSavedMoisture(c);
    if (c.layers.empty()) throw InputError({}, QStringLiteral("projekt nie zawiera żadnej warstwy"));
    for (int i = 0; i < c.layers.size(); ++i)
      CheckLayerLimits(c.layers.at(i), QStringLiteral("layers[%1]").arg(i));
    return c;
  }

 private:
  const veltor::SaturationTable& saturation_;
  std::optional<Document> json_;
  std::optional<std::vector<BatchCase>> building_;
  QByteArray project_;
};

QString StandardOutputFailed(const QIODevice& out) {
  return QStringLiteral("Nie zapisano wyników na standardowe wyjście (%1)").arg(out.errorString());
}

Catalogues LoadCatalogues() {
  Catalogues catalogues;
  catalogues.materials = LoadCatalogueMaterials(kMaterialsFile);
  catalogues.stations = veltor::LoadClimateFile(veltor::kClimateFile);
  const QString userClimate = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                              QStringLiteral("/veltorobl/klimat.txt");
  // A damaged file of the user's stations refuses only a run that names a station.
  if (QFileInfo::exists(userClimate)) {
    try {
      veltor::AppendUserStations(catalogues.stations, userClimate);
    } catch (const veltor::Error& e) {
      catalogues.stationsProblem = e.message();
    }
  }
  return catalogues;
}

// A picture or document asked for, with the file type its name gives, opened
// before any work so that a run refused for one output writes none of them.
struct Output {
  QString path;
  QString kind;  // "pdf", "odt", "bmp", "jpg"
  std::shared_ptr<veltor::SafeFile> file;
};

QString OutputKind(const QString& path, const QStringList& allowed) {
  QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("jpeg")) suffix = QStringLiteral("jpg");
  return allowed.contains(suffix) ? suffix : QString();
}

ui::PictureType PictureTypeOf(const QString& kind) {
  if (kind == QLatin1String("jpg")) return ui::PictureType::Jpeg;
  if (kind == QLatin1String("pdf")) return ui::PictureType::Pdf;
  return ui::PictureType::Bitmap;
}

void WriteDocuments(BatchCase& c, const veltor::ReferenceTables& tables, const std::optional<Output>& report,
                    const std::optional<Output>& page, const std::optional<Output>& charts1,
                    const std::optional<Output>& charts2, QStringList& notices) {
  const QString folder = QDir::currentPath();
  veltor::PartitionSummary summary;
  veltor::CalculatePartition(c.layers, summary, c.conditions, tables);
  const auto climateName = [&] {
    return c.climateName.isEmpty() ? kondensacja::kOwnClimateName : c.climateName;
  };
  if (report) {
    // A project file's document is the window's; a JSON description asks for
    // the moisture page by giving a climate, and lists the dynamics.
    veltor::ProjectExtras extras = c.extras.value_or(veltor::ProjectExtras{});
    extras.ground = c.ground;
    if (!c.groundWallLayers.empty())
      extras.ground.wallResistance = veltor::WallResistance(c.groundWallLayers, c.conditions, tables.air);
    designreport::Input in = designreport::Prepare(
        c.description, c.conditions, c.layers, extras,
        designreport::LoadCatalogue(folder, veltor::OwnMaterialsFile()), tables, folder);
    if (!c.extras && c.moisture && !c.ground.onGround()) {
      in.moisture = kondensacja::Assess(c.layers, *c.moisture, tables.air, climateName());
      in.moisturePage = true;
    }
    in.version = QStringLiteral(VELTOR_VERSION);
    in.date = QDate::currentDate();
    notices << in.chartNotes;
    report->file->write(report->kind == QLatin1String("odt") ? designreport::OdtBytes(in)
                                                             : designreport::PdfBytes(in));
  }
  if (page) {
    const QImage sheet =
        raport::BuildReport(raport::LoadReportTemplate(folder + QLatin1String(raport::kTemplatePath)),
                            c.layers, summary, c.conditions, c.description);
    page->file->write(
        ui::EncodePages({sheet}, PictureTypeOf(page->kind),
                        {raport::ReportVectorPage(c.layers, summary, c.conditions, c.description)}));
  }
  int kind = 0;
  const veltor::DesignConditions boundary = veltor::WithRseInForce(c.conditions);
  for (const std::optional<Output>* chartOutput : {&charts1, &charts2}) {
    ++kind;
    if (!*chartOutput) continue;
    QImage picture = ui::KeptPicture(chart::BackgroundPath(folder, kind));
    notices << chart::DrawChart(picture, kind, {c.layers, summary, boundary, tables.saturation},
                                chart::HatchesFrom(folder))
                   .skipped;
    (*chartOutput)->file->write(ui::EncodePages({picture}, PictureTypeOf((*chartOutput)->kind)));
  }
}

// The building's document: each partition's input as the window makes it.
void WriteBuildingReport(std::vector<BatchCase>& cases, const veltor::ReferenceTables& tables,
                         const Output& report, QStringList& notices) {
  const QString folder = QDir::currentPath();
  const designreport::Catalogue catalogue = designreport::LoadCatalogue(folder, veltor::OwnMaterialsFile());
  std::vector<designreport::Input> inputs;
  inputs.reserve(cases.size());
  std::vector<designreport::BuildingPart> parts;
  for (BatchCase& c : cases) {
    veltor::ProjectDescription description = c.description;
    description[veltor::kName] = c.identity.name.isEmpty() ? c.identity.symbol : c.identity.name;
    designreport::Input in =
        designreport::Prepare(description, c.conditions, c.layers, c.extras.value_or(veltor::ProjectExtras{}),
                              catalogue, tables, folder);
    if (!c.extras && c.moisture) {
      in.moisture =
          kondensacja::Assess(c.layers, *c.moisture, tables.air,
                              c.climateName.isEmpty() ? kondensacja::kOwnClimateName : c.climateName);
      in.moisturePage = true;
    }
    in.version = QStringLiteral(VELTOR_VERSION);
    in.date = QDate::currentDate();
    in.partitionHeading = designreport::PartHeading(c.identity);
    notices << in.chartNotes;
    inputs.push_back(std::move(in));
    parts.push_back({c.identity, nullptr});
  }
  for (std::size_t i = 0; i < parts.size(); ++i) parts[i].input = &inputs[i];
  designreport::WriteBuildingDocument(cases.front().description, parts, report.path,
                                      report.kind != QLatin1String("odt"));
}

}  // namespace

bool IsBatchCommandLine(int argc, char* argv[]) {
  // The toolkit's own options (-style fusion, -platform xcb) still start the
  // windows; any other word with a dash is ours, and one we do not know gets
  // the usage text instead of a window that may have no display to open on.
  static constexpr const char* kToolkitOptions[] = {"platform",
                                                    "platformpluginpath",
                                                    "platformtheme",
                                                    "plugin",
                                                    "qwindowgeometry",
                                                    "qwindowicon",
                                                    "qwindowtitle",
                                                    "reverse",
                                                    "session",
                                                    "style",
                                                    "stylesheet",
                                                    "widgetcount",
                                                    "display",
                                                    "geometry",
                                                    "title",
                                                    "name",
                                                    "nograb",
                                                    "dograb",
                                                    "sync",
                                                    "qmljsdebugger"};
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (arg[0] != '-') continue;
    if (arg[1] == '\0') return true;  // "-": standard input or output, a batch word
    const char* name = arg + (arg[1] == '-' ? 2 : 1);
    const std::size_t n = std::strcspn(name, "=");
    const bool toolkit =
        std::any_of(std::begin(kToolkitOptions), std::end(kToolkitOptions),
                    [&](const char* o) { return std::strlen(o) == n && !std::strncmp(o, name, n); });
    if (!toolkit) return true;
    // The toolkit's option's value is no option of ours.
    if (name[n] == '\0') ++i;
  }
  return false;
}

int RunBatchCommand(const QStringList& arguments, QIODevice& out, QByteArray& err,
                    const QString& startFolder) {
  QCommandLineParser parser;
  const QCommandLineOption calc(Names(kCalc), QString(), QStringLiteral("PLIK"));
  const QCommandLineOption output(Names(kOutput), QString(), QStringLiteral("PLIK"));
  const QCommandLineOption report(Names(kReport), QString(), QStringLiteral("PLIK"));
  const QCommandLineOption page(Names(kPage), QString(), QStringLiteral("PLIK"));
  const QCommandLineOption temperatureChart(Names(kTemperatureChart), QString(), QStringLiteral("PLIK"));
  const QCommandLineOption pressureChart(Names(kPressureChart), QString(), QStringLiteral("PLIK"));
  const QCommandLineOption help(Names(kHelp));
  const QCommandLineOption version(Names(kVersion));
  parser.addOptions({calc, output, report, page, temperatureChart, pressureChart, help, version});
  const auto usage = [&](const QString& why) {
    err += (why + QStringLiteral("\n\n") + HelpText()).toUtf8();
    return kExitUsage;
  };
  // Options have two dashes: "-calc" is not --calc (nor -c -a -l -c).
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& arg = arguments.at(i);
    if (arg == QLatin1String("--")) break;
    if (arg.size() > 1 && arg.startsWith(QLatin1Char('-')) && !arg.startsWith(QLatin1String("--")))
      return usage(QStringLiteral("Nieznana opcja: %1 (opcje zaczynają się od --)").arg(arg));
    // The value of an option that takes one may start with a dash ("--output -").
    for (const QCommandLineOption* o : {&calc, &output, &report, &page, &temperatureChart, &pressureChart})
      if (o->names().contains(arg.mid(2))) ++i;
  }
  if (!parser.parse(arguments)) return usage(parser.errorText());
  if (parser.isSet(help)) {
    out.write(HelpText().toUtf8());
    return kExitOk;
  }
  if (parser.isSet(version)) {
    out.write(Version().toUtf8());
    return kExitOk;
  }
  // Paths are the user's: relative to the folder the command started in,
  // whatever they begin with; "-" alone is standard output.
  const QDir user(startFolder);
  const auto pathOf = [&](const QString& value) {
    return value == QLatin1String("-") ? value : QDir::cleanPath(user.absoluteFilePath(value));
  };
  const auto outputOf = [&](const QCommandLineOption& option, const QStringList& kinds,
                            std::optional<Output>& out_, QString& problem) {
    if (!parser.isSet(option)) return;
    out_ = Output{pathOf(parser.value(option)), OutputKind(parser.value(option), kinds), {}};
    if (out_->kind.isEmpty())
      problem = QStringLiteral("--%1: plik musi mieć rozszerzenie %2")
                    .arg(option.names().front(), QStringLiteral(".") + kinds.join(QStringLiteral(", .")));
  };
  std::optional<Output> reportOut, pageOut, temperatureOut, pressureOut;
  QString problem;
  outputOf(report, {QStringLiteral("pdf"), QStringLiteral("odt")}, reportOut, problem);
  outputOf(page, {QStringLiteral("bmp"), QStringLiteral("jpg"), QStringLiteral("pdf")}, pageOut, problem);
  outputOf(temperatureChart, {QStringLiteral("bmp"), QStringLiteral("jpg")}, temperatureOut, problem);
  outputOf(pressureChart, {QStringLiteral("bmp"), QStringLiteral("jpg")}, pressureOut, problem);
  if (!problem.isEmpty()) return usage(problem);
  const bool documents = reportOut || pageOut || temperatureOut || pressureOut;
  const QStringList positional = parser.positionalArguments();
  if (!parser.isSet(calc) && !documents)
    return usage(QStringLiteral("Podaj plik do obliczenia: --oblicz PLIK"));
  if (positional.size() > 1 || (parser.isSet(calc) && !positional.isEmpty()))
    return usage(QStringLiteral("Za dużo plików wejściowych: %1").arg(positional.join(QLatin1Char(' '))));
  if (!parser.isSet(calc) && positional.isEmpty())
    return usage(QStringLiteral("Podaj przegrodę (plik projektu albo opis JSON) jako ostatni argument"));
  if (parser.isSet(output) && !parser.isSet(calc))
    return usage(QStringLiteral("--wyjscie zapisuje wyniki --oblicz"));

  const QString input =
      QDir::cleanPath(user.absoluteFilePath(parser.isSet(calc) ? parser.value(calc) : positional.front()));
  const QString outputPath = parser.isSet(output) ? pathOf(parser.value(output)) : QStringLiteral("-");
  try {
    // No result may land on the input, nor two results on one file.
    QStringList targets;
    if (outputPath != QLatin1String("-")) targets << outputPath;
    for (const std::optional<Output>* o : {&reportOut, &pageOut, &temperatureOut, &pressureOut})
      if (*o) targets << (*o)->path;
    const auto same = [](const QString& a, const QString& b) {
      const QString ca = QFileInfo(a).canonicalFilePath();
      return a == b || (!ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath());
    };
    for (qsizetype i = 0; i < targets.size(); ++i) {
      if (same(targets[i], input))
        throw Refusal{QStringLiteral("%1: plik wejściowy nie może być plikiem wyników").arg(targets[i])};
      for (qsizetype j = 0; j < i; ++j)
        if (same(targets[i], targets[j]))
          throw Refusal{QStringLiteral("%1: dwa wyniki nie mogą trafić do jednego pliku").arg(targets[i])};
    }

    veltor::ReferenceTables tables;
    veltor::LoadSaturationTable(tables.saturation);
    veltor::LoadAirLayerTable(tables.air);
    const Catalogues catalogues = LoadCatalogues();

    std::optional<Input> cases;
    try {
      cases.emplace(input, catalogues, tables.saturation);
      // Every case is read once before anything is computed or written: a
      // refused element refuses the run, whichever it is.
      for (qsizetype i = 0; i < cases->size(); ++i) cases->read(i);
    } catch (const InputError& e) {
      throw Refusal{input + QStringLiteral(": ") + e.text()};
    } catch (const veltor::Error& e) {
      throw Refusal{input + QStringLiteral(": ") + e.message()};
    }
    if (documents && cases->isArray())
      throw Refusal{input +
                    QStringLiteral(": raport i wykresy powstają dla jednej przegrody, a opis jest tablicą")};
    if (cases->isBuilding()) {
      // A building's results are one object over its partitions: computed
      // whole, then written through the same safe writer.
      if (pageOut || temperatureOut || pressureOut)
        throw Refusal{input + QStringLiteral(": dla budynku powstaje tylko raport projektowy (--raport)")};
      std::vector<BatchCase>& all = cases->building();
      std::vector<OutValue> results;
      QStringList notices;
      for (std::size_t i = 0; i < all.size(); ++i) {
        try {
          results.push_back(ComputeResults(all[i], tables, notices));
        } catch (const veltor::Error& e) {
          throw Refusal{input + QStringLiteral(": ") + QStringLiteral("partitions[%1]: ").arg(i) +
                        e.message()};
        }
      }
      const QByteArray json = ToJson(BuildingResults(all, std::move(results)));
      try {
        if (parser.isSet(calc) && outputPath != QLatin1String("-")) veltor::WriteFileWhole(outputPath, json);
        if (reportOut) WriteBuildingReport(all, tables, *reportOut, notices);
      } catch (const veltor::Error& e) {
        throw Refusal{input + QStringLiteral(": ") + e.message()};
      }
      if (parser.isSet(calc) && outputPath == QLatin1String("-") && out.write(json) != json.size())
        throw Refusal{StandardOutputFailed(out)};
      for (const QString& notice : notices)
        err += (input + QStringLiteral(": ") + notice + QLatin1Char('\n')).toUtf8();
      return kExitOk;
    }

    // Every file is opened before the work: a missing folder refuses the run
    // before any of them is written.
    const auto open = [](const QString& path) {
      try {
        return std::make_shared<veltor::SafeFile>(path);
      } catch (const veltor::Error& e) {
        throw Refusal{QStringLiteral("%1: nie można zapisać pliku (%2)").arg(path, e.message())};
      }
    };
    for (std::optional<Output>* o : {&reportOut, &pageOut, &temperatureOut, &pressureOut})
      if (*o) (*o)->file = open((*o)->path);
    std::shared_ptr<veltor::SafeFile> resultFile;
    if (parser.isSet(calc) && outputPath != QLatin1String("-")) resultFile = open(outputPath);

    // The results go out one partition at a time, so that memory stays that
    // of one partition however long the array. Nothing reaches a file unless
    // the run completes; standard output may hold the partitions before a
    // refused one.
    const auto put = [&](const QByteArray& bytes) {
      if (resultFile)
        resultFile->write(bytes);
      else if (out.write(bytes) != bytes.size())
        throw Refusal{StandardOutputFailed(out)};
    };
    QStringList notices;
    if (cases->isArray()) put("[\n");
    for (qsizetype i = 0; i < cases->size(); ++i) {
      BatchCase c = cases->read(i);
      OutValue result;
      try {
        result = ComputeResults(c, tables, notices);
        if (documents) WriteDocuments(c, tables, reportOut, pageOut, temperatureOut, pressureOut, notices);
      } catch (const veltor::IoError& e) {
        if (e.code() == veltor::IoCode::DiskFull) throw Refusal{e.message()};
        throw Refusal{input + QStringLiteral(": ") + e.message()};
      } catch (const veltor::Error& e) {
        const QString where = cases->isArray() ? QStringLiteral("[%1]: ").arg(i) : QString();
        throw Refusal{input + QStringLiteral(": ") + where + e.message()};
      }
      if (!parser.isSet(calc)) continue;
      if (!cases->isArray()) {
        put(ToJson(result));
        continue;
      }
      // As the whole array would print: each element indented by one step.
      QByteArray element("    ");
      result.write(element, 1);
      element += i + 1 < cases->size() ? ",\n" : "\n";
      put(element);
    }
    if (cases->isArray()) put("]\n");
    try {
      if (resultFile) resultFile->commit();
      for (std::optional<Output>* o : {&reportOut, &pageOut, &temperatureOut, &pressureOut})
        if (*o) (*o)->file->commit();
    } catch (const veltor::Error& e) {
      throw Refusal{e.message()};
    }
    for (const QString& notice : notices)
      err += (input + QStringLiteral(": ") + notice + QLatin1Char('\n')).toUtf8();
    return kExitOk;
  } catch (const Refusal& r) {
    err += (r.text + QLatin1Char('\n')).toUtf8();
  } catch (const veltor::Error& e) {
    // The program's own data files (reference tables, catalogues).
    err += (e.message() + QLatin1Char('\n')).toUtf8();
  }
  return kExitRefused;
}

int RunBatchCommand(const QStringList& arguments, QByteArray& out, QByteArray& err) {
  QBuffer buffer(&out);
  buffer.open(QIODevice::WriteOnly | QIODevice::Append);
  return RunBatchCommand(arguments, buffer, err, QDir::currentPath());
}

int RunBatch(int argc, char* argv[]) {
  // No display is needed: the pictures are drawn offscreen.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Standard error carries the refusals a script reads; the toolkit's own
  // remarks (no runtime folder on a server, say) would only blur them.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
  });
  QGuiApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("VELTORobl"));
  QCoreApplication::setApplicationVersion(QStringLiteral(VELTOR_VERSION));
  // Paths on the command line are the user's, relative to where they started;
  // the data files lie beside the program.
  const QString startFolder = QDir::currentPath();
  QDir::setCurrent(QCoreApplication::applicationDirPath());
  ui::LoadDrawingFonts(QStringLiteral("Czcionki"));
  QFile out;
  out.open(stdout, QIODevice::WriteOnly);
  QByteArray err;
  int status = RunBatchCommand(QCoreApplication::arguments(), out, err, startFolder);
  // Results that never reached standard output (a full disk behind it) are no success.
  if (!out.flush() && status == kExitOk) {
    err += (StandardOutputFailed(out) + QLatin1Char('\n')).toUtf8();
    status = kExitRefused;
  }
  std::fwrite(err.constData(), 1, static_cast<std::size_t>(err.size()), stderr);
  return status;
}

}  // namespace batch
