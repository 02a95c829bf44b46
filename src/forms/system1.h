// Wizard step 1, "Mur".
#pragma once

#include "forms/companion.h"

class TFormSystem1 : public TCompanionWindow {
  Q_OBJECT
 public:
  explicit TFormSystem1(QWidget* mainWindow);
  ~TFormSystem1() override;

  void FormCreate() {}
};

extern TFormSystem1* FormSystem1;
