// A label showing a picture file that is read only when the label is first
// shown. The windows created at start-up but shown later (About, the wizard's
// steps) pay for their pictures when the user opens them, not while the
// user waits for the main window.
#pragma once

#include <QLabel>

class TPictureLabel : public QLabel {
  Q_OBJECT
 public:
  // `fitInto`: the picture is scaled smoothly to fit it with its proportions
  // kept; an empty size shows the picture as it is.
  explicit TPictureLabel(const QString& file, QSize fitInto = {}, QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  // Reads the picture when it was not yet; a file that is missing, not a
  // regular file, too large or no picture leaves no picture.
  void ensureLoaded();
  QString file_;
  QSize fitInto_;
  bool loaded_ = false;
};
