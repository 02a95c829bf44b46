// The scrolling frame of the chart and report windows: one picture shown at
// its own size, both scroll bars, and the mouse wheel moving the view 25 pixels
// a step (the wheel's usual three lines would jump past a chart's rows).
#pragma once

#include <QImage>
#include <QScrollArea>
#include <QWidget>

// The image control: shows its picture at the picture's size, top-left.
class TPictureImage : public QWidget {
  Q_OBJECT
 public:
  explicit TPictureImage(QWidget* parent = nullptr);
  // The picture that drawing works on; call Changed() after drawing into it.
  QImage& Picture() { return picture_; }
  const QImage& Picture() const { return picture_; }
  void SetPicture(const QImage& picture);
  void Changed();
  QSize sizeHint() const override { return picture_.size(); }

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QImage picture_;
};

class TPictureFrame : public QScrollArea {
  Q_OBJECT
 public:
  static constexpr int kWheelStep = 25;
  TPictureFrame(QWidget* parent, const QString& objectName, const QString& imageName);
  TPictureImage* Image() const { return image_; }
  // The frame's width that shows a picture this wide beside the vertical scroll bar.
  int WidthShowing(int pictureWidth) const;

 protected:
  void wheelEvent(QWheelEvent* e) override;

 private:
  // One wheel step down moves the view 25 pixels down, one step up 25 up.
  void WheelSteps(int stepsDown);
  TPictureImage* image_;
  int wheelRemainder_ = 0;
};
