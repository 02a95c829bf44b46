// "Grunt": the partition's kind on the ground (a floor on the ground, a
// suspended floor, a heated basement, the ceiling over an unheated basement),
// its geometry, the ground, the edge insulation and what each kind reads
// besides, with the U figures of EN ISO 13370 and EN ISO 6946 for the values
// typed.
//
// Data flow: showing the window, or a change of the project's extras made
// elsewhere (undo, New, Open), fills the controls from
// Project::extras().ground. Typing shows under the boxes the figures the
// model gives the partition with the values typed (Building::groundWith).
// "OK" reads every control into one GroundSettings and hands it to the
// project as one step to undo; a box the kind reads that holds no acceptable
// value, or values the kind's formulas refuse, is told and nothing is
// committed. "Anuluj" leaves the project as it was.
#pragma once

#include <optional>

#include "calc/ground.h"
#include "forms/companion.h"

class Project;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TFormGrunt : public TCompanionWindow {
  Q_OBJECT
 public:
  TFormGrunt(QWidget* mainWindow, Project& project);
  ~TFormGrunt() override;

  void FormCreate() {}

  // The settings the controls describe; empty (after telling the user and
  // focusing the box) when a box the kind reads holds no acceptable value.
  std::optional<veltor::GroundSettings> ReadControls(bool tell = true);
  bool ButtonOKClick();
  void ButtonAnulujClick();
  void ActionGruntExecute();

  QAction* ActionGrunt = nullptr;

  QComboBox* ComboBoxRodzaj = nullptr;  // in air, then the four kinds in GroundKind's order
  QLineEdit* EditPowierzchnia = nullptr;
  QLineEdit* EditObwod = nullptr;
  QLineEdit* EditGruboscSciany = nullptr;
  QComboBox* ComboBoxGrunt = nullptr;  // SoilKind's order
  QLineEdit* EditLambdaGruntu = nullptr;

  QComboBox* ComboBoxIzolacjaKrawedziowa = nullptr;  // EdgeKind's order
  QLineEdit* EditKrawedzD = nullptr;
  QLineEdit* EditKrawedzGrubosc = nullptr;
  QLineEdit* EditKrawedzLambda = nullptr;

  QLineEdit* EditWysokosc = nullptr;
  QLineEdit* EditOtwory = nullptr;
  QComboBox* ComboBoxOslona = nullptr;  // WindShielding's order
  QLineEdit* EditPredkoscWiatru = nullptr;
  QLineEdit* EditUScianPodpodlogowych = nullptr;

  QLineEdit* EditGlebokosc = nullptr;
  QLineEdit* EditOporScianPiwnicy = nullptr;
  QLineEdit* EditOporPodlogiPiwnicy = nullptr;
  QLineEdit* EditKrotnosc = nullptr;
  QLineEdit* EditKubatura = nullptr;
  QLineEdit* EditUScianNadTerenem = nullptr;

  QComboBox* ComboBoxPorownanie = nullptr;  // ComparedU's order
  QLabel* LabelWyniki = nullptr;

  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonAnuluj = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  QGroupBox* buildGeometryGroup();
  QGroupBox* buildEdgeGroup();
  QGroupBox* buildSuspendedGroup();
  QGroupBox* buildBasementGroup();
  QLineEdit* addBox(QGroupBox* group, const char* name, const QString& label, bool positive);
  void showSettings();
  // Boxes the chosen kind does not read are greyed out.
  void updateEnabled();
  // The figures of the values typed, or why there are none.
  void updateResults();

  Project& project_;
  QGroupBox* edgeGroup_ = nullptr;
  QGroupBox* suspendedGroup_ = nullptr;
  QGroupBox* basementGroup_ = nullptr;
};

extern TFormGrunt* FormGrunt;
