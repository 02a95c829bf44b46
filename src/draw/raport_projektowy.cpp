// The designer's report as a rich-text document: HTML tables laid out by
// QTextDocument on A4 pages, painted page by page with a footer onto a PDF
// writer or a printer, or written as ODF. The charts and the moisture page
// stand in the flow as images of a fixed size. On a PDF or a printer a
// handler of the layout paints them in their boxes by their own drawing code
// (vectors); the ODT carries them as pictures in the document's resources.
#include "draw/raport_projektowy.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextObjectInterface>
#include <QUrl>
#include <cmath>
#include <vector>

#include "calc/errors.h"
#include "calc/moisture.h"
#include "calc/numbers.h"
#include "draw/pictures.h"
#include "draw/raport_draw.h"
#include "draw/rysunek_draw.h"
#include "draw/rysunek_sheet.h"

namespace designreport {

namespace {

// Points: the document is laid out at the paint device's resolution.
constexpr int kBodyPoints = 8;
constexpr int kFooterPoints = 7;
constexpr double kMarginMm = 18;
constexpr double kFooterMm = 8;

const QString kFontFamily = QStringLiteral("DejaVu Sans");
const QString kStyle = QStringLiteral(
    "h2 { font-size: 14pt; } h3 { font-size: 10pt; margin-top: 8px; margin-bottom: 3px; } "
    "th { background-color: #e8e8e8; } td { padding: 1px; } "
    "p.note { font-size: 7pt; margin-top: 2px; margin-bottom: 0px; }");
const QString kTemperatureChartName = QStringLiteral("wykres-temperatury.png");
const QString kPressureChartName = QStringLiteral("wykres-cisnienia.png");
const QString kMoisturePageName = QStringLiteral("ocena-wilgotnosciowa.png");
// Widths in the document's pixels (1/96 in): two charts side by side across
// the page, the moisture page across it; heights keep the drawings' shapes.
constexpr int kChartWidth = 320;
constexpr int kMoisturePageWidth = 580;

QString ImageTag(const QString& name, QSize drawing, int width) {
  return QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\"/>")
      .arg(name)
      .arg(width)
      .arg(static_cast<int>(std::lround(static_cast<double>(width) * drawing.height() / drawing.width())));
}

QString Escaped(const QString& text) {
  return text.toHtmlEscaped();
}

QString Row(const QStringList& cells, bool header = false) {
  const QString tag = header ? QStringLiteral("th") : QStringLiteral("td");
  QString row = QStringLiteral("<tr>");
  for (const QString& cell : cells) row += QStringLiteral("<%1>%2</%1>").arg(tag, cell);
  return row + QStringLiteral("</tr>");
}

QString KeyValue(const QString& key, const QString& value) {
  return QStringLiteral("<tr><td width=\"38%\">%1</td><td><b>%2</b></td></tr>").arg(key, value);
}

QString OrDash(const QString& text) {
  return text.trimmed().isEmpty() ? QStringLiteral("–") : Escaped(text);
}

// With the Rsi in force, which the conditions keep for the direction.
QString DirectionWords(const veltor::DesignConditions& c) {
  const QString rsi = QStringLiteral(" (Rsi = %1 m²K/W)").arg(veltor::FormatFixed(c.rsi, 2));
  switch (c.direction) {
    case 0:
      return QStringLiteral("w górę") + rsi;
    case 2:
      return QStringLiteral("w dół") + rsi;
    default:
      return QStringLiteral("poziomy") + rsi;
  }
}

// μ from the records' coefficient 720/μ; "max" (-INF) has no resistance and 0 is tight.
QString MuText(const veltor::LayerRecord& layer) {
  if (layer.isAirLayer() || std::isinf(layer.vapourCoefficient)) return QStringLiteral("brak oporu");
  if (layer.vapourCoefficient == 0) return QStringLiteral("∞");
  return veltor::FormatGeneral(veltor::kAirVapourCoefficient / layer.vapourCoefficient, 4);
}

QString SdText(const veltor::LayerRecord& layer) {
  const std::optional<double> sd = veltor::EquivalentAirThickness(layer);
  if (sd) return veltor::FormatFixed(*sd, 2);
  return layer.vapourCoefficient == 0 && !layer.isAirLayer() ? QStringLiteral("∞") : QStringLiteral("0");
}

QString OuterSideWords(const veltor::OuterSide& side) {
  switch (side.kind) {
    case veltor::OuterSideKind::SlightlyVentilated:
      return QStringLiteral("słabo wentylowana warstwa powietrza (otwory Av = %1 mm²)")
          .arg(veltor::FormatGeneral(side.openings, 5));
    case veltor::OuterSideKind::WellVentilated:
      return QStringLiteral("dobrze wentylowana warstwa powietrza lub elewacja (Rse = Rsi)");
    case veltor::OuterSideKind::Unheated:
      return QStringLiteral("przestrzeń nieogrzewana (Rse = Rsi)");
    default:
      return QStringLiteral("powietrze zewnętrzne");
  }
}

// A share's "10 %" stays on one line.
QString Caption(const veltor::LayerRecord& layer, bool ignored) {
  return Escaped(raport::RowCaption(layer, ignored)).replace(QStringLiteral(" %"), QStringLiteral("&nbsp;%"));
}

// Millimetres, and a foil's fraction of one in significant digits rather than "0,000".
QString Thickness(double d) {
  if (d >= 0.01 || d == 0) return veltor::FormatFixed(d, 3);
  return veltor::FormatGeneral(d, 3);
}

bool AnyBridge(const veltor::LayerTable* layers) {
  for (int i = 0; layers && i < layers->size(); ++i)
    if (layers->at(i).bridge.present()) return true;
  return false;
}

QString Bold(const QString& text) {
  return QStringLiteral("<b>%1</b>").arg(text);
}

// The figures of the combined method, the readings the table rests on, and
// the standard's warnings when the method does not hold.
QString TableNotes(const Input& in) {
  const veltor::TransmittanceResult& t = in.summary.transmittance;
  QStringList notes;
  if (AnyBridge(in.layers)) {
    notes << QStringLiteral(
        "Warstwy niejednorodne (z mostkiem i jego udziałem w polu warstwy): λ w tabeli to λ'' = (1 − "
        "f)·λ<sub>a</sub> "
        "+ f·λ<sub>b</sub> warstwy zastępczej dolnej granicy oporu; ich R rozdziela R<sub>T</sub> w "
        "proporcji "
        "do d/λ''. μ i s<sub>d</sub> są materiału głównego, którego droga decyduje o kondensacji.");
    notes
        << QStringLiteral(
               "Metoda złożona (PN-EN ISO 6946): górna granica R'<sub>T</sub> = %1 m²K/W, dolna granica "
               "R''<sub>T</sub> = %2 m²K/W, R<sub>T</sub> = (R'<sub>T</sub> + R''<sub>T</sub>)/2 = %3 m²K/W, "
               "szacowany błąd względny e = %4 %.")
               .arg(veltor::FormatFixed(t.upperResistance, 3), veltor::FormatFixed(t.lowerResistance, 3),
                    veltor::FormatFixed(t.totalResistance, 3), veltor::FormatFixed(t.relativeError * 100, 1));
  }
  if (t.firstIgnoredLayer >= 0)
    notes << QStringLiteral(
        "Warstwy oznaczone „pominięta” leżą na zewnątrz dobrze wentylowanej warstwy powietrza: nie wlicza "
        "się "
        "ich do oporu cieplnego ani do sum tabeli.");
  QString html;
  // Small and close under the table, so that the results and the signature
  // keep to the first page.
  for (const QString& note : notes) html += QStringLiteral("<p class=\"note\">%1</p>").arg(note);
  if (t.limitRatioExceeded)
    html += QStringLiteral("<p class=\"note\"><b>%1</b></p>").arg(Escaped(veltor::kLimitRatioWarning));
  if (t.metalBridgesInsulation)
    html += QStringLiteral("<p class=\"note\"><b>%1</b></p>").arg(Escaped(veltor::kMetalBridgeWarning));
  return html;
}

QString LayerTable(const Input& in) {
  const veltor::DesignConditions& c = in.conditions;
  const veltor::TransmittanceResult& t = in.summary.transmittance;
  QString html = QStringLiteral(
      "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\" style=\"border-collapse: "
      "collapse\">");
  html += Row({QStringLiteral("Nr"), QStringLiteral("Materiał"), QStringLiteral("d [m]"),
               QStringLiteral("λ [W/(m·K)]"), QStringLiteral("R [m²K/W]"), QStringLiteral("μ [–]"),
               QStringLiteral("sd [m]"), QStringLiteral("ρ [kg/m³]")},
              true)
              // The material takes what the figures leave, so that the Rsi and
              // Rse rows and a bridged layer's caption keep to one line.
              .replace(QStringLiteral("<th>Materiał"), QStringLiteral("<th width=\"44%\">Materiał"));
  html += Row({QString(), QStringLiteral("Opór przejmowania ciepła na powierzchni wewnętrznej Rsi"),
               QString(), QString(), veltor::FormatFixed(c.rsi, 2), QString(), QString(), QString()});
  double sdTotal = 0;
  double thicknessTotal = 0;
  for (int i = 0; in.layers && i < in.layers->size(); ++i) {
    const veltor::LayerRecord& layer = in.layers->at(i);
    const bool ignored = t.firstIgnoredLayer >= 0 && i >= t.firstIgnoredLayer;
    const std::optional<double> sd = veltor::EquivalentAirThickness(layer);
    if (!ignored) {
      if (sd) sdTotal += *sd;
      thicknessTotal += layer.thickness;
    }
    html += Row({QString::number(i + 1), Caption(layer, ignored), Thickness(layer.thickness),
                 layer.isAirLayer() ? QStringLiteral("–")
                                    : veltor::FormatFixed(veltor::EquivalentLambda(layer, c), 3),
                 ignored ? QStringLiteral("–") : veltor::FormatFixed(layer.resistance, 2), MuText(layer),
                 SdText(layer),
                 layer.density > 0 ? veltor::FormatGeneral(layer.density, 5) : QStringLiteral("–")});
  }
  html += Row({QString(), QStringLiteral("Opór przejmowania ciepła na powierzchni zewnętrznej Rse"),
               QString(), QString(), veltor::FormatFixed(t.rse, 2), QString(), QString(), QString()});
  html += Row({QString(), Bold(QStringLiteral("Razem")), Bold(veltor::FormatFixed(thicknessTotal, 3)),
               QString(), Bold(veltor::FormatFixed(in.summary.totalResistance, 2)), QString(),
               Bold(veltor::FormatFixed(sdTotal, 2)), QString()});
  return html + QStringLiteral("</table>") + TableNotes(in);
}

double IndoorDewPoint(const veltor::DesignConditions& c) {
  const double pi = c.phiI / 100.0 * veltor::SaturationPressureIso(c.ti);
  return pi > 0 ? veltor::SaturationTemperatureIso(pi) : NAN;
}

QString FirstPage(const Input& in) {
  const veltor::DesignConditions& c = in.conditions;
  const veltor::TransmittanceResult& t = in.summary.transmittance;
  const double uc = t.uc;
  QString html;
  html += QStringLiteral("<h2 align=\"center\">Raport projektowy</h2>");
  html += QStringLiteral(
      "<p align=\"center\">Obliczenie współczynnika przenikania ciepła i rozkładu temperatury "
      "przegrody wg PN-EN ISO 6946</p>");

  html += QStringLiteral("<h3>1. Projekt</h3><table width=\"100%\" cellpadding=\"1\">");
  html += KeyValue(QStringLiteral("Nazwa przegrody"), OrDash(in.description[0]));
  html += KeyValue(QStringLiteral("Adres inwestycji"), OrDash(in.address));
  html += KeyValue(QStringLiteral("Odbiorca"), OrDash(in.description[1]));
  html += KeyValue(QStringLiteral("Projektant"), OrDash(in.description[2]));
  html += KeyValue(QStringLiteral("Nr uprawnień budowlanych"), OrDash(in.licence));
  html += KeyValue(QStringLiteral("Data"), OrDash(in.description[3]));
  html += QStringLiteral("</table>");

  html += QStringLiteral("<h3>2. Warunki brzegowe</h3><table width=\"100%\" cellpadding=\"1\">");
  html += KeyValue(QStringLiteral("Temperatura wewnętrzna θi"),
                   veltor::FormatFixed(c.ti, 1) + QStringLiteral(" °C"));
  html += KeyValue(
      QStringLiteral("Temperatura zewnętrzna θe"),
      veltor::FormatFixed(c.te, 1) + QStringLiteral(" °C") +
          (in.climateZone.isEmpty() ? QString()
                                    : QStringLiteral(", strefa klimatyczna ") + Escaped(in.climateZone)));
  html += KeyValue(QStringLiteral("Wilgotność względna wewnątrz φi"), QStringLiteral("%1 %").arg(c.phiI));
  html += KeyValue(QStringLiteral("Wilgotność względna na zewnątrz φe"), QStringLiteral("%1 %").arg(c.phiE));
  html += KeyValue(QStringLiteral("Kierunek strumienia cieplnego"), DirectionWords(c));
  html += KeyValue(
      QStringLiteral("Warunki wilgotnościowe"),
      c.humid() ? QStringLiteral("wilgotne (λ dla warunków wilgotnych)") : QStringLiteral("średniowilgotne"));
  html += KeyValue(QStringLiteral("Opory przejmowania ciepła Rsi / Rse"),
                   veltor::FormatFixed(c.rsi, 2) + QStringLiteral(" / ") + veltor::FormatFixed(t.rse, 2) +
                       QStringLiteral(" m²K/W"));
  html += KeyValue(QStringLiteral("Strona zewnętrzna przegrody"), OuterSideWords(c.outerSide));
  html += QStringLiteral("</table>");

  html += QStringLiteral("<h3>3. Warstwy przegrody (od wewnątrz)</h3>") + LayerTable(in);

  html += QStringLiteral("<h3>4. Wyniki</h3><table width=\"100%\" cellpadding=\"1\">");
  html += KeyValue(QStringLiteral("Całkowity opór cieplny R<sub>T</sub>"),
                   veltor::FormatFixed(in.summary.totalResistance, 2) + QStringLiteral(" m²K/W"));
  html += KeyValue(QStringLiteral("Współczynnik przenikania ciepła U"),
                   veltor::FormatFixed(in.summary.u, 3) + QStringLiteral(" W/(m²K)"));
  html += KeyValue(QStringLiteral("Poprawka na nieszczelności ΔU<sub>g</sub>"),
                   veltor::FormatFixed(t.deltaAirGaps, 3) + QStringLiteral(" W/(m²K)"));
  html += KeyValue(QStringLiteral("Poprawka na łączniki mechaniczne ΔU<sub>f</sub>"),
                   veltor::FormatFixed(t.deltaFasteners, 3) + QStringLiteral(" W/(m²K)"));
  html += KeyValue(QStringLiteral("Poprawka dla dachu o odwróconym układzie warstw ΔU<sub>r</sub>"),
                   veltor::FormatFixed(t.deltaInvertedRoof, 3) + QStringLiteral(" W/(m²K)"));
  html += KeyValue(QStringLiteral("Skorygowany współczynnik Uc"),
                   veltor::FormatFixed(uc, 3) + QStringLiteral(" W/(m²K)"));
  if (c.umax > 0)
    html +=
        KeyValue(QStringLiteral("Wymaganie Uc(max)"),
                 veltor::FormatFixed(c.umax, 2) + QStringLiteral(" W/(m²K)") +
                     (in.umaxSource.isEmpty() ? QString() : QStringLiteral(" – ") + Escaped(in.umaxSource)));
  html += QStringLiteral("</table>");
  html += QStringLiteral("<p><b>%1</b></p>").arg(Verdict(uc, c.umax));
  if (c.umax > 0)
    html += QStringLiteral(
        "<p>Źródło wymagania: rozporządzenie w sprawie warunków technicznych, jakim powinny "
        "odpowiadać budynki i ich usytuowanie, załącznik 2.</p>");

  const QString zero = in.summary.zeroPointDepth
                           ? veltor::FormatFixed(*in.summary.zeroPointDepth, 3) +
                                 QStringLiteral(" m od powierzchni wewnętrznej")
                           : QStringLiteral("poza przegrodą (cała przegroda powyżej 0 °C)");
  html += QStringLiteral("<table width=\"100%\" cellpadding=\"1\">");
  html += KeyValue(QStringLiteral("Punkt 0 °C"), zero);
  const double dew = IndoorDewPoint(c);
  html += KeyValue(
      QStringLiteral("Temperatura powierzchni wewnętrznej θsi"),
      veltor::FormatFixed(in.surfaceTemperature, 1) + QStringLiteral(" °C") +
          (std::isfinite(dew)
               ? QStringLiteral(" (punkt rosy powietrza wewnętrznego %1 °C)").arg(veltor::FormatFixed(dew, 1))
               : QString()));
  html += KeyValue(QStringLiteral("Kondensacja na powierzchni wewnętrznej"),
                   in.surfaceCondensation ? QStringLiteral("WYSTĘPUJE") : QStringLiteral("nie występuje"));
  html += QStringLiteral("</table>");
  if (in.dynamic) {
    const veltor::DynamicResult& d = *in.dynamic;
    html += QStringLiteral(
        "<p><b>Parametry dynamiczne (PN-EN ISO 13786, okres 24 h)</b></p>"
        "<table width=\"100%\" cellpadding=\"1\">");
    html += KeyValue(QStringLiteral("Okresowy współczynnik przenikania ciepła |Y<sub>12</sub>|"),
                     veltor::FormatFixed(d.periodicTransmittance, 3) +
                         QStringLiteral(" W/(m²K), przesunięcie fazowe ") + veltor::FormatFixed(d.delayH, 1) +
                         QStringLiteral(" h"));
    html += KeyValue(QStringLiteral("Współczynnik tłumienia f"), veltor::FormatFixed(d.decrementFactor, 3));
    html += KeyValue(QStringLiteral("Pojemność cieplna κ<sub>1</sub> / κ<sub>2</sub>"),
                     veltor::FormatFixed(d.kappa1, 1) + QStringLiteral(" / ") +
                         veltor::FormatFixed(d.kappa2, 1) + QStringLiteral(" kJ/(m²K)"));
    html += QStringLiteral("</table>");
  }
  html += QStringLiteral(
      "<p>&nbsp;</p><table width=\"100%\"><tr><td width=\"55%\"></td>"
      "<td align=\"center\">.......................................................<br/>"
      "podpis projektanta</td></tr></table>");
  return html;
}

QString ChartsPage(const Input& in) {
  QString html = QStringLiteral("<h3>5. Wykresy</h3>");
  html += QStringLiteral("<table width=\"100%\"><tr>");
  const auto chart = [&](const QImage& image, const QString& name, const QString& caption) {
    // The caption above: the two drawings differ in height, and captions
    // below them would not stand in one line.
    QString cell = QStringLiteral("<td align=\"center\" valign=\"top\"><p>%1</p>").arg(caption);
    if (image.isNull())
      cell += QStringLiteral("<p>(brak wykresu)</p>");
    else
      cell += QStringLiteral("<p>%1</p>").arg(ImageTag(name, image.size(), kChartWidth));
    return cell + QStringLiteral("</td>");
  };
  html +=
      chart(in.temperatureChart, kTemperatureChartName, QStringLiteral("Rozkład temperatury w przegrodzie"));
  html += chart(in.pressureChart, kPressureChartName,
                QStringLiteral("Ciśnienie cząstkowe i ciśnienie nasycenia pary wodnej"));
  html += QStringLiteral("</tr></table>");
  for (const QString& note : in.chartNotes) html += QStringLiteral("<p>%1</p>").arg(Escaped(note));
  return html;
}

QString MoisturePage(const Input& in) {
  if (!in.moisture) return {};
  return QStringLiteral(
             "<h3>6. Ocena wilgotnościowa (PN-EN ISO 13788)</h3>"
             "<p align=\"center\">%1</p>")
      .arg(ImageTag(kMoisturePageName, kondensacja::kMinimumPageSize, kMoisturePageWidth));
}

QString Standards() {
  return QStringLiteral(
      "<h3>Normy i przepisy</h3><ul>"
      "<li>PN-EN ISO 6946:2017 Komponenty budowlane i elementy budynku – Opór cieplny i współczynnik "
      "przenikania ciepła – Metody obliczania</li>"
      "<li>PN-EN ISO 13788:2013 Cieplno-wilgotnościowe właściwości komponentów budowlanych i elementów "
      "budynku – Temperatura powierzchni wewnętrznej konieczna do uniknięcia krytycznej wilgotności "
      "powierzchni i kondensacji międzywarstwowej – Metody obliczania</li>"
      "<li>PN-EN ISO 10456 Materiały i wyroby budowlane – Właściwości cieplno-wilgotnościowe – "
      "Tabelaryczne wartości obliczeniowe</li>"
      "<li>Rozporządzenie Ministra Infrastruktury w sprawie warunków technicznych, jakim powinny "
      "odpowiadać budynki i ich usytuowanie, załącznik 2</li></ul>");
}

QPageLayout A4Layout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
}

template <class Write>
QByteArray Bytes(Write write) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  write(buffer);
  return bytes;
}

}  // namespace

void Compute(Input& input, veltor::LayerTable& table, const veltor::ReferenceTables& tables,
             const QString& startFolder) {
  veltor::CalculatePartition(table, input.summary, input.conditions, tables);
  input.layers = &table;
  input.saturation = &tables.saturation;
  input.startFolder = startFolder;
  input.surfaceCondensation = veltor::SurfaceCondensation(table, input.conditions, tables.saturation);
  input.surfaceTemperature = table.empty() ? input.conditions.ti : table.at(0).innerTemperature;
  const veltor::DesignConditions boundary = veltor::WithRseInForce(input.conditions);
  const chart::ChartData data{table, input.summary, boundary, tables.saturation};
  for (const int kind : {1, 2}) {
    QImage& picture = kind == 1 ? input.temperatureChart : input.pressureChart;
    try {
      picture = ui::LoadPicture(chart::BackgroundPath(startFolder, kind));
      input.chartNotes << chart::DrawChart(picture, kind, data, chart::HatchesFrom(startFolder)).skipped;
    } catch (const veltor::Error& e) {
      // The document goes out without that chart; its page says why.
      picture = QImage();
      input.chartNotes << e.message();
    }
  }
}

QString Verdict(double uc, double umax) {
  if (umax <= 0) return QStringLiteral("Nie określono wymagania Uc(max)");
  return veltor::ExceedsUmax(uc, umax) ? QStringLiteral("Przegroda nie spełnia wymagania Uc ≤ Uc(max)")
                                       : QStringLiteral("Przegroda spełnia wymaganie Uc ≤ Uc(max)");
}

namespace {

// Paints the charts and the moisture page in their image boxes on a vector
// device: the box is the image's size in the device's units, as Qt's own
// image handler sizes it.
class VectorDrawings : public QObject, public QTextObjectInterface {
  Q_OBJECT
  Q_INTERFACES(QTextObjectInterface)

 public:
  VectorDrawings(const Input& input, QPaintDevice& device, QObject* parent)
      : QObject(parent), input_(input), device_(device) {}

  QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat& format) override {
    const QTextImageFormat image = format.toImageFormat();
    const double scale = device_.logicalDpiX() / 96.0;
    return QSizeF(image.width(), image.height()) * scale;
  }

  void drawObject(QPainter* painter, const QRectF& box, QTextDocument*, int,
                  const QTextFormat& format) override {
    const QString name = format.toImageFormat().name();
    const int kind = name == kTemperatureChartName ? 1 : name == kPressureChartName ? 2 : 0;
    const QSize size = kind ? chart::SheetSize(kind) : kondensacja::kMinimumPageSize;
    painter->save();
    painter->translate(box.topLeft());
    painter->scale(box.width() / size.width(), box.height() / size.height());
    painter->setClipRect(QRect(QPoint(0, 0), size));
    try {
      if (kind && input_.layers && input_.saturation) {
        const veltor::DesignConditions boundary = veltor::WithRseInForce(input_.conditions);
        const chart::ChartData data{*input_.layers, input_.summary, boundary, *input_.saturation};
        chart::PaintChart(*painter, kind, data, chart::HatchesFrom(input_.startFolder));
      } else if (name == kMoisturePageName && input_.moisture) {
        kondensacja::PaintMoisturePage(*painter, *input_.moisture, input_.description[0], size);
      }
    } catch (const veltor::Error&) {
      // Compute drew the same chart a moment ago; a hatch gone since leaves
      // the box as far as it was drawn rather than losing the document.
    }
    painter->restore();
  }

 private:
  const Input& input_;
  QPaintDevice& device_;
};

}  // namespace

namespace {

// One document of `html`; `pictures`: the drawings as pictures in its
// resources (for the ODT), where the PDF and the printer draw them instead.
std::unique_ptr<QTextDocument> NewDocument(const Input& input, const QString& html, bool pictures) {
  auto document = std::make_unique<QTextDocument>();
  QFont font(kFontFamily);
  font.setPointSize(kBodyPoints);
  document->setDefaultFont(font);
  document->setDocumentMargin(0);
  document->setDefaultStyleSheet(kStyle);
  if (pictures) {
    if (!input.temperatureChart.isNull())
      document->addResource(QTextDocument::ImageResource, QUrl(kTemperatureChartName),
                            input.temperatureChart);
    if (!input.pressureChart.isNull())
      document->addResource(QTextDocument::ImageResource, QUrl(kPressureChartName), input.pressureChart);
    if (input.moisture)
      document->addResource(QTextDocument::ImageResource, QUrl(kMoisturePageName),
                            kondensacja::BuildMoisturePage(*input.moisture, input.description[0],
                                                           kondensacja::kMinimumPageSize));
  }
  document->setHtml(html);
  document->setMetaInformation(QTextDocument::DocumentTitle,
                               QStringLiteral("Raport projektowy – ") + input.description[0]);
  return document;
}

// Each section starts a page of its own.
std::vector<std::unique_ptr<QTextDocument>> BuildSections(const Input& input) {
  std::vector<std::unique_ptr<QTextDocument>> sections;
  sections.push_back(NewDocument(input, FirstPage(input), false));
  sections.push_back(NewDocument(input, ChartsPage(input) + Standards(), false));
  if (input.moisture) sections.push_back(NewDocument(input, MoisturePage(input), false));
  return sections;
}

}  // namespace

std::unique_ptr<QTextDocument> BuildDocument(const Input& input) {
  // One flow for the ODT: the sections after the first open a new page.
  QString html = FirstPage(input) + QStringLiteral("<div style=\"page-break-before: always\">") +
                 ChartsPage(input) + Standards() + QStringLiteral("</div>");
  if (input.moisture)
    html += QStringLiteral("<div style=\"page-break-before: always\">") + MoisturePage(input) +
            QStringLiteral("</div>");
  return NewDocument(input, html, true);
}

int PaintDocument(QPagedPaintDevice& device, const Input& input) {
  device.setPageLayout(A4Layout());
  QPainter painter(&device);
  // A printer that cannot start its job must not pass for a printed document.
  if (!painter.isActive()) throw veltor::Error(QStringLiteral("Printing failed"));
  // The paintable area inside the margins, in device pixels; its foot is the footer's.
  const double footerGap = kFooterMm / 25.4 * device.logicalDpiY();
  const QRectF body(0, 0, device.width(), device.height() - footerGap);
  std::vector<std::unique_ptr<QTextDocument>> sections = BuildSections(input);
  int pages = 0;
  for (const auto& document : sections) {
    document->documentLayout()->setPaintDevice(&device);
    document->documentLayout()->registerHandler(QTextFormat::ImageObject,
                                                new VectorDrawings(input, device, document.get()));
    document->setPageSize(body.size());
    pages += document->pageCount();
  }
  QFont footerFont(kFontFamily);
  footerFont.setPointSizeF(kFooterPoints);
  int page = 0;
  for (const auto& document : sections) {
    // Each section starts a page of its own.
    for (int own = 0; own < document->pageCount(); ++own, ++page) {
      if (page > 0 && !device.newPage()) throw veltor::Error(QStringLiteral("Printing failed"));
      painter.save();
      painter.setClipRect(body);
      painter.translate(0, -own * body.height());
      document->drawContents(&painter, QRectF(0, own * body.height(), body.width(), body.height()));
      painter.restore();
      painter.setFont(footerFont);
      const QRectF footer(0, body.height() + footerGap * 0.3, body.width(), footerGap * 0.7);
      painter.drawText(footer, Qt::AlignLeft | Qt::AlignTop,
                       QStringLiteral("VELTORobl %1 · %2")
                           .arg(input.version, input.date.toString(QStringLiteral("dd.MM.yyyy"))));
      painter.drawText(footer, Qt::AlignRight | Qt::AlignTop,
                       QStringLiteral("strona %1 z %2").arg(page + 1).arg(pages));
    }
  }
  return pages;
}

QByteArray PdfBytes(const Input& input) {
  return Bytes([&](QBuffer& buffer) {
    QPdfWriter writer(&buffer);
    writer.setResolution(300);
    writer.setCreator(QStringLiteral("VELTORobl %1").arg(input.version));
    writer.setTitle(QStringLiteral("Raport projektowy – ") + input.description[0]);
    PaintDocument(writer, input);
  });
}

QByteArray OdtBytes(const Input& input) {
  return Bytes([&](QBuffer& buffer) {
    std::unique_ptr<QTextDocument> document = BuildDocument(input);
    QTextDocumentWriter writer(&buffer, "ODF");
    if (!writer.write(document.get())) throw veltor::Error(QStringLiteral("Cannot encode the document"));
  });
}

void WritePdf(const Input& input, const QString& path) {
  ui::WriteFileSafely(path, PdfBytes(input));
}

void WriteOdt(const Input& input, const QString& path) {
  ui::WriteFileSafely(path, OdtBytes(input));
}

}  // namespace designreport

#include "raport_projektowy.moc"
