#include "platform/picturefile.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

namespace ui {

namespace {

QString WithPictureSuffix(const QString& name, PictureType type) {
  return TypeOfName(name) == type ? name : name + PictureSuffix(type);
}

QString SavePages(const QList<QImage>& pages, const QString& chosenName, PictureType type,
                  const QList<VectorPage>& vectorPages) {
  const QString path = WithPictureSuffix(chosenName, type);
  WriteFileSafely(path, EncodePages(pages, type, vectorPages));
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

bool SavePictureWithDialog(const FileDialogRequest& request, const QList<PictureType>& types,
                           const QImage& picture, const QList<VectorPage>& vectorPages) {
  return SavePagesWithDialog(request, types, {picture}, vectorPages);
}

bool SavePagesWithDialog(const FileDialogRequest& request, const QList<PictureType>& types,
                         const QList<QImage>& pages, const QList<VectorPage>& vectorPages) {
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
  SavePages(pages, choice->fileName, type, vectorPages);
  return true;
}

}  // namespace ui
