// Wizard step 3, "Systemy VELTOR": a render of the systems of the family that
// step 2 decided (the wizard's choices), from System/systemy.txt under the
// start folder, read again on every showing, and the render's thickness, both
// written to the wizard's choices.
#pragma once

#include "forms/systemstep.h"

class QComboBox;
class QTreeWidget;

class TFormSystem3 : public TSystemStep {
  Q_OBJECT
 public:
  TFormSystem3(QWidget* mainWindow, WizardChoices& choices);
  ~TFormSystem3() override;

  void FormCreate() {}

  const veltor::LayerRecord* SelectedRender() const;
  // The thickness chosen in ComboBoxTynk, in metres.
  double RenderThickness() const;

  void TreeViewSystemyChange();
  void Button3Click();
  void Button2Click();
  void ButtonDalejClick();

  QTreeWidget* TreeViewSystemy = nullptr;
  QComboBox* ComboBoxTynk = nullptr;
  QPushButton* Button3 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* ButtonDalej = nullptr;

 protected:
  void FormShow() override;

 private:
  veltor::CatalogueNodes systems_;
  WizardChoices& choices_;
};

extern TFormSystem3* FormSystem3;
