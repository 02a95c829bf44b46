// "Poprawki współczynnika U": the project's corrections ΔU (air gaps in the
// insulation, mechanical fasteners, the inverted roof) edited as one form.
//
// Data flow: showing the window, or a change of the project's conditions made
// elsewhere (undo, New, Open, the wizard), fills the controls from
// Project::conditions().corrections; the layer lists follow the project's
// layers. "OK" reads every control into one UCorrections and hands it to the
// project as one step to undo; a box that holds no acceptable value is told and
// nothing is committed. "Anuluj" leaves the project as it was.
#pragma once

#include <QStringList>
#include <optional>

#include "calc/transmittance.h"
#include "forms/companion.h"
#include "forms/numberbox.h"

class Project;
class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TFormPoprawki : public TCompanionWindow {
  Q_OBJECT
 public:
  TFormPoprawki(QWidget* mainWindow, Project& project);
  ~TFormPoprawki() override;

  void FormCreate() {}

  // The corrections the controls describe; empty (after telling the user and
  // focusing the box) when a box holds no acceptable value.
  std::optional<veltor::UCorrections> ReadControls();
  // Commits the controls to the project and hides the window; stays open when
  // a box is refused.
  bool ButtonOKClick();
  void ButtonAnulujClick();
  // Shows the window over the main window with the project's corrections.
  void ActionPoprawkiExecute();

  QAction* ActionPoprawki = nullptr;

  QRadioButton* RadioPoziom0 = nullptr;
  QRadioButton* RadioPoziom1 = nullptr;
  QRadioButton* RadioPoziom2 = nullptr;
  QComboBox* ComboBoxWarstwaG = nullptr;

  QComboBox* ComboBoxLaczniki = nullptr;  // none, from λ and cross-section, from χp
  QLineEdit* EditLiczbaLacznikow = nullptr;
  QLineEdit* EditLambdaLacznika = nullptr;
  QLineEdit* EditPrzekroj = nullptr;
  QLineEdit* EditZaglebienie = nullptr;
  QLineEdit* EditChiP = nullptr;
  QComboBox* ComboBoxWarstwaF = nullptr;

  QCheckBox* CheckBoxDachOdwrocony = nullptr;
  QLineEdit* EditOpad = nullptr;
  QLineEdit* EditDrenaz = nullptr;
  QLineEdit* EditWspX = nullptr;
  QComboBox* ComboBoxWarstwaR = nullptr;

  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonAnuluj = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  QGroupBox* buildAirGapGroup();
  QGroupBox* buildFastenerGroup();
  QGroupBox* buildRoofGroup();
  // The controls from the project's corrections.
  void showCorrections();
  // The three layer lists from the project's layers, each keeping its choice;
  // built again only when the captions changed, unless `always`.
  void fillLayerLists(bool always = false);
  void selectLayer(QComboBox* combo, std::int32_t layer);
  // Boxes of a method not chosen are greyed out.
  void updateEnabled();

  Project& project_;
  QButtonGroup* levels_ = nullptr;
  QStringList listedCaptions_;
};

extern TFormPoprawki* FormPoprawki;

// What the boxes of an anchor's number per m² and its χp accept; the wizard's
// anchor boxes follow the same rules.
TNumberBox::Rule FastenerCountRule();
TNumberBox::Rule ChiPRule();
