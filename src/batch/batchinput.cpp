// Reading of the JSON description into layer records, design conditions and a
// moisture input. A reader walks the document with the path of the field it is
// on, so that every refusal can name it.
#include "batch/batchinput.h"
#include "batch/batchfields.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "batch/batchbuilding.h"
#include "calc/calculation.h"
#include "calc/catalogue.h"
#include "calc/errors.h"
#include "calc/numbers.h"
#include "calc/ownmaterials.h"
#include "calc/reftables.h"
#include "calc/systemfiles.h"
#include "calc/textfile.h"
#include "calc/transmittance.h"

namespace batch {

InputError::InputError(QString path, QString message)
    : std::runtime_error((path + QStringLiteral(": ") + message).toStdString()),
      path_(std::move(path)),
      message_(std::move(message)) {}

QString InputError::text() const {
  return path_.isEmpty() ? message_ : path_ + QStringLiteral(": ") + message_;
}

namespace {

// Text that the Windows-1250 records can hold, at most `maxBytes` long.
QByteArray RecordText(const QString& text, int maxBytes, const QString& path) {
  const QByteArray bytes = veltor::ToCp1250(text);
  if (veltor::FromCp1250(bytes) != text)
    throw InputError(path, QStringLiteral("tekst zawiera znaki spoza kodowania Windows-1250"));
  if (bytes.size() > maxBytes)
    throw InputError(path, QStringLiteral("tekst może mieć najwyżej %1 znaków").arg(maxBytes));
  return bytes;
}

QString CandidateList(const std::vector<const CatalogueMaterial*>& candidates) {
  QStringList names;
  for (const CatalogueMaterial* c : candidates) {
    if (names.size() == 10) {
      names << QStringLiteral("…");
      break;
    }
    names << QLatin1Char('"') + c->name + QLatin1Char('"');
  }
  return names.join(QStringLiteral(", "));
}

const veltor::LayerRecord& FindMaterial(const QString& name, const Catalogues& catalogues,
                                        const QString& path) {
  std::vector<const CatalogueMaterial*> exact;
  std::vector<const CatalogueMaterial*> partial;
  const QString wanted = veltor::FoldForSearch(name.trimmed());
  for (const CatalogueMaterial& m : catalogues.materials) {
    if (m.name == name) return m.record;
    const QString folded = veltor::FoldForSearch(m.name);
    if (folded == wanted)
      exact.push_back(&m);
    else if (!wanted.isEmpty() && folded.contains(wanted))
      partial.push_back(&m);
  }
  if (exact.size() == 1) return exact.front()->record;
  if (exact.size() > 1)
    throw InputError(path,
                     QStringLiteral("nazwa materiału jest niejednoznaczna: %1").arg(CandidateList(exact)));
  if (partial.size() == 1) return partial.front()->record;
  if (partial.empty()) throw InputError(path, QStringLiteral("w katalogu nie ma materiału \"%1\"").arg(name));
  throw InputError(path,
                   QStringLiteral("nazwa materiału jest niejednoznaczna: %1").arg(CandidateList(partial)));
}

const QString kPositiveThickness = QStringLiteral("grubość musi być liczbą większą od 0");

// The layer window's limits, so that a description gives no wall the editor
// would refuse (and no 1e308 reaches the figures).
constexpr double kMaxAirThickness = 0.3;  // m: the air-layer table ends there
const QString kThicknessRange = QStringLiteral("grubość musi być liczbą większą od 0 i nie większą niż 10 m");
const QString kAirThicknessRange =
    QStringLiteral("grubość niewentylowanej warstwy powietrza nie może przekraczać 0,3 m");
const QString kLambdaRange =
    QStringLiteral("współczynnik przewodzenia ciepła λ musi być z zakresu od 0,001 do 500 W/(m·K)");
const QString kMuRange =
    QStringLiteral("współczynnik oporu dyfuzyjnego μ musi być z zakresu od 1 do 1000000");
const QString kSdRange =
    QStringLiteral("sd musi być równe 0 albo z zakresu od d do 1000000·d (μ od 1 do 1000000)");
const QString kDensityRange =
    QStringLiteral("gęstość musi być równa 0 (brak) albo z zakresu od 1 do 25000 kg/m³");
const QString kHeatRange =
    QStringLiteral("ciepło właściwe musi być równe 0 (brak) albo z zakresu od 100 do 5000 J/(kg·K)");

bool Within(double v, double lo, double hi) {
  return v >= lo && v <= hi;  // NaN never is
}

const QString kPositiveLambda =
    QStringLiteral("współczynnik przewodzenia ciepła λ musi być liczbą większą od 0");
const QString kPositiveMu = QStringLiteral("współczynnik oporu dyfuzyjnego μ musi być liczbą większą od 0");
const QString kNonNegativeSd = QStringLiteral("sd musi być liczbą nieujemną");
const QString kNonNegative = QStringLiteral("wartość musi być liczbą nieujemną");

const QString kShare = QStringLiteral("udział musi być liczbą większą od 0 i mniejszą od 1");

veltor::LayerBridge ReadBridge(const QJsonValue& value, const Catalogues& catalogues, const QString& path) {
  const Fields f(value, path, {"lambda", "lambda_humid", "material", "fraction"});
  veltor::LayerBridge bridge;
  if (f.has("material") == f.has("lambda"))
    throw InputError(path, QStringLiteral("podaj materiał mostka (material) albo jego λ (lambda)"));
  if (f.has("material")) {
    const veltor::LayerRecord& m = FindMaterial(f.string("material"), catalogues, f.pathOf("material"));
    bridge.material = m.nameText();
    bridge.lambdaMedium = m.lambdaMedium;
    bridge.lambdaHumid = m.lambdaHumid;
  } else {
    bridge.material = QStringLiteral("mostek");
    bridge.lambdaMedium = f.number("lambda", kPositiveLambda);
    bridge.lambdaHumid = f.optionalNumber("lambda_humid", kPositiveLambda).value_or(bridge.lambdaMedium);
    if (!(bridge.lambdaMedium > 0)) throw InputError(f.pathOf("lambda"), kPositiveLambda);
    if (!(bridge.lambdaHumid > 0)) throw InputError(f.pathOf("lambda_humid"), kPositiveLambda);
  }
  bridge.share = f.number("fraction", kShare);
  if (!(bridge.share > 0 && bridge.share < 1)) throw InputError(f.pathOf("fraction"), kShare);
  return bridge;
}

void ReadCorrections(const QJsonValue& value, const QString& path, veltor::UCorrections& out) {
  const Fields f(value, path, {"air_gap_level", "fasteners", "inverted_roof"});
  if (f.has("air_gap_level")) {
    const QString levels = QStringLiteral("poziom poprawki na nieszczelności: 0, 1 albo 2");
    const double level = f.number("air_gap_level", levels);
    if (level != 0 && level != 1 && level != 2) throw InputError(f.pathOf("air_gap_level"), levels);
    out.airGaps.level = static_cast<std::int32_t>(level);
  }
  if (f.has("fasteners")) {
    const Fields g(f.value("fasteners"), f.pathOf("fasteners"),
                   {"per_m2", "chi_p", "lambda", "area_mm2", "penetration", "depth"});
    // The corrections window's ranges: far beyond any real fastener, yet
    // keeping a slip such as 1e308 from the figures.
    const auto number = [&](const char* key, double hi, const QString& unit) {
      const QString range = QStringLiteral("wartość musi być większa od 0 i nie większa niż %1%2")
                                .arg(veltor::FormatGeneral(hi), unit);
      const double v = g.number(key, range);
      if (!(v > 0 && v <= hi)) throw InputError(g.pathOf(key), range);
      return v;
    };
    out.fasteners.perSquareMetre = number("per_m2", 100, QStringLiteral(" na m²"));
    if (g.has("chi_p")) {
      for (const char* other : {"lambda", "area_mm2", "penetration", "depth"})
        if (g.has(other))
          throw InputError(g.pathOf(other),
                           QStringLiteral("łącznik opisuje albo χp (chi_p), albo λ i przekrój, nie oba"));
      out.fasteners.method = veltor::FastenerMethod::PointTransmittance;
      out.fasteners.chiP = number("chi_p", 1, QStringLiteral(" W/K"));
    } else {
      out.fasteners.method = veltor::FastenerMethod::Conductivity;
      out.fasteners.lambda = number("lambda", 500, QStringLiteral(" W/(m·K)"));
      out.fasteners.area = number("area_mm2", 10000, QStringLiteral(" mm²")) * 1e-6;
      const QString penetration = g.has("penetration") ? g.string("penetration") : QStringLiteral("full");
      if (penetration == QLatin1String("recessed"))
        out.fasteners.recess = number("depth", 1, QStringLiteral(" m"));
      else if (penetration != QLatin1String("full"))
        throw InputError(g.pathOf("penetration"),
                         QStringLiteral("dopuszczalne wartości: \"full\", \"recessed\""));
      else if (g.has("depth"))
        throw InputError(g.pathOf("depth"), QStringLiteral("głębokość podaje się tylko dla \"recessed\""));
    }
  }
  if (f.has("inverted_roof")) {
    const Fields r(f.value("inverted_roof"), f.pathOf("inverted_roof"),
                   {"precipitation", "drainage", "factor"});
    const auto number = [&](const char* key, double hi) {
      const QString range =
          QStringLiteral("wartość musi być z zakresu od 0 do %1").arg(veltor::FormatGeneral(hi));
      const double v = r.number(key, range);
      if (!(v >= 0 && v <= hi)) throw InputError(r.pathOf(key), range);
      return v;
    };
    out.invertedRoof.enabled = true;
    out.invertedRoof.precipitation = number("precipitation", 100);
    out.invertedRoof.drainage = number("drainage", 1);
    out.invertedRoof.factor = number("factor", 1);
  }
}

veltor::LayerRecord ReadLayer(const QJsonValue& value, const Catalogues& catalogues, const QString& path) {
  const Fields f(value, path,
                 {"material", "air", "name", "d", "lambda", "lambda_humid", "mu", "sd", "density",
                  "heat_capacity", "hatch", "bridge"});
  const double d = f.number("d", kPositiveThickness);
  if (!(d > 0)) throw InputError(f.pathOf("d"), kPositiveThickness);

  const auto refuseWith = [&](std::initializer_list<const char*> keys, const QString& why) {
    for (const char* key : keys)
      if (f.has(key)) throw InputError(f.pathOf(key), why);
  };

  veltor::LayerRecord record;
  if (f.has("air")) {
    if (!f.boolean("air")) throw InputError(f.pathOf("air"), QStringLiteral("warstwa powietrza: wpisz true"));
    refuseWith(
        {"material", "name", "lambda", "lambda_humid", "mu", "sd", "density", "heat_capacity", "hatch"},
        QStringLiteral("warstwa powietrza ma tylko grubość"));
    record.name = QByteArray(veltor::kAirLayerName);
    // The catalogue's air layer's hatch: without one the charts have nothing to fill it with.
    record.fillPattern = QByteArrayLiteral("powi");
    record.vapourCoefficient = -INFINITY;
  } else if (f.has("material")) {
    refuseWith({"name", "lambda", "lambda_humid", "mu", "sd", "density", "heat_capacity", "hatch"},
               QStringLiteral("materiał z katalogu ma wartości z katalogu"));
    record = FindMaterial(f.string("material"), catalogues, f.pathOf("material"));
    record.raw = {};
  } else {
    if (!f.has("name"))
      throw InputError(path, QStringLiteral("warstwa potrzebuje pola material, air albo name"));
    record.name = RecordText(f.string("name"), 255, f.pathOf("name"));
    if (f.has("hatch")) record.fillPattern = RecordText(f.string("hatch"), 4, f.pathOf("hatch"));
    record.lambdaMedium = f.number("lambda", kPositiveLambda);
    if (!(record.lambdaMedium > 0)) throw InputError(f.pathOf("lambda"), kPositiveLambda);
    record.lambdaHumid = f.optionalNumber("lambda_humid", kPositiveLambda).value_or(record.lambdaMedium);
    if (!(record.lambdaHumid > 0)) throw InputError(f.pathOf("lambda_humid"), kPositiveLambda);
    if (f.has("mu") && f.has("sd"))
      throw InputError(f.pathOf("sd"), QStringLiteral("podaj μ albo sd, nie oba"));
    if (f.has("mu")) {
      const double mu = f.number("mu", kPositiveMu);
      if (!(mu > 0)) throw InputError(f.pathOf("mu"), kPositiveMu);
      record.vapourCoefficient = veltor::kAirVapourCoefficient / mu;
    } else if (f.has("sd")) {
      const double sd = f.number("sd", kNonNegativeSd);
      if (!(sd >= 0)) throw InputError(f.pathOf("sd"), kNonNegativeSd);
      // sd 0 is a layer without diffusion resistance, the records' "max".
      record.vapourCoefficient = sd == 0 ? -INFINITY : veltor::kAirVapourCoefficient * d / sd;
    } else {
      throw InputError(path, QStringLiteral("podaj μ albo sd warstwy"));
    }
    record.density = f.optionalNumber("density", kNonNegative).value_or(0);
    if (record.density < 0) throw InputError(f.pathOf("density"), kNonNegative);
    record.specificHeat = f.optionalNumber("heat_capacity", kNonNegative).value_or(0);
    if (record.specificHeat < 0) throw InputError(f.pathOf("heat_capacity"), kNonNegative);
  }
  record.thickness = d;
  if (f.has("bridge")) {
    if (record.isAirLayer())
      throw InputError(f.pathOf("bridge"), QStringLiteral("warstwa powietrza nie może być niejednorodna"));
    record.bridge = ReadBridge(f.value("bridge"), catalogues, f.pathOf("bridge"));
  }
  CheckLayerLimits(record, path, f.has("sd"));
  return record;
}

double TemperatureIn(const Fields& f, const char* key, double fallback) {
  const QString range = QStringLiteral("Dopuszczalne wartości: %1 ÷ %2")
                            .arg(veltor::kSaturationLowestIndex / 10.0, 0, 'f', 1)
                            .arg(veltor::kSaturationHighestIndex / 10.0, 0, 'f', 1);
  const double t = f.optionalNumber(key, range).value_or(fallback);
  if (t * 10 < veltor::kSaturationLowestIndex || t * 10 > veltor::kSaturationHighestIndex)
    throw InputError(f.pathOf(key), range);
  return t;
}

std::int32_t HumidityIn(const Fields& f, const char* key, std::int32_t fallback) {
  const QString range = QStringLiteral("Dopuszczalne wartości: 0 ÷ 100 (liczba całkowita)");
  const double phi = f.optionalNumber(key, range).value_or(fallback);
  if (phi < 0 || phi > 100 || phi != std::floor(phi)) throw InputError(f.pathOf(key), range);
  return static_cast<std::int32_t>(phi);
}

veltor::DesignConditions ReadConditions(const QJsonValue& value, const QString& path) {
  veltor::DesignConditions c = veltor::DesignConditions::startupValues();
  if (value.isUndefined()) return c;
  const Fields f(value, path,
                 {"ti", "te", "phi_i", "phi_e", "direction", "humid", "umax", "outer_side", "openings"});
  c.ti = TemperatureIn(f, "ti", c.ti);
  c.te = TemperatureIn(f, "te", c.te);
  c.phiI = HumidityIn(f, "phi_i", c.phiI);
  c.phiE = HumidityIn(f, "phi_e", c.phiE);
  if (f.has("direction")) {
    const QString direction = f.string("direction");
    if (direction == QLatin1String("up"))
      c.direction = 0;
    else if (direction == QLatin1String("horizontal"))
      c.direction = 1;
    else if (direction == QLatin1String("down"))
      c.direction = 2;
    else
      throw InputError(f.pathOf("direction"),
                       QStringLiteral("dopuszczalne wartości: \"horizontal\", \"up\", \"down\""));
  }
  if (f.has("humid")) c.humidityClass = f.boolean("humid") ? 1 : 0;
  if (f.has("umax")) {
    const QString negative = QStringLiteral("Wartość Umax nie może być ujemna");
    c.umax = f.number("umax", negative);
    if (c.umax < 0) throw InputError(f.pathOf("umax"), negative);
    if (c.umax > 10)
      throw InputError(f.pathOf("umax"), QStringLiteral("Wartość Umax nie może przekraczać 10 W/(m²K)"));
  }
  if (f.has("outer_side")) {
    const QString side = f.string("outer_side");
    if (side == QLatin1String("outdoor"))
      c.outerSide.kind = veltor::OuterSideKind::Outdoor;
    else if (side == QLatin1String("ventilated"))
      c.outerSide.kind = veltor::OuterSideKind::WellVentilated;
    else if (side == QLatin1String("unheated"))
      c.outerSide.kind = veltor::OuterSideKind::Unheated;
    else if (side == QLatin1String("slightly_ventilated"))
      c.outerSide.kind = veltor::OuterSideKind::SlightlyVentilated;
    else
      throw InputError(f.pathOf("outer_side"),
                       QStringLiteral("dopuszczalne wartości: \"outdoor\", \"ventilated\", \"unheated\", "
                                      "\"slightly_ventilated\""));
  }
  if (f.has("openings")) {
    const QString positive = QStringLiteral("pole otworów Av w mm² musi być liczbą nieujemną");
    c.outerSide.openings = f.number("openings", positive);
    if (c.outerSide.openings < 0) throw InputError(f.pathOf("openings"), positive);
  }
  c.setSurfaceResistancesFromDirection();
  return c;
}

void ReadDescription(const QJsonValue& value, const QString& path, BatchCase& out) {
  if (value.isUndefined()) return;
  const Fields f(value, path, {"name", "client", "designer", "date", "address", "licence"});
  const char* keys[] = {"name", "client", "designer", "date", "address", "licence"};
  static_assert(std::size(keys) == veltor::kDescriptionFieldCount);
  for (int i = 0; i < veltor::kDescriptionFieldCount; ++i) {
    if (!f.has(keys[i])) continue;
    out.description[i] = f.string(keys[i]);
    // The fixed description fields are short strings of 255 Windows-1250
    // bytes; the later ones are UTF-8 of as many characters as a box holds.
    if (i < veltor::kFixedDescriptionFields)
      RecordText(out.description[i], 255, f.pathOf(keys[i]));
    else if (out.description[i].size() > veltor::kMaxFieldLength)
      throw InputError(f.pathOf(keys[i]),
                       QStringLiteral("tekst może mieć najwyżej %1 znaków").arg(veltor::kMaxFieldLength));
  }
}

veltor::MonthlyClimate ReadMonths(const QJsonValue& value, const QString& path) {
  const QString shape = QStringLiteral("oczekiwano dwunastu par [te, phi_e], od stycznia do grudnia");
  if (!value.isArray() || value.toArray().size() != veltor::kMonthCount) throw InputError(path, shape);
  veltor::MonthlyClimate climate;
  const QJsonArray months = value.toArray();
  for (int m = 0; m < veltor::kMonthCount; ++m) {
    const QJsonArray pair = months.at(m).toArray();
    if (!months.at(m).isArray() || pair.size() != 2 || !pair.at(0).isDouble() || !pair.at(1).isDouble() ||
        !std::isfinite(pair.at(0).toDouble()) || !std::isfinite(pair.at(1).toDouble()))
      throw InputError(Indexed(path, m), QStringLiteral("oczekiwano pary liczb [te, phi_e]"));
    climate.te[m] = pair.at(0).toDouble();
    climate.phiE[m] = pair.at(1).toDouble();
  }
  try {
    veltor::ValidateClimate(climate);
  } catch (const veltor::Error& e) {
    throw InputError(path, e.message());
  }
  return climate;
}

void ReadClimate(const QJsonValue& value, const QString& path, const Catalogues& catalogues, BatchCase& out) {
  const Fields f(value, path, {"station", "months", "indoor"});
  veltor::MonthlyClimate climate;
  if (f.has("station") == f.has("months"))
    throw InputError(path, QStringLiteral("podaj stację (station) albo dwanaście miesięcy (months)"));
  if (f.has("station")) {
    const QString name = f.string("station");
    const veltor::ClimateStation* found = nullptr;
    for (const veltor::ClimateStation& s : catalogues.stations)
      if (s.name.compare(name, Qt::CaseInsensitive) == 0) found = &s;
    if (!catalogues.stationsProblem.isEmpty())
      throw InputError(f.pathOf("station"), catalogues.stationsProblem);
    if (!found) {
      QStringList names;
      for (const veltor::ClimateStation& s : catalogues.stations) names << s.name;
      throw InputError(
          f.pathOf("station"),
          QStringLiteral("nie ma stacji \"%1\"; dostępne: %2")
              .arg(name, names.isEmpty() ? QStringLiteral("brak") : names.join(QStringLiteral(", "))));
    }
    climate = found->climate;
    out.climateName = found->name;
  } else {
    climate = ReadMonths(f.value("months"), f.pathOf("months"));
  }
  veltor::MoistureInput input = veltor::MoistureInput::FromDesignConditions(out.conditions, climate);
  if (f.has("indoor")) {
    const Fields indoor(f.value("indoor"), f.pathOf("indoor"), {"class", "phi_i"});
    if (indoor.has("class") == indoor.has("phi_i"))
      throw InputError(indoor.path(), QStringLiteral("podaj klasę wilgotności (class) albo phi_i"));
    if (indoor.has("class")) {
      const QString range = QStringLiteral("klasa wilgotności: liczba całkowita 1 ÷ 5");
      const double cls = indoor.number("class", range);
      if (cls < 1 || cls > veltor::kHumidityClassCount || cls != std::floor(cls))
        throw InputError(indoor.pathOf("class"), range);
      input.indoor.mode = veltor::IndoorHumidity::HumidityClass;
      input.indoor.humidityClass = static_cast<int>(cls);
    } else {
      const QString range = QStringLiteral("Dopuszczalne wartości: 0 ÷ 100");
      const double phi = indoor.number("phi_i", range);
      if (phi < 0 || phi > 100) throw InputError(indoor.pathOf("phi_i"), range);
      input.indoor.phiI = phi;
    }
  }
  out.moisture = input;
}

// Where an offset of the text lies, for a person looking at it in an editor:
// lines and columns from 1, a column counting characters, not bytes.
QString LineAndColumn(const QByteArray& json, qsizetype offset) {
  offset = std::clamp<qsizetype>(offset, 0, json.size());
  int line = 1;
  qsizetype column = 1;
  for (qsizetype i = 0; i < offset; ++i) {
    const char c = json.at(i);
    if (c == '\n') {
      ++line;
      column = 1;
    } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
      ++column;
    }
  }
  return QStringLiteral("wiersz %1, kolumna %2").arg(line).arg(column);
}

QString SyntaxProblem(QJsonParseError::ParseError error) {
  switch (error) {
    case QJsonParseError::UnterminatedObject:
      return QStringLiteral("obiekt nie jest zamknięty (brak \"}\" albo przecinka)");
    case QJsonParseError::MissingNameSeparator:
      return QStringLiteral("brak dwukropka po nazwie pola");
    case QJsonParseError::UnterminatedArray:
      return QStringLiteral("tablica nie jest zamknięta (brak \"]\" albo przecinka)");
    case QJsonParseError::MissingValueSeparator:
      return QStringLiteral("brak przecinka między wartościami");
    case QJsonParseError::IllegalValue:
      return QStringLiteral("niedozwolona wartość");
    case QJsonParseError::TerminationByNumber:
      return QStringLiteral("tekst kończy się w środku liczby");
    case QJsonParseError::IllegalNumber:
      return QStringLiteral("niepoprawna liczba");
    case QJsonParseError::IllegalEscapeSequence:
      return QStringLiteral("niedozwolona sekwencja ze znakiem \\");
    case QJsonParseError::IllegalUTF8String:
      return QStringLiteral("tekst nie jest poprawnym UTF-8");
    case QJsonParseError::UnterminatedString:
      return QStringLiteral("tekst w cudzysłowie nie jest zamknięty");
    case QJsonParseError::MissingObject:
      return QStringLiteral("oczekiwano obiektu albo tablicy");
    case QJsonParseError::DeepNesting:
      return QStringLiteral("zbyt głębokie zagnieżdżenie");
    case QJsonParseError::DocumentTooLarge:
      return QStringLiteral("dokument jest za duży");
    case QJsonParseError::GarbageAtEnd:
      return QStringLiteral("nadmiarowy tekst po końcu dokumentu");
    default:
      return QStringLiteral("błąd składni");
  }
}

InputError SyntaxError(const QByteArray& json, qsizetype offset, const QString& problem) {
  return InputError({},
                    QStringLiteral("niepoprawny JSON (%1): %2").arg(LineAndColumn(json, offset), problem));
}

// The text of a string token starting at the quote `json[i]`, with `i` left
// after the closing quote. The text is JSON already accepted by the parser.
QString StringAt(const QByteArray& json, qsizetype& i) {
  QString text;
  qsizetype run = ++i;
  while (json.at(i) != '"') {
    if (json.at(i) != '\\') {
      ++i;
      continue;
    }
    text += QString::fromUtf8(json.constData() + run, i - run);
    const char e = json.at(i + 1);
    i += 2;
    switch (e) {
      case 'b':
        text += QLatin1Char('\b');
        break;
      case 'f':
        text += QLatin1Char('\f');
        break;
      case 'n':
        text += QLatin1Char('\n');
        break;
      case 'r':
        text += QLatin1Char('\r');
        break;
      case 't':
        text += QLatin1Char('\t');
        break;
      case 'u':
        text += QChar(static_cast<char16_t>(json.mid(i, 4).toUShort(nullptr, 16)));
        i += 4;
        break;
      default:
        text += QLatin1Char(e);
    }
    run = i;
  }
  text += QString::fromUtf8(json.constData() + run, i - run);
  ++i;
  return text;
}

// The parser keeps the last of two equal keys; a description whose "umax" is
// given twice would lose one without a word. Walks the accepted text once,
// holding the keys of the open objects only.
void RefuseDuplicateKeys(const QByteArray& json) {
  struct Level {
    bool object;
    QSet<QString> keys;
  };
  std::vector<Level> open;
  bool keyNext = false;
  for (qsizetype i = 0; i < json.size();) {
    const char c = json.at(i);
    if (c == '"') {
      const qsizetype start = i;
      QString text = StringAt(json, i);
      if (keyNext) {
        keyNext = false;
        if (open.back().keys.contains(text))
          throw SyntaxError(json, start, QStringLiteral("pole \"%1\" występuje dwa razy").arg(text));
        open.back().keys.insert(std::move(text));
      }
      continue;
    }
    if (c == '{' || c == '[') {
      open.push_back({c == '{', {}});
      keyNext = c == '{';
    } else if (c == '}' || c == ']') {
      open.pop_back();
    } else if (c == ',') {
      keyNext = !open.empty() && open.back().object;
    }
    ++i;
  }
}

}  // namespace

void CheckLayerLimits(const veltor::LayerRecord& r, const QString& path, bool sdGiven) {
  const auto refuse = [&](const char* key, const QString& why) {
    throw InputError(Join(path, QString::fromLatin1(key)), why);
  };
  if (!(r.thickness > 0 && r.thickness <= veltor::kMaxMaterialThickness)) refuse("d", kThicknessRange);
  if (r.isAirLayer()) {
    if (r.thickness > kMaxAirThickness) refuse("d", kAirThicknessRange);
    return;
  }
  if (!Within(r.lambdaMedium, veltor::kMinLambda, veltor::kMaxLambda)) refuse("lambda", kLambdaRange);
  if (!Within(r.lambdaHumid, veltor::kMinLambda, veltor::kMaxLambda)) refuse("lambda_humid", kLambdaRange);
  const double v = r.vapourCoefficient;
  if (!(std::isinf(v) && v < 0) &&
      !(v > 0 && Within(veltor::kAirVapourCoefficient / v, veltor::kMinMu, veltor::kMaxMu)))
    sdGiven ? refuse("sd", kSdRange) : refuse("mu", kMuRange);
  if (r.density != 0 && !Within(r.density, veltor::kMinDensity, veltor::kMaxDensity))
    refuse("density", kDensityRange);
  if (r.specificHeat != 0 && !Within(r.specificHeat, veltor::kMinSpecificHeat, veltor::kMaxSpecificHeat))
    refuse("heat_capacity", kHeatRange);
  if (r.bridge.present()) {
    if (!Within(r.bridge.lambdaMedium, veltor::kMinLambda, veltor::kMaxLambda))
      refuse("bridge.lambda", kLambdaRange);
    if (!Within(r.bridge.lambdaHumid, veltor::kMinLambda, veltor::kMaxLambda))
      refuse("bridge.lambda_humid", kLambdaRange);
  }
}

std::vector<CatalogueMaterial> LoadCatalogueMaterials(const QString& path) {
  // The materials catalogue has the masonry file's grammar: one shared reader,
  // which refuses a cut record and a file without any entry.
  veltor::TextReader reader = veltor::TextReader::open(path);
  veltor::CatalogueNodes tree;
  veltor::ReadMasonryFile(reader, tree);
  std::vector<CatalogueMaterial> materials;
  const auto walk = [&materials](const veltor::CatalogueNodes& nodes, const auto& self) -> void {
    for (const auto& node : nodes) {
      if (node->record) materials.push_back({veltor::FromCp1250(node->label), *node->record});
      self(node->children, self);
    }
  };
  walk(tree, walk);
  return materials;
}

// One of `names` (the index of the one given), or `fallback` when the key is absent or null.
template <typename Enum, std::size_t N>
Enum Choice(const Fields& f, const char* key, const char* const (&names)[N], Enum fallback) {
  if (!f.has(key) || f.value(key).isNull()) return fallback;
  const QString given = f.value(key).toString();
  QStringList quoted;
  for (std::size_t i = 0; i < N; ++i) {
    if (given == QLatin1String(names[i])) return static_cast<Enum>(i);
    quoted << QLatin1Char('"') + QLatin1String(names[i]) + QLatin1Char('"');
  }
  throw InputError(f.pathOf(key), QStringLiteral("oczekiwano jednej z wartości: %1").arg(quoted.join(", ")));
}

// A figure not below 0 (above 0 when `positive`); absent or null gives `fallback`.
double GroundFigure(const Fields& f, const char* key, double fallback, bool positive = false) {
  const QString why = positive ? QStringLiteral("wartość musi być liczbą większą od 0") : kNonNegative;
  if (!f.has(key) || f.value(key).isNull()) {
    if (positive && !(fallback > 0)) throw InputError(f.pathOf(key), why);
    return fallback;
  }
  const double v = f.number(key, why);
  if (positive ? !(v > 0) : v < 0) throw InputError(f.pathOf(key), why);
  return v;
}

constexpr const char* kGroundKinds[] = {"", "slab", "suspended", "heated_basement", "unheated_basement"};
constexpr const char* kSoils[] = {"clay", "sand", "rock"};
constexpr const char* kEdgeTypes[] = {"", "horizontal", "vertical"};
constexpr const char* kShieldings[] = {"sheltered", "average", "exposed"};
constexpr const char* kComparisons[] = {"construction", "ground"};

// Every key is taken with any kind; a kind reads only its own.
void ReadGround(const QJsonValue& value, const QString& path, const Catalogues& catalogues, BatchCase& out) {
  const Fields f(value, path,
                 {"kind",         "area",       "perimeter",    "wall_thickness",  "soil",
                  "soil_lambda",  "edge",       "depth",        "height",          "openings",
                  "shielding",    "wind_speed", "crawl_wall_u", "air_changes",     "volume",
                  "wall_above_u", "compare",    "wall_layers",  "wall_resistance", "floor_resistance"});
  using veltor::GroundKind;
  veltor::GroundSettings& g = out.ground;
  if (!f.has("kind")) throw InputError(f.pathOf("kind"), QStringLiteral("podaj rodzaj przegrody na gruncie"));
  g.kind = Choice(f, "kind", kGroundKinds, GroundKind::None);
  if (g.kind == GroundKind::None)
    throw InputError(f.pathOf("kind"), QStringLiteral("podaj rodzaj przegrody na gruncie"));
  g.area = GroundFigure(f, "area", 0, true);
  g.perimeter = GroundFigure(f, "perimeter", 0, true);
  g.wallThickness = GroundFigure(f, "wall_thickness", 0);
  if (f.has("soil") && f.has("soil_lambda"))
    throw InputError(f.pathOf("soil_lambda"), QStringLiteral("podaj soil albo soil_lambda, nie oba"));
  if (f.has("soil_lambda") && !f.value("soil_lambda").isNull()) {
    g.soil = veltor::SoilKind::Typed;
    g.soilLambda = GroundFigure(f, "soil_lambda", 0, true);
  } else {
    g.soil = Choice(f, "soil", kSoils, veltor::SoilKind::Sand);
  }
  if (f.has("edge") && !f.value("edge").isNull()) {
    const Fields e(f.value("edge"), f.pathOf("edge"), {"type", "size", "thickness", "lambda"});
    if (!e.has("type"))
      throw InputError(e.pathOf("type"), QStringLiteral("podaj \"horizontal\" albo \"vertical\""));
    g.edge.kind = Choice(e, "type", kEdgeTypes, veltor::EdgeKind::None);
    if (g.edge.kind == veltor::EdgeKind::None)
      throw InputError(e.pathOf("type"), QStringLiteral("podaj \"horizontal\" albo \"vertical\""));
    g.edge.size = GroundFigure(e, "size", 0, true);
    g.edge.thickness = GroundFigure(e, "thickness", 0, true);
    g.edge.lambda = GroundFigure(e, "lambda", 0, true);
  }
  const bool basement = g.kind == GroundKind::HeatedBasement || g.kind == GroundKind::UnheatedBasement;
  g.depth = GroundFigure(f, "depth", 0, basement);
  g.height = GroundFigure(f, "height", 0);
  g.openings = GroundFigure(f, "openings", 0);
  g.windSpeed = GroundFigure(f, "wind_speed", veltor::kDefaultWindSpeed);
  g.shielding = Choice(f, "shielding", kShieldings, veltor::WindShielding::Average);
  g.crawlWallU = GroundFigure(f, "crawl_wall_u", 0);
  g.airChanges = GroundFigure(f, "air_changes", veltor::kDefaultAirChanges);
  g.volume = GroundFigure(f, "volume", 0);
  g.wallAboveU = GroundFigure(f, "wall_above_u", 0);
  g.basementFloorResistance = GroundFigure(f, "floor_resistance", 0);
  g.compare = Choice(f, "compare", kComparisons, veltor::ComparedU::Construction);
  if (f.has("wall_layers") && f.has("wall_resistance"))
    throw InputError(f.pathOf("wall_resistance"),
                     QStringLiteral("podaj wall_layers albo wall_resistance, nie oba"));
  g.wallResistance = GroundFigure(f, "wall_resistance", 0);
  if (f.has("wall_layers") && !f.value("wall_layers").isNull()) {
    const QJsonValue walls = f.value("wall_layers");
    if (!walls.isArray() || walls.toArray().size() > veltor::kMaxProjectLayers)
      throw InputError(f.pathOf("wall_layers"),
                       QStringLiteral("oczekiwano tablicy warstw ściany piwnicy, od wewnątrz na zewnątrz"));
    const QJsonArray layers = walls.toArray();
    for (qsizetype i = 0; i < layers.size(); ++i)
      out.groundWallLayers.AppendLayer(
          ReadLayer(layers.at(i), catalogues, Indexed(f.pathOf("wall_layers"), i)));
  }
}

veltor::ProjectDescription ReadDescriptionObject(const QJsonValue& value, const QString& path) {
  BatchCase c;
  ReadDescription(value, path, c);
  return c.description;
}

BatchCase ReadCase(const QJsonValue& value, const Catalogues& catalogues, const QString& path) {
  const Fields f(value, path, {"conditions", "description", "layers", "corrections", "climate", "ground"});
  BatchCase out;
  out.conditions = ReadConditions(f.value("conditions"), f.pathOf("conditions"));
  ReadDescription(f.value("description"), f.pathOf("description"), out);
  if (!f.value("layers").isArray() || f.value("layers").toArray().isEmpty())
    throw InputError(f.pathOf("layers"),
                     QStringLiteral("oczekiwano niepustej tablicy warstw, od wewnątrz na zewnątrz"));
  const QJsonArray layers = f.value("layers").toArray();
  if (layers.size() > veltor::kMaxProjectLayers)
    throw InputError(f.pathOf("layers"),
                     QStringLiteral("przegroda może mieć najwyżej %1 warstw").arg(veltor::kMaxProjectLayers));
  for (qsizetype i = 0; i < layers.size(); ++i)
    out.layers.AppendLayer(ReadLayer(layers.at(i), catalogues, Indexed(f.pathOf("layers"), i)));
  if (f.has("corrections"))
    ReadCorrections(f.value("corrections"), f.pathOf("corrections"), out.conditions.corrections);
  if (f.has("climate")) ReadClimate(f.value("climate"), f.pathOf("climate"), catalogues, out);
  if (f.has("ground")) ReadGround(f.value("ground"), f.pathOf("ground"), catalogues, out);
  return out;
}

Document::Document(const QByteArray& json, const Catalogues& catalogues) : catalogues_(catalogues) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(json, &error);
  if (error.error != QJsonParseError::NoError)
    throw SyntaxError(json, error.offset, SyntaxProblem(error.error));
  RefuseDuplicateKeys(json);
  array_ = document.isArray();
  if (document.isObject() && IsBuildingObject(document.object())) {
    // A building is read whole: its results are one object over its partitions.
    building_ = ReadBuilding(document.object(), catalogues);
    return;
  }
  if (array_) {
    items_ = document.array();
    if (items_.isEmpty()) throw InputError({}, QStringLiteral("pusta tablica: nie ma czego obliczyć"));
  } else {
    items_.append(document.object());
  }
}

BatchCase Document::read(qsizetype index) const {
  return ReadCase(items_.at(index), catalogues_, array_ ? Indexed({}, index) : QString());
}

std::vector<BatchCase> ReadDocument(const QByteArray& json, const Catalogues& catalogues, bool* isArray,
                                    bool* isBuilding) {
  Document document(json, catalogues);
  if (isArray) *isArray = document.isArray();
  if (isBuilding) *isBuilding = document.isBuilding();
  if (document.isBuilding()) return document.takeBuilding();
  std::vector<BatchCase> cases;
  for (qsizetype i = 0; i < document.size(); ++i) cases.push_back(document.read(i));
  return cases;
}

}  // namespace batch
