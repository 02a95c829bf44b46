// Companion windows: tool windows of the main window. The base keeps them
// over the main window and centred on it, sends their status tips to the main
// window's status bar and answers F1 with the window's own help page.
#include "forms/companion.h"

#include <QKeyEvent>
#include <QMainWindow>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <algorithm>

#include "forms/appstate.h"
#include "forms/glowna.h"

TCompanionWindow::TCompanionWindow(QWidget* mainWindow, const QString& objectName, const QString& caption,
                                   const QString& helpPage, bool titleBarButtons)
    : QWidget(mainWindow,
              titleBarButtons ? Qt::Window : Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      helpPage_(helpPage) {
  setObjectName(objectName);
  setWindowTitle(caption);
}

bool TCompanionWindow::event(QEvent* e) {
  switch (e->type()) {
    case QEvent::StatusTip: {
      // Status tips stop at a window; ours belong in the main window's status bar.
      if (auto* main = qobject_cast<QMainWindow*>(parentWidget()))
        main->statusBar()->showMessage(static_cast<QStatusTipEvent*>(e)->tip());
      return true;
    }
    case QEvent::ShortcutOverride: {
      // The main window's F1 shortcut stays live while a tool window of it is
      // active; claiming the key here makes it arrive as a key press below,
      // so only this window's page opens.
      auto* key = static_cast<QKeyEvent*>(e);
      if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier && !helpPage_.isEmpty()) {
        e->accept();
        return true;
      }
      break;
    }
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(e);
      if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier && !helpPage_.isEmpty()) {
        OpenHelpPage(helpPage_);
        return true;
      }
      break;
    }
    default:
      break;
  }
  return QWidget::event(e);
}

void TCompanionWindow::showEvent(QShowEvent* e) {
  if (!e->spontaneous()) {
    if (QWidget* main = parentWidget()) {
      QRect frame = frameGeometry();
      frame.moveCenter(main->frameGeometry().center());
      // A main window smaller than its companion must not push the companion's
      // title bar off the screen.
      if (const QScreen* screen = main->screen()) {
        const QRect available = screen->availableGeometry();
        frame.moveLeft(std::max(available.left(), std::min(frame.left(), available.right() - frame.width())));
        frame.moveTop(std::max(available.top(), std::min(frame.top(), available.bottom() - frame.height())));
      }
      move(frame.topLeft());
    }
  }
  QWidget::showEvent(e);
  if (FormGlowna) FormGlowna->UpdateActions();
}

void TCompanionWindow::hideEvent(QHideEvent* e) {
  QWidget::hideEvent(e);
  // The window's own buttons hide it without the main window's actions.
  if (FormGlowna) FormGlowna->UpdateActions();
}
