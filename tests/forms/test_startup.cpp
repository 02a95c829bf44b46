// Start-up as the program runs it: the reference tables before any window, the
// splash played to its end (or skipped at once when its animation is missing),
// the window set created in order with failures reported and passed over, and
// the main window shown maximised with the start folder recorded.
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include "calc/errors.h"
#include "forms/about.h"
#include "forms/appstate.h"
#include "forms/daneprojektu.h"
#include "forms/dobor_grubosci.h"
#include "forms/dynamika.h"
#include "forms/glowna.h"
#include "forms/grunt.h"
#include "forms/intro.h"
#include "forms/kondensacja.h"
#include "forms/poprawki.h"
#include "forms/porownanie.h"
#include "forms/przegrody.h"
#include "forms/raport_new.h"
#include "forms/startup.h"
#include "forms/system1.h"
#include "forms/system2.h"
#include "forms/system3.h"
#include "forms/system4.h"
#include "forms/warstwy.h"
#include "forms/warunki_poczatkowe.h"
#include "forms/windowset.h"
#include "platform/animation.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

QList<QWidget*> VisibleWindows() {
  QList<QWidget*> shown;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible()) shown << w;
  return shown;
}

QStringList WindowSet() {
  QStringList names;
  for (QWidget* w : {static_cast<QWidget*>(FormGlowna), static_cast<QWidget*>(FormWarstwy),
                     static_cast<QWidget*>(FormWarunkiPoczatkowe), static_cast<QWidget*>(FormDaneProj),
                     static_cast<QWidget*>(AboutBox), static_cast<QWidget*>(FormSystem1),
                     static_cast<QWidget*>(FormSystem2), static_cast<QWidget*>(FormSystem3),
                     static_cast<QWidget*>(FormSystem4), static_cast<QWidget*>(FormRaportNew),
                     static_cast<QWidget*>(FormKondensacja), static_cast<QWidget*>(FormDynamika),
                     static_cast<QWidget*>(FormPoprawki), static_cast<QWidget*>(FormPrzegrody),
                     static_cast<QWidget*>(FormPorownanie), static_cast<QWidget*>(FormDoborGrubosci),
                     static_cast<QWidget*>(FormGrunt)})
    names << (w ? w->objectName() : QStringLiteral("-"));
  return names;
}

const QStringList kWindowSet = {"FormGlowna",   "FormWarstwy",   "FormWarunkiPoczatkowe", "FormDaneProj",
                                "AboutBox",     "FormSystem1",   "FormSystem2",           "FormSystem3",
                                "FormSystem4",  "FormRaportNew", "FormKondensacja",       "FormDynamika",
                                "FormPoprawki", "FormPrzegrody", "FormPorownanie",        "FormDoborGrubosci",
                                "FormGrunt"};

}  // namespace

class TestStartup : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle)); }

  void cleanup() {
    SetCreationHook({});
    DestroyWindowSet();
  }

  void missingReferenceTableEndsWithoutAWindow_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("saturation pressures") << "Dane/para.txt";
    QTest::newRow("air layers") << "Dane/opory powietrza.txt";
  }
  void missingReferenceTableEndsWithoutAWindow() {
    QFETCH(QString, file);
    TestEnvironment env;
    env.removeFile(file);
    ScriptedDialogs d;
    d.expectMessage(QStringLiteral("File not found."));
    QVERIFY(!StartUp());
    QVERIFY(d.allUsed());
    QCOMPARE(d.shownMessages.value(0).title, QStringLiteral("VELTORobl"));
    QCOMPARE(d.shownMessages.value(0).kind, ui::MessageKind::Error);
    QVERIFY(!FormGlowna);
    QVERIFY(VisibleWindows().isEmpty());
  }

  void withoutTheAnimationStartUpGoesStraightOn() {
    TestEnvironment env;
    env.removeFile(QStringLiteral("obrazki/splash.gif"));
    ScriptedDialogs d;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(StartUp());
    QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(WindowSet(), kWindowSet);
    QCOMPARE(VisibleWindows(), QList<QWidget*>{FormGlowna});
    QVERIFY(FormGlowna->windowState() & Qt::WindowMaximized);
    QCOMPARE(StartFolder(), QDir::currentPath());
    QCOMPARE(StartFolder(), env.path());
  }

  void splashPlaysOnceBeforeAnyOtherWindow() {
    TestEnvironment env;
    // Six frames of 20 ms: 120 ms of splash.
    env.writeFile(QStringLiteral("obrazki/splash.gif"), ShortAnimation({0, 1, 2, 3, 2, 1}, 2));
    ScriptedDialogs d;
    // What the splash looks like while it plays, seen from inside its wait.
    QStringList seen;
    QSize size;
    Qt::WindowFlags flags;
    bool centred = false;
    bool playing = false;
    QObject context;
    // Showing a window may deliver posted events already, before the player starts.
    QTimer::singleShot(30, &context, [&] {
      for (QWidget* w : VisibleWindows()) seen << w->objectName();
      if (auto* intro = qobject_cast<TFormIntro*>(VisibleWindows().value(0))) {
        size = intro->size();
        flags = intro->windowFlags();
        centred =
            (intro->frameGeometry().center() - intro->screen()->geometry().center()).manhattanLength() <= 2;
        playing = intro->ShockwaveFlash1->isPlaying();
      }
    });
    QElapsedTimer clock;
    clock.start();
    QVERIFY(StartUp());
    const qint64 ms = clock.elapsed();
    QCOMPARE(seen, QStringList{"FormIntro"});
    QCOMPARE(size, QSize(538, 272));
    QVERIFY(flags & Qt::FramelessWindowHint);
    QVERIFY(flags & Qt::WindowStaysOnTopHint);
    QVERIFY(centred);
    QVERIFY(playing);
    // Start-up waited for the whole animation.
    QVERIFY2(ms >= 110, qPrintable(QString::number(ms)));
    QCOMPARE(VisibleWindows(), QList<QWidget*>{FormGlowna});
    for (QWidget* w : QApplication::topLevelWidgets()) QVERIFY(!qobject_cast<TFormIntro*>(w));
  }

  void failingCreationHandlersDoNotStopStartUp() {
    TestEnvironment env;
    env.removeFile(QStringLiteral("obrazki/splash.gif"));
    QStringList created;
    SetCreationHook([&created](QWidget* w) {
      created << w->objectName();
      if (w->objectName() == QLatin1String("FormWarunkiPoczatkowe"))
        throw veltor::IoError(veltor::IoCode::FileNotFound);
      if (w->objectName() == QLatin1String("FormSystem2"))
        throw veltor::DataError(QStringLiteral("Zły plik"));
    });
    ScriptedDialogs d;
    d.expectMessage(QStringLiteral("File not found.")).expectMessage(QStringLiteral("Zły plik."));
    QVERIFY(StartUp());
    QVERIFY(d.allUsed());
    // Every window was created, in order, the failing ones included.
    QCOMPARE(created, kWindowSet);
    QCOMPARE(WindowSet(), kWindowSet);
    QVERIFY(FormGlowna->isVisible());
    for (const ui::MessageRequest& m : d.shownMessages) QCOMPARE(m.title, QStringLiteral("VELTORobl"));
  }

  // The program's own message box as the user sees it: Qt's buttons in Polish,
  // the default one marked, Esc answering with the escape button.
  void messageBoxSpeaksPolish() {
    QVERIFY(InstallQtTranslations());
    ui::setDialogs(nullptr);
    QStringList texts;
    QString defaultText;
    QObject context;
    QTimer::singleShot(0, &context, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      for (QAbstractButton* b : box->buttons()) texts << b->text();
      if (QPushButton* d = box->defaultButton()) defaultText = d->text();
      QTest::keyClick(box, Qt::Key_Escape);
    });
    const ui::Answer answer = ui::ask(ui::MessageKind::Information, QStringLiteral("Zapisać?"),
                                      ui::Yes | ui::No | ui::Cancel, ui::Answer::Yes, ui::Answer::Cancel);
    QCOMPARE(answer, ui::Answer::Cancel);
    texts.sort();
    QCOMPARE(texts, QStringList({"&Nie", "&Tak", "Anuluj"}));
    QCOMPARE(defaultText, QStringLiteral("&Tak"));
  }

  void companionsStartHidden() {
    TestEnvironment env;
    env.removeFile(QStringLiteral("obrazki/splash.gif"));
    ScriptedDialogs d;
    QVERIFY(StartUp());
    for (QWidget* w : FormGlowna->findChildren<QWidget*>()) {
      if (w->isWindow()) QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    }
  }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
