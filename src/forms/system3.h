// Wizard step 3, "Systemy VELTOR".
#pragma once

#include "forms/companion.h"

class TFormSystem3 : public TCompanionWindow {
  Q_OBJECT
 public:
  explicit TFormSystem3(QWidget* mainWindow);
  ~TFormSystem3() override;

  void FormCreate() {}
};

extern TFormSystem3* FormSystem3;
