// Companion windows: tool windows of the main window. The base keeps them
// over the main window and centred on it, sends their status tips to the main
// window's status bar and answers F1 with the window's own help page.
#include "forms/companion.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "forms/appstate.h"
#include "forms/windowset.h"

#ifdef VELTOR_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace {

// A caption and a frame, and nothing the window manager could close, minimise
// or maximise the window with.
constexpr Qt::WindowFlags kNoTitleBarButtons = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

// For these flags Qt tells X11 window managers only which functions the window
// allows (move, resize). Managers that read only the decoration hints then draw
// every button. Both hints are set here: a title and a border, no menu, no
// minimise or maximise box, and no function beyond moving and resizing.
void AskForTitleWithoutButtons([[maybe_unused]] QWidget* window) {
#ifdef VELTOR_HAVE_XCB
  // The offscreen platform answers to the X11 interface too, without a connection.
  if (QGuiApplication::platformName() != QLatin1String("xcb") || !window->windowHandle()) return;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection) return;
  // Asked of the server once: the reply is a blocking round trip.
  static const xcb_atom_t hintsAtom = [connection] {
    static constexpr char kAtomName[] = "_MOTIF_WM_HINTS";
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, sizeof kAtomName - 1, kAtomName), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    free(reply);
    return atom;
  }();
  if (hintsAtom == XCB_ATOM_NONE) return;
  enum : std::uint32_t { HintFunctions = 1, HintDecorations = 2 };
  enum : std::uint32_t { FunctionResize = 2, FunctionMove = 4 };
  enum : std::uint32_t { DecorBorder = 2, DecorResizeHandle = 4, DecorTitle = 8 };
  const std::uint32_t hints[5] = {HintFunctions | HintDecorations, FunctionResize | FunctionMove,
                                  DecorBorder | DecorResizeHandle | DecorTitle, 0, 0};
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()),
                      hintsAtom, hintsAtom, 32, 5, hints);
#endif
}

}  // namespace

TCompanionWindow::TCompanionWindow(QWidget* mainWindow, const QString& objectName, const QString& caption,
                                   const QString& helpPage, bool titleBarButtons)
    : QWidget(mainWindow, titleBarButtons ? kResultWindowFlags : kNoTitleBarButtons),
      helpPage_(helpPage),
      titleBarButtons_(titleBarButtons) {
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
      // The main window's shortcuts stay live while a tool window of it is
      // active. F1 is claimed here so that it arrives as a key press below
      // and only this window's page opens. Alt with a letter of this window's
      // own buttons presses that button, once the key is dealt with: Alt+D
      // presses "Dalej >", not the main menu's "Dane". The key press that may
      // follow is swallowed below.
      auto* key = static_cast<QKeyEvent*>(e);
      if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier && !helpPage_.isEmpty()) {
        e->accept();
        return true;
      }
      if (QAbstractButton* button = ownMnemonic(key)) {
        e->accept();
        QMetaObject::invokeMethod(
            button,
            [button] {
              button->setFocus(Qt::ShortcutFocusReason);
              button->animateClick();
            },
            Qt::QueuedConnection);
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
      if (ownMnemonic(key)) return true;
      break;
    }
    default:
      break;
  }
  return QWidget::event(e);
}

QAbstractButton* TCompanionWindow::ownMnemonic(const QKeyEvent* key) const {
  const bool letter = key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z;
  if (key->modifiers() != Qt::AltModifier || !letter) return nullptr;
  const QString mnemonic = QLatin1Char('&') + QChar(key->key()).toLower();
  for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
    if (button->isVisible() && button->isEnabled() && button->window() == this &&
        button->text().toLower().contains(mnemonic))
      return button;
  }
  return nullptr;
}

void CentreOver(QWidget* window, const QWidget* over) {
  QRect frame = window->frameGeometry();
  frame.moveCenter(over->frameGeometry().center());
  if (const QScreen* screen = over->screen()) {
    const QRect available = screen->availableGeometry();
    frame.moveLeft(std::max(available.left(), std::min(frame.left(), available.right() - frame.width())));
    frame.moveTop(std::max(available.top(), std::min(frame.top(), available.bottom() - frame.height())));
  }
  window->move(frame.topLeft());
}

void TCompanionWindow::showEvent(QShowEvent* e) {
  // The native window exists now and is not mapped yet: the manager reads the
  // hints when it maps it. Qt writes its own only when it creates the window
  // or its flags change.
  if (!e->spontaneous() && !titleBarButtons_) AskForTitleWithoutButtons(this);
  if (!e->spontaneous() && parentWidget()) CentreOver(this, parentWidget());
  QWidget::showEvent(e);
  WindowsChanged();
}

void TCompanionWindow::hideEvent(QHideEvent* e) {
  QWidget::hideEvent(e);
  // The window's own buttons hide it without the main window's actions.
  WindowsChanged();
}

void TCompanionWindow::showInFront() {
  show();
  raise();
  activateWindow();
}
