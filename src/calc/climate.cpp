// Reader of the climate-station file: "[Station]" lines, each followed by
// twelve lines "te φe" (January first). Every refusal names the line, since the
// file is meant to be extended by hand.
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>

#include "calc/errors.h"
#include "calc/moisture.h"
#include "calc/numbers.h"
#include "calc/textfile.h"

namespace veltor {

namespace {

// Monthly means outside these limits are typing errors, not climates.
constexpr double kLowestMonthlyTemperature = -50;
constexpr double kHighestMonthlyTemperature = 50;
constexpr double kLowestHumidity = 1;
constexpr double kHighestHumidity = 100;

DataError LineError(int line, const QString& what) {
  return DataError(QStringLiteral("Plik danych klimatycznych, wiersz %1: %2").arg(line).arg(what));
}

QString TemperatureRangeText(double te) {
  return QStringLiteral("temperatura %1 °C poza zakresem od %2 do %3 °C")
      .arg(FormatGeneral(te))
      .arg(FormatGeneral(kLowestMonthlyTemperature))
      .arg(FormatGeneral(kHighestMonthlyTemperature));
}

QString HumidityRangeText(double phi) {
  return QStringLiteral("wilgotność względna %1% poza zakresem od %2 do %3%")
      .arg(FormatGeneral(phi))
      .arg(FormatGeneral(kLowestHumidity))
      .arg(FormatGeneral(kHighestHumidity));
}

bool TemperatureInRange(double te) {
  return te >= kLowestMonthlyTemperature && te <= kHighestMonthlyTemperature;
}

bool HumidityInRange(double phi) {
  return phi >= kLowestHumidity && phi <= kHighestHumidity;
}

QString ShortStationText(const ClimateStation& station, int months) {
  return QStringLiteral("stacja „%1” ma tylko %2 z %3 miesięcy")
      .arg(QuotedInput(station.name))
      .arg(months)
      .arg(kMonthCount);
}

}  // namespace

void ValidateClimate(const MonthlyClimate& climate) {
  for (int m = 0; m < kMonthCount; ++m) {
    if (!TemperatureInRange(climate.te[m])) {
      throw DataError(QStringLiteral("%1: %2").arg(MonthName(m), TemperatureRangeText(climate.te[m])));
    }
    if (!HumidityInRange(climate.phiE[m])) {
      throw DataError(QStringLiteral("%1: %2").arg(MonthName(m), HumidityRangeText(climate.phiE[m])));
    }
  }
}

std::vector<ClimateStation> ReadClimateFile(TextReader& reader) {
  std::vector<ClimateStation> stations;
  int months = kMonthCount;  // of the station being read; no station yet counts as complete
  int lineNumber = 0;
  while (!reader.atEnd()) {
    ++lineNumber;
    QString text = FromCp1250(reader.readLine());
    const qsizetype comment = text.indexOf(QLatin1Char(';'));
    if (comment >= 0) text.truncate(comment);
    text = text.trimmed();
    if (text.isEmpty()) continue;

    if (text.startsWith(QLatin1Char('['))) {
      if (!stations.empty() && months < kMonthCount) {
        throw LineError(lineNumber, ShortStationText(stations.back(), months));
      }
      if (!text.endsWith(QLatin1Char(']')))
        throw LineError(lineNumber, QStringLiteral("brak znaku „]” po nazwie stacji"));
      const QString name = text.mid(1, text.size() - 2).trimmed();
      if (name.isEmpty()) throw LineError(lineNumber, QStringLiteral("brak nazwy stacji"));
      // The limit of a saved name holds for a read one: a name of thousands of
      // characters would widen the station picker past any screen.
      if (name.size() > kMaxStationName) {
        throw LineError(lineNumber,
                        QStringLiteral("nazwa stacji może mieć najwyżej %1 znaków").arg(kMaxStationName));
      }
      // Two stations of one name: whichever a project named, the other would
      // be taken without a word.
      for (const ClimateStation& earlier : stations)
        if (earlier.name.compare(name, Qt::CaseInsensitive) == 0)
          throw LineError(lineNumber,
                          QStringLiteral("stacja „%1” występuje w pliku drugi raz").arg(QuotedInput(name)));
      stations.push_back({name, {}});
      months = 0;
      continue;
    }

    if (stations.empty()) throw LineError(lineNumber, QStringLiteral("dane przed nazwą pierwszej stacji"));
    if (months >= kMonthCount) {
      throw LineError(lineNumber, QStringLiteral("stacja „%1” ma więcej niż %2 miesięcy")
                                      .arg(QuotedInput(stations.back().name))
                                      .arg(kMonthCount));
    }
    // The line is trimmed: simplified() leaves one space between the fields.
    // (A regular expression made per line was most of the start-up's reading.)
    const QStringList fields = text.simplified().split(QLatin1Char(' '));
    if (fields.size() != 2) {
      throw LineError(lineNumber,
                      QStringLiteral("oczekiwano dwóch liczb: temperatury [°C] i wilgotności względnej [%]"));
    }
    double values[2];
    for (int i = 0; i < 2; ++i) {
      const std::optional<double> value = ParsePointNumber(fields[i].toLatin1());
      if (!value) {
        throw LineError(lineNumber, QStringLiteral("„%1” nie jest liczbą").arg(QuotedInput(fields[i])));
      }
      values[i] = *value;
    }
    if (!TemperatureInRange(values[0])) throw LineError(lineNumber, TemperatureRangeText(values[0]));
    if (!HumidityInRange(values[1])) throw LineError(lineNumber, HumidityRangeText(values[1]));
    stations.back().climate.te[months] = values[0];
    stations.back().climate.phiE[months] = values[1];
    ++months;
  }
  // A file of comments only is valid (no station counts as complete): the user
  // then types the twelve months.
  if (months < kMonthCount) throw LineError(lineNumber, ShortStationText(stations.back(), months));
  return stations;
}

std::vector<ClimateStation> LoadClimateFile(const QString& path) {
  TextReader reader = TextReader::open(path);
  return ReadClimateFile(reader);
}

void AppendUserStations(std::vector<ClimateStation>& stations, const QString& path) {
  std::vector<ClimateStation> user;
  try {
    user = LoadClimateFile(path);
  } catch (const Error& e) {
    throw NamingFile(path, e);
  }
  QStringList clashes;
  for (ClimateStation& station : user) {
    const bool shipped = std::any_of(stations.begin(), stations.end(), [&](const ClimateStation& s) {
      return s.name.compare(station.name, Qt::CaseInsensitive) == 0;
    });
    if (shipped)
      clashes << QStringLiteral("„%1”").arg(QuotedInput(station.name));
    else
      stations.push_back(std::move(station));
  }
  if (!clashes.isEmpty())
    throw DataError(QStringLiteral("%1: stacje o nazwach stacji dostarczanych z programem pominięto (%2); "
                                   "zmień ich nazwy w tym pliku")
                        .arg(QDir::toNativeSeparators(path), clashes.join(QStringLiteral(", "))));
}

QString StationNameProblem(const QString& name) {
  const QString trimmed = name.trimmed();
  if (trimmed.isEmpty()) return QStringLiteral("Wpisz nazwę stacji");
  if (trimmed.size() > kMaxStationName)
    return QStringLiteral("Nazwa stacji może mieć najwyżej %1 znaków").arg(kMaxStationName);
  for (const QChar c : trimmed) {
    if (c == QLatin1Char('[') || c == QLatin1Char(']') || c == QLatin1Char(';') ||
        c.category() == QChar::Other_Control)
      return QStringLiteral("Nazwa stacji nie może zawierać znaków „[”, „]”, „;” ani znaków sterujących");
  }
  if (FromCp1250(ToCp1250(trimmed)) != trimmed)
    return QStringLiteral(
        "Nazwa stacji zawiera znak, którego nie można zapisać w pliku danych (Windows-1250)");
  return {};
}

QByteArray ClimateStationText(const ClimateStation& station, const QString& note) {
  QByteArray text = ToCp1250(QStringLiteral("[%1]").arg(station.name.trimmed())) + "\r\n";
  QString comment = note;
  comment.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  if (!comment.isEmpty()) text += ToCp1250(QStringLiteral("; ") + comment) + "\r\n";
  for (int m = 0; m < kMonthCount; ++m)
    text += PointNumberText(station.climate.te[m]) + ' ' + PointNumberText(station.climate.phiE[m]) + "\r\n";
  return text;
}

void AppendClimateStation(const QString& path, const ClimateStation& station, const QString& note) {
  if (const QString problem = StationNameProblem(station.name); !problem.isEmpty()) throw DataError(problem);
  ValidateClimate(station.climate);
  QByteArray content;
  if (QFileInfo::exists(path)) {
    std::vector<ClimateStation> stations;
    try {
      content = ReadDataFile(path);
      TextReader reader(content, path);
      stations = ReadClimateFile(reader);
    } catch (const DataError& e) {
      throw DataError(NamingFile(path, e).message());
    }
    const QString name = station.name.trimmed();
    for (const ClimateStation& existing : stations) {
      if (existing.name.compare(name, Qt::CaseInsensitive) == 0)
        throw DataError(QStringLiteral("Stacja „%1” już jest w pliku danych klimatycznych").arg(name));
    }
    if (!content.isEmpty() && !content.endsWith('\n')) content += "\r\n";
  }
  content += ClimateStationText(station, note);
  WriteDataFile(path, content);
}

}  // namespace veltor
