// The initial-conditions window: the Umax catalogue read from
// "Dane/maksymalne.txt", the humidity class, the heat-flow direction and the
// temperatures and humidities. It commits them to the project's design
// conditions (CommitConditions, one step to undo), and shows the project's
// conditions again whenever they change elsewhere (open, undo, redo).
//
// The controls hold what the designer is editing; nothing reaches the design
// conditions until CommitConditions runs (start-up, and first thing in every
// button). Leaving a temperature or humidity box checks its range at once, so a
// bad value is pointed out where it was typed; the commit repeats those range
// checks because a button can be pressed without the box ever being left.
#pragma once

#include <QGroupBox>

#include "calc/conditions.h"
class QBoxLayout;

#include "forms/companion.h"

class Project;
class QButtonGroup;
class QComboBox;
class QIODevice;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// A captioned group of mutually exclusive choices addressed by index, the way
// the conditions are stored (-1: nothing chosen).
class TRadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  TRadioGroup(const QString& objectName, const QString& caption, const QStringList& items,
              Qt::Orientation orientation, QWidget* parent);
  int itemIndex() const;
  // An index outside the items leaves the choice as it is.
  void setItemIndex(int index);
  int count() const;

 private:
  QButtonGroup* buttons_;
};

class TFormWarunkiPoczatkowe : public TCompanionWindow {
  Q_OBJECT
 public:
  TFormWarunkiPoczatkowe(QWidget* mainWindow, Project& project);
  ~TFormWarunkiPoczatkowe() override;

  // Creation handler: reads the catalogue, then commits the controls. A catalogue
  // that cannot be read raises, and then nothing is committed.
  void FormCreate();
  // Copies the controls into the project's conditions; false when a field did
  // not convert or is out of range (the error has been shown, the focus is on
  // that field, and the project's conditions are as they were).
  bool CommitConditions();
  // Raises veltor::Error for conditions read from a file that the program
  // cannot work with (out of the ranges this window accepts).
  static void CheckProjectConditions(const veltor::DesignConditions& conditions);

  // The 53 bytes of the design conditions in the project file.
  void SaveToProject(QIODevice& device);
  // Raises IoError for a short section and veltor::Error for values the program
  // cannot work with; either way the conditions and the window stay as they were.
  // Otherwise the conditions read become the project's, Rsi and Rse following
  // the direction.
  void LoadFromProject(QIODevice& device);

  QTreeWidget* TreeViewUmax = nullptr;
  QLineEdit* EditUmax = nullptr;
  // Under the humidity class: φi and the chosen class disagree.
  QLabel* LabelUwagaWilgotnosc = nullptr;
  TRadioGroup* RadioGroup1 = nullptr;  // humidity class
  TRadioGroup* RadioGroup2 = nullptr;  // heat-flow direction
  QLineEdit* LabeledEditTW = nullptr;
  QLineEdit* LabeledEditTZ = nullptr;
  QLineEdit* LabeledEditWW = nullptr;
  QLineEdit* LabeledEditWZ = nullptr;
  QComboBox* ComboBoxStrefa = nullptr;      // "Strefa klimatyczna": sets te, which stays editable
  QComboBox* ComboBoxStronaZewn = nullptr;  // what lies beyond the outer face
  QLineEdit* EditOtwory = nullptr;          // Av of a slightly ventilated air layer, mm² per m
  QPushButton* Button1 = nullptr;           // "< &Wstecz"
  QPushButton* Button2 = nullptr;           // "Z&atwierdź"
  QPushButton* Button3 = nullptr;           // "Dobór materiałów wg systemów VELTOR >"
  QPushButton* ButtonGrunt = nullptr;       // opens "Przegroda na gruncie"
  QPushButton* ButtonAnuluj = nullptr;      // "Dowolny dobór materiałów >"
  QPushButton* ButtonZamknij = nullptr;     // "&Zamknij"

  void Button1Click();
  void Button2Click();
  void Button3Click();
  void ButtonAnulujClick();
  void ButtonZamknijClick();
  void TreeViewUmaxChange(QTreeWidgetItem* node);
  void ComboBoxStrefaChange(int index);
  void ComboBoxStronaZewnChange(int index);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  bool readControls(veltor::DesignConditions& c);
  // Sets the controls, the catalogue's choice included, from `conditions`.
  void showConditions(const veltor::DesignConditions& conditions);
  void buildBoundaryControls(QBoxLayout* top);
  // Shows the zone whose temperature the outdoor box holds, or none.
  void showZoneOfTemperature();
  void showHumidityNote();
  // The checks run when a box is left; false when a message was shown.
  bool checkTemperatureField(QLineEdit* edit);
  bool checkHumidityField(QLineEdit* edit);
  // Runs the check of a box left a moment ago, if it has not run yet.
  bool runPendingFieldCheck();
  void refuseField(QLineEdit* edit, const QString& message);
  // Selects the catalogue's first requirement of this value, or nothing.
  void selectRequirement(double umax);
  void focusField(QLineEdit* edit);

  Project& project_;
  bool committing_ = false;
  QLineEdit* pendingCheck_ = nullptr;
  bool checking_ = false;
  bool movingFocus_ = false;
};

extern TFormWarunkiPoczatkowe* FormWarunkiPoczatkowe;
