#include "forms/picturelabel.h"

#include <QPixmap>

TPictureLabel::TPictureLabel(const QString& file, QSize fitInto, QWidget* parent)
    : QLabel(parent), file_(file), fitInto_(fitInto) {}

void TPictureLabel::ensureLoaded() {
  if (loaded_) return;
  loaded_ = true;
  QPixmap picture(file_);
  if (!picture.isNull() && fitInto_.isValid())
    picture = picture.scaled(fitInto_, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  setPixmap(picture);
}

void TPictureLabel::showEvent(QShowEvent* e) {
  ensureLoaded();
  QLabel::showEvent(e);
}
