// Wizard step 2, "Materiał termoizolacyjny": the insulation, chosen in the tree
// read from System/docieplenie.txt at start-up. The first letter of its
// record's name picks the adhesive in ListViewKlej (read from
// System/kleje.txt), which the user cannot change, and the adhesive's
// position decides the system family that step 3 offers. The insulation, the
// adhesive and the family go to the wizard's choices as the insulation is chosen.
#pragma once

#include "forms/systemstep.h"

class QLabel;
class QListWidget;
class QTreeWidget;

class TFormSystem2 : public TSystemStep {
  Q_OBJECT
 public:
  TFormSystem2(QWidget* mainWindow, WizardChoices& choices);
  ~TFormSystem2() override;

  // Creation handler: reads the insulation file, then the adhesive file.
  void FormCreate();

  const veltor::LayerRecord* SelectedInsulation() const;
  // The selected adhesive's record; nullptr when none is selected or the item
  // at its position is a group line.
  const veltor::LayerRecord* SelectedAdhesive() const;
  void TreeViewDocieplenieChange();
  void Button3Click();
  void Button1Click();
  void ButtonDalejClick();

  QTreeWidget* TreeViewDocieplenie = nullptr;
  QListWidget* ListViewKlej = nullptr;
  // Tells which adhesive is missing while "Dalej >" waits for one.
  QLabel* LabelBrakKleju = nullptr;
  QPushButton* Button3 = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* ButtonDalej = nullptr;

 private:
  void fillAdhesiveList();
  void updateDalej();

  veltor::CatalogueNodes insulation_;
  veltor::CatalogueNodes adhesives_;
  WizardChoices& choices_;
};

extern TFormSystem2* FormSystem2;
