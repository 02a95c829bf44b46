// Pictures read through the data files' guard and pages encoded as files.
#include "draw/pictures.h"

#include <QBuffer>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QMutex>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRect>
#include <algorithm>
#include <new>

#include "calc/errors.h"
#include "calc/safefile.h"
#include "calc/textfile.h"
#include "draw/jpegwriter.h"

namespace ui {

namespace {

QByteArray encodeBitmap(const QImage& picture) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!picture.save(&buffer, "BMP")) throw veltor::Error(QStringLiteral("Cannot encode the picture"));
  return bytes;
}

// One A4 page per picture, each scaled to the page's width (or height) with its
// proportions kept, centred and at the top; its pixels are embedded as they
// are, so the PDF holds every picture at full resolution.
template <class Page>
QByteArray encodePdf(const QList<Page>& pages, const std::function<void(QPainter&, const Page&)>& paint) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setCreator(QStringLiteral("VELTORobl"));
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                   QPageLayout::Millimeter));
  writer.setResolution(300);
  QPainter painter(&writer);
  for (qsizetype page = 0; page < pages.size(); ++page) {
    if (page > 0) writer.newPage();
    paint(painter, pages[page]);
  }
  painter.end();
  return bytes;
}

}  // namespace

QImage LoadPicture(const QString& path) {
  // The data files' guard: a pipe would block a window's drawing for ever, a
  // device be read until memory runs out.
  QImage picture;
  if (!picture.loadFromData(veltor::ReadDataFile(path)))
    throw veltor::Error(QStringLiteral("Bitmap image is not valid"));
  return picture.convertToFormat(QImage::Format_RGB32);
}

QImage KeptPicture(const QString& path) {
  struct Kept {
    QImage picture;
    qint64 size = 0;
    qint64 modified = 0;
  };
  // Pictures may be drawn away from the window system's thread.
  static QMutex mutex;
  static QHash<QString, Kept> kept;
  // The shipped pictures number a few dozen; a folder of test pictures after
  // another must not pile up.
  constexpr qsizetype kMostKept = 64;
  const QFileInfo info(path);
  const bool file = info.isFile();
  const qint64 size = file ? info.size() : 0;
  const qint64 modified = file ? info.lastModified().toMSecsSinceEpoch() : 0;
  {
    const QMutexLocker lock(&mutex);
    const auto found = kept.constFind(path);
    if (file && found != kept.cend() && found->size == size && found->modified == modified)
      return found->picture;
  }
  QImage picture = LoadPicture(path);
  const QMutexLocker lock(&mutex);
  if (kept.size() >= kMostKept) kept.clear();
  kept.insert(path, {picture, size, modified});
  return picture;
}

QString PictureSuffix(PictureType type) {
  switch (type) {
    case PictureType::Bitmap:
      return QStringLiteral(".bmp");
    case PictureType::Jpeg:
      return QStringLiteral(".jpg");
    case PictureType::Pdf:
      return QStringLiteral(".pdf");
  }
  return {};
}

QByteArray EncodePages(const QList<QImage>& pages, PictureType type, const QList<VectorPage>& vectorPages) {
  switch (type) {
    case PictureType::Bitmap:
      return encodeBitmap(StackPages(pages));
    case PictureType::Jpeg:
      return EncodeJpeg(StackPages(pages));
    case PictureType::Pdf:
      break;
  }
  if (!vectorPages.isEmpty()) {
    return encodePdf<VectorPage>(vectorPages, [](QPainter& painter, const VectorPage& page) {
      PaintFitted(painter, page, painter.viewport(), true);
    });
  }
  return encodePdf<QImage>(pages, [](QPainter& painter, const QImage& page) {
    painter.drawImage(FittedRect(page.size(), painter.viewport(), true), page);
  });
}

void PaintFitted(QPainter& painter, const VectorPage& page, const QRect& area, bool top) {
  if (page.size.isEmpty()) return;
  const QRect target = FittedRect(page.size, area, top);
  painter.save();
  painter.translate(target.topLeft());
  painter.scale(static_cast<double>(target.width()) / page.size.width(),
                static_cast<double>(target.height()) / page.size.height());
  painter.setClipRect(QRect(QPoint(0, 0), page.size));
  page.paint(painter);
  painter.restore();
}

void WriteFileSafely(const QString& path, const QByteArray& bytes) {
  veltor::WriteFileWhole(path, bytes);
}

QImage StackPages(const QList<QImage>& pages) {
  if (pages.size() == 1) return pages.front();
  int width = 0;
  int height = 0;
  for (const QImage& page : pages) {
    width = std::max(width, page.width());
    height += page.height();
  }
  height += kPageBreakBand * std::max<int>(0, static_cast<int>(pages.size()) - 1);
  if (width == 0 || height == 0) return {};
  QImage stacked(width, height, QImage::Format_RGB32);
  if (stacked.isNull()) throw std::bad_alloc();
  stacked.fill(QColor(128, 128, 128));
  // Rows copied, not painted: a tall report page already reaches the limit of
  // the painter's coordinates, and two stacked would pass it.
  int y = 0;
  for (const QImage& page : pages) {
    const QImage rows = page.convertToFormat(QImage::Format_RGB32);
    for (int row = 0; row < rows.height(); ++row, ++y) {
      auto* line = reinterpret_cast<QRgb*>(stacked.scanLine(y));
      std::copy_n(reinterpret_cast<const QRgb*>(rows.constScanLine(row)), rows.width(), line);
      // A page narrower than the widest is white to the right, not grey.
      std::fill(line + rows.width(), line + width, qRgb(255, 255, 255));
    }
    y += kPageBreakBand;
  }
  return stacked;
}

QRect FittedRect(const QSize& picture, const QRect& area, bool top) {
  QSize size = picture;
  size.scale(area.size(), Qt::KeepAspectRatio);
  QRect target(QPoint(0, 0), size);
  target.moveCenter(area.center());
  if (top) target.moveTop(area.top());
  return target;
}

}  // namespace ui
