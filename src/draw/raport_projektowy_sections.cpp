// The designer's report's text: the HTML of one partition's sections (the
// verdicts, the project, the conditions, the layers and their sources, the
// results, the standards and the places of the charts and the moisture page),
// from a prepared Input alone. raport_projektowy.cpp lays them out on pages.
#include "draw/raport_projektowy_sections.h"

#include <cmath>
#include <vector>

#include "calc/errors.h"
#include "calc/moisture.h"
#include "calc/numbers.h"
#include "draw/raport_draw.h"
#include "draw/rysunek_sheet.h"

namespace designreport {

namespace {

// The paragraphs the regulation's verdicts answer.
const QString kUcParagraph = QStringLiteral("§ 328 ust. 1, zał. 2 pkt 1.1");
const QString kSurfaceParagraph = QStringLiteral("§ 321 ust. 1, zał. 2 pkt 2.2");
const QString kInterstitialParagraph = QStringLiteral("§ 321 ust. 2, zał. 2 pkt 2.2");

// A figure of no quantity of its own (a share, hours, a ratio) with fixed decimals.
QString Fig(double value, int decimals) {
  return veltor::FormatFixed(value, decimals);
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

QString KeyTable(const QStringList& rows) {
  return QStringLiteral("<table width=\"100%\" cellpadding=\"1\">") + rows.join(QString()) +
         QStringLiteral("</table>");
}

QString OrDash(const QString& text) {
  return text.trimmed().isEmpty() ? QStringLiteral("–") : Escaped(text);
}

QString Note(const QString& html) {
  return QStringLiteral("<p class=\"note\">%1</p>").arg(html);
}

QString Bold(const QString& text) {
  return QStringLiteral("<b>%1</b>").arg(text);
}

QString Unit(const QString& figure, const QString& unit) {
  return figure + QStringLiteral(" ") + unit;
}

const QString kUUnit = QStringLiteral("W/(m²K)");
const QString kRUnit = QStringLiteral("m²K/W");

// With the Rsi in force, which the conditions keep for the direction.
QString DirectionWords(const veltor::DesignConditions& c) {
  switch (c.direction) {
    case 0:
      return QStringLiteral("w górę");
    case 2:
      return QStringLiteral("w dół");
    default:
      return QStringLiteral("poziomy");
  }
}

// μ from the records' coefficient 720/μ; "max" (-INF) has no resistance and 0 is tight.
QString MuText(const veltor::LayerRecord& layer) {
  if (layer.isAirLayer() || std::isinf(layer.vapourCoefficient)) return QStringLiteral("brak oporu");
  if (layer.vapourCoefficient == 0) return QStringLiteral("∞");
  return veltor::FormatQuantity(veltor::Quantity::VapourCoefficient,
                                veltor::kAirVapourCoefficient / layer.vapourCoefficient);
}

// sd = μ·d to its significant digits: never rounded into another value.
QString SdText(const veltor::LayerRecord& layer) {
  const std::optional<double> sd = veltor::EquivalentAirThickness(layer);
  if (sd) return veltor::FormatGeneral(*sd, 4);
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

QString LayerName(const Input& in, int index) {
  return QStringLiteral("%1 „%2”").arg(index + 1).arg(Escaped(in.layers->at(index).nameText().trimmed()));
}

// A share's "10 %" stays on one line.
QString Caption(const veltor::LayerRecord& layer, bool ignored) {
  return Escaped(raport::RowCaption(layer, ignored)).replace(QStringLiteral(" %"), QStringLiteral("&nbsp;%"));
}

bool AnyBridge(const veltor::LayerTable* layers) {
  for (int i = 0; layers && i < layers->size(); ++i)
    if (layers->at(i).bridge.present()) return true;
  return false;
}

double IndoorDewPoint(const veltor::DesignConditions& c) {
  const double pi = c.phiI / 100.0 * veltor::SaturationPressureIso(c.ti);
  return pi > 0 ? veltor::SaturationTemperatureIso(pi) : NAN;
}

// ---------------------------------------------------------------- verdicts

struct VerdictLine {
  QString what;
  QString outcome;
  QString paragraph;
};

// Whether the assessment has a result to judge by.
const veltor::MoistureResult* MoistureResultOf(const Input& in) {
  return in.moisture && in.moisture->result ? &*in.moisture->result : nullptr;
}

QString NotAssessed(const Input& in) {
  if (in.ground.onGround()) return veltor::kNotForGround;
  if (!in.moisture || in.moisture->climateMissing)
    return QStringLiteral("nie oceniono – nie wybrano klimatu zewnętrznego");
  return QStringLiteral("nie oceniono – %1").arg(Escaped(in.moisture->message));
}

QString MonthWord(int month) {
  return month >= 0 ? veltor::MonthName(month).toLower() : QString();
}

std::vector<VerdictLine> Verdicts(const Input& in) {
  const veltor::TransmittanceResult& t = in.summary.transmittance;
  const veltor::DesignConditions& c = in.conditions;
  std::vector<VerdictLine> lines;
  QString uc;
  // On the ground the designer's chosen U is the one held against Uc(max).
  const double compared = in.groundResult ? in.groundResult->uCompared : t.uc;
  const QString name = !in.groundResult ? QStringLiteral("Uc")
                       : in.ground.compare == veltor::ComparedU::Ground
                           ? QStringLiteral("U (PN-EN ISO 13370)")
                           : QStringLiteral("U (PN-EN ISO 6946)");
  if (c.umax > 0) {
    const bool fails = veltor::ExceedsUmax(compared, c.umax);
    uc = QStringLiteral("%6 = %1 %2 Uc(max) = %3 %4 – %5")
             .arg(veltor::FormatQuantity(veltor::Quantity::Transmittance, compared),
                  fails ? QStringLiteral(">") : QStringLiteral("≤"),
                  veltor::FormatQuantity(veltor::Quantity::TransmittanceLimit, c.umax), kUUnit,
                  Bold(fails ? QStringLiteral("nie spełnia") : QStringLiteral("spełnia")), name);
  } else {
    uc = QStringLiteral("%3 = %1 %2 – nie określono wymagania Uc(max)")
             .arg(veltor::FormatQuantity(veltor::Quantity::Transmittance, compared), kUUnit, name);
  }
  lines.push_back({QStringLiteral("Izolacyjność cieplna: Uc ≤ Uc(max)"), uc, kUcParagraph});

  const veltor::MoistureResult* r = MoistureResultOf(in);
  QString surface, interstitial;
  if (!r) {
    surface = interstitial = NotAssessed(in);
  } else {
    if (r->saturatedMonth >= 0)
      surface = QStringLiteral("powietrze wewnętrzne nasycone parą (%1) – %2")
                    .arg(MonthWord(r->saturatedMonth), Bold(QStringLiteral("nie spełnia")));
    else if (r->decisiveMonth < 0)
      surface = QStringLiteral("fRsi = %1; w żadnym miesiącu fRsi,min nie występuje – %2")
                    .arg(veltor::FormatQuantity(veltor::Quantity::TemperatureFactor, r->fRsi),
                         Bold(QStringLiteral("spełnia")));
    else
      surface =
          QStringLiteral("fRsi = %1 %2 fRsi,min = %3 (miesiąc decydujący: %4) – %5")
              .arg(veltor::FormatQuantity(veltor::Quantity::TemperatureFactor, r->fRsi),
                   r->meetsCriticalFactor ? QStringLiteral("≥") : QStringLiteral("<"),
                   veltor::FormatQuantity(veltor::Quantity::TemperatureFactor, r->fRsiMinDecisive),
                   MonthWord(r->decisiveMonth),
                   Bold(r->meetsCriticalFactor ? QStringLiteral("spełnia") : QStringLiteral("nie spełnia")));
    switch (r->verdict) {
      case veltor::InterstitialVerdict::NoCondensation:
        interstitial = QStringLiteral("nie występuje – %1").arg(Bold(QStringLiteral("spełnia")));
        break;
      case veltor::InterstitialVerdict::DriesOut:
        interstitial =
            QStringLiteral(
                "występuje od miesiąca: %1, woda wysycha w ciągu roku; Ma,max = %2 kg/m² (%3) – %4")
                .arg(MonthWord(r->startMonth), veltor::FormatQuantity(veltor::Quantity::Condensate, r->maxMa),
                     MonthWord(r->maxMaMonth), Bold(QStringLiteral("spełnia")));
        break;
      case veltor::InterstitialVerdict::Accumulates:
        interstitial = QStringLiteral("wilgoć kumuluje się z roku na rok; Ma,max = %1 kg/m² (%2) – %3")
                           .arg(veltor::FormatQuantity(veltor::Quantity::Condensate, r->maxMa),
                                MonthWord(r->maxMaMonth), Bold(QStringLiteral("nie spełnia")));
        break;
    }
  }
  lines.push_back({QStringLiteral("Kondensacja na powierzchni wewnętrznej: fRsi ≥ fRsi,min"), surface,
                   kSurfaceParagraph});
  lines.push_back({QStringLiteral("Kondensacja międzywarstwowa (PN-EN ISO 13788)"), interstitial,
                   kInterstitialParagraph});
  return lines;
}

QString VerdictBox(const Input& in) {
  QString html = QStringLiteral(
      "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\" style=\"border-collapse: "
      "collapse\" bgcolor=\"#f4f4f4\">");
  html += Row({QStringLiteral("Ocena przegrody"), QStringLiteral("Wynik"), QStringLiteral("Przepis")}, true)
              .replace(QStringLiteral("<th>Ocena"), QStringLiteral("<th width=\"30%\">Ocena"))
              .replace(QStringLiteral("<th>Wynik"), QStringLiteral("<th width=\"50%\">Wynik"))
              .replace(QStringLiteral("<th>Przepis"), QStringLiteral("<th width=\"20%\">Przepis"));
  for (const VerdictLine& line : Verdicts(in)) html += Row({line.what, line.outcome, line.paragraph});
  html += QStringLiteral("</table>");
  if (!MoistureResultOf(in))
    html += Note(QStringLiteral("Oceny wilgotnościowej według PN-EN ISO 13788 nie wykonano."));
  else
    html += Note(QStringLiteral("Ocena wilgotnościowa dla klimatu: %1%2.")
                     .arg(Escaped(in.moisture->climateName),
                          in.moisturePage ? QStringLiteral("; szczegóły w rozdziale 7") : QString()));
  return html;
}

// ---------------------------------------------------------------- sections

QString ProjectSection(const Input& in) {
  return QStringLiteral("<h3>1. Projekt</h3>") +
         KeyTable({KeyValue(QStringLiteral("Nazwa przegrody"), OrDash(in.description[0])),
                   KeyValue(QStringLiteral("Adres inwestycji"), OrDash(in.address)),
                   KeyValue(QStringLiteral("Odbiorca"), OrDash(in.description[1])),
                   KeyValue(QStringLiteral("Projektant"), OrDash(in.description[2])),
                   KeyValue(QStringLiteral("Nr uprawnień budowlanych"), OrDash(in.licence)),
                   KeyValue(QStringLiteral("Data"), OrDash(in.description[3]))});
}

QString ZoneWords(double te) {
  for (const veltor::ClimateZone& zone : veltor::kClimateZones)
    if (zone.te == te)
      return QStringLiteral("strefa klimatyczna %1 według PN-EN 12831 (załącznik krajowy)")
          .arg(QString::fromUtf8(zone.numeral));
  return QStringLiteral(
      "wartość przyjęta przez projektanta, nie temperatura strefy klimatycznej PN-EN 12831");
}

QString RequirementWords(const Input& in) {
  const veltor::DesignConditions& c = in.conditions;
  if (c.umax <= 0) return QStringLiteral("nie określono");
  QString text = Unit(veltor::FormatQuantity(veltor::Quantity::TransmittanceLimit, c.umax), kUUnit) +
                 QStringLiteral(" – ");
  if (in.umaxRows.isEmpty())
    return text + QStringLiteral(
                      "wartość przyjęta przez projektanta (żaden wiersz tablicy wymagań dla θi = %1 °C "
                      "nie podaje tej wartości)")
                      .arg(veltor::FormatQuantity(veltor::Quantity::Temperature, c.ti));
  return text + Escaped(in.umaxRows.join(QStringLiteral(" albo "))) +
         QStringLiteral(" (rozporządzenie w sprawie warunków technicznych, załącznik nr 2, tabela 1)");
}

QString IgnoredLayers(const Input& in) {
  const int first = in.summary.transmittance.firstIgnoredLayer;
  if (first < 0 || !in.layers) return QStringLiteral("brak");
  QStringList names;
  for (int i = first; i < in.layers->size(); ++i) names << LayerName(in, i);
  return names.join(QStringLiteral(", "));
}

QString MoistureClimateWords(const Input& in) {
  if (!in.moisture || in.moisture->climateMissing || in.moisture->climateName.isEmpty())
    return QStringLiteral("nie wybrano (ocena wilgotnościowa nie wykonana)");
  const veltor::IndoorConditions& indoor = in.moisture->input.indoor;
  return Escaped(in.moisture->climateName) +
         (indoor.mode == veltor::IndoorHumidity::HumidityClass
              ? QStringLiteral(", wilgotność wewnętrzna: klasa %1 wg PN-EN ISO 13788")
                    .arg(indoor.humidityClass)
              : QStringLiteral(", wilgotność wewnętrzna φi = %1 %").arg(in.conditions.phiI));
}

QString ConditionsSection(const Input& in) {
  const veltor::DesignConditions& c = in.conditions;
  const veltor::TransmittanceResult& t = in.summary.transmittance;
  return QStringLiteral("<h3>2. Warunki brzegowe i założenia</h3>") +
         KeyTable({
             KeyValue(
                 QStringLiteral("Temperatura wewnętrzna θi"),
                 Unit(veltor::FormatQuantity(veltor::Quantity::Temperature, c.ti), QStringLiteral("°C"))),
             KeyValue(
                 QStringLiteral("Temperatura zewnętrzna θe"),
                 Unit(veltor::FormatQuantity(veltor::Quantity::Temperature, c.te), QStringLiteral("°C")) +
                     QStringLiteral(" – ") + ZoneWords(c.te)),
             KeyValue(QStringLiteral("Wilgotność względna wewnątrz / na zewnątrz"),
                      QStringLiteral("φi = %1 %, φe = %2 %").arg(c.phiI).arg(c.phiE)),
             KeyValue(QStringLiteral("Warunki wilgotnościowe"),
                      c.humid() ? QStringLiteral("wilgotne (λ dla warunków wilgotnych)")
                                : QStringLiteral("średniowilgotne (λ dla warunków średniowilgotnych)")),
             KeyValue(QStringLiteral("Kierunek strumienia cieplnego"), DirectionWords(c)),
             KeyValue(
                 QStringLiteral("Opory przejmowania ciepła Rsi / Rse"),
                 QStringLiteral("%1 / %2 %3 (PN-EN ISO 6946, tablica 7; Rse w mocy dla strony zewnętrznej)")
                     .arg(veltor::FormatQuantity(veltor::Quantity::Resistance, c.rsi),
                          veltor::FormatQuantity(veltor::Quantity::Resistance, t.rse), kRUnit)),
             KeyValue(QStringLiteral("Strona zewnętrzna przegrody"), OuterSideWords(c.outerSide)),
             KeyValue(QStringLiteral("Warstwy pominięte w obliczeniu"), IgnoredLayers(in)),
             KeyValue(QStringLiteral("Wymaganie Uc(max)"), RequirementWords(in)),
             KeyValue(QStringLiteral("Klimat oceny wilgotnościowej"), MoistureClimateWords(in)),
         });
}

// A figure with the mark of a value typed over the catalogue's.
QString Marked(const QString& figure, const LayerSource* source, const QString& symbol) {
  if (source && source->edited.contains(symbol)) return figure + QStringLiteral("<sup>*</sup>");
  return figure;
}

QString LayerTableNotes(const Input& in) {
  const veltor::TransmittanceResult& t = in.summary.transmittance;
  QStringList notes;
  QStringList edited;
  for (int i = 0; in.layers && i < in.layers->size() && i < static_cast<int>(in.sources.size()); ++i) {
    const LayerSource& s = in.sources[i];
    if (s.edited.isEmpty()) continue;
    edited << QStringLiteral("warstwa %1: %2 wpisane przez projektanta (w katalogu %3)")
                  .arg(LayerName(in, i), s.edited.join(QStringLiteral(", ")), Escaped(s.catalogueValues));
  }
  if (!edited.isEmpty())
    notes << QStringLiteral("<sup>*</sup> Wartość wpisana w miejsce katalogowej – ") +
                 edited.join(QStringLiteral("; ")) + QStringLiteral(".");
  if (!in.sources.empty())
    notes << QStringLiteral(
        "Źródło „katalog programu”: wartości obliczeniowe PN-EN ISO 10456 i typowe wartości deklarowane "
        "wyrobów, jak je podaje katalog materiałów programu; dla konkretnego wyrobu należy przyjąć jego "
        "wartości deklarowane.");
  for (int i = 0; in.layers && i < in.layers->size(); ++i) {
    const veltor::LayerRecord& layer = in.layers->at(i);
    if (!layer.bridge.present()) continue;
    const bool humid = in.conditions.humid();
    notes << QStringLiteral(
                 "Warstwa %1 niejednorodna: mostek %2, udział f = %3 %, λ<sub>b</sub> = %4; materiał "
                 "główny λ<sub>a</sub> = %5; λ'' = (1 − f)·λ<sub>a</sub> + f·λ<sub>b</sub> = %6 W/(m·K).")
                 .arg(LayerName(in, i), Escaped(layer.bridge.material),
                      veltor::FormatGeneral(layer.bridge.share * 100, 4),
                      veltor::FormatGeneral(humid ? layer.bridge.lambdaHumid : layer.bridge.lambdaMedium, 4),
                      veltor::FormatGeneral(humid ? layer.lambdaHumid : layer.lambdaMedium, 4),
                      veltor::FormatQuantity(veltor::Quantity::Conductivity,
                                             veltor::EquivalentLambda(layer, in.conditions)));
  }
  if (AnyBridge(in.layers)) {
    notes << QStringLiteral(
        "Warstwy niejednorodne: λ w tabeli to λ'' warstwy zastępczej dolnej granicy oporu; ich R rozdziela "
        "R<sub>T</sub> w proporcji do d/λ''. μ i s<sub>d</sub> są materiału głównego, którego droga decyduje "
        "o "
        "kondensacji.");
    notes << QStringLiteral(
                 "Metoda złożona (PN-EN ISO 6946): górna granica R'<sub>T</sub> = %1 %5, dolna granica "
                 "R''<sub>T</sub> = %2 %5, R<sub>T</sub> = (R'<sub>T</sub> + R''<sub>T</sub>)/2 = %3 %5, "
                 "szacowany błąd względny e = %4 %.")
                 .arg(veltor::FormatQuantity(veltor::Quantity::Resistance, t.upperResistance),
                      veltor::FormatQuantity(veltor::Quantity::Resistance, t.lowerResistance),
                      veltor::FormatQuantity(veltor::Quantity::Resistance, t.totalResistance),
                      Fig(t.relativeError * 100, 1), kRUnit);
  }
  if (t.firstIgnoredLayer >= 0)
    notes << QStringLiteral(
        "Warstwy oznaczone „pominięta” leżą na zewnątrz dobrze wentylowanej warstwy powietrza: nie wlicza "
        "się "
        "ich do oporu cieplnego ani do sum tabeli.");
  QString html;
  for (const QString& note : notes) html += Note(note);
  if (t.limitRatioExceeded) html += Note(Bold(Escaped(veltor::kLimitRatioWarning)));
  if (t.metalBridgesInsulation) html += Note(Bold(Escaped(veltor::kMetalBridgeWarning)));
  return html;
}

QString LayerSection(const Input& in) {
  const veltor::DesignConditions& c = in.conditions;
  const veltor::TransmittanceResult& t = in.summary.transmittance;
  QString html = QStringLiteral(
      "<h3>3. Warstwy przegrody (od wewnątrz)</h3>"
      "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\" style=\"border-collapse: "
      "collapse\">");
  // The material takes what the figures leave, so that the Rsi and Rse rows
  // and a bridged layer's caption keep to few lines.
  html += QStringLiteral(
      "<tr><th width=\"4%\">Nr</th><th width=\"30%\">Materiał</th><th width=\"15%\">Źródło</th>"
      "<th width=\"8%\">d [m]</th><th width=\"8%\">λ [W/(m·K)]</th><th width=\"8%\">R [m²K/W]</th>"
      "<th width=\"9%\">μ [–]</th><th width=\"9%\">s<sub>d</sub> [m]</th><th width=\"9%\">ρ "
      "[kg/m³]</th></tr>");
  const auto surfaceRow = [](const QString& caption, double r) {
    return QStringLiteral("<tr><td></td><td colspan=\"4\">%1</td><td>%2</td><td></td><td></td><td></td></tr>")
        .arg(caption, veltor::FormatQuantity(veltor::Quantity::Resistance, r));
  };
  html += surfaceRow(QStringLiteral("Opór przejmowania ciepła na powierzchni wewnętrznej Rsi"), c.rsi);
  double sdTotal = 0;
  double thicknessTotal = 0;
  for (int i = 0; in.layers && i < in.layers->size(); ++i) {
    const veltor::LayerRecord& layer = in.layers->at(i);
    const LayerSource* source = i < static_cast<int>(in.sources.size()) ? &in.sources[i] : nullptr;
    const bool ignored = t.firstIgnoredLayer >= 0 && i >= t.firstIgnoredLayer;
    const std::optional<double> sd = veltor::EquivalentAirThickness(layer);
    if (!ignored) {
      if (sd) sdTotal += *sd;
      thicknessTotal += layer.thickness;
    }
    html += Row({QString::number(i + 1), Caption(layer, ignored),
                 source ? Escaped(source->text) : QStringLiteral("–"),
                 veltor::FormatQuantity(veltor::Quantity::Thickness, layer.thickness),
                 layer.isAirLayer() ? QStringLiteral("–")
                                    : Marked(veltor::FormatQuantity(veltor::Quantity::Conductivity,
                                                                    veltor::EquivalentLambda(layer, c)),
                                             source, QStringLiteral("λ")),
                 ignored ? QStringLiteral("–")
                         : veltor::FormatQuantity(veltor::Quantity::Resistance, layer.resistance),
                 Marked(MuText(layer), source, QStringLiteral("μ")), SdText(layer),
                 layer.density > 0 ? Marked(veltor::FormatQuantity(veltor::Quantity::Density, layer.density),
                                            source, QStringLiteral("ρ"))
                                   : QStringLiteral("–")});
  }
  html += surfaceRow(QStringLiteral("Opór przejmowania ciepła na powierzchni zewnętrznej Rse"), t.rse);
  html += QStringLiteral(
              "<tr><td></td><td "
              "colspan=\"2\">%1</td><td>%2</td><td></td><td>%3</td><td></td><td>%4</td><td></td></tr>")
              .arg(Bold(QStringLiteral("Razem")),
                   Bold(veltor::FormatQuantity(veltor::Quantity::Thickness, thicknessTotal)),
                   Bold(veltor::FormatQuantity(veltor::Quantity::Resistance, in.summary.totalResistance)),
                   Bold(veltor::FormatGeneral(sdTotal, 4)));
  return html + QStringLiteral("</table>") + LayerTableNotes(in);
}

QString CorrectionLayerWords(const Input& in, const veltor::CorrectionBasis& basis) {
  if (basis.layer < 0 || !in.layers || basis.layer >= in.layers->size())
    return QStringLiteral("brak warstwy");
  return QStringLiteral("warstwa %1, R<sub>1</sub> = %2 %3, R<sub>T</sub> = %4 %3")
      .arg(LayerName(in, basis.layer), veltor::FormatQuantity(veltor::Quantity::Resistance, basis.r1), kRUnit,
           veltor::FormatQuantity(veltor::Quantity::Resistance, in.summary.transmittance.correctionRt));
}

QStringList CorrectionRows(const Input& in) {
  const veltor::UCorrections& corr = in.conditions.corrections;
  const veltor::TransmittanceResult& t = in.summary.transmittance;
  QStringList rows;
  QString gaps = Unit(veltor::FormatQuantity(veltor::Quantity::Transmittance, t.deltaAirGaps), kUUnit);
  if (corr.airGaps.level > 0 && corr.airGaps.level <= 2)
    gaps +=
        QStringLiteral(" – poziom %1, ΔU'' = %2 %3; %4; ΔU<sub>g</sub> = ΔU''·(R<sub>1</sub>/R<sub>T</sub>)²")
            .arg(corr.airGaps.level)
            .arg(Fig(veltor::kAirGapDeltaU[corr.airGaps.level], 2), kUUnit,
                 CorrectionLayerWords(in, t.airGapBasis));
  else
    gaps += QStringLiteral(" – poziom 0 (izolacja bez szczelin)");
  rows << KeyValue(QStringLiteral("Poprawka na nieszczelności ΔU<sub>g</sub>"), gaps);

  const veltor::FastenerCorrection& f = corr.fasteners;
  QString fasteners = Unit(veltor::FormatQuantity(veltor::Quantity::Transmittance, t.deltaFasteners), kUUnit);
  if (f.method == veltor::FastenerMethod::PointTransmittance) {
    fasteners += QStringLiteral(" – n = %1 1/m², χ<sub>p</sub> = %2 W/K; ΔU<sub>f</sub> = n·χ<sub>p</sub>")
                     .arg(veltor::FormatGeneral(f.perSquareMetre, 4), veltor::FormatGeneral(f.chiP, 4));
  } else if (f.method == veltor::FastenerMethod::Conductivity) {
    const veltor::CorrectionBasis& b = t.fastenerBasis;
    const double d0 =
        b.layer >= 0 && in.layers && b.layer < in.layers->size() ? in.layers->at(b.layer).thickness : 0;
    const double d1 = std::max(0.0, d0 - f.recess);
    const double alpha = f.recess > 0 && d0 > 0 ? 0.8 * d1 / d0 : 0.8;
    fasteners +=
        QStringLiteral(
            " – n = %1 1/m², λ<sub>f</sub> = %2 W/(m·K), A<sub>f</sub> = %3 m², d<sub>0</sub> = %4 m, "
            "%5α = %6; %7; ΔU<sub>f</sub> = α·λ<sub>f</sub>·A<sub>f</sub>·n/d<sub>0</sub>·(R<sub>1</sub>/"
            "R<sub>T</sub>)²")
            .arg(veltor::FormatGeneral(f.perSquareMetre, 4), veltor::FormatGeneral(f.lambda, 4),
                 veltor::FormatGeneral(f.area, 4), veltor::FormatQuantity(veltor::Quantity::Thickness, d0),
                 f.recess > 0
                     ? QStringLiteral("d<sub>1</sub>/d<sub>0</sub> = %1, ").arg(Fig(d0 > 0 ? d1 / d0 : 0, 3))
                     : QString(),
                 Fig(alpha, 3), CorrectionLayerWords(in, b));
  } else {
    fasteners += QStringLiteral(" – brak łączników przebijających izolację");
  }
  rows << KeyValue(QStringLiteral("Poprawka na łączniki mechaniczne ΔU<sub>f</sub>"), fasteners);

  const veltor::InvertedRoofCorrection& roof = corr.invertedRoof;
  QString inverted =
      Unit(veltor::FormatQuantity(veltor::Quantity::Transmittance, t.deltaInvertedRoof), kUUnit);
  if (roof.enabled)
    inverted +=
        QStringLiteral(
            " – p = %1 mm/dzień, f = %2, x = %3 W·dzień/(m²·K·mm); %4; ΔU<sub>r</sub> = "
            "p·f·x·(R<sub>1</sub>/R<sub>T</sub>)²")
            .arg(veltor::FormatGeneral(roof.precipitation, 4), veltor::FormatGeneral(roof.drainage, 4),
                 veltor::FormatGeneral(roof.factor, 4), CorrectionLayerWords(in, t.invertedRoofBasis));
  else
    inverted += QStringLiteral(" – nie dotyczy");
  rows << KeyValue(QStringLiteral("Poprawka dla dachu o odwróconym układzie warstw ΔU<sub>r</sub>"),
                   inverted);
  if (corr.any()) {
    const double share = t.u > 0 ? t.deltaU / t.u * 100 : 0;
    rows << KeyValue(
        QStringLiteral("Zasada 3 %"),
        QStringLiteral("nie zastosowano: poprawki uwzględniono w pełnej wysokości, także poniżej "
                       "3 % U (ΔU = %1 %2, tj. %3 % U) – po stronie bezpiecznej")
            .arg(veltor::FormatQuantity(veltor::Quantity::Transmittance, t.deltaU), kUUnit, Fig(share, 1)));
  }
  return rows;
}

QString DynamicRows(const Input& in) {
  if (!in.dynamic && in.dynamicNote.isEmpty()) return {};
  QString html = QStringLiteral("<p><b>Parametry dynamiczne (PN-EN ISO 13786, okres 24 h)</b></p>");
  if (!in.dynamic) return html + Note(QStringLiteral("Nie obliczono: %1").arg(Escaped(in.dynamicNote)));
  const veltor::DynamicResult& d = *in.dynamic;
  return html +
         KeyTable(
             {KeyValue(QStringLiteral("Okresowy współczynnik przenikania ciepła |Y<sub>12</sub>|"),
                       Unit(veltor::FormatQuantity(veltor::Quantity::Transmittance, d.periodicTransmittance),
                            kUUnit) +
                           QStringLiteral(", przesunięcie fazowe ") + Fig(d.delayH, 1) +
                           QStringLiteral(" h")),
              KeyValue(QStringLiteral("Współczynnik tłumienia f"), Fig(d.decrementFactor, 3)),
              KeyValue(QStringLiteral("Pojemność cieplna κ<sub>1</sub> / κ<sub>2</sub>"),
                       veltor::FormatQuantity(veltor::Quantity::HeatCapacity, d.kappa1) +
                           QStringLiteral(" / ") +
                           veltor::FormatQuantity(veltor::Quantity::HeatCapacity, d.kappa2) +
                           QStringLiteral(" kJ/(m²K)"))});
}

// A partition on the ground: its kind, geometry, ground, B', dt and each U
// with its formula, then which U the verdict holds against Uc(max).
QString GroundBlock(const Input& in) {
  if (!in.ground.onGround()) return {};
  QString html = QStringLiteral("<p><b>Przegroda na gruncie (PN-EN ISO 13370)</b></p>");
  if (!in.groundResult) return html + Note(QStringLiteral("Nie obliczono: dane gruntu są niepełne."));
  QStringList rows;
  for (const QString& line : veltor::GroundReportLines(in.ground, *in.groundResult))
    rows << QStringLiteral("<tr><td>%1</td></tr>").arg(Escaped(line));
  return html + KeyTable(rows);
}

QString ResultsSection(const Input& in) {
  const veltor::DesignConditions& c = in.conditions;
  const veltor::TransmittanceResult& t = in.summary.transmittance;
  QStringList rows;
  rows << KeyValue(
      QStringLiteral("Całkowity opór cieplny R<sub>T</sub>"),
      Unit(veltor::FormatQuantity(veltor::Quantity::Resistance, in.summary.totalResistance), kRUnit));
  rows << KeyValue(QStringLiteral("Współczynnik przenikania ciepła U"),
                   Unit(veltor::FormatQuantity(veltor::Quantity::Transmittance, in.summary.u), kUUnit));
  rows << CorrectionRows(in);
  rows << KeyValue(QStringLiteral("Skorygowany współczynnik Uc"),
                   Unit(veltor::FormatQuantity(veltor::Quantity::Transmittance, t.uc), kUUnit));
  QString html = QStringLiteral("<h3>4. Wyniki</h3>") + KeyTable(rows) + GroundBlock(in);
  html += QStringLiteral("<p><b>%1</b></p>")
              .arg(Verdict(in.groundResult ? in.groundResult->uCompared : t.uc, c.umax));
  const QString zero =
      in.summary.zeroPointDepth
          ? Unit(Fig(*in.summary.zeroPointDepth, 3), QStringLiteral("m od powierzchni wewnętrznej"))
          : QStringLiteral("poza przegrodą (cała przegroda powyżej 0 °C)");
  const double dew = IndoorDewPoint(c);
  html += KeyTable(
      {KeyValue(QStringLiteral("Punkt 0 °C"), zero),
       KeyValue(QStringLiteral("Temperatura powierzchni wewnętrznej θsi"),
                Unit(veltor::FormatQuantity(veltor::Quantity::Temperature, in.surfaceTemperature),
                     QStringLiteral("°C")) +
                    (std::isfinite(dew) ? QStringLiteral(" (punkt rosy powietrza wewnętrznego %1 °C)")
                                              .arg(veltor::FormatQuantity(veltor::Quantity::Temperature, dew))
                                        : QString())),
       KeyValue(QStringLiteral("Kondensacja na powierzchni wewnętrznej w warunkach obliczeniowych"),
                in.ground.onGround()     ? veltor::kNotForGround
                : in.surfaceCondensation ? QStringLiteral("WYSTĘPUJE")
                                         : QStringLiteral("nie występuje"))});
  return html + DynamicRows(in);
}

QString ImageTag(const QString& name, QSize drawing) {
  const int width = DrawingWidth();
  return QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\"/>")
      .arg(name)
      .arg(width)
      .arg(static_cast<int>(std::lround(static_cast<double>(width) * drawing.height() / drawing.width())));
}

}  // namespace

QString StandardsSection() {
  return QStringLiteral("<h3>%1</h3><ol>").arg(kStandardsHeading) +
         QStringLiteral(
             "<li>PN-EN ISO 6946:2017 Komponenty budowlane i elementy budynku – Opór cieplny i współczynnik "
             "przenikania ciepła – Metody obliczania</li>"
             "<li>PN-EN ISO 13788:2013 Cieplno-wilgotnościowe właściwości komponentów budowlanych i "
             "elementów "
             "budynku – Temperatura powierzchni wewnętrznej konieczna do uniknięcia krytycznej wilgotności "
             "powierzchni i kondensacji międzywarstwowej – Metody obliczania</li>"
             "<li>PN-EN ISO 13786 Cieplne właściwości użytkowe komponentów budowlanych – Dynamiczne "
             "charakterystyki cieplne – Metody obliczania</li>"
             "<li>PN-EN ISO 13370:2017 Cieplne właściwości użytkowe budynków – Wymiana ciepła przez grunt – "
             "Metody obliczania</li>"
             "<li>PN-EN ISO 10456 Materiały i wyroby budowlane – Właściwości cieplno-wilgotnościowe – "
             "Tabelaryczne wartości obliczeniowe</li>"
             "<li>PN-EN 12831 Charakterystyka energetyczna budynków – Metoda obliczania projektowego "
             "obciążenia "
             "cieplnego, załącznik krajowy (strefy klimatyczne)</li>"
             "<li>Rozporządzenie Ministra Infrastruktury w sprawie warunków technicznych, jakim powinny "
             "odpowiadać budynki i ich usytuowanie: § 321, § 328 i załącznik nr 2</li></ol>");
}

QString SignatureBlock() {
  return QStringLiteral(
             "<p>&nbsp;</p><p "
             "align=\"right\">.......................................................<br/>%1</p>")
      .arg(kSignature);
}

QString ChartSection(const Input& in, int kind) {
  const bool drawn = kind == 1 ? in.temperatureChart : in.pressureChart;
  QString html = kind == 1 ? QStringLiteral("<h3>6. Wykresy</h3>") : QString();
  // The caption and the drawing in one paragraph: no margin between them, so
  // that the taller drawing keeps to the caption's page in an office suite too.
  html += QStringLiteral("<p align=\"center\"><b>%1</b><br/>%2</p>")
              .arg(kind == 1 ? QStringLiteral("6.1. Rozkład temperatury w przegrodzie")
                             : QStringLiteral("6.2. Ciśnienie cząstkowe i ciśnienie nasycenia pary wodnej"),
                   !drawn ? QStringLiteral("(brak wykresu)")
                          : ImageTag(kind == 1 ? kTemperatureChartName : kPressureChartName,
                                     chart::SheetSize(kind)));
  if (kind == 2)
    for (const QString& note : in.chartNotes) html += Note(Escaped(note));
  return html;
}

QString MoistureSection(const Input& in) {
  if (!in.moisture || !in.moisturePage) return {};
  return QStringLiteral("<h3>7. Ocena wilgotnościowa (PN-EN ISO 13788)</h3><p align=\"center\">%1</p>")
      .arg(ImageTag(kMoisturePageName, kondensacja::kMinimumPageSize));
}

// The text part: verdicts first, then everything they rest on.
QString TextSection(const Input& in) {
  const QString heading = in.partitionHeading.isEmpty()
                              ? QString()
                              : QStringLiteral("<h1>%1</h1>").arg(Escaped(in.partitionHeading));
  return heading + QStringLiteral("<h2 align=\"center\">Raport projektowy</h2>") +
         QStringLiteral(
             "<p align=\"center\">Obliczenie współczynnika przenikania ciepła, rozkładu temperatury i "
             "oceny wilgotnościowej przegrody wg PN-EN ISO 6946 i PN-EN ISO 13788</p>") +
         VerdictBox(in) + ProjectSection(in) + ConditionsSection(in) + LayerSection(in) + ResultsSection(in);
}

QString Verdict(double uc, double umax) {
  if (umax <= 0) return QStringLiteral("Nie określono wymagania Uc(max)");
  return veltor::ExceedsUmax(uc, umax) ? QStringLiteral("Przegroda nie spełnia wymagania Uc ≤ Uc(max)")
                                       : QStringLiteral("Przegroda spełnia wymaganie Uc ≤ Uc(max)");
}

Judgement Judge(const Input& in) {
  Judgement j;
  if (in.conditions.umax > 0) j.uc = !veltor::ExceedsUmax(in.summary.transmittance.uc, in.conditions.umax);
  if (const veltor::MoistureResult* r = MoistureResultOf(in)) {
    j.surface = r->saturatedMonth < 0 && r->meetsCriticalFactor;
    j.interstitial = r->verdict != veltor::InterstitialVerdict::Accumulates;
  }
  return j;
}

}  // namespace designreport
