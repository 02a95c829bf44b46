// The report window: a one-page picture of the calculation drawn on a template.
#pragma once

#include "forms/companion.h"

class TFormRaportNew : public TCompanionWindow {
  Q_OBJECT
 public:
  explicit TFormRaportNew(QWidget* mainWindow);
  ~TFormRaportNew() override;

  void FormCreate() {}
};

extern TFormRaportNew* FormRaportNew;
