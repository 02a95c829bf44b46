// The one error box and the real message box behind ui::ask: the full stop,
// the title, which exceptions a guard catches, and that Esc and the close box
// give different answers.
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "calc/errors.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "support/scripted_dialogs.h"

Q_DECLARE_METATYPE(ui::Answer)

class TestDialogs : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { QApplication::setApplicationName(QStringLiteral("VELTORobl")); }

  void fullStop_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "File not found"
                            << "File not found.";
    QTest::newRow("digit") << "I/O error 5"
                           << "I/O error 5.";
    QTest::newRow("Polish letter") << "Błędny plik materiałów: brak wartości ł"
                                   << "Błędny plik materiałów: brak wartości ł.";
    QTest::newRow("quote") << "'abc' is not a valid floating point value"
                           << "'abc' is not a valid floating point value.";
    QTest::newRow("already a stop") << "Disk full."
                                    << "Disk full.";
    QTest::newRow("question") << "Kontynuować?"
                              << "Kontynuować?";
    QTest::newRow("closing quote") << "'abc'"
                                   << "'abc'";
    QTest::newRow("empty") << ""
                           << "";
  }
  void fullStop() {
    QFETCH(QString, message);
    QFETCH(QString, shown);
    ScriptedDialogs d;
    d.expectMessage(shown);
    ui::ShowErrorMessage(message);
    QCOMPARE(d.shownMessages.value(0).kind, ui::MessageKind::Error);
    QCOMPARE(d.shownMessages.value(0).title, QStringLiteral("VELTORobl"));
    QCOMPARE(d.shownMessages.value(0).buttons, unsigned(ui::Ok));
  }

  void guardReportsAndGoesOn_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("shown");
    QTest::newRow("our I/O error") << 0 << "Path not found.";
    QTest::newRow("conversion") << 1 << "'x' is not a valid floating point value.";
    QTest::newRow("standard exception") << 2 << "Coś poszło źle.";
    QTest::newRow("out of memory") << 3 << "Out of memory.";
  }
  void guardReportsAndGoesOn() {
    QFETCH(int, kind);
    QFETCH(QString, shown);
    ScriptedDialogs d;
    d.expectMessage(shown);
    bool after = false;
    const bool ok = ui::Guard([&] {
      switch (kind) {
        case 0:
          throw veltor::IoError(veltor::IoCode::PathNotFound);
        case 1:
          throw veltor::ConversionError::notFloat(QStringLiteral("x"));
        case 2:
          throw std::runtime_error("Coś poszło źle");
        default:
          throw std::bad_alloc();
      }
      after = true;
    });
    QVERIFY(!ok);
    QVERIFY(!after);
    QVERIFY(d.allUsed());
    QVERIFY(ui::Guard([] {}));
  }

  // The real box, answered by a key or by its close box from inside its loop.
  void realMessageBoxAnswers_data() {
    QTest::addColumn<unsigned>("buttons");
    QTest::addColumn<ui::Answer>("escape");
    QTest::addColumn<QString>("how");
    QTest::addColumn<ui::Answer>("answer");
    const unsigned yesNo = ui::Yes | ui::No, yesNoCancel = ui::Yes | ui::No | ui::Cancel;
    QTest::newRow("Esc answers No") << yesNo << ui::Answer::No << "esc" << ui::Answer::No;
    QTest::newRow("close box is not No") << yesNo << ui::Answer::No << "close" << ui::Answer::Closed;
    QTest::newRow("Enter takes the default") << yesNo << ui::Answer::No << "enter" << ui::Answer::Yes;
    QTest::newRow("Esc answers Cancel") << yesNoCancel << ui::Answer::Cancel << "esc" << ui::Answer::Cancel;
    QTest::newRow("close box of three") << yesNoCancel << ui::Answer::Cancel << "close" << ui::Answer::Closed;
    QTest::newRow("OK box closed") << unsigned(ui::Ok) << ui::Answer::Ok << "close" << ui::Answer::Closed;
  }
  void realMessageBoxAnswers() {
    QFETCH(unsigned, buttons);
    QFETCH(ui::Answer, escape);
    QFETCH(QString, how);
    QFETCH(ui::Answer, answer);
    ui::setDialogs(nullptr);
    QString seenText;
    Qt::TextFormat format = Qt::AutoText;
    QObject context;
    QTimer::singleShot(0, &context, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      seenText = box->text();
      format = box->textFormat();
      if (how == QLatin1String("close"))
        box->close();
      else
        QTest::keyClick(box, how == QLatin1String("esc") ? Qt::Key_Escape : Qt::Key_Return);
    });
    const ui::Answer got = ui::ask(ui::MessageKind::Warning, QStringLiteral("'<b>x</b>' Pytanie"), buttons,
                                   ui::Answer::Yes, escape);
    QCOMPARE(seenText, QStringLiteral("'<b>x</b>' Pytanie"));
    // What the user typed is shown as typed.
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(got, answer);
  }

  // Another window activated as the box closes (a window manager's choice) gives it back.
  void boxGivesTheActivationBack() {
    ui::setDialogs(nullptr);
    QWidget owner, other;
    QLineEdit field(&owner);
    other.show();
    owner.show();
    QVERIFY(QTest::qWaitForWindowActive(&owner));
    QTimer::singleShot(0, &other, [&other] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
      other.activateWindow();
    });
    ui::inform(ui::MessageKind::Error, QStringLiteral("Dopuszczalne wartości: 0 ÷ 100"));
    field.setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), &field);
  }

  void shellTargets_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("url");
    QTest::newRow("web address with scheme") << "https://www.example.org"
                                             << "https://www.example.org";
    QTest::newRow("web address without scheme") << "www.example.net"
                                                << "http://www.example.net";
    QTest::newRow("mail address") << "mailto:biuro@example.org"
                                  << "mailto:biuro@example.org";
    QTest::newRow("help page") << "/opt/veltor/Pomoc/index.htm"
                               << "file:///opt/veltor/Pomoc/index.htm";
    QTest::newRow("Polish file name") << "/opt/veltor/Pomoc/Przykład.htm"
                                      << "file:///opt/veltor/Pomoc/Przykład.htm";
    QTest::newRow("nothing") << ""
                             << "";
  }
  void shellTargets() {
    QFETCH(QString, target);
    QFETCH(QString, url);
    QCOMPARE(ui::ShellTargetUrl(target), url.isEmpty() ? QUrl() : QUrl(url));
  }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
