// The help window: the program's HTML pages under Pomoc shown in its own
// browser, so that help works on a machine without one. Links between pages
// and their anchors are followed here, with back and forward and the table of
// contents (the index page); web and e-mail links, and the page itself on
// request, go to the system's handler. F1 and the help menu reach it through
// ui::Dialogs::showHelp, for which CreateWindowSet installs ShowHelpWindow.
#pragma once

#include <QUrl>
#include <QWidget>

class QAction;
class QTextBrowser;
class QToolBar;

class TFormPomoc : public QWidget {
  Q_OBJECT
 public:
  explicit TFormPomoc(QWidget* mainWindow);

  // Shows the page at `path`, a local file.
  void ShowPage(const QString& path);

  void ActionSpisExecute();
  void ActionDrukujExecute();
  void ActionPrzegladarkaExecute();

  QToolBar* ToolBarPomoc = nullptr;
  QAction* ActionWstecz = nullptr;
  QAction* ActionDalej = nullptr;
  QAction* ActionSpis = nullptr;
  QAction* ActionDrukuj = nullptr;
  QAction* ActionPrzegladarka = nullptr;
  QAction* ActionZamknij = nullptr;
  QTextBrowser* TextBrowserPomoc = nullptr;

 private:
  void TextBrowserPomocAnchorClicked(const QUrl& link);
  void showSource(const QUrl& url);
};

extern TFormPomoc* FormPomoc;

// Shows `path` in the help window, created over the main window on first use,
// and brings it forward.
void ShowHelpWindow(const QString& path);
