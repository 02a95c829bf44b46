// Chart and report pictures saved as files: BMP, JPEG (our libjpeg writer with
// the encoder's defaults) or an A4 PDF of one page per picture. The save dialog's choice is
// turned into a file name and the file is written safely: an existing file is
// replaced only once the new one is complete.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "draw/pictures.h"
#include "platform/dialogs.h"

class QImage;

namespace ui {

// The type a file name's own extension names (.bmp, .jpg, .jpeg, .pdf, in any
// case); nothing for another or no extension.
std::optional<PictureType> TypeOfName(const QString& name);
// The save dialog's filters for `types`, in that order, named in Polish.
QStringList PictureFilters(const QList<PictureType>& types);
// The name a save dialog proposes in `folder`: "<project> – <what>", or `what`
// alone for a project without a name.
QString ProposedPictureName(const QString& folder, const QString& projectName, const QString& what);

// Shows the save dialog `request` (its filters in the order of `types`) and saves
// the picture as the type the chosen name's extension names, when it is one of
// `types`, and otherwise as the chosen filter's type with its suffix (".bmp",
// ".jpg", ".pdf") appended: "wykres.jpeg" stays as it is. False when the user cancelled. Raises
// veltor::IoError ("File access denied", "Path not found", ...).
bool SavePictureWithDialog(const FileDialogRequest& request, const QList<PictureType>& types,
                           const QImage& picture, const QList<VectorPage>& vectorPages = {});

// A document of several pages. A PDF gets one A4 page per picture; BMP and JPEG
// hold a single picture, so they get the pages stacked (StackPages): one file
// that holds the whole document, under the name the user chose and asked
// about. One page is saved exactly as a single picture.
// With `vectorPages` (the same pages painted by code), a PDF is drawn from them.
bool SavePagesWithDialog(const FileDialogRequest& request, const QList<PictureType>& types,
                         const QList<QImage>& pages, const QList<VectorPage>& vectorPages = {});

}  // namespace ui
