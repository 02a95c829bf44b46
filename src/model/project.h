// The project: the current partition of the building as the windows see it,
// with the description, the design conditions, the layer table and the extras
// such as the moisture window's choices, the file and whether it still equals
// that file.
//
// Data flow: a window asks for a change through one of the change functions;
// the view forwards it to the building as a step of the current partition
// (building.h). Doing or undoing a step of the current partition emits
// changed() once with the parts it touched; the windows redraw from the model
// in their handlers of that signal. Another partition made current, New and
// Open all look the same to a window: changed() with every part, then
// replaced(). The undo history is the building's, one for all partitions; its
// clean state is the file's state, so undoing back to a save clears the
// modified mark.
//
// Beside the partition the project holds the wizard's created partition: the
// layers the wizard built and has not yet handed over, no partition and no
// step. The result windows assess one of the two, as resultSource() says.
#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <memory>
#include <vector>

#include "calc/conditions.h"
#include "calc/layer.h"
#include "model/building.h"
#include "project/extension.h"
#include "project/projectfile.h"

class Project : public QObject {
  Q_OBJECT
 public:
  enum Part {
    Description = Building::Description,
    Conditions = Building::Conditions,
    Layers = Building::Layers,
    Extras = Building::Extras
  };
  Q_DECLARE_FLAGS(Parts, Part)
  Q_FLAG(Parts)
  static constexpr Parts kEverything = Parts(Description | Conditions | Layers | Extras);

  // A view of `building`; without one the project keeps a building of its own.
  explicit Project(QObject* parent = nullptr);
  explicit Project(Building& building, QObject* parent = nullptr);
  ~Project() override;

  Building& building() { return *building_; }
  const Building& building() const { return *building_; }
  PartitionId currentId() const { return building_->currentId(); }

  const veltor::ProjectDescription& description() const { return building_->description(); }
  const veltor::DesignConditions& conditions() const { return building_->current().conditions; }
  const veltor::LayerTable& layers() const { return building_->current().layers; }
  // The calculation pass writes its per-layer results into the records; that is
  // no change of the project, so it goes through this and tells nobody. The
  // table is the current partition's: fetch it anew, never keep it.
  veltor::LayerTable& layersForResults() { return building_->layersForResults(currentId()); }
  const veltor::ProjectExtras& extras() const { return building_->current().extras; }

  QUndoStack& undoStack() { return building_->undoStack(); }
  // The file the project was opened from or last saved to; empty for a new one.
  const QString& fileName() const { return building_->fileName(); }
  bool isModified() const { return building_->isModified(); }

  // Changes, each one undo step. Consecutive edits of one description field,
  // or of one layer's thickness with the same `session`, merge into one step;
  // a session is what the editing window counts (a layer made current anew
  // starts another). A change to the value already held does nothing.
  void setDescriptionField(int index, const QString& text);
  void setConditions(const veltor::DesignConditions& conditions);
  void appendLayer(const veltor::LayerRecord& record);
  void removeLayer(int index);
  // Exchanges the layer with its neighbour (-1 inward, +1 outward).
  void moveLayer(int index, int step);
  void setThickness(int index, double thickness, int session = 0);
  // A layer's values as a whole (its declared values edited or restored);
  // edits of one layer within one session merge like thicknesses.
  void setLayer(int index, const veltor::LayerRecord& record, int session = 0);
  // A whole new table (the wizard's result, clearing the table).
  void replaceLayers(std::vector<veltor::LayerRecord> layers);
  void setMoisture(const veltor::MoistureSettings& settings);
  // The partition's kind on the ground with its geometry; one step to undo.
  void setGround(const veltor::GroundSettings& settings);
  void setDynamicsInReport(bool on);

  // A value the program proposes rather than the user types (today's date in
  // an empty date box): no undo step, and the project does not count as changed.
  void proposeDescriptionField(int index, const QString& text);

  // New: a building of one empty partition, the description emptied, the
  // conditions kept but for the corrections to U; no file, nothing to undo.
  void startNew();
  // Open of a plain project: a building of one partition; nothing to undo.
  void load(veltor::ProjectContents&& contents, const QString& fileName);
  // Open of a building file.
  void loadBuilding(veltor::BuildingContents&& contents, const QString& fileName);
  // The project was written to `fileName`: it is that file's now, unmodified.
  void markSaved(const QString& fileName);

  // The current partition's values set without a step (the conditions window
  // committing its start-up values).
  void applyConditions(const veltor::DesignConditions& conditions);

  // The wizard's created partition; setting or clearing it emits wizardChanged().
  veltor::LayerTable& wizardLayers() { return wizard_; }
  const veltor::LayerTable& wizardLayers() const { return wizard_; }
  void setWizardLayers(veltor::LayerTable&& layers);
  void clearWizardLayers();
  // The wizard's created partition becomes the partition's layers, with the
  // corrections to U it was sized with, as one step to undo; the wizard holds
  // none afterwards.
  void adoptWizardLayers(const veltor::UCorrections& corrections);

  // Which table the result windows (charts, moisture, dynamics) assess: the
  // partition's layers, or the wizard's created partition while the partition
  // has none; None when neither holds a layer.
  enum class ResultSource { None, Partition, Wizard };
  ResultSource resultSource() const;
  // The table resultSource() names; an empty one for None.
  const veltor::LayerTable& resultLayers() const;

 Q_SIGNALS:
  // Once per change, with the parts it touched.
  void changed(Project::Parts parts);
  // The file name or the modified state changed.
  void fileStateChanged();
  // New, Open or another partition made current replaced the whole project
  // (after its changed()).
  void replaced();
  // The wizard's created partition was set or cleared.
  void wizardChanged();

 private:
  void connectBuilding();

  std::unique_ptr<Building> owned_;
  Building* building_;
  veltor::LayerTable wizard_;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Project::Parts)
