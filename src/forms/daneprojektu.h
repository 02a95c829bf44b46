// The project description: four free texts (partition name, client, designer,
// date) held by their edit boxes, saved as the first section of the project file
// and printed on the report.
#pragma once

#include "forms/companion.h"

class QIODevice;
class QLineEdit;

class TFormDaneProj : public TCompanionWindow {
  Q_OBJECT
 public:
  explicit TFormDaneProj(QWidget* mainWindow);
  ~TFormDaneProj() override;

  void FormCreate() {}
  // Empties the four boxes (New project).
  void ClearFields();

  void SaveToProject(QIODevice& device);
  void LoadFromProject(QIODevice& device);

  QLineEdit* LabeledEdit1 = nullptr;  // "Nazwa przegrody"
  QLineEdit* LabeledEdit2 = nullptr;  // "Odbiorca"
  QLineEdit* LabeledEdit3 = nullptr;  // "Projektant"
  QLineEdit* LabeledEdit4 = nullptr;  // "Data"
};

extern TFormDaneProj* FormDaneProj;
