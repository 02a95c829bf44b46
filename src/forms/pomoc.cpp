#include "forms/pomoc.h"

#include <QAction>
#include <QFileInfo>
#include <QPrinter>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

#include "forms/appstate.h"
#include "forms/companion.h"
#include "forms/windowset.h"
#include "platform/dialogs.h"
#include "platform/printing.h"

TFormPomoc* FormPomoc = nullptr;

namespace {

const QString kIndexPage = QStringLiteral("index.htm");

}  // namespace

TFormPomoc::TFormPomoc(QWidget* mainWindow) : QWidget(mainWindow, Qt::Window) {
  setObjectName(QStringLiteral("FormPomoc"));
  setWindowTitle(QStringLiteral("Pomoc"));
  resize(760, 600);

  TextBrowserPomoc = new QTextBrowser(this);
  TextBrowserPomoc->setObjectName(QStringLiteral("TextBrowserPomoc"));
  // Every link is decided here: pages in the browser, the rest outside.
  TextBrowserPomoc->setOpenLinks(false);
  connect(TextBrowserPomoc, &QTextBrowser::anchorClicked, this, &TFormPomoc::TextBrowserPomocAnchorClicked);
  connect(TextBrowserPomoc, &QTextBrowser::sourceChanged, this, [this] {
    const QString title = TextBrowserPomoc->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Pomoc") : title);
  });

  auto action = [this](QAction*& a, const char* name, const QString& caption, const QKeySequence& key) {
    a = new QAction(caption, this);
    a->setObjectName(QString::fromLatin1(name));
    a->setShortcut(key);
    a->setShortcutContext(Qt::WindowShortcut);
    addAction(a);
    return a;
  };
  action(ActionWstecz, "ActionWstecz", QStringLiteral("< &Wstecz"), QKeySequence::Back);
  action(ActionDalej, "ActionDalej", QStringLiteral("&Dalej >"), QKeySequence::Forward);
  action(ActionSpis, "ActionSpis", QStringLiteral("&Spis treści"), QKeySequence());
  action(ActionDrukuj, "ActionDrukuj", QStringLiteral("&Drukuj..."), QKeySequence::Print);
  action(ActionPrzegladarka, "ActionPrzegladarka", QStringLiteral("Otwórz w &przeglądarce"), QKeySequence());
  action(ActionZamknij, "ActionZamknij", QStringLiteral("&Zamknij"), QKeySequence(Qt::Key_Escape));
  ActionWstecz->setEnabled(false);
  ActionDalej->setEnabled(false);
  connect(ActionWstecz, &QAction::triggered, TextBrowserPomoc, &QTextBrowser::backward);
  connect(ActionDalej, &QAction::triggered, TextBrowserPomoc, &QTextBrowser::forward);
  connect(TextBrowserPomoc, &QTextBrowser::backwardAvailable, ActionWstecz, &QAction::setEnabled);
  connect(TextBrowserPomoc, &QTextBrowser::forwardAvailable, ActionDalej, &QAction::setEnabled);
  connect(ActionSpis, &QAction::triggered, this, &TFormPomoc::ActionSpisExecute);
  connect(ActionDrukuj, &QAction::triggered, this, [this] { ui::Guard([this] { ActionDrukujExecute(); }); });
  connect(ActionPrzegladarka, &QAction::triggered, this, &TFormPomoc::ActionPrzegladarkaExecute);
  connect(ActionZamknij, &QAction::triggered, this, &QWidget::close);

  ToolBarPomoc = new QToolBar(this);
  ToolBarPomoc->setObjectName(QStringLiteral("ToolBarPomoc"));
  ToolBarPomoc->setToolButtonStyle(Qt::ToolButtonTextOnly);
  ToolBarPomoc->addActions({ActionWstecz, ActionDalej, ActionSpis});
  ToolBarPomoc->addSeparator();
  ToolBarPomoc->addActions({ActionDrukuj, ActionPrzegladarka});
  ToolBarPomoc->addSeparator();
  ToolBarPomoc->addAction(ActionZamknij);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(ToolBarPomoc);
  layout->addWidget(TextBrowserPomoc, 1);
}

void TFormPomoc::ShowPage(const QString& path) {
  showSource(QUrl::fromLocalFile(path));
}

void TFormPomoc::showSource(const QUrl& url) {
  if (!QFileInfo::exists(url.toLocalFile())) {
    // The browser would show an empty page without a word.
    TextBrowserPomoc->setHtml(QStringLiteral("<h1>Pomoc</h1><p>Nie znaleziono strony pomocy %1.</p>")
                                  .arg(url.toLocalFile().toHtmlEscaped()));
    return;
  }
  TextBrowserPomoc->setSource(url);
}

void TFormPomoc::TextBrowserPomocAnchorClicked(const QUrl& link) {
  const QUrl target = TextBrowserPomoc->source().resolved(link);
  if (target.isLocalFile())
    showSource(target);
  else
    ui::dialogs().openTarget(target.toString());
}

void TFormPomoc::ActionSpisExecute() {
  ShowPage(StartFolder() + QStringLiteral("/Pomoc/") + kIndexPage);
}

void TFormPomoc::ActionDrukujExecute() {
  QPrinter& printer = ui::SharedPrinter();
  if (ui::dialogs().printDialog(QStringLiteral("PrintDialogPomoc"), printer))
    TextBrowserPomoc->document()->print(&printer);
}

void TFormPomoc::ActionPrzegladarkaExecute() {
  const QUrl source = TextBrowserPomoc->source();
  if (source.isLocalFile()) ui::dialogs().openTarget(source.toLocalFile());
}

void ShowHelpWindow(const QString& path) {
  if (!FormPomoc) {
    QWidget* main = MainWindow();
    FormPomoc = new TFormPomoc(main);
    if (main) CentreOver(FormPomoc, main);
  }
  FormPomoc->ShowPage(path);
  FormPomoc->show();
  FormPomoc->raise();
  FormPomoc->activateWindow();
}
