// The own materials file: entries located by their bytes while the catalogue
// reader passes over them, and every change written as the old bytes with one
// span replaced, cut out or added at the end.
#include "calc/ownmaterials.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>
#include <map>

#include "calc/catalogue.h"
#include "calc/errors.h"
#include "calc/numbers.h"
#include "calc/textfile.h"

namespace veltor {

namespace {

constexpr qsizetype kMaxName = 255;
constexpr qsizetype kMaxPattern = 4;
constexpr char kSourceMarker = '&';

// What a file the program starts says about itself.
QByteArray NewFileHeader() {
  return ToCp1250(QStringLiteral(
      "; Moje materiały: własne materiały użytkownika, w tej samej postaci co Dane/materiały.txt\r\n"
      "; (wiersz *nazwa, potem nazwa, wypełnienie, lambda dla warunków średniowilgotnych i wilgotnych\r\n"
      "; [W/(m*K)], 720/mu, gęstość [kg/m3], grubość domyślna [m], ciepło właściwe [J/(kg*K)]).\r\n"));
}

QString Range(double low, double high) {
  return QStringLiteral("od %1 do %2").arg(FormatGeneral(low), FormatGeneral(high));
}

bool Within(double value, double low, double high) {
  return value >= low && value <= high;  // NaN is never within
}

// `what` names the field; `missing` asks for it.
QString TextProblem(const QString& text, const QString& what, const QString& missing, qsizetype limit) {
  if (text.trimmed().isEmpty()) return missing;
  if (text.size() > limit)
    return QStringLiteral("Pole „%1” może mieć najwyżej %2 znaków").arg(what).arg(limit);
  for (const QChar c : text)
    if (c.category() == QChar::Other_Control)
      return QStringLiteral("Pole „%1” nie może zawierać znaków sterujących").arg(what);
  if (FromCp1250(ToCp1250(text)) != text)
    return QStringLiteral(
               "Pole „%1” zawiera znak, którego nie można zapisać w pliku materiałów (Windows-1250)")
        .arg(what);
  return {};
}

QString FileProblem(const QString& path, const QString& message) {
  if (message.contains(QDir::toNativeSeparators(path))) return message;
  return QStringLiteral("Plik %1: %2").arg(QDir::toNativeSeparators(path), message);
}

struct Loaded {
  QByteArray content;
  std::vector<OwnMaterial> entries;
};

// The file as it is now, all of it read: a change is never built on a part.
Loaded Load(const QString& path) {
  Loaded loaded;
  if (!QFileInfo::exists(path)) return loaded;
  try {
    loaded.content = ReadDataFile(path);
    ReadOwnMaterials(loaded.content, loaded.entries, path);
  } catch (const Error& e) {
    throw DataError(FileProblem(path, e.message()));
  }
  return loaded;
}

bool SameLabel(const QString& a, const QString& b) {
  return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

DataError TakenLabel(const QString& label) {
  return DataError(QStringLiteral("Materiał „%1” już jest w grupie „Moje materiały”").arg(label.trimmed()));
}

void Validate(const QString& label, const LayerRecord& record) {
  if (const auto fault = CheckMaterial(label, record)) throw DataError(fault->message);
}

const OwnMaterial& EntryAt(const Loaded& loaded, const QString& path, int index,
                           const QString& expectedLabel) {
  if (index < 0 || index >= static_cast<int>(loaded.entries.size()) ||
      loaded.entries[index].label != expectedLabel)
    throw DataError(FileProblem(path, QStringLiteral("materiał „%1” nie jest już w tym miejscu pliku; "
                                                     "plik zmienił się poza programem")
                                          .arg(expectedLabel)));
  return loaded.entries[index];
}

QByteArray WithEntry(QByteArray content, const QByteArray& entry) {
  if (content.isEmpty()) return NewFileHeader() + entry;
  if (!content.endsWith('\n')) content += "\r\n";
  return content + entry;
}

}  // namespace

void ReadOwnMaterials(const QByteArray& content, std::vector<OwnMaterial>& out, const QString& name) {
  TextReader reader(content, name);
  // Groups are not kept: every material of the file is one of the user's own.
  const auto addNode = [&](OwnMaterial*, const QByteArray& label, CatalogueEntry kind) -> OwnMaterial* {
    if (kind == CatalogueEntry::Group || kind == CatalogueEntry::Subgroup) return nullptr;
    OwnMaterial& entry = out.emplace_back();
    entry.label = FromCp1250(label);
    entry.begin = reader.lineStart();
    entry.end = reader.position();
    return &entry;
  };
  // An entry the editor would not take (λ 0, a value cut short) is refused
  // here, naming its line, and left out of `out`: listed, it could be put in a
  // project that would then not reopen.
  const auto readItem = [&out](OwnMaterial* entry, TextReader& r) {
    const int line = r.lineNumberAt(entry->begin);
    try {
      ReadLayerRecord(r, entry->record);
    } catch (const IoError& e) {
      // The label is taken before the entry goes: `entry` points into `out`.
      const QString label = QuotedInput(entry->label);
      out.pop_back();
      if (e.code() != IoCode::InvalidInput) throw;
      const int bad = r.lineNumberAt(r.position() - 1);
      throw r.lineError(bad,
                        QStringLiteral("materiał „%1”: oczekiwano liczby z kropką dziesiętną").arg(label));
    } catch (const Error&) {
      out.pop_back();
      throw;
    }
    entry->end = r.position();
    if (const auto fault = CheckMaterial(entry->label, entry->record)) {
      const QString what = QStringLiteral("materiał „%1”: %2").arg(QuotedInput(entry->label), fault->message);
      out.pop_back();
      throw r.lineError(line, what);
    }
  };
  const qsizetype first = static_cast<qsizetype>(out.size());
  ReadCatalogue<OwnMaterial>(reader, kMaterialsMarkers, addNode, readItem);
  // A source line belongs to the record just before it, and moves with it.
  for (auto entry = out.begin() + first; entry != out.end(); ++entry) {
    if (entry->end >= content.size() || content.at(entry->end) != kSourceMarker) continue;
    qsizetype lineEnd = content.indexOf('\n', entry->end);
    if (lineEnd < 0) lineEnd = content.size() - 1;
    entry->source =
        FromCp1250(QByteArrayView(content).sliced(entry->end + 1, lineEnd - entry->end)).trimmed();
    entry->end = lineEnd + 1;
  }
}

std::optional<MaterialFault> CheckMaterial(const QString& label, const LayerRecord& record) {
  if (const QString problem = TextProblem(label.trimmed(), QStringLiteral("nazwa materiału"),
                                          QStringLiteral("Wpisz nazwę materiału"), kMaxName);
      !problem.isEmpty())
    return MaterialFault{MaterialField::Name, problem};
  const QString pattern = record.fillPatternText();
  if (pattern.isEmpty() || record.fillPattern.size() > kMaxPattern)
    return MaterialFault{MaterialField::Pattern,
                         QStringLiteral("Wybierz wypełnienie (wzór kreskowania) materiału")};
  if (const QString problem = TextProblem(pattern, QStringLiteral("wypełnienie"), {}, kMaxPattern);
      !problem.isEmpty())
    return MaterialFault{MaterialField::Pattern, problem};
  const QString lambdaRange = Range(kMinLambda, kMaxLambda) + QStringLiteral(" W/(m·K)");
  if (!Within(record.lambdaMedium, kMinLambda, kMaxLambda))
    return MaterialFault{
        MaterialField::LambdaMedium,
        QStringLiteral("Współczynnik przewodzenia ciepła λ (warunki średniowilgotne) musi być "
                       "z zakresu %1")
            .arg(lambdaRange)};
  if (!Within(record.lambdaHumid, kMinLambda, kMaxLambda))
    return MaterialFault{MaterialField::LambdaHumid,
                         QStringLiteral("Współczynnik przewodzenia ciepła λ (warunki wilgotne) musi być z "
                                        "zakresu %1")
                             .arg(lambdaRange)};
  if (record.lambdaHumid < record.lambdaMedium)
    return MaterialFault{
        MaterialField::LambdaHumid,
        QStringLiteral("Współczynnik przewodzenia ciepła λ w warunkach wilgotnych nie może być "
                       "mniejszy niż w warunkach średniowilgotnych")};
  const double vapour = record.vapourCoefficient;
  if (!(std::isinf(vapour) && vapour < 0)) {
    const double mu = kMuPermeability / vapour;
    if (!(vapour > 0) || !Within(mu, kMinMu, kMaxMu))
      return MaterialFault{MaterialField::Vapour,
                           QStringLiteral("Współczynnik oporu dyfuzyjnego μ musi być z zakresu %1 (μ = %2)")
                               .arg(Range(kMinMu, kMaxMu), FormatGeneral(mu, 6))};
  }
  if (!Within(record.density, kMinDensity, kMaxDensity))
    return MaterialFault{
        MaterialField::Density,
        QStringLiteral("Gęstość ρ musi być z zakresu %1 kg/m³").arg(Range(kMinDensity, kMaxDensity))};
  if (!Within(record.specificHeat, kMinSpecificHeat, kMaxSpecificHeat))
    return MaterialFault{MaterialField::SpecificHeat,
                         QStringLiteral("Ciepło właściwe c musi być z zakresu %1 J/(kg·K)")
                             .arg(Range(kMinSpecificHeat, kMaxSpecificHeat))};
  if (!(record.thickness > 0 && record.thickness <= kMaxMaterialThickness))
    return MaterialFault{MaterialField::Thickness,
                         QStringLiteral("Grubość domyślna d musi być większa od 0 i nie większa niż %1 m")
                             .arg(FormatGeneral(kMaxMaterialThickness))};
  return std::nullopt;
}

QString OwnMaterialsFile() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         QStringLiteral("/veltorobl/materiały.txt");
}

QByteArray MaterialEntryText(const QString& label, const LayerRecord& record, const QString& source) {
  const auto number = [](double value) { return PointNumberText(value) + "\r\n"; };
  const double vapour = record.vapourCoefficient;
  QByteArray text = '*' + ToCp1250(label.trimmed()) + "\r\n";
  text += record.name + "\r\n" + record.fillPattern + "\r\n";
  text += number(record.lambdaMedium) + number(record.lambdaHumid);
  text += std::isinf(vapour) && vapour < 0 ? QByteArray("-1\r\n") : number(vapour);
  text += number(record.density) + number(record.thickness) + number(record.specificHeat);
  // One line, as the reader takes it.
  QString oneLine = source.simplified().left(kMaxSourceLength);
  if (!oneLine.isEmpty()) text += kSourceMarker + ToCp1250(oneLine) + "\r\n";
  return text;
}

void AddOwnMaterial(const QString& path, const QString& label, const LayerRecord& record,
                    const QString& source) {
  Validate(label, record);
  const Loaded loaded = Load(path);
  for (const OwnMaterial& entry : loaded.entries)
    if (SameLabel(entry.label, label)) throw TakenLabel(label);
  WriteDataFile(path, WithEntry(loaded.content, MaterialEntryText(label, record, source)));
}

void ReplaceOwnMaterial(const QString& path, int index, const QString& expectedLabel, const QString& label,
                        const LayerRecord& record, const QString& source) {
  Validate(label, record);
  const Loaded loaded = Load(path);
  const OwnMaterial& old = EntryAt(loaded, path, index, expectedLabel);
  for (int i = 0; i < static_cast<int>(loaded.entries.size()); ++i)
    if (i != index && SameLabel(loaded.entries[i].label, label)) throw TakenLabel(label);
  QByteArray content = loaded.content;
  // An entry that ended the file without a line end gets one.
  content.replace(old.begin, old.end - old.begin, MaterialEntryText(label, record, source));
  WriteDataFile(path, content);
}

void RemoveOwnMaterial(const QString& path, int index, const QString& expectedLabel) {
  const Loaded loaded = Load(path);
  const OwnMaterial& old = EntryAt(loaded, path, index, expectedLabel);
  QByteArray content = loaded.content;
  content.remove(old.begin, old.end - old.begin);
  WriteDataFile(path, content);
}

int ImportOwnMaterials(const QString& path, const QString& source,
                       const std::function<ImportChoice(const QString& label)>& onClash) {
  if (!QFileInfo::exists(source))
    throw DataError(FileProblem(source, IoError::messageFor(IoCode::FileNotFound)));
  const Loaded incoming = Load(source);
  for (const OwnMaterial& entry : incoming.entries)
    if (const auto fault = CheckMaterial(entry.label, entry.record))
      throw DataError(
          FileProblem(source, QStringLiteral("materiał „%1”: %2").arg(entry.label, fault->message)));
  const Loaded loaded = Load(path);

  std::map<int, QByteArray> replaced;                    // file entry index -> new text
  std::vector<std::pair<QString, QByteArray>> appended;  // label, text
  int count = 0;
  for (const OwnMaterial& entry : incoming.entries) {
    const QByteArray text = MaterialEntryText(entry.label, entry.record, entry.source);
    QByteArray* slot = nullptr;
    for (int i = 0; i < static_cast<int>(loaded.entries.size()) && !slot; ++i)
      if (SameLabel(loaded.entries[i].label, entry.label)) slot = &replaced[i];
    for (auto& [label, pending] : appended)
      if (!slot && SameLabel(label, entry.label)) slot = &pending;
    if (!slot) {
      appended.emplace_back(entry.label, text);
      ++count;
      continue;
    }
    switch (onClash(entry.label.trimmed())) {
      case ImportChoice::Replace:
        *slot = text;
        ++count;
        break;
      case ImportChoice::Skip:
        break;
      case ImportChoice::Cancel:
        return 0;
    }
  }
  if (count == 0) return 0;
  QByteArray content = loaded.content;
  // From the end, so that the spans before stay where they were read.
  for (auto it = replaced.rbegin(); it != replaced.rend(); ++it) {
    const OwnMaterial& old = loaded.entries[it->first];
    if (!it->second.isEmpty()) content.replace(old.begin, old.end - old.begin, it->second);
  }
  for (const auto& [label, text] : appended) content = WithEntry(content, text);
  WriteDataFile(path, content);
  return count;
}

double MoistureFactor(const std::vector<const LayerRecord*>& materials) {
  std::vector<double> ratios;
  for (const LayerRecord* m : materials)
    if (m && m->lambdaMedium > 0 && std::isfinite(m->lambdaHumid))
      ratios.push_back(m->lambdaHumid / m->lambdaMedium);
  if (ratios.empty()) return 1;
  std::sort(ratios.begin(), ratios.end());
  const size_t mid = ratios.size() / 2;
  return ratios.size() % 2 ? ratios[mid] : (ratios[mid - 1] + ratios[mid]) / 2;
}

}  // namespace veltor
