// The project description: four free texts (partition name, client, designer,
// date) of the project, edited in four boxes, saved as the first section of the
// project file and printed on the report.
#pragma once

#include "forms/companion.h"

class Project;
class QIODevice;
class QLineEdit;
class QPushButton;

class TFormDaneProj : public TCompanionWindow {
  Q_OBJECT
 public:
  TFormDaneProj(QWidget* mainWindow, Project& project);
  ~TFormDaneProj() override;

  void FormCreate() {}
  // Empties the four fields of the project.
  void ClearFields();

  // The 1024 bytes of the description: four short strings of 256 bytes, each
  // the first 255 characters of its box.
  void SaveToProject(QIODevice& device);
  // Each field takes its text as soon as it is read, so a file cut short
  // changes the fields before the cut and raises IoError.
  void LoadFromProject(QIODevice& device);

  void ButtonZamknijClick();
  void ButtonDalejClick();

  QLineEdit* LabeledEdit1 = nullptr;  // "Nazwa przegrody"
  QLineEdit* LabeledEdit2 = nullptr;  // "Odbiorca"
  QLineEdit* LabeledEdit3 = nullptr;  // "Projektant"
  QLineEdit* LabeledEdit4 = nullptr;  // "Data"
  QPushButton* ButtonZamknij = nullptr;
  QPushButton* ButtonDalej = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  // Proposes today's date while the date box is empty; runs on every showing.
  void FormShow();
  // The boxes from the project's description.
  void showDescription();

  Project& project_;
};

extern TFormDaneProj* FormDaneProj;

// The project's name, "Nazwa przegrody", for the names the save dialogs
// propose; empty while there is no description window.
QString ProjectName();
