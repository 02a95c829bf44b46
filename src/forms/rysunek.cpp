#include "forms/rysunek.h"

#include <QCloseEvent>

namespace {
QList<QPointer<TFormRysunek>>& registry() {
  static QList<QPointer<TFormRysunek>> windows;
  return windows;
}
}  // namespace

TFormRysunek::TFormRysunek(int chartKind) : QWidget(nullptr), chartKind_(chartKind) {
  setObjectName(QStringLiteral("FormRysunek"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Rysunek"));
  resize(815, 537);
  registry().append(this);
}

TFormRysunek::~TFormRysunek() {
  registry().removeAll(this);
}

void TFormRysunek::closeEvent(QCloseEvent* e) {
  QWidget::closeEvent(e);
  if (e->isAccepted()) registry().removeAll(this);
}

QList<TFormRysunek*> TFormRysunek::Instances() {
  QList<TFormRysunek*> result;
  for (const auto& w : registry())
    if (w) result.append(w.data());
  return result;
}

TFormRysunek* OpenChartWindow(int kind, veltor::LayerTable& /*table*/) {
  auto* w = new TFormRysunek(kind);
  w->show();
  return w;
}
