// Chart windows: created on demand, one per chart opened, destroyed on close.
#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

#include "calc/layer.h"

class TFormRysunek : public QWidget {
  Q_OBJECT
 public:
  explicit TFormRysunek(int chartKind);
  ~TFormRysunek() override;

  int ChartKind() const { return chartKind_; }

  // The chart windows that exist, oldest first.
  static QList<TFormRysunek*> Instances();

 private:
  int chartKind_;
};

// Creates, draws and shows a chart window of `kind` (1 temperature, 2 vapour
// pressure) for `table`.
TFormRysunek* OpenChartWindow(int kind, veltor::LayerTable& table);
