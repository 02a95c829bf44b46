// The ground window driven as a user drives it: the kind and its boxes typed,
// OK committing one step to undo, the layer window's summary giving the
// ground's figures, and a box the kind needs left empty told and not committed.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "forms/glowna.h"
#include "forms/grunt.h"
#include "forms/warstwy.h"
#include "model/project.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

class TestGrunt : public QObject {
  Q_OBJECT

  std::unique_ptr<LocaleScope> locale;
  std::unique_ptr<TestEnvironment> env;
  std::unique_ptr<ScriptedDialogs> dialogs;

  Project& project() { return FormGlowna->project(); }

 private Q_SLOTS:
  void init() {
    locale = std::make_unique<LocaleScope>(QStringLiteral("pl_PL"));
    env = std::make_unique<TestEnvironment>();
    dialogs = std::make_unique<ScriptedDialogs>();
    env->startProgram();
  }
  void cleanup() {
    env.reset();
    dialogs.reset();
    locale.reset();
  }

  void okCommitsOrTells_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("perimeter");
    QTest::addColumn<QString>("depth");
    QTest::addColumn<QString>("refusal");  // empty: committed
    QTest::newRow("slab") << 1 << "40"
                          << ""
                          << "";
    QTest::newRow("heated basement") << 3 << "40"
                                     << "2,5"
                                     << "";
    QTest::newRow("perimeter empty") << 1 << ""
                                     << ""
                                     << "Obwód eksponowany P [m]: Wpisz liczbę";
    QTest::newRow("basement depth empty") << 3 << "40"
                                          << ""
                                          << "Głębokość podłogi piwnicy z [m]: Wpisz liczbę";
  }
  void okCommitsOrTells() {
    QFETCH(int, kind);
    QFETCH(QString, perimeter);
    QFETCH(QString, depth);
    QFETCH(QString, refusal);
    veltor::LayerRecord eps;
    eps.name = "Styropian";
    eps.thickness = 0.08;
    eps.lambdaMedium = eps.lambdaHumid = 0.04;
    project().appendLayer(eps);
    FormWarstwy->show();
    FormGrunt->ActionGruntExecute();
    FormGrunt->ComboBoxRodzaj->setCurrentIndex(kind);
    FormGrunt->EditPowierzchnia->setText(QStringLiteral("100"));
    FormGrunt->EditObwod->setText(perimeter);
    FormGrunt->EditGruboscSciany->setText(QStringLiteral("0,3"));
    FormGrunt->EditGlebokosc->setText(depth);
    if (!refusal.isEmpty()) dialogs->expectMessage(refusal);
    FormGrunt->ButtonOK->click();
    const veltor::GroundSettings& g = project().extras().ground;
    if (!refusal.isEmpty()) {
      QVERIFY(!g.onGround());
      QVERIFY(FormGrunt->isVisible());
      return;
    }
    QCOMPARE(static_cast<int>(g.kind), kind);
    QCOMPARE(g.perimeter, 40.0);
    QVERIFY(!FormGrunt->isVisible());
    const QLabel* lines = FormWarstwy->findChild<QLabel*>(QStringLiteral("LabelGrunt"));
    QVERIFY(!lines->isHidden());
    QVERIFY2(lines->text().contains(QStringLiteral("B' = A/(0,5·P) = 5,00 m")), qPrintable(lines->text()));
    project().undoStack().undo();
    QVERIFY(!project().extras().ground.onGround());
    QVERIFY(lines->isHidden());
  }
};

QTEST_MAIN(TestGrunt)
#include "test_grunt.moc"
