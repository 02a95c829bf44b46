// The report page. Every position below is a pixel of the template, x to the
// right and y down from its top-left corner; a text drawn at (x, y) has the
// top-left corner of its box there. A cell's right and bottom edges are
// excluded, so neighbouring cells share their border lines.
#include "draw/raport_draw.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "calc/calculation.h"
#include "calc/errors.h"
#include "calc/numbers.h"
#include "calc/textfile.h"
#include "calc/units.h"
#include "draw/fixedfont.h"
#include "draw/pictures.h"

namespace raport {

namespace {

constexpr int kHeaderX = 235;
constexpr int kHeaderLines[] = {325, 349, 374, 399};  // name, client, designer, date
constexpr int kDirectionY = 443;
constexpr int kHumidityY = 466;

// A row's cells reach one pixel beyond its height, onto the next row's top
// border; their texts stand 5 below the top, and the last line of a name as
// far above the bottom.
constexpr int kTextInset = 5;

struct Column {
  int x1;
  int x2;
  int textX;
};
constexpr Column kColumns[] = {{13, 39, 18},    {38, 509, kNameX}, {508, 549, 513}, {548, 589, 553},
                               {588, 629, 593}, {628, 669, 633},   {668, 709, 673}};
// Significant digits of columns 3 to 7, as the page has always printed them;
// the display format writes them out (never "1E4"), with a decimal comma.
constexpr int kLambdaDigits = 15;
constexpr int kVapourDigits = 5;
constexpr int kThicknessDigits = 5;
constexpr int kResistanceDigits = 2;
constexpr int kDiffusionDigits = 4;
constexpr int kDepthDigits = 2;
using veltor::FormatQuantity;
using veltor::Quantity;
const QString kNoFigure = QStringLiteral("–");

// The summary sits 10 below where row n would start; its two lines follow.
constexpr int kSummaryTop = 599;
constexpr int kZeroPointY = 669;
constexpr int kUY = 694;
constexpr int kSummaryCaptionX = 23;
constexpr int kSummaryValueX = 263;
// ΔU and Uc follow U as U follows the 0 °C point.
constexpr int kSummaryLineStep = kUY - kZeroPointY;
// Below the last summary line the page keeps a margin, so that a grown page
// does not end on the last text.
constexpr int kBottomMargin = 24;

const QString kSummaryCaption =
    QStringLiteral("Podsumowanie (uwzględniając powietrze wewnątrz i na zewnątrz pomieszczenia)");

void setFontPixels(QPainter& painter, int pixels, bool bold = false) {
  painter.setFont(ui::DrawingFont(pixels, bold));
}

// A text that must end within `room` pixels: one wider is narrowed to fit.
void fittedText(QPainter& painter, int x, int y, int room, const QString& text) {
  const int width = ui::KeptAdvance(painter.font(), text);
  if (width <= room) {
    TextAt(painter, x, y, text);
    return;
  }
  painter.save();
  painter.translate(x, y);
  painter.scale(static_cast<qreal>(room) / width, 1.0);
  TextAt(painter, 0, 0, text);
  painter.restore();
}

// A value in its cell. The cells are narrow, and a value wider than the room
// left of the cell's right border would lose its last digits under the next
// cell ("0,0025" reading "0,002").
// A value in its cell; a "\n" puts the rest on the next line, which a
// narrow cell needs for words.
void valueInCell(QPainter& painter, const Column& column, int y, const QString& text) {
  const QStringList lines = text.split(QLatin1Char('\n'));
  for (qsizetype i = 0; i < lines.size(); ++i)
    fittedText(painter, column.textX, y + static_cast<int>(i) * kLineStep, column.x2 - 2 - column.textX,
               lines[i]);
}

// Filled white, so that whatever an earlier text left inside it is covered;
// the border in the mask pen, so that it stays black over the template's
// lines. The border goes as four one-pixel bands: the raster engine strokes
// lines in a raster operation a hundred times slower than it fills rectangles.
void drawCell(QPainter& painter, int x1, int y1, int x2, int y2) {
  const int width = x2 - x1;
  const int height = y2 - y1;
  painter.fillRect(QRect(x1 + 1, y1 + 1, width - 2, height - 2), Qt::white);
  // A vector device has no raster operations; black over the template's
  // lines looks the same there.
  const bool mask = painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
  if (mask) painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
  const QColor pen = painter.pen().color();
  painter.fillRect(QRect(x1, y1, width, 1), pen);
  painter.fillRect(QRect(x1, y2 - 1, width, 1), pen);
  painter.fillRect(QRect(x1, y1, 1, height), pen);
  painter.fillRect(QRect(x2 - 1, y1, 1, height), pen);
  if (mask) painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// Length of the shortest prefix of `text` wider than `limit`; `text` as a
// whole is wider. Widths grow with the length, so halving finds it.
int shortestWiderPrefix(const QFontMetrics& metrics, const QString& text, int limit) {
  int low = 1;
  int high = static_cast<int>(text.size());
  while (low < high) {
    const int middle = (low + high) / 2;
    if (metrics.horizontalAdvance(text.left(middle)) > limit)
      high = middle;
    else
      low = middle + 1;
  }
  return low;
}

}  // namespace

void TextAt(QPainter& painter, int x, int y, const QString& text) {
  painter.drawText(QPointF(x, y + QFontMetrics(painter.font()).ascent()), text);
}

QImage ChartPicture(QSize size, const QString& title) {
  QImage picture(size, QImage::Format_RGB32);
  QPainter painter(&picture);
  PaintChartGround(painter, size, title);
  return picture;
}

void PaintChartGround(QPainter& painter, QSize size, const QString& title) {
  const QRect area(QPoint(0, 0), size);
  painter.fillRect(area, Qt::white);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setPen(QColor(160, 160, 160));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(area.adjusted(0, 0, -1, -1));
  painter.setPen(Qt::black);
  painter.setFont(ui::DrawingFont(12, true));
  TextAt(painter, 8, 6, title);
}

QImage LoadReportTemplate(const QString& path) {
  try {
    return ui::KeptPicture(path);
  } catch (const veltor::IoError&) {
    throw veltor::Error(QStringLiteral("Cannot open file %1").arg(path));
  }
}

int RowHeight(int lines) {
  return std::max(kRowHeight, 2 * kTextInset + kLineStep * lines);
}

QString RowCaption(const veltor::LayerRecord& layer, bool ignored) {
  const QString caption = veltor::LayerCaption(layer.nameText(), layer.bridge);
  return ignored ? caption + veltor::kIgnoredLayerMark : caption;
}

TableLayout LayOutTable(const veltor::LayerTable& table, const veltor::PartitionSummary& summary,
                        const veltor::DesignConditions& conditions) {
  TableLayout layout;
  layout.firstIgnoredLayer = summary.transmittance.firstIgnoredLayer;
  layout.corrected = conditions.corrections.any();
  const QFontMetrics metrics(ui::DrawingFont(kRowPixels));
  int y = kRowTop;
  for (int i = 0; i < table.size(); ++i) {
    const veltor::LayerRecord& layer = table.at(i);
    layout.corrected = layout.corrected || layer.bridge.present();
    const bool ignored = layout.firstIgnoredLayer >= 0 && i >= layout.firstIgnoredLayer;
    layout.names.push_back(WrapText(metrics, kNameWidth, RowCaption(layer, ignored), kMaxNameLines));
    layout.rowTops.push_back(y);
    y += RowHeight(static_cast<int>(layout.names.back().size()));
  }
  layout.summaryShift = y - kRowTop;
  return layout;
}

int ReportPageHeight(int templateHeight, const TableLayout& layout) {
  const int lastLine = kUY + layout.summaryShift + (layout.corrected ? 2 * kSummaryLineStep : 0) + kLineStep;
  return std::max(templateHeight, lastLine + kBottomMargin);
}

void BeginReportPainter(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::white);
  painter.setBackground(Qt::white);
  painter.setBackgroundMode(Qt::OpaqueMode);
}

void DrawHeader(QPainter& painter, const veltor::ProjectDescription& description,
                const veltor::DesignConditions& conditions) {
  setFontPixels(painter, kHeaderPixels);
  for (int i = 0; i < 4; ++i) TextAt(painter, kHeaderX, kHeaderLines[i], description[i]);
  TextAt(painter, kHeaderX, kDirectionY, DirectionText(conditions.direction));
  TextAt(painter, kHeaderX, kHumidityY,
         conditions.humid() ? QStringLiteral("wilgotne") : QStringLiteral("średniowilgotne"));
}

namespace {

// A row's cells left to right; the name's lines (drawn from the layout) joined.
QStringList RowTexts(const veltor::LayerTable& table, int index, const veltor::DesignConditions& conditions,
                     const TableLayout& layout) {
  const veltor::LayerRecord& layer = table.at(index);
  const bool ignored = layout.firstIgnoredLayer >= 0 && index >= layout.firstIgnoredLayer;
  return {
      QString::number(index + 1),
      layout.names.at(index).join(QLatin1Char('\n')),  // wrapped by the layout
      // An air layer's R comes from its table, not from a conductivity; "max"
      // is no diffusion resistance, which "-INF" only hid.
      // A bridged layer's λ is the equivalent one its caption's share gives.
      layer.isAirLayer() ? kNoFigure
                         : veltor::FormatGeneral(veltor::EquivalentLambda(layer, conditions), kLambdaDigits),
      std::isinf(layer.vapourCoefficient) ? QStringLiteral("brak\noporu")
                                          : veltor::FormatGeneral(layer.vapourCoefficient, kVapourDigits),
      veltor::FormatGeneral(layer.thickness, kThicknessDigits),
      // A layer the outer side leaves out has no part in R.
      ignored ? kNoFigure : veltor::FormatGeneral(layer.resistance, kResistanceDigits),
      veltor::FormatGeneral(layer.diffusionResistance, kDiffusionDigits),
  };
}

int RowBottom(const TableLayout& layout, int index) {
  return layout.rowTops.at(index) + RowHeight(static_cast<int>(layout.names.at(index).size())) + 1;
}

void DrawRowTexts(QPainter& painter, int index, const QStringList& texts, const TableLayout& layout) {
  const int y1 = layout.rowTops.at(index);
  const int y2 = RowBottom(layout, index);
  const int textY = y1 + kTextInset;
  setFontPixels(painter, kRowPixels);
  for (int c = 0; c < 7; ++c) {
    const Column& column = kColumns[c];
    drawCell(painter, column.x1, y1, column.x2, y2);
    if (c == 1) {
      const QStringList& lines = layout.names.at(index);
      for (qsizetype i = 0; i < lines.size(); ++i)
        TextAt(painter, column.textX, textY + kLineStep * static_cast<int>(i), lines[i]);
    } else {
      valueInCell(painter, column, textY, texts[c]);
    }
  }
}

}  // namespace

void DrawLayerRow(QPainter& painter, const veltor::LayerTable& table, int index,
                  const veltor::DesignConditions& conditions, const TableLayout& layout) {
  DrawRowTexts(painter, index, RowTexts(table, index, conditions, layout), layout);
}

void DrawSummary(QPainter& painter, const TableLayout& layout, const veltor::PartitionSummary& summary) {
  const int layerCount = static_cast<int>(layout.rowTops.size());
  setFontPixels(painter, layerCount > 0 ? kRowPixels : kHeaderPixels, true);
  const int shift = layout.summaryShift;
  const int y1 = kSummaryTop + shift;
  const int y2 = y1 + kRowHeight + 1;
  const int textY = y1 + kTextInset;
  drawCell(painter, kColumns[1].x1, y1, kColumns[1].x2, y2);
  // In the header's size the caption is wider than its cell; two lines of it
  // fit in the cell's height.
  DrawTextWrapped(painter, kColumns[1].textX, textY, kNameWidth, kSummaryCaption);
  // A page without layers has neither R nor U.
  const bool empty = layerCount == 0;
  const std::pair<int, QString> values[] = {
      {4, veltor::FormatGeneral(summary.totalThickness, kThicknessDigits)},
      {5, empty ? kNoFigure : FormatQuantity(Quantity::Resistance, summary.totalResistance)},
      {6, veltor::FormatGeneral(summary.totalDiffusionResistance, kDiffusionDigits)},
  };
  for (const auto& [c, text] : values) {
    drawCell(painter, kColumns[c].x1, y1, kColumns[c].x2, y2);
    valueInCell(painter, kColumns[c], textY, text);
  }
  // In the header's size the U caption would run into its value.
  const int captionRoom = kSummaryValueX - kSummaryCaptionX - 8;
  fittedText(painter, kSummaryCaptionX, kZeroPointY + shift, captionRoom, QStringLiteral("Punkt 0 °C"));
  // No 0 degC point inside the partition: there is no depth to give.
  TextAt(painter, kSummaryValueX, kZeroPointY + shift,
         summary.zeroPointDepth
             ? veltor::FormatGeneral(*summary.zeroPointDepth, kDepthDigits) + QStringLiteral(" m")
             : QStringLiteral("brak"));
  fittedText(painter, kSummaryCaptionX, kUY + shift, captionRoom,
             QStringLiteral("Współczynnik przenikania ciepła U"));
  const auto transmittance = [&](double value) {
    return empty ? kNoFigure
                 : FormatQuantity(Quantity::Transmittance, value) + QLatin1Char(' ') +
                       veltor::unit::kTransmittance;
  };
  TextAt(painter, kSummaryValueX, kUY + shift, transmittance(summary.u));
  if (layout.corrected) {
    const veltor::TransmittanceResult& t = summary.transmittance;
    const int deltaY = kUY + shift + kSummaryLineStep;
    fittedText(painter, kSummaryCaptionX, deltaY, captionRoom, QStringLiteral("Poprawki ΔU"));
    TextAt(painter, kSummaryValueX, deltaY, transmittance(t.deltaU));
    fittedText(painter, kSummaryCaptionX, deltaY + kSummaryLineStep, captionRoom,
               QStringLiteral("Skorygowany współczynnik Uc"));
    TextAt(painter, kSummaryValueX, deltaY + kSummaryLineStep, transmittance(t.uc));
  }
  setFontPixels(painter, painter.font().pixelSize(), false);
}

QStringList WrapText(const QFontMetrics& metrics, int widthLimit, const QString& text, int maxLines) {
  QStringList lines;
  qsizetype start = 0;
  for (;;) {
    const QString rest = text.mid(start);
    if (metrics.horizontalAdvance(rest) <= widthLimit) {
      lines.append(rest);
      break;
    }
    const int wider = shortestWiderPrefix(metrics, rest, widthLimit);
    const qsizetype blank = rest.left(wider).lastIndexOf(QLatin1Char(' '));
    qsizetype next = 0;
    if (blank >= 1) {
      // The blank at a break belongs to neither line.
      lines.append(rest.left(blank));
      while (lines.last().endsWith(QLatin1Char(' '))) lines.last().chop(1);
      next = blank;
      while (next < rest.size() && rest[next] == QLatin1Char(' ')) ++next;
    } else {
      // One word wider than the limit: cut after its last character that fits,
      // at least one, so that every line moves on.
      next = std::max(1, wider - 1);
      lines.append(rest.left(next));
    }
    start += next;
    if (start >= text.size()) break;
    if (lines.size() == maxLines) {
      // The rest does not fit: the last line kept says so.
      const QString ellipsis = QStringLiteral("…");
      QString& last = lines.last();
      while (!last.isEmpty() && metrics.horizontalAdvance(last + ellipsis) > widthLimit) last.chop(1);
      last = last.trimmed() + ellipsis;
      break;
    }
  }
  return lines;
}

QStringList DrawTextWrapped(QPainter& painter, int x, int y, int widthLimit, const QString& text) {
  const QStringList lines = WrapText(QFontMetrics(painter.font()), widthLimit, text);
  for (int i = 0; i < lines.size(); ++i) TextAt(painter, x, y + kLineStep * i, lines[i]);
  return lines;
}

namespace {

// The rows laid out for a page that can be drawn: raises veltor::DataError for
// too many layers, or rows too tall for the painter.
TableLayout CheckedLayout(const veltor::LayerTable& table, const veltor::PartitionSummary& summary,
                          const veltor::DesignConditions& conditions, int templateHeight) {
  const int layers = table.size();
  if (layers > kMaxLayers) {
    throw veltor::DataError(
        QStringLiteral(
            "Przegroda ma zbyt wiele warstw (%1), aby sporządzić raport; raport obejmuje najwyżej %2 warstw")
            .arg(layers)
            .arg(kMaxLayers));
  }
  TableLayout layout = LayOutTable(table, summary, conditions);
  if (ReportPageHeight(templateHeight, layout) > kMaxPageHeight) {
    throw veltor::DataError(
        QStringLiteral("Tabela warstw (%1) nie mieści się na stronie raportu; skróć nazwy warstw lub "
                       "zmniejsz ich liczbę")
            .arg(layers));
  }
  return layout;
}

// With `earlier`, a row drawn there from the same texts at the same place is
// copied from it: every pixel of a row's band comes from the template and the
// row's texts (its cells are filled white before they are written).
void DrawValues(QPainter& painter, const veltor::LayerTable& table, const veltor::PartitionSummary& summary,
                const veltor::DesignConditions& conditions, const veltor::ProjectDescription& description,
                const TableLayout& layout, const QImage* earlier = nullptr, DrawnRows* drawn = nullptr) {
  BeginReportPainter(painter);
  DrawHeader(painter, description, conditions);
  std::vector<QStringList> texts;
  for (int i = 0; i < table.size(); ++i) {
    QStringList row = RowTexts(table, i, conditions, layout);
    const bool same = earlier && drawn && size_t(i) < drawn->texts.size() &&
                      drawn->rowTops.at(i) == layout.rowTops.at(i) && drawn->texts[i] == row;
    if (same) {
      const QRect band(QPoint(kColumns[0].x1, layout.rowTops[i]),
                       QPoint(kColumns[6].x2 - 1, RowBottom(layout, i) - 1));
      painter.save();
      painter.setCompositionMode(QPainter::CompositionMode_Source);
      painter.drawImage(band.topLeft(), *earlier, band);
      painter.restore();
    } else {
      DrawRowTexts(painter, i, row, layout);
    }
    if (drawn) texts.push_back(std::move(row));
  }
  DrawSummary(painter, layout, summary);
  if (drawn) {
    drawn->rowTops = layout.rowTops;
    drawn->texts = std::move(texts);
  }
}

}  // namespace

QSize ReportPageSize(const TableLayout& layout) {
  return QSize(std::max(kTemplateWidth, kMinimumPageWidth), ReportPageHeight(kTemplateHeight, layout));
}

void PaintReport(QPainter& painter, const veltor::LayerTable& table, const veltor::PartitionSummary& summary,
                 const veltor::DesignConditions& conditions, const veltor::ProjectDescription& description) {
  const TableLayout layout = CheckedLayout(table, summary, conditions, kTemplateHeight);
  painter.save();
  painter.fillRect(QRect(QPoint(0, 0), ReportPageSize(layout)), Qt::white);
  PaintReportTemplate(painter);
  DrawValues(painter, table, summary, conditions, description, layout);
  painter.restore();
}

ui::VectorPage ReportVectorPage(const veltor::LayerTable& table, const veltor::PartitionSummary& summary,
                                const veltor::DesignConditions& conditions,
                                const veltor::ProjectDescription& description) {
  const QSize size = ReportPageSize(CheckedLayout(table, summary, conditions, kTemplateHeight));
  // The page may be painted later (a save asked for after a change), so it
  // keeps its own copy of what it shows.
  auto layers = std::make_shared<veltor::LayerTable>(table.copy());
  return {size, [layers, summary, conditions, description](QPainter& painter) {
            PaintReport(painter, *layers, summary, conditions, description);
          }};
}

namespace {

// The page of `size` over the template: a template handed over is drawn on in
// place (a shared one is copied first); rows and the summary that do not fit
// it go on white below it.
QImage PageOver(QImage templatePicture, QSize size) {
  if (size == templatePicture.size()) return std::move(templatePicture).convertToFormat(QImage::Format_RGB32);
  QImage page(size, QImage::Format_RGB32);
  page.fill(Qt::white);
  QPainter copy(&page);
  copy.drawImage(0, 0, templatePicture);
  return page;
}

}  // namespace

QImage BuildReport(QImage templatePicture, const veltor::LayerTable& table,
                   const veltor::PartitionSummary& summary, const veltor::DesignConditions& conditions,
                   const veltor::ProjectDescription& description, const QImage& earlier, DrawnRows& drawn) {
  const qint64 key = templatePicture.cacheKey();
  const TableLayout layout = CheckedLayout(table, summary, conditions, templatePicture.height());
  const QSize size(std::max(templatePicture.width(), kMinimumPageWidth),
                   ReportPageHeight(templatePicture.height(), layout));
  const bool reuse = !earlier.isNull() && drawn.templateKey == key && drawn.pageSize == size &&
                     earlier.size() == size && earlier.format() == QImage::Format_RGB32;
  if (!reuse) drawn = {};
  QImage page = PageOver(std::move(templatePicture), size);
  QPainter painter(&page);
  DrawValues(painter, table, summary, conditions, description, layout, reuse ? &earlier : nullptr, &drawn);
  drawn.templateKey = key;
  drawn.pageSize = size;
  return page;
}

QImage BuildReport(QImage templatePicture, const veltor::LayerTable& table,
                   const veltor::PartitionSummary& summary, const veltor::DesignConditions& conditions,
                   const veltor::ProjectDescription& description) {
  const TableLayout layout = CheckedLayout(table, summary, conditions, templatePicture.height());
  const QSize size(std::max(templatePicture.width(), kMinimumPageWidth),
                   ReportPageHeight(templatePicture.height(), layout));
  QImage page = PageOver(std::move(templatePicture), size);
  QPainter painter(&page);
  DrawValues(painter, table, summary, conditions, description, layout);
  return page;
}

QString DirectionText(std::int32_t direction) {
  switch (direction) {
    case 0:
      return QStringLiteral("do góry");
    case 1:
      return QStringLiteral("poziomy");
    case 2:
      return QStringLiteral("w dół");
    default:
      return {};
  }
}

}  // namespace raport
