#include "platform/picturefile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <new>

#include "calc/errors.h"
#include "calc/textfile.h"
#include "platform/jpegwriter.h"
#include "platform/printing.h"
#include "project/projectfile.h"

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
QByteArray encodePdf(const QList<QImage>& pages) {
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
    painter.drawImage(FittedRect(pages[page].size(), painter.viewport(), true), pages[page]);
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

namespace {

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

QString WithPictureSuffix(const QString& name, PictureType type) {
  return TypeOfName(name) == type ? name : name + PictureSuffix(type);
}

QString SavePages(const QList<QImage>& pages, const QString& chosenName, PictureType type) {
  const QString path = WithPictureSuffix(chosenName, type);
  QByteArray bytes;
  switch (type) {
    case PictureType::Bitmap:
      bytes = encodeBitmap(StackPages(pages));
      break;
    case PictureType::Jpeg:
      bytes = EncodeJpeg(StackPages(pages));
      break;
    case PictureType::Pdf:
      bytes = encodePdf(pages);
      break;
  }
  veltor::SaveProjectFile(path, [&](QIODevice& device) {
    if (device.write(bytes) != bytes.size()) throw veltor::IoError(veltor::IoCode::DiskFull);
  });
  return path;
}

}  // namespace

std::optional<PictureType> TypeOfName(const QString& name) {
  const QString suffix = QFileInfo(name).suffix().toLower();
  if (suffix == QLatin1String("bmp")) return PictureType::Bitmap;
  if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) return PictureType::Jpeg;
  if (suffix == QLatin1String("pdf")) return PictureType::Pdf;
  return std::nullopt;
}

QStringList PictureFilters(const QList<PictureType>& types) {
  QStringList filters;
  for (PictureType type : types) {
    switch (type) {
      case PictureType::Bitmap:
        filters << QStringLiteral("Mapa bitowa (*.bmp)");
        break;
      case PictureType::Jpeg:
        filters << QStringLiteral("Obraz JPEG (*.jpg *.jpeg)");
        break;
      case PictureType::Pdf:
        filters << QStringLiteral("Dokument PDF (*.pdf)");
        break;
    }
  }
  return filters;
}

QString ProposedPictureName(const QString& folder, const QString& projectName, const QString& what) {
  // A name typed in the description may hold characters no file name can.
  QString project = projectName.simplified();
  for (const QChar c : QStringLiteral("/\\:*?\"<>|")) project.replace(c, QLatin1Char('_'));
  const QString name = project.isEmpty() ? what : QStringLiteral("%1 – %2").arg(project, what);
  return QDir(folder).filePath(name);
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

bool SavePictureWithDialog(const FileDialogRequest& request, const QList<PictureType>& types,
                           const QImage& picture) {
  return SavePagesWithDialog(request, types, {picture});
}

bool SavePagesWithDialog(const FileDialogRequest& request, const QList<PictureType>& types,
                         const QList<QImage>& pages) {
  const std::optional<FileChoice> choice = dialogs().saveFile(request);
  if (!choice || choice->fileName.isEmpty()) return false;
  // "raport.pdf" is a PDF whichever filter was left chosen; a name without a
  // known extension takes the filter's type and its suffix.
  const std::optional<PictureType> named = TypeOfName(choice->fileName);
  const PictureType type = named && types.contains(*named)
                               ? *named
                               : types.value(choice->filterIndex, types.value(0, PictureType::Bitmap));
  // The dialog's overwrite prompt saw the name before its suffix was added;
  // the file really written must not be replaced without a question either.
  const QString path = WithPictureSuffix(choice->fileName, type);
  if (request.confirmOverwrite && path != choice->fileName && QFileInfo::exists(path)) {
    const QString question =
        QStringLiteral("Plik %1 już istnieje.\nCzy chcesz go zastąpić?").arg(QFileInfo(path).fileName());
    if (ask(MessageKind::Confirmation, question, Yes | No, Answer::No, Answer::No) != Answer::Yes)
      return false;
  }
  SavePages(pages, choice->fileName, type);
  return true;
}

}  // namespace ui
