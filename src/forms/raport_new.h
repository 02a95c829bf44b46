// The report window: a one-page picture of the calculation drawn on the
// template, in a scrolling frame, printed or saved as a picture or a PDF.
//
// Every showing draws the report afresh (FormShow): the template under the
// start folder, a calculation pass over the layer table into the program's
// summary, then the page built by raport::BuildReport from the description
// boxes of FormDaneProj and the design conditions. While the window stays
// open the picture does not follow later changes.
#pragma once

#include "forms/companion.h"

class QAction;
class QToolBar;
class TPictureFrame;
class TPictureImage;

class TFormRaportNew : public TCompanionWindow {
  Q_OBJECT
 public:
  explicit TFormRaportNew(QWidget* mainWindow);
  ~TFormRaportNew() override;

  void FormCreate() {}
  // Builds the report into ImageRaport. A template that cannot be read is
  // reported, and the picture shown before stays.
  void FormShow();

  void ActionPrintExecute();
  void ActionSaveExecute();
  void ActionCloseExecute();

  QToolBar* ActionToolBarRaport = nullptr;
  QAction* ActionPrint = nullptr;
  QAction* ActionSave = nullptr;
  QAction* ActionClose = nullptr;
  TPictureFrame* FrameRap = nullptr;
  TPictureImage* ImageRaport = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;
  // The wheel over the tool bar scrolls the frame as over the picture.
  void wheelEvent(QWheelEvent* e) override;

 private:
  void updatePictureActions();
};

extern TFormRaportNew* FormRaportNew;
