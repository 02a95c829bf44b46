// The designer's report as a rich-text document: HTML laid out by
// QTextDocument on A4 pages, painted page by page with a footer onto a PDF
// writer or a printer, or written as ODF. The charts and the moisture page
// stand in the flow as images as wide as the text, each on a page of its own,
// so that their smallest text prints at 7 pt. On a PDF or a printer a handler
// of the layout paints them in their boxes by their own drawing code
// (vectors); the ODT carries them as pictures at 300 dpi.
#include "draw/raport_projektowy.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
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
#include "draw/raport_odt.h"
#include "draw/raport_projektowy_sections.h"
#include "draw/rysunek_draw.h"
#include "draw/rysunek_sheet.h"

namespace designreport {

namespace {

QString FooterText(const Input& input) {
  return QStringLiteral("VELTORobl %1 · %2")
      .arg(input.version, input.date.toString(QStringLiteral("dd.MM.yyyy")));
}

QPageLayout A4Layout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                     QMarginsF(kSideMarginMm, kTopMarginMm, kSideMarginMm, kBottomMarginMm),
                     QPageLayout::Millimeter);
}

template <class Write>
QByteArray Bytes(Write write) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    write(buffer);
  }
  return bytes;
}

}  // namespace

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

// The drawings as pictures at 300 dpi across the text width, for the ODT.
QImage Picture(const Input& input, const QString& name) {
  const int kind = name == kTemperatureChartName ? 1 : name == kPressureChartName ? 2 : 0;
  const QSize drawing = kind ? chart::SheetSize(kind) : kondensacja::kMinimumPageSize;
  const int width = static_cast<int>(std::lround(DrawingWidth() / 96.0 * 300));
  QImage picture(width, static_cast<int>(std::lround(double(width) * drawing.height() / drawing.width())),
                 QImage::Format_RGB32);
  picture.fill(Qt::white);
  picture.setDotsPerMeterX(static_cast<int>(std::lround(300 / 0.0254)));
  picture.setDotsPerMeterY(picture.dotsPerMeterX());
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(double(picture.width()) / drawing.width(), double(picture.height()) / drawing.height());
  try {
    if (kind && input.layers && input.saturation) {
      const veltor::DesignConditions boundary = veltor::WithRseInForce(input.conditions);
      chart::PaintChart(painter, kind, {*input.layers, input.summary, boundary, *input.saturation},
                        chart::HatchesFrom(input.startFolder));
    } else if (!kind && input.moisture) {
      kondensacja::PaintMoisturePage(painter, *input.moisture, input.description[0], drawing);
    }
  } catch (const veltor::Error&) {
    // As on the PDF: the picture as far as it was drawn.
  }
  return picture;
}

// One document of `html`; `pictures`: the drawings as pictures in its
// resources (for the ODT), where the PDF and the printer draw them instead.
// `forPages` sets the page and the device before the text goes in, so that the
// text is laid out once, for them, and not first for the screen.
std::unique_ptr<QTextDocument> NewDocument(const Input& input, const QString& html, bool pictures,
                                           const std::function<void(QTextDocument&)>& forPages = {}) {
  auto document = std::make_unique<QTextDocument>();
  QFont font(kFontFamily);
  font.setPointSize(kBodyPoints);
  // No ligatures: a search for "grafitowy" in the PDF must find it, and a
  // copied word must paste as typed.
  font.setStyleStrategy(QFont::PreferNoShaping);
  document->setDefaultFont(font);
  document->setDocumentMargin(0);
  document->setDefaultStyleSheet(kStyle);
  if (pictures) {
    if (input.temperatureChart)
      document->addResource(QTextDocument::ImageResource, QUrl(kTemperatureChartName),
                            Picture(input, kTemperatureChartName));
    if (input.pressureChart)
      document->addResource(QTextDocument::ImageResource, QUrl(kPressureChartName),
                            Picture(input, kPressureChartName));
    if (input.moisture && input.moisturePage)
      document->addResource(QTextDocument::ImageResource, QUrl(kMoisturePageName),
                            Picture(input, kMoisturePageName));
  }
  if (forPages) forPages(*document);
  document->setHtml(html);
  document->setMetaInformation(QTextDocument::DocumentTitle,
                               QStringLiteral("Raport projektowy – ") + input.description[0]);
  return document;
}

// The HTML of each part that starts a page of its own.
QStringList SectionTexts(const Input& input) {
  // The PDF keeps the signature with the standards by its own pagination.
  QStringList parts{TextSection(input) + StandardsSection() + SignatureBlock(), ChartSection(input, 1),
                    ChartSection(input, 2)};
  if (input.moisture && input.moisturePage) parts << MoistureSection(input);
  return parts;
}

QTextBlock BlockWith(const QTextDocument& document, const QString& text) {
  for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
    if (b.text().contains(text)) return b;
  return {};
}

// The signature never stands alone: when it falls on a page after its
// section's heading, the section starts that page.
void KeepSignatureWithStandards(QTextDocument& document, double pageHeight) {
  const QTextBlock heading = BlockWith(document, kStandardsHeading);
  const QTextBlock signature = BlockWith(document, kSignature);
  if (!heading.isValid() || !signature.isValid()) return;
  QAbstractTextDocumentLayout* layout = document.documentLayout();
  const auto pageOf = [&](const QTextBlock& b) {
    return static_cast<int>(layout->blockBoundingRect(b).bottom() / pageHeight);
  };
  if (pageOf(heading) == pageOf(signature)) return;
  QTextBlockFormat format;
  format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
  QTextCursor(heading).mergeBlockFormat(format);
}

// The parts of the ODT: an office suite paginates as it will, so the
// standards and the signature start a page of their own and stay together.
QStringList OdtSectionTexts(const Input& input) {
  QStringList parts = SectionTexts(input);
  parts.front() = TextSection(input);
  parts.insert(1, StandardsSection() + SignatureBlock());
  return parts;
}

// The drawings' names in a document of several partitions, one set each.
QString Numbered(const QString& html, int part) {
  QString out = html;
  for (const QString& name : {kTemperatureChartName, kPressureChartName, kMoisturePageName})
    out.replace(QStringLiteral("src=\"%1\"").arg(name), QStringLiteral("src=\"%1-%2\"").arg(part).arg(name));
  return out;
}

}  // namespace

std::unique_ptr<QTextDocument> BuildDocument(const Input& input) {
  return BuildDocuments({&input}, {});
}

std::unique_ptr<QTextDocument> BuildDocuments(const std::vector<const Input*>& inputs,
                                              const FrontPages& front) {
  // One flow for the ODT: the parts after the first open a new page.
  QStringList parts;
  if (front) parts << front({});
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    if (inputs[i]->layers) CheckLayerCount(*inputs[i]->layers);
    for (const QString& part : OdtSectionTexts(*inputs[i]))
      parts << (inputs.size() > 1 ? Numbered(part, int(i) + 1) : part);
  }
  QString html = parts.front();
  for (qsizetype i = 1; i < parts.size(); ++i)
    html += QStringLiteral("<div style=\"page-break-before: always\">") + parts[i] + QStringLiteral("</div>");
  if (inputs.size() == 1) return NewDocument(*inputs.front(), html, true);
  auto document = NewDocument(*inputs.front(), html, false);
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const Input& in = *inputs[i];
    const auto add = [&](const QString& name) {
      document->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("%1-%2").arg(i + 1).arg(name)),
                            Picture(in, name));
    };
    if (in.temperatureChart) add(kTemperatureChartName);
    if (in.pressureChart) add(kPressureChartName);
    if (in.moisture && in.moisturePage) add(kMoisturePageName);
  }
  // The resources are looked up when laid out: once more, now that they are there.
  document->setHtml(html);
  return document;
}

int PaintDocument(QPagedPaintDevice& device, const Input& input) {
  return PaintDocuments(device, {&input}, {});
}

int PaintDocuments(QPagedPaintDevice& device, const std::vector<const Input*>& inputs,
                   const FrontPages& front) {
  device.setPageLayout(A4Layout());
  QPainter painter(&device);
  // A printer that cannot start its job must not pass for a printed document.
  if (!painter.isActive()) throw veltor::Error(QStringLiteral("Printing failed"));
  // The paintable area inside the margins, in device pixels; its foot is the footer's.
  const double footerGap = kFooterMm / 25.4 * device.logicalDpiY();
  const QRectF body(0, 0, device.width(), device.height() - footerGap);
  std::vector<std::unique_ptr<QTextDocument>> sections;
  std::vector<int> partPages;  // each partition's page count
  for (const Input* input : inputs) {
    if (input->layers) CheckLayerCount(*input->layers);
    int own = 0;
    bool first = true;
    for (const QString& html : SectionTexts(*input)) {
      auto document = NewDocument(*input, html, false, [&](QTextDocument& d) {
        d.documentLayout()->setPaintDevice(&device);
        d.documentLayout()->registerHandler(QTextFormat::ImageObject, new VectorDrawings(*input, device, &d));
        d.setPageSize(body.size());
      });
      if (first) KeepSignatureWithStandards(*document, body.height());
      first = false;
      own += document->pageCount();
      sections.push_back(std::move(document));
    }
    partPages.push_back(own);
  }
  // The front pages name the pages the partitions start on, which depend on
  // how many front pages there are: laid out until the count holds.
  std::unique_ptr<QTextDocument> frontDocument;
  if (front && !inputs.empty()) {
    int frontCount = 1;
    for (int round = 0; round < 3; ++round) {
      std::vector<int> firstPages;
      int page = frontCount + 1;
      for (int count : partPages) {
        firstPages.push_back(page);
        page += count;
      }
      frontDocument = NewDocument(*inputs.front(), front(firstPages), false, [&](QTextDocument& d) {
        d.documentLayout()->setPaintDevice(&device);
        d.setPageSize(body.size());
      });
      if (frontDocument->pageCount() == frontCount) break;
      frontCount = frontDocument->pageCount();
    }
    sections.insert(sections.begin(), std::move(frontDocument));
  }
  int pages = 0;
  for (const auto& document : sections) pages += document->pageCount();
  const Input& input = *inputs.front();
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
      painter.drawText(footer, Qt::AlignLeft | Qt::AlignTop, FooterText(input));
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

void WritePdf(const std::vector<const Input*>& inputs, const FrontPages& front, const QString& path) {
  ui::WriteFileSafely(
      path, Bytes([&](QBuffer& buffer) {
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        writer.setCreator(QStringLiteral("VELTORobl %1").arg(inputs.front()->version));
        writer.setTitle(QStringLiteral("Raport projektowy – ") + inputs.front()->description[0]);
        PaintDocuments(writer, inputs, front);
      }));
}

void WriteOdt(const std::vector<const Input*>& inputs, const FrontPages& front, const QString& path) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    std::unique_ptr<QTextDocument> document = BuildDocuments(inputs, front);
    QTextDocumentWriter writer(&buffer, "ODF");
    if (!writer.write(document.get())) throw veltor::Error(QStringLiteral("Cannot encode the document"));
  }
  ui::WriteFileSafely(path, FinishOdt(bytes, FooterText(*inputs.front())));
}

QByteArray OdtBytes(const Input& input) {
  const QByteArray bytes = Bytes([&](QBuffer& buffer) {
    std::unique_ptr<QTextDocument> document = BuildDocument(input);
    QTextDocumentWriter writer(&buffer, "ODF");
    if (!writer.write(document.get())) throw veltor::Error(QStringLiteral("Cannot encode the document"));
  });
  return FinishOdt(bytes, FooterText(input));
}

void WritePdf(const Input& input, const QString& path) {
  ui::WriteFileSafely(path, PdfBytes(input));
}

void WriteOdt(const Input& input, const QString& path) {
  ui::WriteFileSafely(path, OdtBytes(input));
}

}  // namespace designreport

#include "raport_projektowy.moc"
