// The dynamics window: the EN ISO 13786 characteristics of the partition for
// the daily temperature wave (how much of the summer heat the wall lets
// through, and how many hours later), with a picture of the two waves.
//
// Data flow: Recalculate reads the partition (ResultPartition: the layer
// table, or the wizard's created partition while the table is empty),
// gDesignConditions and the air-layer table, runs the core through
// dynamika::Evaluate and fills TableParametry, LabelZalozenia and ImageFale;
// a refusal shows its message in LabelKomunikat instead. Nothing is written
// into the layer records. While the window is shown it evaluates again after
// every change of the project, once per turn of the event loop.
#pragma once

#include "draw/dynamika_draw.h"
#include "forms/companion.h"
#include "model/project.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;
class TPictureImage;

class TFormDynamika : public TCompanionWindow {
  Q_OBJECT
 public:
  TFormDynamika(QWidget* mainWindow, Project& project);
  ~TFormDynamika() override;

  void FormCreate() {}

  // Evaluates the partition and shows the outcome: the one refresh of the window.
  void Recalculate();
  // What the window shows now.
  const dynamika::Outcome& Current() const { return current_; }

  void ButtonZamknijClick();

  QLabel* LabelKomunikat = nullptr;
  // One row per dynamika::Row: quantity, value, unit, meaning.
  QTableWidget* TableParametry = nullptr;
  QLabel* LabelZalozenia = nullptr;
  TPictureImage* ImageFale = nullptr;
  // The figures go into the designer's report while this is ticked (the
  // project's dynamicsInReport, on unless the user turned it off).
  QCheckBox* CheckBoxRaport = nullptr;
  QPushButton* ButtonZamknij = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void buildControls();
  void fitTable();
  void showReportTick(Project::Parts parts);

  dynamika::Outcome current_;
  Project& project_;
};

extern TFormDynamika* FormDynamika;
