// Chart windows: created on demand, one per chart opened, destroyed on close.
// The main window finds them through Instances() to toggle its chart actions.
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

  // The chart windows that exist and have not been closed, oldest first. A
  // closed window leaves the list at once, though it is deleted only later.
  static QList<TFormRysunek*> Instances();

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  int chartKind_;
};

// Creates, draws and shows a chart window of `kind` (1 temperature, 2 vapour
// pressure) for `table`.
TFormRysunek* OpenChartWindow(int kind, veltor::LayerTable& table);
