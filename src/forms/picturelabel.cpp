#include "forms/picturelabel.h"

#include <QPixmap>

#include "calc/errors.h"
#include "calc/textfile.h"

TPictureLabel::TPictureLabel(const QString& file, QSize fitInto, QWidget* parent)
    : QLabel(parent), file_(file), fitInto_(fitInto) {}

void TPictureLabel::ensureLoaded() {
  if (loaded_) return;
  loaded_ = true;
  QPixmap picture;
  try {
    // Through the data files' guard: a pipe in the picture's place must not
    // hang the window that shows it.
    picture.loadFromData(veltor::ReadDataFile(file_));
  } catch (const veltor::Error&) {
  }
  if (!picture.isNull() && fitInto_.isValid())
    picture = picture.scaled(fitInto_, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  setPixmap(picture);
}

void TPictureLabel::showEvent(QShowEvent* e) {
  ensureLoaded();
  QLabel::showEvent(e);
}
