// The project description window: the date proposed on showing, the two
// buttons, and the description section of the project file.
#include <QApplication>
#include <QBuffer>
#include <QDate>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "calc/errors.h"
#include "calc/textfile.h"
#include "forms/daneprojektu.h"
#include "forms/glowna.h"
#include "forms/warunki_poczatkowe.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {
QString today() {
  return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
}
}  // namespace

class TestDaneProjektu : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TestEnvironment> env_;
  std::unique_ptr<ScriptedDialogs> dialogs_;
  TFormDaneProj* form() const { return FormDaneProj; }
  QList<QLineEdit*> boxes() const {
    return {form()->LabeledEdit1, form()->LabeledEdit2, form()->LabeledEdit3, form()->LabeledEdit4};
  }

 private Q_SLOTS:
  void init() {
    env_ = std::make_unique<TestEnvironment>();
    dialogs_ = std::make_unique<ScriptedDialogs>();
    env_->startProgram();
  }
  void cleanup() {
    env_->stopProgram();
    dialogs_.reset();
    env_.reset();
  }

  void layoutAndKeys() {
    // Hints go to the main window's status bar.
    QCOMPARE(form()->ButtonDalej->statusTip(), QStringLiteral("Warunki początkowe projektu"));
    QVERIFY(form()->ButtonDalej->toolTip().isEmpty());
    form()->show();
    form()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form()));
    QCOMPARE(QApplication::focusWidget(), form()->LabeledEdit1);
    // The boxes follow the width; the date keeps about a fifth of it.
    for (int width : {400, 800}) {
      form()->resize(width, form()->height());
      QCoreApplication::processEvents();
      const double share = double(form()->LabeledEdit4->width()) / form()->LabeledEdit1->width();
      QVERIFY2(share > 0.15 && share < 0.3, qPrintable(QString::number(share)));
      QVERIFY(form()->LabeledEdit1->width() > width * 0.85);
    }
    // The buttons keep to the lower right corner.
    const QRect dalej = form()->ButtonDalej->geometry();
    QVERIFY(dalej.right() > form()->width() - 30);
    QVERIFY(dalej.bottom() > form()->height() - 30);
    QVERIFY(form()->ButtonZamknij->geometry().right() < dalej.left());

    QTest::keyClick(form(), Qt::Key_F1);
    QCOMPARE(dialogs_->openedTargets.size(), 1);
    QVERIFY(dialogs_->openedTargets.constFirst().endsWith(QStringLiteral("/Pomoc/11.htm")));

    // The window's own mnemonic wins over the main menu's "&Dane".
    QTest::keyClick(form()->LabeledEdit1, Qt::Key_D, Qt::AltModifier);
    QTRY_VERIFY(!form()->isVisible());
    QVERIFY(FormWarunkiPoczatkowe->isVisible());
    form()->show();

    // No box holds more than the project file keeps.
    for (QLineEdit* box : boxes()) box->setText(QString(300, QChar(u'ż')));
    for (QLineEdit* box : boxes()) QCOMPARE(box->text(), QString(255, QChar(u'ż')));
  }

  void dateOnShow_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("filled");
    QTest::newRow("empty, Polish") << "pl_PL"
                                   << "" << true;
    QTest::newRow("empty, English") << "en_US"
                                    << "" << true;
    QTest::newRow("a date of another form") << "pl_PL"
                                            << "1 maja 2003" << false;
    QTest::newRow("a blank") << "pl_PL"
                             << " " << false;
  }
  void dateOnShow() {
    QFETCH(QString, locale);
    QFETCH(QString, before);
    QFETCH(bool, filled);
    LocaleScope scope(locale);
    form()->LabeledEdit4->setText(before);
    form()->show();
    QCOMPARE(form()->LabeledEdit4->text(), filled ? today() : before);
    // Emptied while shown, it stays empty until the next showing.
    form()->LabeledEdit4->clear();
    QVERIFY(form()->LabeledEdit4->text().isEmpty());
    form()->hide();
    form()->show();
    QCOMPARE(form()->LabeledEdit4->text(), today());
  }

  void buttons() {
    form()->show();
    QTest::mouseClick(form()->ButtonZamknij, Qt::LeftButton);
    QVERIFY(!form()->isVisible());

    form()->show();
    QTest::mouseClick(form()->ButtonDalej, Qt::LeftButton);
    QVERIFY(!form()->isVisible());
    QVERIFY(FormWarunkiPoczatkowe->isVisible());
  }

  void sectionLayout() {
    const QString longName = QString(300, QLatin1Char('x'));
    form()->LabeledEdit1->setText(longName);
    form()->LabeledEdit2->setText(QStringLiteral("Zakład Łódź"));
    form()->LabeledEdit3->clear();
    form()->LabeledEdit4->setText(QStringLiteral("7.12.2026"));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    form()->SaveToProject(buffer);
    const QByteArray bytes = buffer.data();
    QCOMPARE(bytes.size(), 1024);
    QCOMPARE(quint8(bytes[0]), quint8(255));
    QCOMPARE(bytes.mid(1, 255), QByteArray(255, 'x'));
    const QByteArray client = veltor::ToCp1250(QStringLiteral("Zakład Łódź"));
    QCOMPARE(client.size(), 11);  // one byte per letter
    QCOMPARE(quint8(bytes[256]), quint8(11));
    QCOMPARE(bytes.mid(257, 11), client);
    QCOMPARE(quint8(bytes[512]), quint8(0));
    QCOMPARE(quint8(bytes[768]), quint8(9));
    QCOMPARE(bytes.mid(769, 9), QByteArray("7.12.2026"));
  }

  void roundTrip() {
    const QStringList texts{QString(300, QChar(u'ż')), QStringLiteral("Odbiorca ŚĆŹ"), QString(),
                            QStringLiteral("2026-12-07")};
    for (int i = 0; i < 4; ++i) boxes()[i]->setText(texts[i]);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    form()->SaveToProject(buffer);
    buffer.close();
    form()->ClearFields();
    form()->LabeledEdit3->setText(QStringLiteral("stary"));
    buffer.open(QIODevice::ReadOnly);
    form()->LoadFromProject(buffer);
    QCOMPARE(buffer.pos(), 1024);
    QCOMPARE(form()->LabeledEdit1->text(), texts[0].left(255));
    QCOMPARE(form()->LabeledEdit2->text(), texts[1]);
    QCOMPARE(form()->LabeledEdit3->text(), QString());
    QCOMPARE(form()->LabeledEdit4->text(), texts[3]);
  }

  // Each box takes its text as soon as its field is read; the boxes after a
  // cut keep theirs.
  void cutShort() {
    QByteArray bytes(256 + 100, '\0');
    bytes[0] = 3;
    bytes.replace(1, 3, "abc");
    for (QLineEdit* box : boxes()) box->setText(QStringLiteral("stary"));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QString raised;
    try {
      form()->LoadFromProject(buffer);
    } catch (const veltor::IoError& e) {
      raised = e.message();
    }
    QCOMPARE(raised, veltor::IoError::messageFor(veltor::IoCode::EndOfFile));
    QCOMPARE(form()->LabeledEdit1->text(), QStringLiteral("abc"));
    for (int i = 1; i < 4; ++i) QCOMPARE(boxes()[i]->text(), QStringLiteral("stary"));
  }
};

QTEST_MAIN(TestDaneProjektu)
#include "test_daneprojektu.moc"
