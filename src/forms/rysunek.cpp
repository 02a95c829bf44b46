#include "forms/rysunek.h"

#include <QAction>
#include <QCloseEvent>

#include "forms/appstate.h"
#include "forms/glowna.h"
#include "platform/dialogs.h"

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
  // The window has no parent, so the main window's F1 does not reach it.
  auto* help = new QAction(this);
  help->setObjectName(QStringLiteral("ActionHelpRys"));
  help->setShortcut(Qt::Key_F1);
  connect(help, &QAction::triggered, this,
          [] { ui::Guard([] { OpenHelpPage(QStringLiteral("141.htm")); }); });
  addAction(help);
  registry().append(this);
}

TFormRysunek::~TFormRysunek() {
  registry().removeAll(this);
}

void TFormRysunek::closeEvent(QCloseEvent* e) {
  QWidget::closeEvent(e);
  if (!e->isAccepted()) return;
  registry().removeAll(this);
  // The chart actions' check marks count the charts that exist.
  if (FormGlowna) FormGlowna->UpdateActions();
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
