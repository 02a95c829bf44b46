// The initial-conditions window: the Umax catalogue read from
// "Dane/maksymalne.txt", the humidity class, the heat-flow direction and the
// temperatures and humidities. It is the only writer of gDesignConditions
// (through CommitConditions and LoadFromProject).
#pragma once

#include "forms/companion.h"

class QIODevice;
class QLineEdit;
class QTreeWidget;

class TFormWarunkiPoczatkowe : public TCompanionWindow {
  Q_OBJECT
 public:
  explicit TFormWarunkiPoczatkowe(QWidget* mainWindow);
  ~TFormWarunkiPoczatkowe() override;

  // Creation handler: reads the catalogue, then commits the controls.
  void FormCreate();
  // Copies the controls into gDesignConditions; false when a field did not
  // convert (the error has been shown, earlier fields are already stored).
  bool CommitConditions();

  // The 53 bytes of the design conditions in the project file.
  void SaveToProject(QIODevice& device);
  void LoadFromProject(QIODevice& device);

  QTreeWidget* TreeViewUmax = nullptr;
  QLineEdit* EditUmax = nullptr;
};

extern TFormWarunkiPoczatkowe* FormWarunkiPoczatkowe;
