#include "platform/picturefile.h"

#include <QFileInfo>
#include <QImage>

namespace ui {

namespace {

QString WithPictureSuffix(const QString& name, PictureType type) {
  const QString suffix = PictureSuffix(type);
  return name.endsWith(suffix, Qt::CaseInsensitive) ? name : name + suffix;
}

QString SavePages(const QList<QImage>& pages, const QString& chosenName, PictureType type) {
  const QString path = WithPictureSuffix(chosenName, type);
  WriteFileSafely(path, EncodePages(pages, type));
  return path;
}

}  // namespace

bool SavePictureWithDialog(const FileDialogRequest& request, const QList<PictureType>& types,
                           const QImage& picture) {
  return SavePagesWithDialog(request, types, {picture});
}

bool SavePagesWithDialog(const FileDialogRequest& request, const QList<PictureType>& types,
                         const QList<QImage>& pages) {
  const std::optional<FileChoice> choice = dialogs().saveFile(request);
  if (!choice || choice->fileName.isEmpty()) return false;
  const PictureType type = types.value(choice->filterIndex, types.value(0, PictureType::Bitmap));
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
