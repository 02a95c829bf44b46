#include "platform/picturefile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "calc/errors.h"
#include "platform/jpegwriter.h"
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

// One A4 page, the picture scaled to the page's width (or height) with its
// proportions kept and centred; its pixels are embedded as they are, so the
// PDF holds the picture at full resolution.
QByteArray encodePdf(const QImage& picture) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setCreator(QStringLiteral("VELTORobl"));
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                   QPageLayout::Millimeter));
  writer.setResolution(300);
  QPainter painter(&writer);
  const QRect area = painter.viewport();
  QSize size = picture.size();
  size.scale(area.size(), Qt::KeepAspectRatio);
  QRect target(QPoint(0, 0), size);
  target.moveCenter(area.center());
  target.moveTop(area.top());
  painter.drawImage(target, picture);
  painter.end();
  return bytes;
}

}  // namespace

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
  const QString suffix = PictureSuffix(type);
  return name.endsWith(suffix, Qt::CaseInsensitive) ? name : name + suffix;
}

QString SavePicture(const QImage& picture, const QString& chosenName, PictureType type) {
  const QString path = WithPictureSuffix(chosenName, type);
  QByteArray bytes;
  switch (type) {
    case PictureType::Bitmap:
      bytes = encodeBitmap(picture);
      break;
    case PictureType::Jpeg:
      bytes = EncodeJpeg(picture);
      break;
    case PictureType::Pdf:
      bytes = encodePdf(picture);
      break;
  }
  veltor::SaveProjectFile(path, [&](QIODevice& device) {
    if (device.write(bytes) != bytes.size()) throw veltor::IoError(veltor::IoCode::DiskFull);
  });
  return path;
}

bool SavePictureWithDialog(const FileDialogSpec& request, const QList<PictureType>& types,
                           const QImage& picture) {
  const std::optional<FileChoice> choice = dialogs().saveFile(request);
  if (!choice || choice->fileName.isEmpty()) return false;
  const PictureType type = types.value(choice->filterIndex, types.value(0, PictureType::Bitmap));
  // The dialog's overwrite prompt saw the name before its suffix was added;
  // the file really written must not be replaced without a question either.
  const QString path = WithPictureSuffix(choice->fileName, type);
  if (request.confirmOverwrite && path != choice->fileName && QFileInfo::exists(path)) {
    const QString question = QStringLiteral("Plik %1 już istnieje.\nCzy chcesz go zastąpić?")
                                 .arg(QFileInfo(path).fileName());
    if (ask(MessageKind::Confirmation, question, Yes | No, Answer::No, Answer::No) != Answer::Yes) return false;
  }
  SavePicture(picture, choice->fileName, type);
  return true;
}

}  // namespace ui
