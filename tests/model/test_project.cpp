// The project model: every kind of change tells its observers once with the
// part it touched, undoes to exactly the project before it and redoes to the
// one after; keystrokes merge; the clean state follows saving and undo.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <cmath>
#include <functional>

#include "model/project.h"

namespace {

veltor::LayerRecord Layer(const char* name, double thickness) {
  veltor::LayerRecord r;
  r.name = name;
  r.thickness = thickness;
  r.lambdaMedium = r.lambdaHumid = 0.5;
  return r;
}

// What a test compares: the values a project file would hold.
struct Snapshot {
  veltor::ProjectDescription description;
  veltor::DesignConditions conditions;
  std::vector<std::pair<QByteArray, double>> layers;
  veltor::ProjectExtras extras;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take(const Project& p) {
  Snapshot s{p.description(), p.conditions(), {}, p.extras()};
  for (int i = 0; i < p.layers().size(); ++i)
    s.layers.emplace_back(p.layers().at(i).name, p.layers().at(i).thickness);
  return s;
}

struct Change {
  const char* name;
  std::function<void(Project&)> apply;
  Project::Parts part;
};

class ProjectChange : public testing::TestWithParam<Change> {
 protected:
  void SetUp() override {
    project.load({}, QString());
    project.appendLayer(Layer("A", 0.1));
    project.appendLayer(Layer("B", 0.2));
    project.appendLayer(Layer("C", 0.3));
    project.undoStack().clear();
  }
  Project project;
};

TEST_P(ProjectChange, OneNoticeThenUndoAndRedoExactly) {
  const Snapshot before = Take(project);
  QSignalSpy spy(&project, &Project::changed);
  GetParam().apply(project);
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy.at(0).at(0).value<Project::Parts>(), GetParam().part);
  const Snapshot after = Take(project);
  EXPECT_FALSE(after == before);
  EXPECT_TRUE(project.isModified());
  EXPECT_EQ(project.undoStack().count(), 1);

  project.undoStack().undo();
  EXPECT_TRUE(Take(project) == before);
  EXPECT_FALSE(project.isModified());
  project.undoStack().redo();
  EXPECT_TRUE(Take(project) == after);
  EXPECT_EQ(spy.count(), 3);
}

veltor::MoistureSettings Typed() {
  veltor::MoistureSettings m;
  m.climate = veltor::MoistureSettings::Climate::Typed;
  m.te.fill(std::nan(""));
  m.te[0] = -3;
  m.humidityClass = 4;
  return m;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ProjectChange,
    testing::Values(
        Change{"Description", [](Project& p) { p.setDescriptionField(2, QStringLiteral("Projektant")); },
               Project::Description},
        Change{"Conditions",
               [](Project& p) {
                 veltor::DesignConditions c = p.conditions();
                 c.te = -20;
                 p.setConditions(c);
               },
               Project::Conditions},
        Change{"Add", [](Project& p) { p.appendLayer(Layer("D", 0.4)); }, Project::Layers},
        Change{"RemoveMiddle", [](Project& p) { p.removeLayer(1); }, Project::Layers},
        Change{"MoveInward", [](Project& p) { p.moveLayer(2, -1); }, Project::Layers},
        Change{"MoveOutward", [](Project& p) { p.moveLayer(0, 1); }, Project::Layers},
        Change{"Thickness", [](Project& p) { p.setThickness(1, 0.25, 7); }, Project::Layers},
        Change{"WizardResult", [](Project& p) { p.replaceLayers({Layer("W", 0.5)}); }, Project::Layers},
        Change{"ClearTable", [](Project& p) { p.replaceLayers({}); }, Project::Layers},
        Change{"Moisture", [](Project& p) { p.setMoisture(Typed()); }, Project::Extras}),
    [](const testing::TestParamInfo<Change>& info) { return info.param.name; });

TEST(ProjectUndo, KeystrokesMergeWithinOneSessionOnly) {
  Project p;
  p.appendLayer(Layer("A", 0.1));
  p.appendLayer(Layer("B", 0.2));
  p.undoStack().clear();
  for (double d : {0.12, 0.1}) p.setThickness(0, d, 9);  // typed and taken back: no step
  p.setLayer(0, p.layers().at(0), 9);                    // the same values again: none either
  EXPECT_EQ(p.undoStack().count(), 0);
  for (double d : {0.12, 0.125, 0.1255}) p.setThickness(0, d, 1);  // one box, one layer
  EXPECT_EQ(p.undoStack().count(), 1);
  p.setThickness(1, 0.3, 1);   // another layer
  p.setThickness(1, 0.35, 2);  // the same layer made current anew
  p.setThickness(1, 0.4, 0);   // a recalculated thickness never merges
  p.setThickness(1, 0.45, 0);
  EXPECT_EQ(p.undoStack().count(), 5);
  for (const char* t : {"N", "Na", "Naz"}) p.setDescriptionField(0, QString::fromLatin1(t));
  EXPECT_EQ(p.undoStack().count(), 6);
  p.undoStack().undo();
  EXPECT_EQ(p.description()[0], QString());
  while (p.undoStack().canUndo()) p.undoStack().undo();
  EXPECT_DOUBLE_EQ(p.layers().at(0).thickness, 0.1);
  EXPECT_DOUBLE_EQ(p.layers().at(1).thickness, 0.2);
}

TEST(ProjectUndo, SavedStateIsCleanAndNoOpsAreNoSteps) {
  Project p;
  QSignalSpy state(&p, &Project::fileStateChanged);
  p.appendLayer(Layer("A", 0.1));
  EXPECT_TRUE(p.isModified());
  p.markSaved(QStringLiteral("/tmp/a.Veltor"));
  EXPECT_FALSE(p.isModified());
  EXPECT_EQ(p.fileName(), QStringLiteral("/tmp/a.Veltor"));
  p.setThickness(0, 0.1, 1);  // the value it has
  p.setConditions(p.conditions());
  p.moveLayer(0, -1);  // nowhere to go
  EXPECT_FALSE(p.isModified());
  p.setThickness(0, 0.2, 1);
  p.setThickness(0, 0.3, 1);  // one step after the saved one
  EXPECT_EQ(p.undoStack().count(), 2);
  p.undoStack().undo();
  EXPECT_FALSE(p.isModified());
  EXPECT_DOUBLE_EQ(p.layers().at(0).thickness, 0.1);
  EXPECT_GE(state.count(), 3);
  p.startNew();
  EXPECT_TRUE(p.fileName().isEmpty());
  EXPECT_EQ(p.layers().size(), 0);
  EXPECT_FALSE(p.undoStack().canUndo());
}

// The result windows' table: the partition's, else the wizard's; the
// wizard's is no step and never marks the project modified.
TEST(ProjectResults, PartitionFirstThenWizard) {
  Project p;
  EXPECT_EQ(p.resultSource(), Project::ResultSource::None);
  EXPECT_TRUE(p.resultLayers().empty());
  veltor::LayerTable wizard;
  wizard.AppendLayer(Layer("W", 0.1));
  p.setWizardLayers(std::move(wizard));
  EXPECT_EQ(p.resultSource(), Project::ResultSource::Wizard);
  EXPECT_EQ(&p.resultLayers(), &p.wizardLayers());
  EXPECT_FALSE(p.isModified());
  p.appendLayer(Layer("A", 0.2));
  EXPECT_EQ(p.resultSource(), Project::ResultSource::Partition);
  EXPECT_EQ(&p.resultLayers(), &p.layers());
  p.undoStack().undo();
  p.clearWizardLayers();
  EXPECT_EQ(p.resultSource(), Project::ResultSource::None);
}

}  // namespace
