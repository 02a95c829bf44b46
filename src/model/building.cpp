// The building and its undo steps. A step keeps the values it needs to redo
// and undo itself, the partition's id and the positions it acts on; the
// partition may have been moved, removed and restored in between, so nothing
// of it is ever held by address.
#include "model/building.h"

#include <QUndoCommand>
#include <algorithm>
#include <cmath>
#include <concepts>

#include "calc/errors.h"
#include "calc/moisture.h"
#include "project/moisturerequest.h"

namespace {

using veltor::LayerRecord;

enum CommandId { kDescriptionId = 1, kThicknessId = 2, kLayerId = 3, kIdentityId = 4 };

template <typename T>
bool Unchanged(const T& a, const T& b) {
  if constexpr (std::equality_comparable<T>)
    return a == b;
  else
    return false;
}
// A layer's inputs, never the results a calculation pass writes into the record.
bool Unchanged(const LayerRecord& a, const LayerRecord& b) {
  return a.name == b.name && a.fillPattern == b.fillPattern && a.density == b.density &&
         a.lambdaMedium == b.lambdaMedium && a.lambdaHumid == b.lambdaHumid &&
         a.vapourCoefficient == b.vapourCoefficient && a.specificHeat == b.specificHeat &&
         a.thickness == b.thickness && a.bridge == b.bridge;
}
bool Unchanged(const std::vector<LayerRecord>& a, const std::vector<LayerRecord>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const LayerRecord& x, const LayerRecord& y) { return Unchanged(x, y); });
}

// A step of one partition. Undone, or redone from the history, it first makes
// its partition current; the first redo is the change itself, made where the
// user is.
class PartitionStep : public QUndoCommand {
 public:
  PartitionStep(Building& b, PartitionId id, const QString& what)
      : QUndoCommand(b.stepText(id, what)), b_(b), id_(id) {}
  void redo() final {
    if (done_) b_.setCurrent(id_);
    done_ = true;
    apply(true);
  }
  void undo() final {
    b_.setCurrent(id_);
    apply(false);
  }

 protected:
  virtual void apply(bool forward) = 0;
  Building& b_;
  PartitionId id_;

 private:
  bool done_ = false;
};

// A whole value of a partition before and after.
template <typename Value, void (Building::*Apply)(PartitionId, const Value&)>
class ValueStep : public PartitionStep {
 public:
  ValueStep(Building& b, PartitionId id, const QString& what, Value before, Value after, int mergeId = -1)
      : PartitionStep(b, id, what), before_(std::move(before)), after_(std::move(after)), mergeId_(mergeId) {}
  int id() const override { return mergeId_; }
  bool mergeWith(const QUndoCommand* other) override {
    const auto* o = static_cast<const ValueStep*>(other);
    if (o->id_ != id_) return false;
    after_ = o->after_;
    setObsolete(Unchanged(before_, after_));
    return true;
  }

 protected:
  void apply(bool forward) override { (b_.*Apply)(id_, forward ? after_ : before_); }

 private:
  Value before_, after_;
  int mergeId_;
};

using ConditionsStep = ValueStep<veltor::DesignConditions, &Building::applyConditions>;
using LayersStep = ValueStep<std::vector<LayerRecord>, &Building::applyLayers>;
using ExtrasStep = ValueStep<veltor::ProjectExtras, &Building::applyExtras>;
using IdentityStep = ValueStep<veltor::PartitionIdentity, &Building::applyIdentity>;

// Adding a layer and removing one are each other's undo.
class InsertStep : public PartitionStep {
 public:
  InsertStep(Building& b, PartitionId id, int index, const LayerRecord& record, bool remove,
             const QString& what)
      : PartitionStep(b, id, what), index_(index), record_(record), remove_(remove) {}

 protected:
  void apply(bool forward) override {
    if (forward != remove_)
      b_.applyInsert(id_, index_, record_);
    else
      b_.applyRemove(id_, index_);
  }

 private:
  int index_;
  LayerRecord record_;
  bool remove_;
};

class MoveStep : public PartitionStep {
 public:
  MoveStep(Building& b, PartitionId id, int from, int to)
      : PartitionStep(b, id, QStringLiteral("przesunięcie warstwy %1").arg(from + 1)), from_(from), to_(to) {}

 protected:
  void apply(bool forward) override {
    forward ? b_.applyMove(id_, from_, to_) : b_.applyMove(id_, to_, from_);
  }

 private:
  int from_, to_;
};

// One layer's value by position. Edits of one layer within one editing
// session (not 0) merge into one step.
template <typename Value, typename Arg, void (Building::*Apply)(PartitionId, int, Arg), int Id>
class LayerValueStep : public PartitionStep {
 public:
  LayerValueStep(Building& b, PartitionId id, const QString& what, int index, Value before, Value after,
                 int session)
      : PartitionStep(b, id, what.arg(index + 1)),
        index_(index),
        session_(session),
        before_(std::move(before)),
        after_(std::move(after)) {}
  int id() const override { return session_ != 0 ? Id : -1; }
  bool mergeWith(const QUndoCommand* other) override {
    const auto* o = static_cast<const LayerValueStep*>(other);
    if (o->id_ != id_ || o->index_ != index_ || o->session_ != session_) return false;
    after_ = o->after_;
    setObsolete(Unchanged(before_, after_));
    return true;
  }

 protected:
  void apply(bool forward) override { (b_.*Apply)(id_, index_, forward ? after_ : before_); }

 private:
  int index_, session_;
  Value before_, after_;
};

using ThicknessStep = LayerValueStep<double, double, &Building::applyThickness, kThicknessId>;
using LayerStep = LayerValueStep<LayerRecord, const LayerRecord&, &Building::applyLayer, kLayerId>;

class DescriptionStep : public QUndoCommand {
 public:
  DescriptionStep(Building& b, int index, QString before, QString after)
      : QUndoCommand(QStringLiteral("opis projektu")),
        b_(b),
        index_(index),
        before_(std::move(before)),
        after_(std::move(after)) {}
  void redo() override { b_.applyDescriptionField(index_, after_); }
  void undo() override { b_.applyDescriptionField(index_, before_); }
  int id() const override { return kDescriptionId; }
  bool mergeWith(const QUndoCommand* other) override {
    const auto* o = static_cast<const DescriptionStep*>(other);
    if (o->index_ != index_) return false;
    after_ = o->after_;
    // Typed and then taken back within one box: no step at all.
    setObsolete(Unchanged(before_, after_));
    return true;
  }

 private:
  Building& b_;
  int index_;
  QString before_, after_;
};

// Adding a partition and removing one are each other's undo; the step holds
// the partition's values and id, so a restored partition is the one removed.
class PartitionListStep : public QUndoCommand {
 public:
  PartitionListStep(Building& b, int row, Partition partition, bool remove, const QString& text)
      : QUndoCommand(text), b_(b), row_(row), partition_(std::move(partition)), remove_(remove) {}
  void redo() override { remove_ ? take() : put(); }
  void undo() override { remove_ ? put() : take(); }

 private:
  void put() {
    b_.applyInsertPartition(row_, partition_);
    b_.setCurrent(partition_.id);
  }
  void take() {
    // The values as they are now: steps after this one may have changed them
    // and are undone before it, so this is what they left.
    partition_ = *b_.find(partition_.id);
    b_.applyRemovePartition(partition_.id);
  }
  Building& b_;
  int row_;
  Partition partition_;
  bool remove_;
};

class MovePartitionStep : public QUndoCommand {
 public:
  MovePartitionStep(Building& b, int from, int to, const QString& text)
      : QUndoCommand(text), b_(b), from_(from), to_(to) {}
  void redo() override { b_.applyMovePartition(from_, to_); }
  void undo() override { b_.applyMovePartition(to_, from_); }

 private:
  Building& b_;
  int from_, to_;
};

std::vector<LayerRecord> Values(const veltor::LayerTable& layers) {
  std::vector<LayerRecord> values;
  values.reserve(layers.size());
  for (int i = 0; i < layers.size(); ++i) values.push_back(layers.at(i));
  return values;
}

}  // namespace

// The conditions stay all zero until the conditions window puts its starting
// values in (which it cannot when its catalogue fails to load).
Building::Building(QObject* parent) : QObject(parent) {
  undo_.setObjectName(QStringLiteral("UndoStack"));
  connect(&undo_, &QUndoStack::cleanChanged, this, &Building::fileStateChanged);
  auto first = std::make_unique<Partition>();
  first->id = current_ = nextId_++;
  partitions_.push_back(std::move(first));
}

Building::~Building() = default;

int Building::rowOf(PartitionId id) const {
  for (int row = 0; row < count(); ++row)
    if (partitions_[row]->id == id) return row;
  return -1;
}

const Partition* Building::find(PartitionId id) const {
  const int row = rowOf(id);
  return row < 0 ? nullptr : partitions_[row].get();
}

Partition& Building::partition(PartitionId id) {
  return *partitions_.at(rowOf(id));
}

QString Building::label(PartitionId id) const {
  const int row = rowOf(id);
  if (row < 0) return {};
  const QString& symbol = partitions_[row]->identity.symbol;
  return symbol.isEmpty() ? QStringLiteral("przegroda %1").arg(row + 1) : symbol;
}

QString Building::stepText(PartitionId id, const QString& what) const {
  return count() > 1 ? QStringLiteral("%1: %2").arg(label(id), what) : what;
}

veltor::LayerTable& Building::layersForResults(PartitionId id) {
  return partition(id).layers;
}

void Building::setCurrent(PartitionId id) {
  if (id == current_ || rowOf(id) < 0) return;
  current_ = id;
  Q_EMIT currentChanged(id);
}

void Building::setDescriptionField(int index, const QString& text) {
  if (index < 0 || index >= int(description_.size()) || description_[index] == text) return;
  undo_.push(new DescriptionStep(*this, index, description_[index], text));
}

void Building::proposeDescriptionField(int index, const QString& text) {
  if (index < 0 || index >= int(description_.size()) || description_[index] == text) return;
  applyDescriptionField(index, text);
}

QString Building::proposedSymbol(veltor::PartitionKind kind) const {
  const QString prefix = QString::fromLatin1(veltor::KindInfo(kind).prefix);
  for (int n = 1;; ++n) {
    const QString symbol = QStringLiteral("%1-%2").arg(prefix).arg(n);
    if (std::none_of(partitions_.begin(), partitions_.end(),
                     [&](const auto& p) { return p->identity.symbol == symbol; }))
      return symbol;
  }
}

PartitionId Building::addPartition(const veltor::PartitionContents& values, int row) {
  if (count() >= veltor::kMaxPartitions) return 0;
  Partition p;
  static_cast<veltor::PartitionContents&>(p) = values;
  p.id = nextId_++;
  if (p.identity.symbol.isEmpty()) p.identity.symbol = proposedSymbol(p.identity.kind);
  if (row < 0 || row > count()) row = count();
  const QString text = QStringLiteral("dodanie przegrody %1").arg(p.identity.symbol);
  const PartitionId id = p.id;
  undo_.push(new PartitionListStep(*this, row, std::move(p), false, text));
  return id;
}

PartitionId Building::duplicatePartition(PartitionId id) {
  const Partition* source = find(id);
  if (!source) return 0;
  veltor::PartitionContents copy = *source;
  copy.identity.symbol.clear();
  copy.identity.name = copy.identity.name.isEmpty() ? QStringLiteral("wariant %1").arg(label(id))
                                                    : QStringLiteral("%1 (wariant)").arg(copy.identity.name);
  return addPartition(copy, rowOf(id) + 1);
}

void Building::removePartition(PartitionId id) {
  const int row = rowOf(id);
  if (row < 0 || count() < 2) return;
  undo_.push(new PartitionListStep(*this, row, *partitions_[row], true,
                                   QStringLiteral("usunięcie przegrody %1").arg(label(id))));
}

void Building::movePartition(PartitionId id, int step) {
  const int from = rowOf(id);
  const int to = from + step;
  if (from < 0 || to < 0 || to >= count() || (step != -1 && step != 1)) return;
  undo_.push(
      new MovePartitionStep(*this, from, to, QStringLiteral("przesunięcie przegrody %1").arg(label(id))));
}

void Building::setIdentity(PartitionId id, const veltor::PartitionIdentity& identity) {
  const Partition* p = find(id);
  if (!p || p->identity == identity) return;
  undo_.push(
      new IdentityStep(*this, id, QStringLiteral("opis przegrody"), p->identity, identity, kIdentityId));
}

void Building::setConditions(PartitionId id, const veltor::DesignConditions& conditions) {
  const Partition* p = find(id);
  if (!p || p->conditions == conditions) return;
  undo_.push(new ConditionsStep(*this, id, QStringLiteral("warunki początkowe"), p->conditions, conditions));
}

void Building::insertLayer(PartitionId id, int index, const LayerRecord& record) {
  const Partition* p = find(id);
  if (!p) return;
  index = std::clamp(index, 0, p->layers.size());
  undo_.push(
      new InsertStep(*this, id, index, record, false, QStringLiteral("dodanie warstwy %1").arg(index + 1)));
}

void Building::removeLayer(PartitionId id, int index) {
  const Partition* p = find(id);
  if (!p || index < 0 || index >= p->layers.size()) return;
  undo_.push(new InsertStep(*this, id, index, p->layers.at(index), true,
                            QStringLiteral("usunięcie warstwy %1").arg(index + 1)));
}

void Building::moveLayer(PartitionId id, int index, int step) {
  const Partition* p = find(id);
  if (!p) return;
  const int to = index + step;
  // One place at a time: the step's undo moves the layer back by one.
  if (index < 0 || index >= p->layers.size() || to < 0 || to >= p->layers.size() || (step != -1 && step != 1))
    return;
  undo_.push(new MoveStep(*this, id, index, to));
}

void Building::setThickness(PartitionId id, int index, double thickness, int session) {
  const Partition* p = find(id);
  if (!p || index < 0 || index >= p->layers.size() || p->layers.at(index).thickness == thickness) return;
  undo_.push(new ThicknessStep(*this, id, QStringLiteral("grubość warstwy %1"), index,
                               p->layers.at(index).thickness, thickness, session));
}

void Building::setLayer(PartitionId id, int index, const LayerRecord& record, int session) {
  const Partition* p = find(id);
  if (!p || index < 0 || index >= p->layers.size() || Unchanged(p->layers.at(index), record)) return;
  undo_.push(new LayerStep(*this, id, QStringLiteral("wartości warstwy %1"), index, p->layers.at(index),
                           record, session));
}

void Building::replaceLayers(PartitionId id, std::vector<LayerRecord> layers) {
  const Partition* p = find(id);
  if (!p || (layers.empty() && p->layers.empty())) return;
  undo_.push(new LayersStep(*this, id, QStringLiteral("nowe warstwy"), Values(p->layers), std::move(layers)));
}

void Building::setMoisture(PartitionId id, const veltor::MoistureSettings& settings) {
  const Partition* p = find(id);
  if (!p || settings == p->extras.moisture) return;
  veltor::ProjectExtras after = p->extras;
  after.moisture = settings;
  undo_.push(new ExtrasStep(*this, id, QStringLiteral("ocena wilgotnościowa"), p->extras, std::move(after)));
}

void Building::setGround(PartitionId id, const veltor::GroundSettings& settings) {
  const Partition* p = find(id);
  if (!p || settings == p->extras.ground) return;
  veltor::ProjectExtras after = p->extras;
  after.ground = settings;
  const bool kindToo = settings.onGround() && p->identity.kind == veltor::PartitionKind::Unspecified;
  if (kindToo) undo_.beginMacro(stepText(id, QStringLiteral("przegroda na gruncie")));
  undo_.push(new ExtrasStep(*this, id, QStringLiteral("przegroda na gruncie"), p->extras, std::move(after)));
  if (kindToo) {
    veltor::PartitionIdentity identity = p->identity;
    identity.kind = veltor::PartitionKindOfGround(settings.kind);
    setIdentity(id, identity);
    undo_.endMacro();
  }
}

void Building::setDynamicsInReport(PartitionId id, bool on) {
  const Partition* p = find(id);
  if (!p || on == p->extras.dynamicsInReport) return;
  veltor::ProjectExtras after = p->extras;
  after.dynamicsInReport = on;
  undo_.push(new ExtrasStep(*this, id, QStringLiteral("raport projektowy"), p->extras, std::move(after)));
}

void Building::startNew() {
  undo_.clear();
  // The climate and the requirement carry over to the next partition; the
  // corrections to U belong to the wall they were entered for.
  const Partition& was = current();
  auto fresh = std::make_unique<Partition>();
  fresh->conditions = was.conditions;
  fresh->conditions.corrections = {};
  int parts = Description | Layers | Extras | Identity;
  if (was.conditions.corrections != veltor::UCorrections{} || count() > 1) parts |= Conditions;
  fresh->id = nextId_++;
  current_ = fresh->id;
  partitions_.clear();
  partitions_.push_back(std::move(fresh));
  results_.clear();
  description_ = {};
  const bool named = !fileName_.isEmpty();
  fileName_.clear();
  Q_EMIT listChanged();
  Q_EMIT reset(parts);
  if (named) Q_EMIT fileStateChanged();
}

void Building::load(veltor::BuildingContents&& contents, const QString& fileName) {
  undo_.clear();
  description_ = std::move(contents.description);
  partitions_.clear();
  results_.clear();
  for (veltor::PartitionContents& values : contents.partitions) {
    auto p = std::make_unique<Partition>();
    static_cast<veltor::PartitionContents&>(*p) = std::move(values);
    p->id = nextId_++;
    partitions_.push_back(std::move(p));
  }
  if (partitions_.empty()) {
    partitions_.push_back(std::make_unique<Partition>());
    partitions_.back()->id = nextId_++;
  }
  current_ = partitions_.front()->id;
  fileName_ = fileName;
  Q_EMIT listChanged();
  Q_EMIT reset(Description | Conditions | Layers | Extras | Identity);
  Q_EMIT fileStateChanged();
}

void Building::markSaved(const QString& fileName) {
  const bool renamed = fileName != fileName_;
  fileName_ = fileName;
  const bool wasClean = undo_.isClean();
  undo_.setClean();
  // setClean reports only a change of the clean state; a new name needs telling too.
  if (renamed && wasClean) Q_EMIT fileStateChanged();
}

std::vector<const veltor::PartitionContents*> Building::contents() const {
  std::vector<const veltor::PartitionContents*> all;
  for (const auto& p : partitions_) all.push_back(p.get());
  return all;
}

std::optional<bool> PartitionResults::meetsMoisture() const {
  if (!moisture) return std::nullopt;
  return moisture->saturatedMonth < 0 && moisture->meetsCriticalFactor &&
         moisture->verdict != veltor::InterstitialVerdict::Accumulates;
}

namespace {

// The assessment of `settings` over `layers`, into `r`. It needs none of the
// pass's figures, so a partition the pass refuses, or one without layers (the
// core says so), is assessed as the moisture window always assessed it.
void AssessSaved(PartitionResults& r, const veltor::LayerTable& layers,
                 const veltor::MoistureSettings& settings, const veltor::PartitionContents& p,
                 const veltor::ReferenceTables& tables) {
  // Under a floor on the ground lies the ground, not the climate's outdoor air.
  if (p.extras.ground.onGround()) return;
  const veltor::MoistureRequest request = veltor::MoistureRequestOf(settings, p.conditions);
  if (request.state == veltor::MoistureRequest::State::Refused) r.moistureError = request.refusal;
  if (request.state != veltor::MoistureRequest::State::Ready) return;
  try {
    r.moisture = veltor::AssessMoisture(layers, request.input, tables.air);
  } catch (const veltor::Error& e) {
    r.moistureError = e.message();
  }
}

// The partition's pass and its figures from its values alone, without the
// moisture assessment and the dynamics for a `trial` (a thickness tried, not
// made). The pass writes its per-layer figures into `layers`, the partition's
// own records or a copy of them.
PartitionResults Evaluate(veltor::LayerTable& layers, const veltor::PartitionContents& p,
                          const veltor::ReferenceTables& tables, bool trial) {
  PartitionResults r;
  // A partition that cannot be computed (a bridge without values, say) keeps
  // the reason; its neighbours' results are unaffected.
  try {
    veltor::CalculatePartition(layers, r.summary, p.conditions, tables,
                               [&r](const QString& text) { r.notice = text; });
  } catch (const veltor::Error& e) {
    r.summary = {};
    r.error = e.message();
    r.failure = std::current_exception();
  }
  // As the moisture assessment takes it: the layers' resistance between the
  // mould check's Rsi and the Rse in force.
  const double resistance = r.summary.totalResistance - p.conditions.rsi;
  r.fRsi = layers.empty() || !r.error.isEmpty() ? std::nan("")
                                                : 1.0 - veltor::kMouldRsi / (veltor::kMouldRsi + resistance);
  r.meetsFRsi = r.fRsi >= veltor::kSimplifiedFRsiThreshold;
  const int counted = r.summary.transmittance.firstIgnoredLayer;
  for (int i = 0; i < layers.size(); ++i) {
    const LayerRecord& layer = layers.at(i);
    r.mass += layer.density * layer.thickness;
    if (counted >= 0 && i >= counted) continue;
    // As the assessment counts them: air and "max" hold back no vapour, 0 all of it.
    if (layer.isAirLayer() || std::isinf(layer.vapourCoefficient)) continue;
    r.sd += veltor::EquivalentAirThickness(layer).value_or(INFINITY);
  }
  if (p.extras.ground.onGround() && r.error.isEmpty()) {
    try {
      r.ground = veltor::EvaluateGround(layers, p.conditions, tables.air, p.extras.ground);
    } catch (const veltor::Error& e) {
      r.error = e.message();
    }
  }
  r.computed = true;
  if (trial) return r;
  AssessSaved(r, layers, p.extras.moisture, p, tables);
  if (!r.error.isEmpty() || layers.empty()) return r;
  try {
    r.dynamic = veltor::DynamicCharacteristics(layers, p.conditions, tables.air);
  } catch (const veltor::Error& e) {
    r.dynamicError = e.message();
  }
  return r;
}

}  // namespace

const PartitionResults& Building::results(PartitionId id) {
  PartitionResults& r = results_[id];
  if (r.computed || !tables_ || rowOf(id) < 0) return r;
  // The windows draw the per-layer figures from the partition's own records.
  Partition& p = partition(id);
  r = Evaluate(p.layers, p, *tables_, false);
  return r;
}

const PartitionResults& Building::resultsOver(PartitionId id, const veltor::DesignConditions& conditions,
                                              const veltor::ReferenceTables& tables,
                                              const veltor::NoticeCallback& notice) {
  PartitionResults& r = results_[id];
  // Not marked computed: the conditions are the caller's, so the next call runs again.
  veltor::CalculatePartition(layersForResults(id), r.summary, conditions, tables, notice);
  return r;
}

PartitionResults Building::resultsWithThickness(PartitionId id, int layer, double thickness) const {
  const Partition* p = find(id);
  if (!p || !tables_ || layer < 0 || layer >= p->layers.size()) return {};
  veltor::LayerTable layers = p->layers.copy();
  layers.at(layer).thickness = thickness;
  return Evaluate(layers, *p, *tables_, true);
}

PartitionResults Building::groundWith(PartitionId id, const veltor::GroundSettings& settings) const {
  PartitionResults r;
  const Partition* p = find(id);
  if (!p || !tables_) return r;
  try {
    r.ground = veltor::EvaluateGround(p->layers, p->conditions, tables_->air, settings);
  } catch (const veltor::Error& e) {
    r.error = e.message();
  }
  r.computed = true;
  return r;
}

PartitionResults Building::moistureWith(PartitionId id, const veltor::MoistureSettings& settings,
                                        const veltor::LayerTable* layers) const {
  PartitionResults r;
  const Partition* p = find(id);
  if (!p || !tables_) return r;
  AssessSaved(r, layers ? *layers : p->layers, settings, *p, *tables_);
  r.computed = true;
  return r;
}

void Building::touched(PartitionId id, int parts) {
  if (parts & (Conditions | Layers | Extras)) results_.erase(id);
  Q_EMIT partitionChanged(id, parts);
}

void Building::applyDescriptionField(int index, const QString& text) {
  description_[index] = text;
  Q_EMIT descriptionChanged();
}

void Building::applyConditions(PartitionId id, const veltor::DesignConditions& conditions) {
  partition(id).conditions = conditions;
  touched(id, Conditions);
}

void Building::applyInsert(PartitionId id, int index, const LayerRecord& record) {
  partition(id).layers.InsertLayer(index, record);
  touched(id, Layers);
}

void Building::applyRemove(PartitionId id, int index) {
  partition(id).layers.RemoveLayer(index);
  touched(id, Layers);
}

void Building::applyMove(PartitionId id, int from, int to) {
  veltor::LayerTable& layers = partition(id).layers;
  if (to < from)
    layers.MoveLayerInward(from);
  else
    layers.MoveLayerOutward(from);
  touched(id, Layers);
}

void Building::applyThickness(PartitionId id, int index, double thickness) {
  partition(id).layers.at(index).thickness = thickness;
  touched(id, Layers);
}

void Building::applyLayer(PartitionId id, int index, const LayerRecord& record) {
  // Assigned in place: the record stays where it is on the heap.
  partition(id).layers.at(index) = record;
  touched(id, Layers);
}

void Building::applyLayers(PartitionId id, const std::vector<LayerRecord>& layers) {
  veltor::LayerTable& table = partition(id).layers;
  table.clear();
  for (const LayerRecord& record : layers) table.AppendLayer(record);
  touched(id, Layers);
}

void Building::applyExtras(PartitionId id, const veltor::ProjectExtras& extras) {
  partition(id).extras = extras;
  touched(id, Extras);
}

void Building::applyIdentity(PartitionId id, const veltor::PartitionIdentity& identity) {
  partition(id).identity = identity;
  touched(id, Identity);
}

void Building::applyInsertPartition(int row, const Partition& values) {
  auto p = std::make_unique<Partition>(values);
  partitions_.insert(partitions_.begin() + std::clamp(row, 0, count()), std::move(p));
  Q_EMIT listChanged();
}

void Building::applyRemovePartition(PartitionId id) {
  const int row = rowOf(id);
  partitions_.erase(partitions_.begin() + row);
  results_.erase(id);
  // The neighbour that took its place (or the one before the last) is current
  // now, before anyone told of the list asks for the current one.
  const bool wasCurrent = id == current_;
  if (wasCurrent) current_ = partitions_.at(std::min(row, count() - 1))->id;
  Q_EMIT listChanged();
  if (wasCurrent) Q_EMIT currentChanged(current_);
}

void Building::applyMovePartition(int from, int to) {
  std::swap(partitions_.at(from), partitions_.at(to));
  Q_EMIT listChanged();
}
