// The building: steps of different partitions in one history, each undone in
// its own partition and making it current; partitions removed and restored
// with their values and ids; the file round trip; results computed per
// partition whether current or not.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QSignalSpy>
#include <functional>

#include "model/project.h"
#include "project/buildingfile.h"

namespace {

veltor::LayerRecord Layer(const char* name, double thickness, double lambda = 0.5) {
  veltor::LayerRecord r;
  r.name = name;
  r.thickness = thickness;
  r.lambdaMedium = r.lambdaHumid = lambda;
  r.vapourCoefficient = 5;
  return r;
}

veltor::PartitionContents Wall(const char* symbol, std::initializer_list<double> thicknesses) {
  veltor::PartitionContents p;
  p.identity.symbol = QString::fromLatin1(symbol);
  p.identity.kind = veltor::PartitionKind::ExternalWall;
  p.conditions = veltor::DesignConditions::startupValues();
  for (double t : thicknesses) p.layers.AppendLayer(Layer("M", t));
  return p;
}

QByteArray Bytes(const Building& b) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  veltor::WriteBuilding(buffer, b.description(), b.contents());
  return bytes;
}

// Three partitions, the second current, nothing to undo.
class BuildingTest : public testing::Test {
 protected:
  void SetUp() override {
    veltor::BuildingContents c;
    c.description[veltor::kName] = QStringLiteral("Dom");
    c.partitions.push_back(Wall("SZ-1", {0.1, 0.2}));
    c.partitions.push_back(Wall("DA-1", {0.3}));
    c.partitions.push_back(Wall("PG-1", {0.15, 0.05, 0.4}));
    c.partitions[1].identity.kind = veltor::PartitionKind::Roof;
    c.partitions[1].identity.area = 120.5;
    building.load(std::move(c), QString());
    ids = {building.at(0).id, building.at(1).id, building.at(2).id};
    building.setCurrent(ids[1]);
  }
  Building building;
  Project view{building};
  std::vector<PartitionId> ids;
};

struct Step {
  const char* name;
  std::function<void(Building&, const std::vector<PartitionId>&)> apply;
};

class BuildingSteps : public BuildingTest, public testing::WithParamInterface<Step> {};

// Whatever the steps, undoing them all gives the file the building started as,
// each undo shows its partition, and redoing gives the file it ended as.
TEST_P(BuildingSteps, UndoAcrossPartitionsRestoresEveryByte) {
  const QByteArray before = Bytes(building);
  GetParam().apply(building, ids);
  const QByteArray after = Bytes(building);
  ASSERT_NE(after, before);
  QSignalSpy current(&building, &Building::currentChanged);
  while (building.undoStack().canUndo()) {
    const QString text = building.undoStack().undoText();
    building.undoStack().undo();
    // A step named after a partition leaves that partition current.
    const int colon = text.indexOf(QLatin1Char(':'));
    if (colon > 0) {
      EXPECT_EQ(building.label(building.currentId()), text.left(colon)) << qPrintable(text);
    }
  }
  EXPECT_EQ(Bytes(building), before);
  EXPECT_FALSE(building.isModified());
  while (building.undoStack().canRedo()) building.undoStack().redo();
  EXPECT_EQ(Bytes(building), after);
}

INSTANTIATE_TEST_SUITE_P(Kinds, BuildingSteps,
                         testing::Values(Step{"ThicknessInTwoPartitions",
                                              [](Building& b, const auto& ids) {
                                                b.setThickness(ids[0], 1, 0.25, 1);
                                                b.setThickness(
                                                    ids[2], 1, 0.07,
                                                    1);  // the same session, another partition: no merge
                                                b.setThickness(ids[0], 1, 0.26, 1);
                                              }},
                                         Step{"GroundOnAPartitionNotCurrent",
                                              [](Building& b, const auto& ids) {
                                                veltor::GroundSettings g;
                                                g.kind = veltor::GroundKind::Slab;
                                                g.area = 80;
                                                g.perimeter = 36;
                                                b.setGround(ids[2], g);
                                              }},
                                         Step{"RemoveThenEditNeighbour",
                                              [](Building& b, const auto& ids) {
                                                b.setThickness(ids[1], 0, 0.35);
                                                b.removePartition(ids[1]);
                                                b.setThickness(ids[2], 0, 0.2);
                                              }},
                                         Step{"AddDuplicateMove",
                                              [](Building& b, const auto& ids) {
                                                const PartitionId copy = b.duplicatePartition(ids[0]);
                                                b.setThickness(copy, 0, 0.12);
                                                b.movePartition(copy, 1);
                                                b.addPartition(Wall("", {0.5}));
                                              }},
                                         Step{"IdentityAndConditions",
                                              [](Building& b, const auto& ids) {
                                                veltor::PartitionIdentity id = b.find(ids[2])->identity;
                                                id.name = QStringLiteral("Podłoga");
                                                id.area = 80;
                                                b.setIdentity(ids[2], id);
                                                veltor::DesignConditions c = b.find(ids[0])->conditions;
                                                c.umax = 0.2;
                                                b.setConditions(ids[0], c);
                                                b.setDescriptionField(veltor::kAddress,
                                                                      QStringLiteral("ul. Polna 1"));
                                              }}),
                         [](const testing::TestParamInfo<Step>& info) { return info.param.name; });

TEST_F(BuildingTest, StepsNamePartitionsAndMergeOnlyWithinOne) {
  building.setThickness(ids[0], 2 - 1, 0.21, 4);
  EXPECT_EQ(building.undoStack().undoText(), QStringLiteral("SZ-1: grubość warstwy 2"));
  building.setThickness(ids[2], 1, 0.06, 4);
  building.setThickness(ids[2], 1, 0.07, 4);
  EXPECT_EQ(building.undoStack().count(), 2);
  // Navigation is no step.
  building.setCurrent(ids[0]);
  EXPECT_EQ(building.undoStack().count(), 2);
  // The view edits what is current and follows a switch as it follows an Open.
  QSignalSpy replaced(&view, &Project::replaced);
  building.undoStack().undo();
  EXPECT_EQ(view.currentId(), ids[2]);
  EXPECT_DOUBLE_EQ(view.layers().at(1).thickness, 0.05);
  EXPECT_EQ(replaced.count(), 1);
}

TEST_F(BuildingTest, RemovedPartitionComesBackWithItsIdValuesAndPlace) {
  building.setThickness(ids[1], 0, 0.33);
  building.removePartition(ids[1]);
  EXPECT_EQ(building.count(), 2);
  EXPECT_EQ(building.find(ids[1]), nullptr);
  // The current one went: its place's new holder is current, and the view shows it.
  EXPECT_EQ(view.currentId(), ids[2]);
  EXPECT_EQ(view.layers().size(), 3);
  building.undoStack().undo();
  ASSERT_EQ(building.rowOf(ids[1]), 1);
  EXPECT_EQ(view.currentId(), ids[1]);
  EXPECT_DOUBLE_EQ(view.layers().at(0).thickness, 0.33);
  EXPECT_DOUBLE_EQ(building.find(ids[1])->identity.area, 120.5);
  // The last partition stays.
  building.removePartition(ids[0]);
  building.removePartition(ids[1]);
  building.removePartition(ids[2]);
  EXPECT_EQ(building.count(), 1);
}

TEST_F(BuildingTest, FileRoundTripKeepsEveryPartitionByteForByte) {
  const QByteArray bytes = Bytes(building);
  Building other;
  other.load(veltor::ReadBuildingBytes(bytes), QString());
  ASSERT_EQ(other.count(), 3);
  EXPECT_EQ(other.at(1).identity, building.at(1).identity);
  EXPECT_EQ(Bytes(other), bytes);
  // A program that knows no building reads the first partition.
  const veltor::LoadedProject plain = veltor::ReadProjectBytes(bytes);
  EXPECT_EQ(plain.contents.layers.size(), 2);
  EXPECT_EQ(plain.contents.description[veltor::kName], QStringLiteral("Dom"));
}

TEST_F(BuildingTest, ResultsOfEveryPartitionCurrentOrNot) {
  veltor::ReferenceTables tables;
  tables.saturation.pa.fill(1000);
  building.setReferenceTables(&tables);
  const double u2 = building.results(ids[2]).summary.u;
  const double u0 = building.results(ids[0]).summary.u;
  EXPECT_GT(u2, 0);
  EXPECT_GT(u0, u2);  // 0.3 m of the same material against 0.6 m
  // Computed once per change: a change of another partition keeps them.
  building.setThickness(ids[0], 0, 0.5);
  EXPECT_TRUE(building.results(ids[2]).computed);
  EXPECT_DOUBLE_EQ(building.results(ids[2]).summary.u, u2);
  EXPECT_LT(building.results(ids[0]).summary.u, u0);
}

}  // namespace

// A partition of no kind put on the ground takes the kind of its ground kind in
// the same step; one of a kind keeps it.
TEST_F(BuildingTest, GroundGivesAPartitionOfNoKindItsKindInOneStep) {
  veltor::PartitionIdentity noKind = building.at(0).identity;
  noKind.kind = veltor::PartitionKind::Unspecified;
  building.setIdentity(ids[0], noKind);
  veltor::GroundSettings g;
  g.kind = veltor::GroundKind::UnheatedBasement;
  building.setGround(ids[0], g);
  building.setGround(ids[1], g);
  EXPECT_EQ(building.at(0).identity.kind, veltor::PartitionKind::CeilingUnheated);
  EXPECT_EQ(building.at(1).identity.kind, veltor::PartitionKind::Roof);
  EXPECT_EQ(building.undoStack().count(), 3);
  building.undoStack().undo();
  building.undoStack().undo();
  EXPECT_EQ(building.at(0).identity.kind, veltor::PartitionKind::Unspecified);
  EXPECT_FALSE(building.at(0).extras.ground.onGround());
}
