// The moisture assessment's texts and pictures. Positions are pixels of the
// picture drawn, x to the right and y down; a text drawn at (x, y) has the
// top-left corner of its box there.
#include "draw/kondensacja_draw.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "calc/errors.h"
#include "calc/ground.h"
#include "calc/numbers.h"
#include "draw/fixedfont.h"
#include "draw/raport_draw.h"
#include "project/moisturerequest.h"

namespace kondensacja {

namespace {

// Significant digits: the month table, and the verdicts, where a factor just
// below its limit must not read as equal to it.
constexpr int kTableDigits = 3;
constexpr int kVerdictDigits = 4;

const QColor kOkColour(30, 140, 60);
const QColor kFailColour(200, 40, 40);
const QColor kDryingBars(40, 110, 200);
const QColor kGridColour(215, 215, 215);
const QColor kNoteColour(90, 90, 90);

QString Number(double value, int digits) {
  return veltor::FormatGeneral(value, digits);
}

QString MonthInSentence(int month) {
  return veltor::MonthName(month).toLower();
}

QString LayerName(const veltor::LayerTable& table, int index) {
  return QStringLiteral("%1 („%2”)").arg(index + 1).arg(veltor::QuotedInput(table.at(index).nameText()));
}

QString PlaneText(const veltor::CondensationPlane& plane, const veltor::LayerTable& table) {
  if (plane.innerLayer == plane.outerLayer)
    return QStringLiteral("wewnątrz warstwy %1").arg(LayerName(table, plane.innerLayer));
  return QStringLiteral("na granicy warstw %1 i %2")
      .arg(LayerName(table, plane.innerLayer), LayerName(table, plane.outerLayer));
}

QString PlanesText(const veltor::MoistureResult& result, const veltor::LayerTable& table) {
  if (result.planes.size() == 1) return PlaneText(result.planes.front(), table);
  return QStringLiteral("w %1 płaszczyznach").arg(result.planes.size());
}

QString DirectionText(int direction) {
  const QString text = raport::DirectionText(direction);
  return text.isEmpty() ? QStringLiteral("nieokreślony") : text;
}

// Word-wrapped within `width` from (x, y); returns the y below the last line.
int Paragraph(QPainter& painter, int x, int y, int width, const QString& text) {
  QRect bounds;
  painter.drawText(QRect(x, y, width, 1000), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text, &bounds);
  return bounds.bottom() + 1;
}

// Upper end of the Ma axis and its step: 1, 2 or 5 times a power of ten, four
// or five steps for the highest value.
std::pair<double, double> AxisScale(double highest) {
  const double raw = highest / 4;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  const double normal = raw / magnitude;
  const double step = (normal <= 1 ? 1 : normal <= 2 ? 2 : normal <= 5 ? 5 : 10) * magnitude;
  return {std::ceil(highest / step - 1e-9) * step, step};
}

QString ChartNote(const Assessment& assessment) {
  if (!assessment.result) return QStringLiteral("Brak wyników oceny");
  if (assessment.result->verdict == veltor::InterstitialVerdict::NoCondensation)
    return QStringLiteral("Brak kondensacji międzywarstwowej w żadnym miesiącu");
  return {};
}

// Grid of the month table on the report page: the month names' column, then
// one column per MonthColumn.
constexpr int kMonthNameWidth = 111;
constexpr int kValueWidth = 77;
constexpr int kTableRowHeight = 20;

void TableCell(QPainter& painter, const QRect& cell, const QString& text, Qt::Alignment alignment,
               bool bold = false) {
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(cell.adjusted(0, 0, -1, -1));
  painter.setFont(ui::DrawingFont(11, bold));
  painter.drawText(cell.adjusted(4, 0, -4, 0), Qt::AlignVCenter | alignment, text);
}

int MonthTable(QPainter& painter, int x, int y, const Assessment& assessment) {
  const QStringList titles = MonthColumnTitles();
  const auto columnRect = [&](int column, int row) {
    const int left = column < 0 ? x : x + kMonthNameWidth + column * kValueWidth;
    return QRect(left, y + row * kTableRowHeight, column < 0 ? kMonthNameWidth : kValueWidth,
                 kTableRowHeight + 1);
  };
  painter.fillRect(QRect(x, y, kMonthNameWidth + kMonthColumnCount * kValueWidth, kTableRowHeight),
                   QColor(235, 235, 235));
  TableCell(painter, columnRect(-1, 0), QStringLiteral("Miesiąc"), Qt::AlignLeft, true);
  for (int c = 0; c < kMonthColumnCount; ++c)
    TableCell(painter, columnRect(c, 0), titles[c], Qt::AlignHCenter, true);
  const int decisive = assessment.result ? assessment.result->decisiveMonth : -1;
  for (int m = 0; m < veltor::kMonthCount; ++m) {
    const QStringList texts = MonthTexts(assessment, m);
    TableCell(painter, columnRect(-1, m + 1), veltor::MonthName(m), Qt::AlignLeft);
    for (int c = 0; c < kMonthColumnCount; ++c)
      TableCell(painter, columnRect(c, m + 1), texts[c], Qt::AlignRight, c == ColumnFRsiMin && m == decisive);
  }
  return y + (veltor::kMonthCount + 1) * kTableRowHeight + 1;
}

QStringList ConditionLines(const Assessment& assessment) {
  const veltor::MoistureInput& in = assessment.input;
  const QString indoor = in.indoor.mode == veltor::IndoorHumidity::Fixed
                             ? QStringLiteral("Powietrze wewnętrzne: θi = %1 °C, φi = %2% przez cały rok")
                                   .arg(Number(in.indoor.ti, 15), Number(in.indoor.phiI, 15))
                             : QStringLiteral(
                                   "Powietrze wewnętrzne: θi = %1 °C, klasa wilgotności %2 wg EN ISO 13788 "
                                   "(pi = pe + %3 · Δp)")
                                   .arg(Number(in.indoor.ti, 15))
                                   .arg(in.indoor.humidityClass)
                                   .arg(Number(veltor::kHumidityClassSafetyFactor, 3));
  QStringList lines = {
      QStringLiteral("Klimat zewnętrzny: %1")
          .arg(assessment.climateMissing ? QStringLiteral("nie wybrano") : assessment.climateName),
      indoor,
      QStringLiteral(
          "Kondensacja międzywarstwowa: Rsi = %1 m²K/W, Rse = %2 m²K/W, kierunek strumienia ciepła: %3, "
          "λ dla warunków %4")
          .arg(Number(in.rsi, 15), Number(in.rse, 15), DirectionText(in.direction),
               in.humid ? QStringLiteral("wilgotnych") : QStringLiteral("średniowilgotnych")),
      QStringLiteral("Ryzyko pleśni: Rsi = %1 m²K/W, wilgotność względna przy powierzchni najwyżej %2%")
          .arg(Number(veltor::kMouldRsi, 15), Number(veltor::kMouldSurfaceHumidity * 100, 15)),
  };
  if (assessment.result) {
    const double sd = assessment.result->totalSd;
    lines.append(std::isfinite(sd)
                     ? QStringLiteral("Opór dyfuzyjny przegrody: sd = %1 m")
                           .arg(veltor::FormatQuantity(veltor::Quantity::DiffusionThickness, sd))
                     : QStringLiteral("Opór dyfuzyjny przegrody: warstwa paroszczelna "
                                      "(współczynnik przepuszczania pary 0)"));
  }
  return lines;
}

}  // namespace

Assessment Assess(const veltor::LayerTable& table, const veltor::MoistureInput& input,
                  const veltor::AirLayerTable& air, const QString& climateName) {
  Assessment assessment{climateName, input, std::nullopt, {}, {}, false};
  try {
    assessment.result = veltor::AssessMoisture(table, input, air);
    assessment.verdicts = Verdicts(*assessment.result, table);
  } catch (const veltor::Error& e) {
    assessment.result.reset();
    assessment.message = e.message();
  }
  return assessment;
}

Assessment Refused(const QString& message, const QString& climateName, const veltor::MoistureInput& input) {
  return {climateName, input, std::nullopt, message, {}, false};
}

Assessment NoClimate(const QString& message, const veltor::MoistureInput& input) {
  return {QString(), input, std::nullopt, message, {}, true};
}

std::optional<Assessment> AssessSettings(const veltor::LayerTable& table,
                                         const veltor::MoistureSettings& settings,
                                         const veltor::DesignConditions& conditions,
                                         const veltor::AirLayerTable& air) {
  const veltor::MoistureRequest request = veltor::MoistureRequestOf(settings, conditions);
  const QString name = request.typed ? kOwnClimateName : settings.stationName;
  switch (request.state) {
    case veltor::MoistureRequest::State::NotChosen:
      return std::nullopt;
    case veltor::MoistureRequest::State::Refused:
      return Refused(request.refusal, name, request.input);
    case veltor::MoistureRequest::State::Ready:
      break;
  }
  return Assess(table, request.input, air, name);
}

Assessment AssessmentOf(const veltor::MoistureSettings& settings, const veltor::DesignConditions& conditions,
                        bool onGround, const std::optional<veltor::MoistureResult>& result,
                        const QString& error, const veltor::LayerTable& table) {
  const veltor::MoistureRequest request = veltor::MoistureRequestOf(settings, conditions);
  const QString name = request.typed ? kOwnClimateName : settings.stationName;
  // Without a climate to assess, the page lists the indoor conditions alone.
  veltor::MoistureInput bare = veltor::MoistureInput::FromDesignConditions(conditions, {});
  if (settings.humidityClass > 0) {
    bare.indoor.mode = veltor::IndoorHumidity::HumidityClass;
    bare.indoor.humidityClass = settings.humidityClass;
  }
  if (onGround) return Refused(veltor::kNotForGround, name, bare);
  switch (request.state) {
    case veltor::MoistureRequest::State::NotChosen:
      return NoClimate(QString(), bare);
    case veltor::MoistureRequest::State::Refused:
      return Refused(request.refusal, name, bare);
    case veltor::MoistureRequest::State::Ready:
      break;
  }
  if (!result) return Refused(error, name, request.input);
  return {name, request.input, result, {}, Verdicts(*result, table), false};
}

QString RefusalText(const Assessment& assessment) {
  // The window's message may tell the user what to do there; the page only reports.
  if (assessment.climateMissing)
    return QStringLiteral("Oceny nie wykonano: nie wybrano klimatu zewnętrznego.");
  return QStringLiteral("Oceny nie wykonano: %1").arg(assessment.message);
}

std::vector<Verdict> Verdicts(const veltor::MoistureResult& result, const veltor::LayerTable& table) {
  std::vector<Verdict> verdicts;
  const QString fRsi = Number(result.fRsi, kVerdictDigits);
  const bool anyColder =
      std::any_of(result.months.begin(), result.months.end(),
                  [](const veltor::MonthResult& month) { return month.thetaSi > month.te; });
  if (result.saturatedMonth >= 0) {
    verdicts.push_back({QStringLiteral("Powierzchnia wewnętrzna: %1 powietrze wewnętrzne jest nasycone parą "
                                       "wodną – ryzyko rozwoju pleśni na każdej powierzchni")
                            .arg(MonthInSentence(result.saturatedMonth)),
                        false});
  } else if (result.decisiveMonth < 0) {
    verdicts.push_back(
        {anyColder
             ? QStringLiteral("Powierzchnia wewnętrzna: w żadnym miesiącu wilgotność przy powierzchni nie "
                              "może dojść do 80% – brak ryzyka rozwoju pleśni")
             : QStringLiteral("Powierzchnia wewnętrzna: w żadnym miesiącu na zewnątrz nie jest chłodniej "
                              "niż wewnątrz – brak ryzyka rozwoju pleśni"),
         true});
  } else {
    const bool ok = result.meetsCriticalFactor;
    verdicts.push_back(
        {QStringLiteral("Powierzchnia wewnętrzna: fRsi = %1 %2 fRsi,min = %3 (miesiąc krytyczny: %4) – %5")
             .arg(fRsi, ok ? QStringLiteral("≥") : QStringLiteral("<"),
                  Number(result.fRsiMinDecisive, kVerdictDigits), MonthInSentence(result.decisiveMonth),
                  ok ? QStringLiteral("brak ryzyka rozwoju pleśni")
                     : QStringLiteral("ryzyko rozwoju pleśni na powierzchni")),
         ok});
  }
  const bool simple = result.meetsSimplifiedThreshold;
  verdicts.push_back(
      {QStringLiteral("Wymaganie uproszczone dla pomieszczeń ogrzewanych: fRsi = %1 %2 %3 – %4")
           .arg(fRsi, simple ? QStringLiteral("≥") : QStringLiteral("<"),
                Number(veltor::kSimplifiedFRsiThreshold, 15),
                simple ? QStringLiteral("spełnione") : QStringLiteral("niespełnione")),
       simple});
  switch (result.verdict) {
    case veltor::InterstitialVerdict::NoCondensation:
      verdicts.push_back(
          {QStringLiteral("Kondensacja międzywarstwowa: nie występuje w żadnym miesiącu"), true});
      break;
    case veltor::InterstitialVerdict::DriesOut:
      verdicts.push_back(
          {QStringLiteral(
               "Kondensacja międzywarstwowa: występuje %1 (początek: %2), ale woda wysycha w ciągu roku; "
               "największa ilość wody Ma = %3 kg/m² (%4)")
               .arg(PlanesText(result, table), MonthInSentence(result.startMonth),
                    Number(result.maxMa, kTableDigits), MonthInSentence(result.maxMaMonth)),
           true});
      break;
    case veltor::InterstitialVerdict::Accumulates:
      verdicts.push_back(
          {QStringLiteral(
               "Kondensacja międzywarstwowa: wilgoć kumuluje się %1 – po roku w przegrodzie zostaje "
               "woda; największa ilość wody Ma = %2 kg/m² (%3)")
               .arg(PlanesText(result, table), Number(result.maxMa, kTableDigits),
                    MonthInSentence(result.maxMaMonth)),
           false});
      break;
  }
  return verdicts;
}

QStringList MonthColumnTitles() {
  return {QStringLiteral("θe [°C]"),   QStringLiteral("φe [%]"),   QStringLiteral("θsi [°C]"),
          QStringLiteral("fRsi"),      QStringLiteral("fRsi,min"), QStringLiteral("gc [kg/m²]"),
          QStringLiteral("Ma [kg/m²]")};
}

QStringList MonthTexts(const Assessment& assessment, int month) {
  QStringList texts(kMonthColumnCount);
  texts[ColumnTe] = veltor::FormatQuantity(veltor::Quantity::Temperature, assessment.input.climate.te[month]);
  texts[ColumnPhiE] = Number(assessment.input.climate.phiE[month], 15);
  if (!assessment.result) return texts;
  const veltor::MonthResult& row = assessment.result->months[month];
  texts[ColumnThetaSi] = veltor::FormatQuantity(veltor::Quantity::Temperature, row.thetaSi);
  texts[ColumnFRsi] = veltor::FormatQuantity(veltor::Quantity::TemperatureFactor, row.fRsi);
  texts[ColumnFRsiMin] = row.fRsiMin
                             ? veltor::FormatQuantity(veltor::Quantity::TemperatureFactor, *row.fRsiMin)
                             : QStringLiteral("–");
  texts[ColumnGc] = Number(row.gc, kTableDigits);
  texts[ColumnMa] = veltor::FormatQuantity(veltor::Quantity::Condensate, row.ma);
  return texts;
}

QString MonthShortName(int month) {
  static const char* const kNames[] = {"sty", "lut", "mar", "kwi", "maj", "cze",
                                       "lip", "sie", "wrz", "paź", "lis", "gru"};
  return QString::fromUtf8(kNames[std::clamp(month, 0, veltor::kMonthCount - 1)]);
}

void DrawMark(QPainter& painter, const QRectF& box, bool ok) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(Qt::NoPen);
  painter.setBrush(ok ? kOkColour : kFailColour);
  painter.drawEllipse(box);
  QPen stroke(Qt::white, std::max(1.5, box.width() / 8), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  painter.setPen(stroke);
  painter.setBrush(Qt::NoBrush);
  const auto at = [&](double fx, double fy) {
    return QPointF(box.left() + fx * box.width(), box.top() + fy * box.height());
  };
  if (ok) {
    painter.drawPolyline(QPolygonF({at(0.27, 0.52), at(0.44, 0.69), at(0.74, 0.33)}));
  } else {
    painter.drawLine(at(0.32, 0.32), at(0.68, 0.68));
    painter.drawLine(at(0.68, 0.32), at(0.32, 0.68));
  }
  painter.restore();
}

QImage DrawMoistureChart(const Assessment& assessment, QSize size) {
  QImage picture(size, QImage::Format_RGB32);
  QPainter painter(&picture);
  PaintMoistureChart(painter, assessment, size);
  return picture;
}

void PaintMoistureChart(QPainter& painter, const Assessment& assessment, QSize size) {
  painter.save();
  raport::PaintChartGround(painter, size, QStringLiteral("Wilgoć zgromadzona w przegrodzie Ma [kg/m²]"));
  painter.setRenderHint(QPainter::TextAntialiasing, true);

  const veltor::MoistureResult* result = assessment.result ? &*assessment.result : nullptr;
  const double highest = result ? result->maxMa : 0;
  const bool bars = highest > veltor::kNegligibleMoisture && std::isfinite(highest);
  const auto [top, step] = bars ? AxisScale(highest) : std::pair<double, double>(1, 1);

  painter.setFont(ui::DrawingFont(11));
  const QFontMetrics metrics(painter.font());
  QStringList tickTexts;
  for (int i = 0; bars && i * step <= top * (1 + 1e-9); ++i) tickTexts.append(Number(i * step, kTableDigits));
  if (!bars) tickTexts = {QStringLiteral("0")};
  int labelWidth = 0;
  for (const QString& t : tickTexts) labelWidth = std::max(labelWidth, metrics.horizontalAdvance(t));
  // Room above the plot for the highest bar's label, below it for the months.
  const QRect plot(QPoint(14 + labelWidth, 44), QPoint(size.width() - 12, size.height() - 24));
  if (plot.width() < 24 || plot.height() < 24) {
    painter.restore();
    return;
  }

  // A structured binding is captured through a copy: not every compiler takes it by reference.
  const auto yOf = [&, top = top](double value) {
    return plot.bottom() - static_cast<int>(std::lround(value / top * plot.height()));
  };
  for (int i = 0; i < tickTexts.size(); ++i) {
    const int y = yOf(i * step);
    painter.setPen(kGridColour);
    if (i > 0) painter.drawLine(plot.left() + 1, y, plot.right(), y);
    painter.setPen(Qt::black);
    painter.drawText(QRect(4, y - metrics.height() / 2, labelWidth + 4, metrics.height()),
                     Qt::AlignRight | Qt::AlignVCenter, tickTexts[i]);
  }
  painter.setPen(Qt::black);
  painter.drawLine(plot.bottomLeft(), plot.bottomRight());
  painter.drawLine(plot.bottomLeft(), plot.topLeft());

  const double slot = static_cast<double>(plot.width()) / veltor::kMonthCount;
  const QColor barColour =
      result && result->verdict == veltor::InterstitialVerdict::Accumulates ? kFailColour : kDryingBars;
  for (int m = 0; m < veltor::kMonthCount; ++m) {
    const int left = plot.left() + static_cast<int>(std::lround(slot * m));
    const int right = plot.left() + static_cast<int>(std::lround(slot * (m + 1)));
    painter.setPen(Qt::black);
    painter.drawText(QRect(left, plot.bottom() + 3, right - left, metrics.height()),
                     Qt::AlignHCenter | Qt::AlignTop, MonthShortName(m));
    if (!bars) continue;
    const double ma = result->months[m].ma;
    if (!(ma > veltor::kNegligibleMoisture)) continue;
    const int barWidth = std::max(2, static_cast<int>(slot * 0.6));
    const int x = left + (right - left - barWidth) / 2;
    const int y = yOf(ma);
    painter.fillRect(QRect(x, y, barWidth, plot.bottom() - y), barColour);
    if (m == result->maxMaMonth) {
      painter.drawText(QRect(left - 20, y - metrics.height() - 2, right - left + 40, metrics.height()),
                       Qt::AlignHCenter | Qt::AlignBottom, Number(ma, kTableDigits));
    }
  }
  const QString note = ChartNote(assessment);
  if (!note.isEmpty()) {
    painter.setPen(kNoteColour);
    painter.drawText(plot, Qt::AlignCenter | Qt::TextWordWrap, note);
  }
  painter.restore();
}

ui::VectorPage MoistureVectorPage(const Assessment& assessment, const QString& partitionName, QSize size) {
  size = size.expandedTo(kMinimumPageSize);
  return {size, [assessment, partitionName, size](QPainter& painter) {
            PaintMoisturePage(painter, assessment, partitionName, size);
          }};
}

QImage BuildMoisturePage(const Assessment& assessment, const QString& partitionName, QSize size) {
  size = size.expandedTo(kMinimumPageSize);
  QImage page(size, QImage::Format_RGB32);
  QPainter painter(&page);
  PaintMoisturePage(painter, assessment, partitionName, size);
  return page;
}

void PaintMoisturePage(QPainter& painter, const Assessment& assessment, const QString& partitionName,
                       QSize size) {
  painter.save();
  painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  constexpr int kLeft = 40;
  const int width = size.width() - 2 * kLeft;

  painter.setPen(Qt::black);
  painter.setFont(ui::DrawingFont(18, true));
  painter.drawText(QRect(0, 30, size.width(), 28), Qt::AlignHCenter | Qt::AlignTop,
                   QStringLiteral("Ocena wilgotnościowa przegrody wg EN ISO 13788"));
  int y = 66;
  if (!partitionName.trimmed().isEmpty()) {
    painter.setFont(ui::DrawingFont(13));
    painter.drawText(QRect(0, y, size.width(), 20), Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("Przegroda: %1").arg(partitionName));
  }
  y = 104;
  const auto heading = [&](const QString& text) {
    painter.setPen(Qt::black);
    painter.setFont(ui::DrawingFont(13, true));
    raport::TextAt(painter, kLeft, y, text);
    y += 24;
  };

  heading(QStringLiteral("Warunki obliczeń"));
  painter.setFont(ui::DrawingFont(12));
  for (const QString& line : ConditionLines(assessment)) y = Paragraph(painter, kLeft, y, width, line) + 3;
  y += 14;

  if (!assessment.result) {
    heading(QStringLiteral("Wyniki"));
    painter.setPen(kFailColour);
    painter.setFont(ui::DrawingFont(12, true));
    Paragraph(painter, kLeft, y, width, RefusalText(assessment));
    painter.restore();
    return;
  }

  heading(QStringLiteral("Wyniki miesięczne"));
  y = MonthTable(painter, kLeft, y, assessment) + 18;

  heading(QStringLiteral("Ocena"));
  constexpr int kMark = 16;
  for (const Verdict& verdict : assessment.verdicts) {
    DrawMark(painter, QRectF(kLeft, y, kMark, kMark), verdict.ok);
    painter.setPen(Qt::black);
    painter.setFont(ui::DrawingFont(12));
    y = std::max(y + kMark, Paragraph(painter, kLeft + kMark + 8, y, width - kMark - 8, verdict.text)) + 8;
  }
  y += 10;

  const int chartHeight = std::min(260, size.height() - y - 60);
  if (chartHeight > 80) {
    painter.save();
    painter.translate(kLeft, y);
    painter.setClipRect(QRect(0, 0, width, chartHeight));
    PaintMoistureChart(painter, assessment, QSize(width, chartHeight));
    painter.restore();
  }

  painter.setPen(kNoteColour);
  painter.setFont(ui::DrawingFont(10));
  Paragraph(
      painter, kLeft, size.height() - 44, width,
      QStringLiteral("Metoda miesięczna EN ISO 13788: obliczenie jednowymiarowe, każdy miesiąc jako stan "
                     "ustalony o średnich warunkach, tylko dyfuzja pary wodnej (bez transportu wody w stanie "
                     "ciekłym, sorpcji i przepływu powietrza)."));
  painter.restore();
}

}  // namespace kondensacja
