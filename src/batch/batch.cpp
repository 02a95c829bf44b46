// The batch command line: parse, read the reference tables and catalogues from
// the program's folder, read each input, compute, write the results. Nothing is
// written unless every input was accepted.
#include "batch/batch.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QStandardPaths>
#include <cstdio>
#include <cstring>
#include <optional>

#include "batch/batchbuilding.h"
#include "batch/batchinput.h"
#include "batch/batchoutput.h"
#include "calc/dynamic.h"
#include "calc/errors.h"
#include "calc/ground.h"
#include "calc/ownmaterials.h"
#include "calc/reftables.h"
#include "calc/textfile.h"
#include "draw/kondensacja_draw.h"
#include "draw/pictures.h"
#include "draw/raport_budynku.h"
#include "draw/raport_draw.h"
#include "draw/raport_projektowy.h"
#include "draw/rysunek_draw.h"
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
constexpr Option kBatchOptions[] = {kCalc,          kOutput, kReport, kPage, kTemperatureChart,
                                    kPressureChart, kHelp,   kVersion};

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
      if (building && cases[i].identity.symbol.isEmpty())
        cases[i].identity.symbol = QStringLiteral("przegroda %1").arg(i + 1);
      if (cases[i].layers.empty())
        throw InputError(where, QStringLiteral("projekt nie zawiera żadnej warstwy"));
    }
    return cases;
  }
  return ReadDocument(veltor::ReadDataFile(path), catalogues, &many, &building);
}

Catalogues LoadCatalogues() {
  Catalogues catalogues;
  catalogues.materials = LoadCatalogueMaterials(kMaterialsFile);
  catalogues.stations = veltor::LoadClimateFile(veltor::kClimateFile);
  const QString userClimate = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                              QStringLiteral("/veltorobl/klimat.txt");
  if (QFileInfo::exists(userClimate))
    for (veltor::ClimateStation& s : veltor::LoadClimateFile(userClimate))
      catalogues.stations.push_back(std::move(s));
  return catalogues;
}

void WriteOutput(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    throw Refusal{QStringLiteral("%1: nie udało się zapisać pliku (%2)").arg(path, file.errorString())};
}

// A picture or document asked for, with the file type its name gives.
struct Output {
  QString path;
  QString kind;  // "pdf", "odt", "bmp", "jpg"
};

// The type from the name's extension, or empty when `allowed` has none of it.
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
    if (report->kind == QLatin1String("odt"))
      designreport::WriteOdt(in, report->path);
    else
      designreport::WritePdf(in, report->path);
  }
  if (page) {
    const QImage sheet =
        raport::BuildReport(raport::LoadReportTemplate(folder + QLatin1String(raport::kTemplatePath)),
                            c.layers, summary, c.conditions, c.description);
    ui::WriteFileSafely(
        page->path,
        ui::EncodePages({sheet}, PictureTypeOf(page->kind),
                        {raport::ReportVectorPage(c.layers, summary, c.conditions, c.description)}));
  }
  int kind = 0;
  const veltor::DesignConditions boundary = veltor::WithRseInForce(c.conditions);
  for (const std::optional<Output>* chartOutput : {&charts1, &charts2}) {
    ++kind;
    if (!*chartOutput) continue;
    QImage picture = ui::LoadPicture(chart::BackgroundPath(folder, kind));
    notices << chart::DrawChart(picture, kind, {c.layers, summary, boundary, tables.saturation},
                                chart::HatchesFrom(folder))
                   .skipped;
    ui::WriteFileSafely((*chartOutput)->path,
                        ui::EncodePages({picture}, PictureTypeOf((*chartOutput)->kind)));
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
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strncmp(arg, "--", 2) != 0) continue;
    for (const Option& o : kBatchOptions) {
      for (const char* name : {o.polish, o.english}) {
        const std::size_t n = std::strlen(name);
        if (std::strncmp(arg + 2, name, n) == 0 && (arg[2 + n] == '\0' || arg[2 + n] == '=')) return true;
      }
    }
  }
  return false;
}

int RunBatchCommand(const QStringList& arguments, QByteArray& out, QByteArray& err) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption calc(Names(kCalc), QString(), QStringLiteral("PLIK"));
  const QCommandLineOption output(Names(kOutput), QString(), QStringLiteral("PLIK"));
  const QCommandLineOption report(Names(kReport), QString(), QStringLiteral("PLIK"));
  const QCommandLineOption page(Names(kPage), QString(), QStringLiteral("PLIK"));
  const QCommandLineOption temperatureChart(Names(kTemperatureChart), QString(), QStringLiteral("PLIK"));
  const QCommandLineOption pressureChart(Names(kPressureChart), QString(), QStringLiteral("PLIK"));
  const QCommandLineOption help(Names(kHelp));
  const QCommandLineOption version(Names(kVersion));
  parser.addOptions({calc, output, report, page, temperatureChart, pressureChart, help, version});
  if (!parser.parse(arguments)) {
    err += (parser.errorText() + QStringLiteral("\n\n") + HelpText()).toUtf8();
    return kExitUsage;
  }
  if (parser.isSet(help)) {
    out += HelpText().toUtf8();
    return kExitOk;
  }
  if (parser.isSet(version)) {
    out += Version().toUtf8();
    return kExitOk;
  }
  const auto usage = [&](const QString& why) {
    err += (why + QStringLiteral("\n\n") + HelpText()).toUtf8();
    return kExitUsage;
  };
  const auto outputOf = [&](const QCommandLineOption& option, const QStringList& kinds,
                            std::optional<Output>& out_, QString& problem) {
    if (!parser.isSet(option)) return;
    out_ = Output{parser.value(option), OutputKind(parser.value(option), kinds)};
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

  const QString input = parser.isSet(calc) ? parser.value(calc) : positional.front();
  try {
    veltor::ReferenceTables tables;
    veltor::LoadSaturationTable(tables.saturation);
    veltor::LoadAirLayerTable(tables.air);
    const Catalogues catalogues = LoadCatalogues();

    std::vector<BatchCase> cases;
    bool many = false;
    bool building = false;
    try {
      cases = ReadInput(input, catalogues, tables.saturation, many, building);
    } catch (const InputError& e) {
      throw Refusal{input + QStringLiteral(": ") + e.text()};
    } catch (const veltor::Error& e) {
      throw Refusal{input + QStringLiteral(": ") + e.message()};
    }
    if (documents && (many || (building && (pageOut || temperatureOut || pressureOut))))
      throw Refusal{
          input +
          (many ? QStringLiteral(": raport i wykresy powstają dla jednej przegrody, a opis jest tablicą")
                : QStringLiteral(": dla budynku powstaje tylko raport projektowy (--raport)"))};
    QJsonArray results;
    QStringList notices;
    for (std::size_t i = 0; i < cases.size(); ++i) {
      try {
        results.append(ComputeResults(cases[i], tables, notices));
      } catch (const veltor::Error& e) {
        const QString where = building           ? QStringLiteral("partitions[%1]: ").arg(i)
                              : cases.size() > 1 ? QStringLiteral("[%1]: ").arg(i)
                                                 : QString();
        throw Refusal{input + QStringLiteral(": ") + where + e.message()};
      }
    }
    if (documents && building) {
      try {
        WriteBuildingReport(cases, tables, *reportOut, notices);
      } catch (const veltor::Error& e) {
        throw Refusal{input + QStringLiteral(": ") + e.message()};
      }
    } else if (documents) {
      try {
        WriteDocuments(cases.front(), tables, reportOut, pageOut, temperatureOut, pressureOut, notices);
      } catch (const veltor::Error& e) {
        throw Refusal{input + QStringLiteral(": ") + e.message()};
      }
    }
    if (!parser.isSet(calc)) {
      for (const QString& notice : notices)
        err += (input + QStringLiteral(": ") + notice + QLatin1Char('\n')).toUtf8();
      return kExitOk;
    }
    for (const QString& notice : notices)
      err += (input + QStringLiteral(": ") + notice + QLatin1Char('\n')).toUtf8();
    // One object in, one object out; an array in, an array out.
    const QByteArray json =
        building ? QJsonDocument(BuildingResults(cases, results)).toJson(QJsonDocument::Indented)
        : many   ? QJsonDocument(results).toJson(QJsonDocument::Indented)
                 : QJsonDocument(results.at(0).toObject()).toJson(QJsonDocument::Indented);
    if (parser.isSet(output))
      WriteOutput(parser.value(output), json);
    else
      out += json;
    return kExitOk;
  } catch (const Refusal& r) {
    err += (r.text + QLatin1Char('\n')).toUtf8();
  } catch (const veltor::Error& e) {
    // The program's own data files (reference tables, catalogues).
    err += (e.message() + QLatin1Char('\n')).toUtf8();
  }
  return kExitRefused;
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
  QStringList arguments = QCoreApplication::arguments();
  const QDir user = QDir::current();
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    QString& arg = arguments[i];
    const qsizetype equals = arg.indexOf(QLatin1Char('='));
    if (!arg.startsWith(QLatin1Char('-')))
      arg = QDir::cleanPath(user.absoluteFilePath(arg));
    else if (arg.startsWith(QLatin1String("--")) && equals > 0)
      arg = arg.left(equals + 1) + QDir::cleanPath(user.absoluteFilePath(arg.mid(equals + 1)));
  }
  QDir::setCurrent(QCoreApplication::applicationDirPath());
  QByteArray out;
  QByteArray err;
  const int status = RunBatchCommand(arguments, out, err);
  std::fwrite(out.constData(), 1, static_cast<std::size_t>(out.size()), stdout);
  std::fwrite(err.constData(), 1, static_cast<std::size_t>(err.size()), stderr);
  return status;
}

}  // namespace batch
