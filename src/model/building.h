// The building: its description and an ordered list of partitions, one of
// them current, with one undo history for all of them.
//
// Data flow: a window asks for a change through the building (or through the
// Project view of the current partition, which forwards here); each change is
// one QUndoCommand holding values, indices and the partition's id, never an
// address. Doing or undoing a step changes the data and emits
// partitionChanged(id, parts) once; undoing or redoing a step of a partition
// that is not current makes it current first (currentChanged), so the user
// sees what changed. Adding and removing a partition are steps holding the
// partition's values; choosing the current one is navigation, no step. Each
// partition's results are computed from its data when first asked after a
// change (results()) and kept until its next change.
#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "calc/calculation.h"
#include "calc/dynamic.h"
#include "calc/ground.h"
#include "calc/moisture.h"
#include "calc/reftables.h"
#include "project/buildingfile.h"

using PartitionId = int;

// One partition of the building: its values and an id that stays with it
// through moves, removal and restoring.
struct Partition : veltor::PartitionContents {
  PartitionId id = 0;
};

// What the model computes for a partition: the pass's summary (the per-layer
// figures stay in the layer records), and the pass's notice if it had one.
struct PartitionResults {
  veltor::PartitionSummary summary;
  QString notice;
  QString error;               // why the pass failed; the summary is then all zero
  std::exception_ptr failure;  // the pass's own error, for a caller that raises it
  // The temperature factor of the inner surface at Rsi 0.25 and whether it
  // meets the simplified 0.72; NaN for a partition without layers.
  double fRsi = 0;
  bool meetsFRsi = false;
  // A partition on the ground: the EN ISO 13370 figures beside the pass's.
  std::optional<veltor::GroundResult> ground;
  // The assessment of the partition's saved moisture choices (EN ISO 13788):
  // empty when no climate was chosen, on the ground (no outdoor air beyond the
  // floor) and when refused, which moistureError then says why. It needs no
  // figure of the pass: a partition the pass refuses is assessed all the same,
  // one without layers refused by the assessment itself.
  std::optional<veltor::MoistureResult> moisture;
  QString moistureError;
  // Σ ρ·d of every layer in kg/m², and Σsd in m of the layers the vapour path
  // counts, infinite with a vapour-tight layer.
  double mass = 0;
  double sd = 0;
  // EN ISO 13786 over the day; empty, with the reason, for a layer without
  // density or specific heat.
  std::optional<veltor::DynamicResult> dynamic;
  QString dynamicError;
  bool computed = false;
  // The U held against Umax: the designer's choice on the ground, else Uc.
  double comparedU() const { return ground ? ground->uCompared : summary.transmittance.uc; }
  // The inner surface against fRsi,min and no accumulating interstitial
  // condensation; empty without an assessment.
  std::optional<bool> meetsMoisture() const;
};

class Building : public QObject {
  Q_OBJECT
 public:
  // The parts of a partition or of the building a change touched.
  enum Part { Description = 1, Conditions = 2, Layers = 4, Extras = 8, Identity = 16 };

  explicit Building(QObject* parent = nullptr);
  ~Building() override;

  const veltor::ProjectDescription& description() const { return description_; }
  int count() const { return int(partitions_.size()); }
  const Partition& at(int row) const { return *partitions_.at(row); }
  // -1 when no partition has that id.
  int rowOf(PartitionId id) const;
  const Partition* find(PartitionId id) const;
  PartitionId currentId() const { return current_; }
  const Partition& current() const { return *partitions_.at(rowOf(current_)); }
  // The symbol, or one made from the row for a partition that has none.
  QString label(PartitionId id) const;
  // The pass writes its per-layer figures into the records: no change.
  veltor::LayerTable& layersForResults(PartitionId id);

  QUndoStack& undoStack() { return undo_; }
  const QString& fileName() const { return fileName_; }
  bool isModified() const { return !undo_.isClean(); }

  // Navigation: no step, nothing modified.
  void setCurrent(PartitionId id);

  // Steps. A change to the value already held does nothing.
  void setDescriptionField(int index, const QString& text);
  void proposeDescriptionField(int index, const QString& text);
  // Adds a copy of `values` (a new id; a symbol proposed when it has none) at
  // `row` (-1: at the end) and makes it current. Returns its id.
  PartitionId addPartition(const veltor::PartitionContents& values, int row = -1);
  // A copy of the partition beside it, named as its variant.
  PartitionId duplicatePartition(PartitionId id);
  // The last partition cannot go: a building has at least one.
  void removePartition(PartitionId id);
  void movePartition(PartitionId id, int step);
  void setIdentity(PartitionId id, const veltor::PartitionIdentity& identity);

  // A partition's steps (the Project view forwards its change functions here).
  // Thickness and layer edits with the same non-zero `session` on the same
  // layer of the same partition merge into one step.
  void setConditions(PartitionId id, const veltor::DesignConditions& conditions);
  void insertLayer(PartitionId id, int index, const veltor::LayerRecord& record);
  void removeLayer(PartitionId id, int index);
  void moveLayer(PartitionId id, int index, int step);
  void setThickness(PartitionId id, int index, double thickness, int session = 0);
  void setLayer(PartitionId id, int index, const veltor::LayerRecord& record, int session = 0);
  void replaceLayers(PartitionId id, std::vector<veltor::LayerRecord> layers);
  void setMoisture(PartitionId id, const veltor::MoistureSettings& settings);
  // The partition on the ground; a partition of no kind yet takes the kind
  // its ground kind belongs to, in the same step.
  void setGround(PartitionId id, const veltor::GroundSettings& settings);
  void setDynamicsInReport(PartitionId id, bool on);

  // New: one empty partition with the current one's climate and requirement
  // (its corrections to U dropped); no file, nothing to undo.
  void startNew();
  // Open: the contents replace the building, the first partition current.
  void load(veltor::BuildingContents&& contents, const QString& fileName);
  void markSaved(const QString& fileName);
  // The partitions in order, for the file writer.
  std::vector<const veltor::PartitionContents*> contents() const;

  // The results of a partition, computed now if its data changed since.
  // Without reference tables (setReferenceTables) nothing is computed.
  const PartitionResults& results(PartitionId id);
  // The pass of partition `id` with layer `layer` `thickness` thick, nothing
  // changed: the figures the partition would have.
  PartitionResults resultsWithThickness(PartitionId id, int layer, double thickness) const;
  // The moisture assessment (moisture, moistureError) partition `id` would
  // have with other choices, over `layers` when given (the wizard's partition
  // while the layer table is empty), nothing changed: what the moisture
  // window shows before the project holds a choice of climate.
  // The figures on the ground (ground, or error) partition `id` would have
  // with other ground settings, nothing changed: what the ground window shows
  // of the values typed before they are committed.
  PartitionResults groundWith(PartitionId id, const veltor::GroundSettings& settings) const;
  PartitionResults moistureWith(PartitionId id, const veltor::MoistureSettings& settings,
                                const veltor::LayerTable* layers = nullptr) const;
  void setReferenceTables(const veltor::ReferenceTables* tables) { tables_ = tables; }
  // The pass over conditions and tables the caller holds, for a building given
  // none (a window made on its own, outside the program's window set): run at
  // every call, its summary kept as results() until the next call or change.
  // Raises the pass's error.
  const PartitionResults& resultsOver(PartitionId id, const veltor::DesignConditions& conditions,
                                      const veltor::ReferenceTables& tables,
                                      const veltor::NoticeCallback& notice);
  bool hasReferenceTables() const { return tables_ != nullptr; }

  // Applied by the steps; each emits one signal. Ids name partitions that exist.
  void applyDescriptionField(int index, const QString& text);
  void applyConditions(PartitionId id, const veltor::DesignConditions& conditions);
  void applyInsert(PartitionId id, int index, const veltor::LayerRecord& record);
  void applyRemove(PartitionId id, int index);
  void applyMove(PartitionId id, int from, int to);
  void applyThickness(PartitionId id, int index, double thickness);
  void applyLayer(PartitionId id, int index, const veltor::LayerRecord& record);
  void applyLayers(PartitionId id, const std::vector<veltor::LayerRecord>& layers);
  void applyExtras(PartitionId id, const veltor::ProjectExtras& extras);
  void applyIdentity(PartitionId id, const veltor::PartitionIdentity& identity);
  void applyInsertPartition(int row, const Partition& partition);
  void applyRemovePartition(PartitionId id);
  void applyMovePartition(int from, int to);
  // The text of a step of partition `id`: "SZ-1: grubość warstwy 3" when the
  // building has more than one partition.
  QString stepText(PartitionId id, const QString& what) const;

 Q_SIGNALS:
  void partitionChanged(PartitionId id, int parts);
  void descriptionChanged();
  // Partitions added, removed or reordered.
  void listChanged();
  void currentChanged(PartitionId id);
  // New or Open replaced the whole building; `parts` what a window must redraw.
  void reset(int parts);
  void fileStateChanged();

 private:
  Partition& partition(PartitionId id);
  void touched(PartitionId id, int parts);
  QString proposedSymbol(veltor::PartitionKind kind) const;

  veltor::ProjectDescription description_;
  std::vector<std::unique_ptr<Partition>> partitions_;
  std::map<PartitionId, PartitionResults> results_;
  PartitionId current_ = 0;
  PartitionId nextId_ = 1;
  QString fileName_;
  QUndoStack undo_;
  const veltor::ReferenceTables* tables_ = nullptr;
};
