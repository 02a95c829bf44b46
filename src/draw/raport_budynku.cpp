// The building's document: the front pages here, the partitions' sections
// from the one-partition report (PaintDocuments, BuildDocuments).
#include "draw/raport_budynku.h"

#include <QStringList>

#include "calc/numbers.h"

namespace designreport {

namespace {

const QString kDash = QStringLiteral("—");

QString Esc(const QString& text) {
  return text.toHtmlEscaped();
}

QString Word(const std::optional<bool>& meets, const QString& none) {
  return !meets ? none : *meets ? QStringLiteral("spełnia") : QStringLiteral("<b>nie spełnia</b>");
}

// `widths`: the columns' shares in percent, for a header row.
QString Cells(const QStringList& cells, bool header = false, const QList<int>& widths = {}) {
  const QString tag = header ? QStringLiteral("th") : QStringLiteral("td");
  QString row = QStringLiteral("<tr>");
  for (qsizetype i = 0; i < cells.size(); ++i) {
    const QString width = i < widths.size() ? QStringLiteral(" width=\"%1%\"").arg(widths[i]) : QString();
    row += QStringLiteral("<%1%2>%3</%1>").arg(tag, width, cells[i]);
  }
  return row + QStringLiteral("</tr>");
}

QString Label(const veltor::PartitionIdentity& id) {
  return id.name.isEmpty() ? id.symbol : id.symbol + QLatin1Char(' ') + id.name;
}

}  // namespace

QString PartHeading(const veltor::PartitionIdentity& identity) {
  QString heading = Label(identity);
  if (identity.kind != veltor::PartitionKind::Unspecified)
    heading += QStringLiteral(" (%1)").arg(veltor::KindLabel(identity.kind));
  return heading;
}

QString OverallVerdict(const std::vector<BuildingPart>& parts) {
  QStringList failing;
  for (const BuildingPart& part : parts) {
    const Judgement j = Judge(*part.input);
    QStringList why;
    if (j.uc == false) why << QStringLiteral("Uc > Uc(max)");
    if (j.surface == false) why << QStringLiteral("kondensacja na powierzchni");
    if (j.interstitial == false) why << QStringLiteral("kondensacja międzywarstwowa");
    if (!why.isEmpty())
      failing << QStringLiteral("%1 (%2)").arg(part.identity.symbol, why.join(QStringLiteral(", ")));
  }
  return failing.isEmpty() ? QStringLiteral("Wszystkie przegrody spełniają wymagania")
                           : QStringLiteral("Wymagań nie spełniają: ") + failing.join(QStringLiteral("; "));
}

QString BuildingFront(const veltor::ProjectDescription& d, const std::vector<BuildingPart>& parts,
                      const std::vector<int>& firstPages) {
  QString html = QStringLiteral("<h1 align=\"center\">Zestawienie przegród</h1>");
  const auto key = [](const QString& k, const QString& v) {
    return Cells({k, v.isEmpty() ? kDash : Esc(v)});
  };
  html += QStringLiteral("<table cellpadding=\"2\">") + key(QStringLiteral("Inwestycja"), d[veltor::kName]) +
          key(QStringLiteral("Adres inwestycji"), d[veltor::kAddress]) +
          key(QStringLiteral("Odbiorca"), d[veltor::kClient]) +
          key(QStringLiteral("Projektant"), d[veltor::kDesigner]) +
          key(QStringLiteral("Nr uprawnień budowlanych"), d[veltor::kLicence]) +
          key(QStringLiteral("Data"), d[veltor::kDate]) + QStringLiteral("</table><p></p>");
  html += QStringLiteral(
      "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\" style=\"border-collapse: "
      "collapse\">");
  html += Cells({QStringLiteral("Symbol"), QStringLiteral("Przegroda"), QStringLiteral("Rodzaj"),
                 QStringLiteral("A [m²]"), QStringLiteral("Uc [W/(m²K)]"), QStringLiteral("Uc(max)"),
                 QStringLiteral("Uc ≤ Uc(max)"), QStringLiteral("fRsi ≥ fRsi,min"),
                 QStringLiteral("Kondensacja między&shy;warstwowa")},
                true,
                // Room for the longest kind's words ("pomieszczenia nieogrzewanego"),
                // which the layout would otherwise break inside.
                {9, 13, 17, 8, 9, 9, 10, 11, 14});
  for (const BuildingPart& part : parts) {
    const Input& in = *part.input;
    const Judgement j = Judge(in);
    const double umax = in.conditions.umax;
    html += Cells({Esc(part.identity.symbol), Esc(part.identity.name), veltor::KindLabel(part.identity.kind),
                   part.identity.hasArea() ? veltor::FormatFixed(part.identity.area, 2) : kDash,
                   veltor::FormatFixed(in.summary.transmittance.uc, 3),
                   umax > 0 ? veltor::FormatFixed(umax, 2) : QStringLiteral("bez wymagań"),
                   Word(j.uc, QStringLiteral("bez wymagań")), Word(j.surface, QStringLiteral("nie oceniano")),
                   Word(j.interstitial, QStringLiteral("nie oceniano"))});
  }
  html += QStringLiteral("</table>");
  html += QStringLiteral("<p><b>%1</b></p>").arg(Esc(OverallVerdict(parts)));
  html += QStringLiteral("<h2>Spis treści</h2><table width=\"100%\">");
  for (std::size_t i = 0; i < parts.size(); ++i)
    html += Cells({Esc(PartHeading(parts[i].identity)),
                   i < firstPages.size() ? QStringLiteral("strona %1").arg(firstPages[i]) : QString()});
  return html + QStringLiteral("</table>");
}

void WriteBuildingDocument(const veltor::ProjectDescription& description,
                           const std::vector<BuildingPart>& parts, const QString& path, bool pdf) {
  std::vector<const Input*> inputs;
  for (const BuildingPart& part : parts) inputs.push_back(part.input);
  const FrontPages front = [&](const std::vector<int>& firstPages) {
    return BuildingFront(description, parts, firstPages);
  };
  if (pdf)
    WritePdf(inputs, front, path);
  else
    WriteOdt(inputs, front, path);
}

int PaintBuildingDocument(QPagedPaintDevice& device, const veltor::ProjectDescription& description,
                          const std::vector<BuildingPart>& parts) {
  std::vector<const Input*> inputs;
  for (const BuildingPart& part : parts) inputs.push_back(part.input);
  return PaintDocuments(device, inputs, [&](const std::vector<int>& firstPages) {
    return BuildingFront(description, parts, firstPages);
  });
}

}  // namespace designreport
