// The help window: F1 and the help menu show their page in it without the
// system's browser; links, back and forward, the table of contents, printing
// and the way out to the browser.
#include <QAction>
#include <QTest>
#include <QTextBrowser>
#include <memory>

#include "forms/appstate.h"
#include "forms/glowna.h"
#include "forms/pomoc.h"
#include "forms/warstwy.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

class TestPomoc : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestEnvironment> env_;
  QString shown() const { return FormPomoc->TextBrowserPomoc->source().fileName(); }

 private Q_SLOTS:
  void init() {
    env_ = std::make_unique<TestEnvironment>();
    env_->startProgram();
  }
  void cleanup() {
    env_->stopProgram();
    env_.reset();
  }

  // With the real dialogs (no browser involved) the page opens in the window.
  void routedToTheHelpWindow_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("page");
    QTest::newRow("help menu") << "ActionHelp"
                               << "index.htm";
    QTest::newRow("F1 in the layer window") << "FormWarstwy"
                                            << "1.htm";
  }
  void routedToTheHelpWindow() {
    QFETCH(QString, from);
    QFETCH(QString, page);
    if (from == QLatin1String("ActionHelp")) {
      FormGlowna->ExecuteAction(FormGlowna->ActionHelp);
    } else {
      FormWarstwy->show();
      QTest::keyClick(FormWarstwy, Qt::Key_F1);
    }
    QVERIFY(FormPomoc && FormPomoc->isVisible());
    QCOMPARE(shown(), page);
    QVERIFY(!FormPomoc->TextBrowserPomoc->toPlainText().isEmpty());
  }

  void navigation() {
    ScriptedDialogs d;
    ShowHelpWindow(StartFolder() + QStringLiteral("/Pomoc/index.htm"));
    QVERIFY(!FormPomoc->ActionWstecz->isEnabled());
    Q_EMIT FormPomoc->TextBrowserPomoc->anchorClicked(QUrl(QStringLiteral("12.htm")));
    QCOMPARE(shown(), QStringLiteral("12.htm"));
    QVERIFY(FormPomoc->windowTitle().contains(QStringLiteral("Warunki")));
    FormPomoc->ActionWstecz->trigger();
    QCOMPARE(shown(), QStringLiteral("index.htm"));
    FormPomoc->ActionDalej->trigger();
    QCOMPARE(shown(), QStringLiteral("12.htm"));
    FormPomoc->ActionSpis->trigger();
    QCOMPARE(shown(), QStringLiteral("index.htm"));
    // Web links and the page itself, on request, go to the system's handler.
    Q_EMIT FormPomoc->TextBrowserPomoc->anchorClicked(QUrl(QStringLiteral("https://example.org/")));
    QCOMPARE(shown(), QStringLiteral("index.htm"));
    FormPomoc->ActionPrzegladarka->trigger();
    QCOMPARE(d.openedTargets,
             (QStringList{"https://example.org/", StartFolder() + QStringLiteral("/Pomoc/index.htm")}));
    d.expectPrint(QStringLiteral("PrintDialogPomoc"), 1);
    FormPomoc->ActionDrukuj->trigger();
    QVERIFY(d.allUsed());
  }

  void missingPageSaysSo() {
    ShowHelpWindow(StartFolder() + QStringLiteral("/Pomoc/brak.htm"));
    QVERIFY(FormPomoc->TextBrowserPomoc->toPlainText().contains(QStringLiteral("Nie znaleziono")));
  }
};

QTEST_MAIN(TestPomoc)
#include "test_pomoc.moc"
