// Wizard step 2, "Materiał termoizolacyjny".
#pragma once

#include "forms/companion.h"

class TFormSystem2 : public TCompanionWindow {
  Q_OBJECT
 public:
  explicit TFormSystem2(QWidget* mainWindow);
  ~TFormSystem2() override;

  void FormCreate() {}
};

extern TFormSystem2* FormSystem2;
