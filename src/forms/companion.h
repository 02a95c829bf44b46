// Base of the windows that the main window shows and hides: a tool window kept
// above the main window, centred on it when shown, F1 opening its own help page
// (without also reaching the main window's F1), status tips of its controls
// shown in the main window's status bar, and the main window's check marks
// told at once when it is shown or hidden, whoever did it.
#pragma once

#include <QWidget>

class QAbstractButton;
class QKeyEvent;

// Moves `window` to be centred on `over`, yet whole on `over`'s screen: a main
// window smaller than the window must not push its title bar off the screen.
void CentreOver(QWidget* window, const QWidget* over);

// A result window (chart, report, moisture, dynamics): a tool window of the
// main window, so that the window manager keeps it above the main window (Qt
// writes WM_TRANSIENT_FOR on X11 only for the dialog-like types), with the
// title-bar buttons of an ordinary window.
inline constexpr Qt::WindowFlags kResultWindowFlags = Qt::Tool | Qt::CustomizeWindowHint |
                                                      Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                      Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;

class TCompanionWindow : public QWidget {
  Q_OBJECT
 public:
  // `helpPage` is the file name under Pomoc, e.g. "12.htm"; empty for none.
  // Without `titleBarButtons` the window has a caption but no title-bar buttons:
  // it is left through its own buttons.
  TCompanionWindow(QWidget* mainWindow, const QString& objectName, const QString& caption,
                   const QString& helpPage, bool titleBarButtons = false);

  // Shows the window above the others and gives it the focus: what an action
  // opening a tool window does, never a toggle.
  void showInFront();

 protected:
  bool event(QEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;

 private:
  // The button of this window whose mnemonic Alt with `key` is; none for another key.
  QAbstractButton* ownMnemonic(const QKeyEvent* key) const;
  QString helpPage_;
  bool titleBarButtons_;
};
