// The partitions window over a building of three partitions: a partition made
// current is what every open window shows at once; the table's cells, its
// sums and its buttons follow the building, each button one step that Cofnij
// takes back; a partition exported and added back from its file is the same
// partition.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <cmath>
#include <functional>
#include <memory>

#include "calc/calculation.h"
#include "calc/numbers.h"
#include "forms/dobor_grubosci.h"
#include "forms/glowna.h"
#include "forms/porownanie.h"
#include "forms/przegrody.h"
#include "forms/warstwy.h"
#include "forms/warunki_poczatkowe.h"
#include "model/project.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

veltor::PartitionContents Wall(const char* symbol, double umax, std::initializer_list<double> thicknesses) {
  veltor::PartitionContents p;
  p.identity.symbol = QString::fromLatin1(symbol);
  p.conditions = veltor::DesignConditions::startupValues();
  p.conditions.umax = umax;
  for (double t : thicknesses) {
    veltor::LayerRecord r;
    r.name = "Mur";
    r.thickness = t;
    r.lambdaMedium = r.lambdaHumid = 0.5;
    r.vapourCoefficient = 10;  // μ 72
    r.density = 1000;
    p.layers.AppendLayer(r);
  }
  return p;
}

}  // namespace

class TestPrzegrody : public QObject {
  Q_OBJECT

  std::unique_ptr<TestEnvironment> env;
  std::unique_ptr<ScriptedDialogs> dialogs;

  Building& building() { return FormGlowna->project().building(); }
  QTableWidget* table() { return FormPrzegrody->findChild<QTableWidget*>(QStringLiteral("TablePrzegrody")); }
  QString cell(int row, int column) { return table()->item(row, column)->text(); }
  void click(const char* name) {
    FormPrzegrody->findChild<QPushButton*>(QString::fromLatin1(name))->click();
    QApplication::processEvents();
  }
  QStringList symbols() {
    QStringList list;
    for (int row = 0; row < table()->rowCount(); ++row) list << cell(row, TFormPrzegrody::Symbol);
    return list;
  }

 private Q_SLOTS:
  void init() {
    env = std::make_unique<TestEnvironment>();
    dialogs = std::make_unique<ScriptedDialogs>();
    env->startProgram();
    veltor::BuildingContents b;
    b.partitions.push_back(Wall("SZ-1", 0.2, {0.1, 0.2}));
    b.partitions.push_back(Wall("DA-1", 0.15, {0.3}));
    b.partitions.push_back(Wall("PG-1", 0.3, {0.15, 0.05, 0.4}));
    b.partitions[0].identity.area = 100;
    b.partitions[1].identity.area = 50;
    FormGlowna->project().loadBuilding(std::move(b), QString());
    FormPrzegrody->ActionPrzegrodyExecute();
    QApplication::processEvents();
  }
  void cleanup() {
    env->stopProgram();
    dialogs.reset();
    env.reset();
  }

  // The layer list, the conditions window and the table's mark all show the
  // partition chosen by a double click.
  void doubleClickShowsPartitionEverywhere() {
    FormWarunkiPoczatkowe->show();
    QApplication::processEvents();
    FormPrzegrody->TablePrzegrodyDoubleClick(2);
    QApplication::processEvents();
    QVERIFY(FormWarstwy->isVisible());
    QCOMPARE(FormWarstwy->ListViewMaterialy->topLevelItemCount(), 3);
    QCOMPARE(FormWarunkiPoczatkowe->EditUmax->text(), QStringLiteral("0,3"));
    QVERIFY(table()->item(2, 0)->font().bold());
    FormPrzegrody->TablePrzegrodyDoubleClick(1);
    QApplication::processEvents();
    QCOMPARE(FormWarstwy->ListViewMaterialy->topLevelItemCount(), 1);
    QCOMPARE(FormWarunkiPoczatkowe->EditUmax->text(), QStringLiteral("0,15"));
    // An edit in the layer window lands in the partition shown, and its
    // undo comes back to it from another one.
    FormGlowna->project().setThickness(0, 0.4, 0);
    FormPrzegrody->TablePrzegrodyDoubleClick(0);
    FormGlowna->ActionCofnij->trigger();
    QApplication::processEvents();
    QCOMPARE(building().label(building().currentId()), QStringLiteral("DA-1"));
    QCOMPARE(FormWarstwy->ListViewMaterialy->topLevelItemCount(), 1);
  }

  // Each row's Uc is the model's, the verdict against its own Uc(max), and
  // the sums count the partitions with an area.
  void cellsAndSumsFollowTheModel() {
    for (int row = 0; row < 3; ++row) {
      const PartitionResults& r = building().results(building().at(row).id);
      QCOMPARE(cell(row, TFormPrzegrody::Uc), veltor::FormatFixed(r.summary.transmittance.uc, 3));
      const bool meets = !veltor::ExceedsUmax(r.summary.transmittance.uc, building().at(row).conditions.umax);
      QCOMPARE(cell(row, TFormPrzegrody::Verdict),
               meets ? QStringLiteral("spełnia") : QStringLiteral("nie spełnia"));
    }
    const double uc0 = building().results(building().at(0).id).summary.transmittance.uc;
    const double uc1 = building().results(building().at(1).id).summary.transmittance.uc;
    QCOMPARE(FormPrzegrody->findChild<QLabel*>(QStringLiteral("LabelSumaAUc"))->text(),
             QStringLiteral("ΣA·Uc = %1 W/K").arg(veltor::FormatFixed(100 * uc0 + 50 * uc1, 2)));
    // An area typed in place is one step, and the sum follows it.
    table()->item(2, TFormPrzegrody::Area)->setText(QStringLiteral("20"));
    QApplication::processEvents();
    QCOMPARE(FormPrzegrody->findChild<QLabel*>(QStringLiteral("LabelSumaA"))->text(),
             QStringLiteral("ΣA = %1 m²").arg(veltor::FormatFixed(170, 2)));
    QCOMPARE(building().undoStack().count(), 1);
    // A thickness changed elsewhere reaches its row.
    building().setThickness(building().at(1).id, 0, 0.6);
    QApplication::processEvents();
    QCOMPARE(cell(1, TFormPrzegrody::Thickness), veltor::FormatFixed(0.6, 3));
  }

  void buttons_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("duplicate") << 0 << "ButtonDuplikuj" << QStringList{"SZ-1", "P-1", "DA-1", "PG-1"};
    QTest::newRow("remove") << 1 << "ButtonUsun" << QStringList{"SZ-1", "PG-1"};
    QTest::newRow("up") << 2 << "ButtonWGore" << QStringList{"SZ-1", "PG-1", "DA-1"};
    QTest::newRow("down") << 0 << "ButtonWDol" << QStringList{"DA-1", "SZ-1", "PG-1"};
  }
  void buttons() {
    QFETCH(int, row);
    QFETCH(QString, button);
    QFETCH(QStringList, after);
    table()->selectRow(row);
    click(button.toLatin1().constData());
    QCOMPARE(symbols(), after);
    FormGlowna->ActionCofnij->trigger();
    QApplication::processEvents();
    QCOMPARE(symbols(), (QStringList{"SZ-1", "DA-1", "PG-1"}));
  }

  // Mineral wool behind a vapour-tight skin: a cold year accumulates water in
  // it, a mild one none. The column follows the climate saved with the
  // partition as the moisture window stores it, and shows no verdict without
  // a whole climate or on the ground.
  void moistureVerdictFollowsClimate_data() {
    QTest::addColumn<double>("te");
    QTest::addColumn<int>("emptyMonth");
    QTest::addColumn<bool>("onGround");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("cold year accumulates") << -5.0 << -1 << false << "nie spełnia";
    QTest::newRow("mild year condenses nothing") << 18.0 << -1 << false << "spełnia";
    QTest::newRow("month left empty") << -5.0 << 2 << false << "—";
    QTest::newRow("floor on the ground") << -5.0 << -1 << true << "—";
  }
  void moistureVerdictFollowsClimate() {
    QFETCH(double, te);
    QFETCH(int, emptyMonth);
    QFETCH(bool, onGround);
    QFETCH(QString, verdict);
    const PartitionId id = building().at(0).id;
    std::vector<veltor::LayerRecord> layers(2);
    layers[0].name = "Wełna";
    layers[0].thickness = 0.15;
    layers[0].lambdaMedium = layers[0].lambdaHumid = 0.04;
    layers[0].vapourCoefficient = 720;
    layers[1].name = "Powłoka";
    layers[1].thickness = 0.02;
    layers[1].lambdaMedium = layers[1].lambdaHumid = 1;
    layers[1].vapourCoefficient = 0.0072;
    building().replaceLayers(id, layers);
    if (onGround) {
      veltor::GroundSettings ground;
      ground.kind = veltor::GroundKind::Slab;
      ground.area = 100;
      ground.perimeter = 40;
      ground.wallThickness = 0.3;
      building().setGround(id, ground);
    }
    QApplication::processEvents();
    QCOMPARE(cell(0, TFormPrzegrody::MoistureVerdict), QStringLiteral("—"));
    veltor::MoistureSettings settings;
    settings.climate = veltor::MoistureSettings::Climate::Typed;
    settings.te.fill(te);
    settings.phiE.fill(90);
    if (emptyMonth >= 0) settings.te[emptyMonth] = std::nan("");
    building().setMoisture(id, settings);
    QApplication::processEvents();
    QCOMPARE(cell(0, TFormPrzegrody::MoistureVerdict), verdict);
    FormGlowna->ActionCofnij->trigger();
    QApplication::processEvents();
    QCOMPARE(cell(0, TFormPrzegrody::MoistureVerdict), QStringLiteral("—"));
  }

  // The columns hold the model's figures of the partitions chosen, in the
  // table's order, follow a change of one of them and print as one job.
  void comparison_data() {
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("first and last") << QList<int>{0, 2};
    QTest::newRow("all three") << QList<int>{0, 1, 2};
  }
  void comparison() {
    QFETCH(QList<int>, rows);
    for (int row : rows)
      table()->selectionModel()->select(table()->model()->index(row, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    // The rows stay selected through a change that redraws the table.
    building().setThickness(building().at(1).id, 0, 0.35);
    QApplication::processEvents();
    click("ButtonPorownaj");
    QVERIFY(FormPorownanie->isVisible());
    auto* compared = FormPorownanie->findChild<QTableWidget*>(QStringLiteral("TablePorownanie"));
    QCOMPARE(compared->columnCount(), rows.size());
    const auto text = [&](int column, const QString& title) {
      for (int r = 0; r < compared->rowCount(); ++r)
        if (compared->verticalHeaderItem(r)->text() == title) return compared->item(r, column)->text();
      return QStringLiteral("no row %1").arg(title);
    };
    for (int i = 0; i < rows.size(); ++i) {
      const Partition& p = building().at(rows[i]);
      const double d = building().results(p.id).summary.totalThickness;
      QCOMPARE(compared->horizontalHeaderItem(i)->text(), p.identity.symbol);
      QCOMPARE(text(i, QStringLiteral("Warstwa 1")),
               QStringLiteral("Mur, %1 m").arg(veltor::FormatPolish(p.layers.at(0).thickness, 3)));
      QCOMPARE(text(i, QStringLiteral("Uc [W/(m²K)]")),
               veltor::FormatFixed(building().results(p.id).summary.transmittance.uc, 3));
      QCOMPARE(text(i, QStringLiteral("Masa powierzchniowa [kg/m²]")), veltor::FormatPolish(1000 * d, 1));
      QCOMPARE(text(i, QStringLiteral("Σsd [m]")), veltor::FormatPolish(72 * d, 2));
    }
    building().setThickness(building().at(rows[0]).id, 0, 0.5);
    QApplication::processEvents();
    QCOMPARE(text(0, QStringLiteral("Uc [W/(m²K)]")),
             veltor::FormatFixed(building().results(building().at(rows[0]).id).summary.transmittance.uc, 3));
    dialogs->expectPrint(QStringLiteral("PrintDialogPorownanie"), 1);
    FormPorownanie->findChild<QPushButton*>(QStringLiteral("ButtonDrukuj"))->click();
    QCOMPARE(dialogs->printJobs, 1);
  }

  // Brick and 5 cm of wool against Uc(max) 0,20: 0,18 m of wool is the first
  // of 0,01 m to meet it (d ≥ 0,04·(5 − 0,17 − 0,5) = 0,1732 m). The row's
  // Uc is what the partition gets when the thickness is applied, as one step.
  void thicknessTable_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("step");
    QTest::addColumn<double>("first");  // 0: none meets
    QTest::addColumn<QString>("refusal");
    QTest::newRow("by 0,01") << "0,10"
                             << "0,30"
                             << "0,01" << 0.18 << "";
    QTest::newRow("by 0,02 from 0,15") << "0,15"
                                       << "0,25"
                                       << "0,02" << 0.19 << "";
    QTest::newRow("none meets") << "0,05"
                                << "0,15"
                                << "0,05" << 0.0 << "";
    QTest::newRow("step of zero") << "0,10"
                                  << "0,30"
                                  << "0" << 0.18 << "Krok musi być liczbą większą od 0 [m]";
    QTest::newRow("range reversed") << "0,30"
                                    << "0,10"
                                    << "0,01" << 0.18
                                    << "Grubość końcowa nie może być mniejsza od początkowej";
  }
  void thicknessTable() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, step);
    QFETCH(double, first);
    QFETCH(QString, refusal);
    const PartitionId id = building().at(0).id;
    std::vector<veltor::LayerRecord> layers(2);
    layers[0].name = "Mur";
    layers[0].thickness = 0.25;
    layers[0].lambdaMedium = layers[0].lambdaHumid = 0.5;
    layers[1].name = "Wełna";
    layers[1].thickness = 0.05;
    layers[1].lambdaMedium = layers[1].lambdaHumid = 0.04;
    building().replaceLayers(id, layers);
    building().undoStack().clear();
    click("ButtonDoborGrubosci");
    QVERIFY(FormDoborGrubosci->isVisible());
    FormDoborGrubosci->findChild<QLineEdit*>(QStringLiteral("EditOd"))->setText(from);
    FormDoborGrubosci->findChild<QLineEdit*>(QStringLiteral("EditDo"))->setText(to);
    FormDoborGrubosci->findChild<QLineEdit*>(QStringLiteral("EditKrok"))->setText(step);
    if (!refusal.isEmpty()) dialogs->expectMessage(refusal);
    FormDoborGrubosci->ButtonObliczClick();
    QVERIFY(dialogs->allUsed());
    const std::optional<int> row = FormDoborGrubosci->FirstMeetingRow();
    QCOMPARE(row.has_value(), first > 0);
    if (!row) return;
    QCOMPARE(FormDoborGrubosci->RowThickness(*row), first);
    FormDoborGrubosci->findChild<QPushButton*>(QStringLiteral("ButtonZastosuj"))->click();
    QCOMPARE(building().at(0).layers.at(1).thickness, first);
    QCOMPARE(building().results(id).summary.transmittance.uc, FormDoborGrubosci->RowUc(*row));
    QCOMPARE(building().undoStack().count(), 1);
    QCOMPARE(building().undoStack().text(0), QStringLiteral("SZ-1: grubość warstwy 2"));
    building().undoStack().undo();
    QCOMPARE(building().at(0).layers.at(1).thickness, 0.05);
  }

  // Exported alone, the roof is a plain project; added back from that file it
  // is a fourth partition with the same layers.
  void exportAndAddBack() {
    FormPrzegrody->TablePrzegrodyDoubleClick(1);
    const QString file = env->file(QStringLiteral("dach.Veltor"));
    dialogs->expectFile(QStringLiteral("SaveDialogPrzegroda"), file);
    FormPrzegrody->ActionEksportujPrzegrode->trigger();
    QVERIFY(!FormGlowna->project().isModified());
    const veltor::LoadedProject plain = veltor::LoadProjectFile(file);
    QCOMPARE(plain.contents.layers.size(), 1);
    dialogs->expectFile(QStringLiteral("OpenDialogPrzegroda"), file);
    FormPrzegrody->findChild<QAction*>(QStringLiteral("ActionDodajZPliku"))->trigger();
    QApplication::processEvents();
    QCOMPARE(building().count(), 4);
    QCOMPARE(building().current().layers.size(), 1);
    QCOMPARE(building().current().identity.name, QStringLiteral("dach"));
    QCOMPARE(FormGlowna->project().layers().size(), 1);
  }
};

QTEST_MAIN(TestPrzegrody)
#include "test_przegrody.moc"
