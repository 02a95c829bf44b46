// Wizard step 1, "Mur": the masonry of the load-bearing wall, chosen in the
// tree read from System/mur.txt at start-up, and its thickness in EditGW
// (proposed from the entry's record, checked by "Dalej >"), both written to
// the wizard's choices.
#pragma once

#include "forms/systemstep.h"

class QLineEdit;
class QTreeWidget;

class TFormSystem1 : public TSystemStep {
  Q_OBJECT
 public:
  TFormSystem1(QWidget* mainWindow, WizardChoices& choices);
  ~TFormSystem1() override;

  // Creation handler: reads the masonry file into TreeViewMur.
  void FormCreate();

  // The chosen masonry's record; nullptr while a group or nothing is selected.
  const veltor::LayerRecord* SelectedMasonry() const;
  // EditGW read with the locale's separator; raises ConversionError.
  double WallThickness() const;

  void TreeViewMurChange();
  void Button1Click();
  void Button2Click();
  void ButtonDalejClick();

  QTreeWidget* TreeViewMur = nullptr;
  QLineEdit* EditGW = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* ButtonDalej = nullptr;

 private:
  veltor::CatalogueNodes masonry_;
  WizardChoices& choices_;
};

extern TFormSystem1* FormSystem1;
