// The project description: free texts of the project (partition name, the
// investment's address, client, designer, the designer's licence number,
// date), edited in six boxes. Name, client, designer and date are the first
// section of the project file and are printed on the report; the address and
// the licence number, both optional, go into the file's extension block and
// onto the designer's report.
#pragma once

#include <array>

#include "forms/companion.h"
#include "project/extension.h"

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
  // Empties the description fields of the project.
  void ClearFields();

  // The 1024 bytes of the description: four short strings of 256 bytes, each
  // the first 255 characters of its box.
  void SaveToProject(QIODevice& device);
  // Each field takes its text as soon as it is read, so a file cut short
  // changes the fields before the cut and raises IoError.
  void LoadFromProject(QIODevice& device);

  void ButtonZamknijClick();
  void ButtonDalejClick();

  QLineEdit* LabeledEdit1 = nullptr;            // "Nazwa przegrody"
  QLineEdit* LabeledEdit2 = nullptr;            // "Odbiorca"
  QLineEdit* LabeledEdit3 = nullptr;            // "Projektant"
  QLineEdit* LabeledEdit4 = nullptr;            // "Data"
  QLineEdit* LabeledEditAdres = nullptr;        // "Adres inwestycji"
  QLineEdit* LabeledEditUprawnienia = nullptr;  // "Nr uprawnień projektanta"
  QPushButton* ButtonZamknij = nullptr;
  QPushButton* ButtonDalej = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  // Proposes today's date while the date box is empty; runs on every showing.
  void FormShow();
  // The boxes from the project's description.
  void showDescription();
  // The box of each description field, in the order of veltor::DescriptionFieldIndex.
  std::array<QLineEdit*, veltor::kDescriptionFieldCount> boxes() const;

  Project& project_;
};

extern TFormDaneProj* FormDaneProj;

// The project's name, "Nazwa przegrody", for the names the save dialogs
// propose; empty while there is no description window.
QString ProjectName();
