// The About box: its frame, the links that hand their targets to the shell and
// underline under the mouse, the bottom picture that closes it with OK, and
// the main window's action that shows it modally.
#include <QEnterEvent>
#include <QtTest>

#include "forms/about.h"
#include "forms/glowna.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

class TestAbout : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestEnvironment> env;

  static void hover(QWidget* w, bool in) {
    if (in) {
      QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)));
      QApplication::sendEvent(w, &enter);
    } else {
      QEvent leave(QEvent::Leave);
      QApplication::sendEvent(w, &leave);
    }
  }

 private Q_SLOTS:
  void init() {
    env = std::make_unique<TestEnvironment>();
    ScriptedDialogs quiet;
    env->startProgram();
  }
  void cleanup() { env.reset(); }

  // The pictures are files beside the program; a box without them is a
  // broken installation, not a style. The box's own are read when it is first
  // shown, not at start-up.
  void picturesLoaded() {
    QVERIFY(AboutBox->ProgramIcon->pixmap().isNull());
    AboutBox->open();
    QVERIFY(QTest::qWaitForWindowExposed(AboutBox));
    AboutBox->reject();
    QVERIFY(!AboutBox->ProgramIcon->pixmap().isNull());
    QVERIFY(AboutBox->ProgramIcon->pixmap().width() <= 161 &&
            AboutBox->ProgramIcon->pixmap().height() <= 153);
    QVERIFY(!AboutBox->ImageZamknij->pixmap().isNull());
    QVERIFY(!FormGlowna->Image1->picture().isNull());
    auto* images = FormGlowna->findChild<TImageList*>(QStringLiteral("ImageListGlowna"));
    QVERIFY(images);
    QCOMPARE(images->count(), TImageList::kImageCount);
    for (int i = 0; i < images->count(); ++i)
      QVERIFY2(!images->icon(i).pixmap(16).isNull(), qPrintable(QString::number(i)));
    for (QAction* a : FormGlowna->findChildren<QAction*>())
      if (a->property("imageIndex").isValid())
        QVERIFY2(!a->icon().pixmap(16).isNull(), qPrintable(a->objectName()));
  }

  void centredOnTheMainWindow() {
    FormGlowna->setWindowState(Qt::WindowNoState);
    FormGlowna->setGeometry(100, 80, 900, 700);
    FormGlowna->show();
    QVERIFY(QTest::qWaitForWindowExposed(FormGlowna));
    AboutBox->open();
    QVERIFY(QTest::qWaitForWindowExposed(AboutBox));
    const QPoint offset = AboutBox->frameGeometry().center() - FormGlowna->frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    AboutBox->reject();
  }

  void links_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("hint");
    QTest::newRow("maker's site") << "LabelWWW"
                                  << "https://www.example.org"
                                  << "Strona domowa firmy VELTOR";
    QTest::newRow("first mailbox") << "LabelMail1"
                                   << "mailto:biuro@example.org"
                                   << "Adres kontaktowy";
    QTest::newRow("second mailbox") << "LabelMail2"
                                    << "mailto:pomoc@example.org"
                                    << "Adres kontaktowy";
    QTest::newRow("developer") << "LabelWWW1"
                               << "www.example.net"
                               << "";
  }
  void links() {
    QFETCH(QString, label);
    QFETCH(QString, target);
    QFETCH(QString, hint);
    AboutBox->open();
    QLabel* l = AboutBox->findChild<QLabel*>(label);
    QVERIFY(l);
    QCOMPARE(l->toolTip(), hint);
    QCOMPARE(l->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(!l->font().underline());
    hover(l, true);
    QVERIFY(l->font().underline());
    hover(l, false);
    QVERIFY(!l->font().underline());

    ScriptedDialogs d;
    QTest::mouseClick(l, Qt::LeftButton);
    QCOMPARE(d.openedTargets, QStringList{target});
    QVERIFY(AboutBox->isVisible());
    AboutBox->reject();
  }

  void onlyTheBottomPictureCloses() {
    AboutBox->open();
    ScriptedDialogs d;
    for (QWidget* w :
         {static_cast<QWidget*>(AboutBox->ProductName), static_cast<QWidget*>(AboutBox->Version),
          static_cast<QWidget*>(AboutBox->LabelFirma), static_cast<QWidget*>(AboutBox->ProgramIcon)}) {
      QTest::mouseClick(w, Qt::LeftButton);
      QVERIFY2(AboutBox->isVisible(), qPrintable(w->objectName()));
    }
    QVERIFY(d.openedTargets.isEmpty());
    QCOMPARE(AboutBox->ImageZamknij->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(AboutBox->ImageZamknij, Qt::LeftButton);
    QVERIFY(!AboutBox->isVisible());
    QCOMPARE(AboutBox->result(), int(QDialog::Accepted));
  }

  void aboutActionShowsItModally() {
    FormGlowna->show();
    bool wasModal = false;
    QObject context;
    QTimer::singleShot(0, &context, [&] {
      wasModal = QApplication::activeModalWidget() == AboutBox;
      QTest::mouseClick(AboutBox->ImageZamknij, Qt::LeftButton);
    });
    FormGlowna->ExecuteAction(FormGlowna->findChild<QAction*>(QStringLiteral("ActionAbout")));
    QVERIFY(wasModal);
    QVERIFY(!AboutBox->isVisible());
    QCOMPARE(AboutBox->result(), int(QDialog::Accepted));
  }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
