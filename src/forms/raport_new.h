// The report window: a one-page picture of the calculation drawn on the
// template, in a scrolling frame, printed or saved as a picture or a PDF.
//
// Every showing draws the report afresh (FormShow): the template under the
// start folder, a calculation pass over the project's layer table into the
// program's summary, then the page built by raport::BuildReport from the
// project's description and the design conditions. When the moisture window's
// CheckBoxRaport is ticked, a second page holds its assessment of the layer
// table; the window shows the pages one below the other, printing puts them
// on separate sheets of one job, a PDF gets them as pages and a BMP or JPEG
// holds them stacked as shown. While the window is shown it draws again after
// every change of the project, once per turn of the event loop.
#pragma once

#include <QImage>
#include <QList>

#include "draw/pictures.h"
#include "draw/raport_draw.h"
#include "forms/companion.h"
#include "project/projectfile.h"

class Project;
class QAction;
class QToolBar;
class TPictureFrame;
class TPictureImage;

class TFormRaportNew : public TCompanionWindow {
  Q_OBJECT
 public:
  TFormRaportNew(QWidget* mainWindow, Project& project);
  ~TFormRaportNew() override;

  void FormCreate() {}
  // Builds the report into ImageRaport. A template that cannot be read is
  // reported, and the picture shown before stays.
  void FormShow();

  // The pages drawn at the last showing: the report, then the moisture
  // assessment when it was asked for.
  const QList<QImage>& Pages() const { return pages_; }

  void ActionPrintExecute();
  void ActionSaveExecute();
  void ActionCloseExecute();
  // The designer's report of the layer table as it stands (a pass runs first):
  // saved as a PDF or an ODT through a save dialog, or printed in one job per copy.
  void ActionRaportPdfExecute();
  void ActionRaportOdtExecute();
  void ActionDrukujRaportProjektowyExecute();

  QToolBar* ActionToolBarRaport = nullptr;
  QAction* ActionPrint = nullptr;
  QAction* ActionSave = nullptr;
  QAction* ActionClose = nullptr;
  QAction* ActionRaportPdf = nullptr;
  QAction* ActionRaportOdt = nullptr;
  QAction* ActionDrukujRaportProjektowy = nullptr;
  TPictureFrame* FrameRap = nullptr;
  TPictureImage* ImageRaport = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;
  // The wheel over the tool bar scrolls the frame as over the picture.
  void wheelEvent(QWheelEvent* e) override;

 private:
  void updatePictureActions();
  // The report of the project as it is now; `tell` shows the pass's notice.
  void draw(bool tell);
  void saveDesignReport(bool pdf);

  QList<QImage> pages_;
  // What pages_'s first page was drawn from, so that the next drawing redraws only changed rows.
  raport::DrawnRows drawnRows_;
  // The same pages painted by code, for the PDF and the printer.
  QList<ui::VectorPage> vectorPages_;
  Project& project_;
};

extern TFormRaportNew* FormRaportNew;
