// The project model and its undo commands. A command keeps the values it
// needs to redo and undo itself and the positions it acts on; the table may
// have been rebuilt in between, so nothing of it is ever held by address.
#include "model/project.h"

#include <QUndoCommand>

namespace {

enum CommandId { kDescriptionId = 1, kThicknessId = 2, kLayerId = 3 };

// Whether a step would change nothing: for a layer its inputs, never the
// results a calculation pass writes into the record.
bool Unchanged(const QString& a, const QString& b) {
  return a == b;
}
bool Unchanged(double a, double b) {
  return a == b;
}
bool Unchanged(const veltor::LayerRecord& a, const veltor::LayerRecord& b) {
  return a.name == b.name && a.fillPattern == b.fillPattern && a.density == b.density &&
         a.lambdaMedium == b.lambdaMedium && a.lambdaHumid == b.lambdaHumid &&
         a.vapourCoefficient == b.vapourCoefficient && a.specificHeat == b.specificHeat &&
         a.thickness == b.thickness && a.bridge == b.bridge;
}

class DescriptionCommand : public QUndoCommand {
 public:
  DescriptionCommand(Project& p, int index, QString before, QString after)
      : QUndoCommand(QStringLiteral("opis projektu")),
        p_(p),
        index_(index),
        before_(std::move(before)),
        after_(std::move(after)) {}
  void redo() override { p_.applyDescriptionField(index_, after_); }
  void undo() override { p_.applyDescriptionField(index_, before_); }
  int id() const override { return kDescriptionId; }
  bool mergeWith(const QUndoCommand* other) override {
    const auto* o = static_cast<const DescriptionCommand*>(other);
    if (o->index_ != index_) return false;
    after_ = o->after_;
    // Typed and then taken back within one box: no step at all.
    setObsolete(Unchanged(before_, after_));
    return true;
  }

 private:
  Project& p_;
  int index_;
  QString before_, after_;
};

class ConditionsCommand : public QUndoCommand {
 public:
  ConditionsCommand(Project& p, const veltor::DesignConditions& before, const veltor::DesignConditions& after)
      : QUndoCommand(QStringLiteral("warunki początkowe")), p_(p), before_(before), after_(after) {}
  void redo() override { p_.applyConditions(after_); }
  void undo() override { p_.applyConditions(before_); }

 private:
  Project& p_;
  veltor::DesignConditions before_, after_;
};

// Adding a layer and removing one are each other's undo.
class InsertCommand : public QUndoCommand {
 public:
  InsertCommand(Project& p, int index, const veltor::LayerRecord& record, bool remove, const QString& text)
      : QUndoCommand(text), p_(p), index_(index), record_(record), remove_(remove) {}
  void redo() override { remove_ ? p_.applyRemove(index_) : p_.applyInsert(index_, record_); }
  void undo() override { remove_ ? p_.applyInsert(index_, record_) : p_.applyRemove(index_); }

 private:
  Project& p_;
  int index_;
  veltor::LayerRecord record_;
  bool remove_;
};

class MoveCommand : public QUndoCommand {
 public:
  MoveCommand(Project& p, int from, int to)
      : QUndoCommand(QStringLiteral("przesunięcie warstwy")), p_(p), from_(from), to_(to) {}
  void redo() override { p_.applyMove(from_, to_); }
  void undo() override { p_.applyMove(to_, from_); }

 private:
  Project& p_;
  int from_, to_;
};

// One layer's value by position, before and after. Edits of one layer
// within one editing session (not 0) merge into one step.
template <typename Value, typename Arg, void (Project::*Apply)(int, Arg), int Id>
class LayerValueCommand : public QUndoCommand {
 public:
  LayerValueCommand(Project& p, const QString& text, int index, Value before, Value after, int session)
      : QUndoCommand(text),
        p_(p),
        index_(index),
        session_(session),
        before_(std::move(before)),
        after_(std::move(after)) {}
  void redo() override { (p_.*Apply)(index_, after_); }
  void undo() override { (p_.*Apply)(index_, before_); }
  int id() const override { return session_ != 0 ? Id : -1; }
  bool mergeWith(const QUndoCommand* other) override {
    const auto* o = static_cast<const LayerValueCommand*>(other);
    if (o->index_ != index_ || o->session_ != session_) return false;
    after_ = o->after_;
    setObsolete(Unchanged(before_, after_));
    return true;
  }

 private:
  Project& p_;
  int index_, session_;
  Value before_, after_;
};

using ThicknessCommand = LayerValueCommand<double, double, &Project::applyThickness, kThicknessId>;
using LayerCommand =
    LayerValueCommand<veltor::LayerRecord, const veltor::LayerRecord&, &Project::applyLayer, kLayerId>;

class LayersCommand : public QUndoCommand {
 public:
  LayersCommand(Project& p, std::vector<veltor::LayerRecord> before, std::vector<veltor::LayerRecord> after)
      : QUndoCommand(QStringLiteral("nowe warstwy")),
        p_(p),
        before_(std::move(before)),
        after_(std::move(after)) {}
  void redo() override { p_.applyLayers(after_); }
  void undo() override { p_.applyLayers(before_); }

 private:
  Project& p_;
  std::vector<veltor::LayerRecord> before_, after_;
};

class ExtrasCommand : public QUndoCommand {
 public:
  ExtrasCommand(Project& p, veltor::ProjectExtras before, veltor::ProjectExtras after)
      : QUndoCommand(QStringLiteral("ocena wilgotnościowa")),
        p_(p),
        before_(std::move(before)),
        after_(std::move(after)) {}
  void redo() override { p_.applyExtras(after_); }
  void undo() override { p_.applyExtras(before_); }

 private:
  Project& p_;
  veltor::ProjectExtras before_, after_;
};

}  // namespace

// The conditions stay all zero until the conditions window puts its starting
// values in (which it cannot when its catalogue fails to load).
Project::Project(QObject* parent) : QObject(parent) {
  undo_.setObjectName(QStringLiteral("UndoStack"));
  connect(&undo_, &QUndoStack::cleanChanged, this, &Project::fileStateChanged);
}

Project::~Project() = default;

void Project::setDescriptionField(int index, const QString& text) {
  if (index < 0 || index >= int(description_.size()) || description_[index] == text) return;
  undo_.push(new DescriptionCommand(*this, index, description_[index], text));
}

void Project::proposeDescriptionField(int index, const QString& text) {
  if (index < 0 || index >= int(description_.size()) || description_[index] == text) return;
  applyDescriptionField(index, text);
}

void Project::setConditions(const veltor::DesignConditions& conditions) {
  if (conditions == conditions_) return;
  undo_.push(new ConditionsCommand(*this, conditions_, conditions));
}

void Project::appendLayer(const veltor::LayerRecord& record) {
  undo_.push(new InsertCommand(*this, layers_.size(), record, false, QStringLiteral("dodanie warstwy")));
}

void Project::removeLayer(int index) {
  if (index < 0 || index >= layers_.size()) return;
  undo_.push(new InsertCommand(*this, index, layers_.at(index), true, QStringLiteral("usunięcie warstwy")));
}

void Project::moveLayer(int index, int step) {
  const int to = index + step;
  // One place at a time: the command's undo moves the layer back by one.
  if (index < 0 || index >= layers_.size() || to < 0 || to >= layers_.size() || (step != -1 && step != 1))
    return;
  undo_.push(new MoveCommand(*this, index, to));
}

void Project::setThickness(int index, double thickness, int session) {
  if (index < 0 || index >= layers_.size() || layers_.at(index).thickness == thickness) return;
  undo_.push(new ThicknessCommand(*this, QStringLiteral("grubość warstwy"), index,
                                  layers_.at(index).thickness, thickness, session));
}

void Project::setLayer(int index, const veltor::LayerRecord& record, int session) {
  if (index < 0 || index >= layers_.size() || Unchanged(layers_.at(index), record)) return;
  undo_.push(
      new LayerCommand(*this, QStringLiteral("wartości warstwy"), index, layers_.at(index), record, session));
}

void Project::replaceLayers(std::vector<veltor::LayerRecord> layers) {
  if (layers.empty() && layers_.empty()) return;
  undo_.push(new LayersCommand(*this, layerValues(), std::move(layers)));
}

void Project::setMoisture(const veltor::MoistureSettings& settings) {
  if (settings == extras_.moisture) return;
  veltor::ProjectExtras after = extras_;
  after.moisture = settings;
  undo_.push(new ExtrasCommand(*this, extras_, std::move(after)));
}

void Project::setGround(const veltor::GroundSettings& settings) {
  if (settings == extras_.ground) return;
  veltor::ProjectExtras after = extras_;
  after.ground = settings;
  undo_.push(new ExtrasCommand(*this, extras_, std::move(after)));
}

void Project::startNew() {
  undo_.clear();
  description_ = {};
  layers_.clear();
  extras_ = {};
  // The climate and the requirement carry over to the next partition; the
  // corrections to U belong to the wall they were entered for.
  Parts parts(Description | Layers | Extras);
  if (conditions_.corrections != veltor::UCorrections{}) {
    conditions_.corrections = {};
    parts |= Conditions;
  }
  const bool named = !fileName_.isEmpty();
  fileName_.clear();
  Q_EMIT changed(parts);
  Q_EMIT replaced();
  if (named) Q_EMIT fileStateChanged();
}

void Project::load(veltor::ProjectContents&& contents, const QString& fileName) {
  undo_.clear();
  description_ = std::move(contents.description);
  conditions_ = contents.conditions;
  layers_.clear();
  for (auto& record : contents.layers.takeAll()) layers_.AppendLayer(std::move(record));
  extras_ = std::move(contents.extras);
  fileName_ = fileName;
  Q_EMIT changed(kEverything);
  Q_EMIT replaced();
  Q_EMIT fileStateChanged();
}

void Project::markSaved(const QString& fileName) {
  const bool renamed = fileName != fileName_;
  fileName_ = fileName;
  const bool wasClean = undo_.isClean();
  undo_.setClean();
  // setClean reports only a change of the clean state; a new name needs telling too.
  if (renamed && wasClean) Q_EMIT fileStateChanged();
}

void Project::applyDescriptionField(int index, const QString& text) {
  description_[index] = text;
  Q_EMIT changed(Description);
}

void Project::applyConditions(const veltor::DesignConditions& conditions) {
  conditions_ = conditions;
  Q_EMIT changed(Conditions);
}

void Project::applyInsert(int index, const veltor::LayerRecord& record) {
  layers_.InsertLayer(index, record);
  Q_EMIT changed(Layers);
}

void Project::applyRemove(int index) {
  layers_.RemoveLayer(index);
  Q_EMIT changed(Layers);
}

void Project::applyMove(int from, int to) {
  if (to < from)
    layers_.MoveLayerInward(from);
  else
    layers_.MoveLayerOutward(from);
  Q_EMIT changed(Layers);
}

void Project::applyThickness(int index, double thickness) {
  layers_.at(index).thickness = thickness;
  Q_EMIT changed(Layers);
}

void Project::applyLayer(int index, const veltor::LayerRecord& record) {
  // Assigned in place: the record stays where it is on the heap.
  layers_.at(index) = record;
  Q_EMIT changed(Layers);
}

void Project::applyLayers(const std::vector<veltor::LayerRecord>& layers) {
  layers_.clear();
  for (const veltor::LayerRecord& record : layers) layers_.AppendLayer(record);
  Q_EMIT changed(Layers);
}

void Project::applyExtras(const veltor::ProjectExtras& extras) {
  extras_ = extras;
  Q_EMIT changed(Extras);
}

std::vector<veltor::LayerRecord> Project::layerValues() const {
  std::vector<veltor::LayerRecord> values;
  values.reserve(layers_.size());
  for (int i = 0; i < layers_.size(); ++i) values.push_back(layers_.at(i));
  return values;
}
