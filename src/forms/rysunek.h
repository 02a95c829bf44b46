// Chart windows: created on demand, one per chart opened, destroyed on close.
// OpenChartWindow loads the kind's background picture into the window's image,
// runs a calculation pass over the table it is given and draws the chart into
// that image (rysunek_draw.h); the window shows, saves and prints the picture.
// A chart of the project's layer table draws again after the project changes;
// one of the wizard's list stays as drawn. The main window finds the open
// charts through Instances() to toggle its chart actions.
#pragma once

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "calc/layer.h"
#include "draw/pictures.h"

class Project;
class QAction;
class QToolBar;
class TPictureFrame;
class TPictureImage;

class TFormRysunek : public QWidget {
  Q_OBJECT
 public:
  explicit TFormRysunek(int chartKind);
  ~TFormRysunek() override;

  int ChartKind() const { return chartKind_; }
  int XOrigin() const { return xOrigin_; }

  // Loads the background, takes the figures of `table` (the model's for the
  // project's partition, a pass of its own otherwise), sets the caption and
  // draws both drawings. Returns why drawings
  // were left out; raises when a picture cannot be loaded (what was drawn
  // stays in the image).
  QStringList DrawChart(veltor::LayerTable& table, bool tell = true);
  // The project whose partition the chart shows, when it is the project's: a
  // partition on the ground gets no winter chart, only the reason why.
  void SetProject(Project* project) { project_ = project; }

  void ActionPrintExecute();
  void ActionSaveExecute();
  void ActionCloseExecute() { close(); }

  // The chart windows that exist and have not been closed, oldest first. A
  // closed window leaves the list at once, though it is deleted only later.
  static QList<TFormRysunek*> Instances();

  QToolBar* ActionToolBarRys = nullptr;
  QAction* ActionPrint = nullptr;
  QAction* ActionSave = nullptr;
  QAction* ActionClose = nullptr;
  TPictureFrame* FrameRys1 = nullptr;
  TPictureImage* ImageSciana = nullptr;

 protected:
  bool event(QEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  QAction* makeAction(QObject* manager, const char* name, const QString& caption);

  int chartKind_;
  int xOrigin_;
  Project* project_ = nullptr;
  // The chart as last drawn, for the PDF and the printer.
  ui::VectorPage vectorPage_;
  // Empty while the picture holds a drawing that stopped half-way.
  QList<ui::VectorPage> vectorPages() const {
    return vectorPage_.paint ? QList<ui::VectorPage>{vectorPage_} : QList<ui::VectorPage>{};
  }
};

// Creates a chart window of `kind` (1 temperature, 2 vapour pressure), draws
// the chart for `table` and shows the window. A failure is reported once the
// window is shown, which stays open with what was drawn.
TFormRysunek* OpenChartWindow(int kind, veltor::LayerTable& table, Project* project = nullptr);
// The same for the project's layer table; the chart then draws again after
// every change of the project while it is open (ProjectFollower).
TFormRysunek* OpenChartWindow(int kind, Project& project);
