// The About box, shown modally from the main window.
#pragma once

#include <QDialog>

class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutBox(QWidget* mainWindow);
  ~TAboutBox() override;

  void FormCreate() {}
};

extern TAboutBox* AboutBox;
