#include "forms/pictureframe.h"

#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

TPictureImage::TPictureImage(QWidget* parent) : QWidget(parent) {}

void TPictureImage::SetPicture(const QImage& picture) {
  picture_ = picture;
  Changed();
}

void TPictureImage::Changed() {
  setFixedSize(picture_.size());
  update();
}

void TPictureImage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

TPictureFrame::TPictureFrame(QWidget* parent, const QString& objectName, const QString& imageName)
    : QScrollArea(parent), image_(new TPictureImage) {
  setObjectName(objectName);
  image_->setObjectName(imageName);
  setWidget(image_);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setBackgroundRole(QPalette::Dark);
}

int TPictureFrame::WidthShowing(int pictureWidth) const {
  return pictureWidth + 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

void TPictureFrame::WheelSteps(int stepsDown) {
  QScrollBar* bar = verticalScrollBar();
  bar->setValue(bar->value() + stepsDown * kWheelStep);
}

void TPictureFrame::wheelEvent(QWheelEvent* e) {
  // 120 units are one notch; touchpads send smaller pieces that add up.
  wheelRemainder_ += e->angleDelta().y();
  const int steps = wheelRemainder_ / 120;
  wheelRemainder_ -= steps * 120;
  WheelSteps(-steps);
  e->accept();
}
