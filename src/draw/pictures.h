// Pictures as files, without a window: the drawings' backgrounds, templates
// and hatches read through the data files' guard, and finished pages encoded
// as BMP, JPEG (our libjpeg writer with the encoder's defaults) or an A4 PDF
// of one page per picture. The windows' save dialogs and batch mode both
// write through here.
#pragma once

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>
#include <functional>

class QImage;
class QPainter;
class QRect;

namespace ui {

enum class PictureType { Bitmap, Jpeg, Pdf };

// A drawing's background, template or hatch, as a 32-bit picture (the mask
// pen's raster operation needs one). Only a regular file of at most the data
// files' size limit is read: IoError "File not found" for anything else that
// is missing or not a regular file, DataError when too large, Error "Bitmap
// image is not valid" when it does not decode.
QImage LoadPicture(const QString& path);

// LoadPicture kept for the rest of the process: the backgrounds, templates and
// hatches are drawn on every change while a window is open, and decoding them
// each time cost more than the drawing. The file is looked at (one status
// call) each time, so a picture replaced or removed since is read again or
// refused as LoadPicture would; failures are not kept.
QImage KeptPicture(const QString& path);

// ".bmp", ".jpg", ".pdf".
QString PictureSuffix(PictureType type);

// A page that code paints at its pixel positions (x right, y down, within
// `size`) onto any painter: a PDF or a printer gets it as vectors, its texts as
// texts, where a picture of it would be pixels.
struct VectorPage {
  QSize size;
  std::function<void(QPainter&)> paint;
};

// The pages as a file of `type`: a PDF gets one A4 page per picture (or, when
// `vectorPages` are given, per vector page, placed as the pictures would be);
// BMP and JPEG hold a single picture, so they get the pages stacked (StackPages).
QByteArray EncodePages(const QList<QImage>& pages, PictureType type,
                       const QList<VectorPage>& vectorPages = {});

// Paints `page` scaled into `area` with its proportions kept (FittedRect).
void PaintFitted(QPainter& painter, const VectorPage& page, const QRect& area, bool top = false);

// Writes `bytes` to `path` through a temporary file, so a failure leaves an
// earlier file as it was. Raises veltor::IoError.
void WriteFileSafely(const QString& path, const QByteArray& bytes);

// The pages one below the other, left-aligned, a grey band between two pages
// marking the page break; as wide as the widest page. One page comes back as it is.
QImage StackPages(const QList<QImage>& pages);
inline constexpr int kPageBreakBand = 12;

// Where a picture goes on a page: scaled to fit `area` with its proportions
// kept, centred (or, with `top`, centred across and at the top).
QRect FittedRect(const QSize& picture, const QRect& area, bool top = false);

}  // namespace ui
