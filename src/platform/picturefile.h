// Chart and report pictures saved as files: BMP, JPEG (our libjpeg writer with
// the encoder's defaults) or a one-page A4 PDF. The save dialog's choice is
// turned into a file name and the file is written safely: an existing file is
// replaced only once the new one is complete.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "platform/dialogs.h"

class QImage;

namespace ui {

enum class PictureType { Bitmap, Jpeg, Pdf };

// ".bmp", ".jpg" or ".pdf".
QString PictureSuffix(PictureType type);
// The chosen name with the type's suffix appended, unless it already ends with
// it (in any case): "wykres.jpg" stays as it is.
QString WithPictureSuffix(const QString& name, PictureType type);

// Writes `picture` as `type` to the name given with its suffix; returns the path
// written. Raises veltor::IoError ("File access denied", "Path not found", ...).
QString SavePicture(const QImage& picture, const QString& chosenName, PictureType type);

// Shows the save dialog `request` (its filters in the order of `types`) and saves
// the picture as the chosen type. False when the user cancelled.
bool SavePictureWithDialog(const FileDialogSpec& request, const QList<PictureType>& types,
                           const QImage& picture);

}  // namespace ui
