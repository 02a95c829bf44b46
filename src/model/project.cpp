// The view of the building's current partition that the windows hold.
#include "model/project.h"

#include <QScopeGuard>

Project::Project(QObject* parent)
    : QObject(parent), owned_(std::make_unique<Building>()), building_(owned_.get()) {
  connectBuilding();
}

Project::Project(Building& building, QObject* parent) : QObject(parent), building_(&building) {
  connectBuilding();
}

Project::~Project() = default;

void Project::connectBuilding() {
  connect(building_, &Building::partitionChanged, this, [this](PartitionId id, int parts) {
    // A change of the partition's symbol or name alone is none of the view's.
    const Parts view = Parts::fromInt(parts & kEverything.toInt());
    if (id == currentId() && view) Q_EMIT changed(view);
  });
  connect(building_, &Building::descriptionChanged, this, [this] { Q_EMIT changed(Description); });
  connect(building_, &Building::currentChanged, this, [this] {
    Q_EMIT changed(kEverything);
    Q_EMIT replaced();
  });
  connect(building_, &Building::reset, this, [this](int parts) {
    Q_EMIT changed(Parts::fromInt(parts & kEverything.toInt()));
    Q_EMIT replaced();
  });
  connect(building_, &Building::fileStateChanged, this, &Project::fileStateChanged);
}

void Project::setDescriptionField(int index, const QString& text) {
  building_->setDescriptionField(index, text);
}

void Project::proposeDescriptionField(int index, const QString& text) {
  building_->proposeDescriptionField(index, text);
}

void Project::setConditions(const veltor::DesignConditions& conditions) {
  building_->setConditions(currentId(), conditions);
}

void Project::appendLayer(const veltor::LayerRecord& record) {
  building_->insertLayer(currentId(), layers().size(), record);
}

void Project::removeLayer(int index) {
  building_->removeLayer(currentId(), index);
}

void Project::moveLayer(int index, int step) {
  building_->moveLayer(currentId(), index, step);
}

void Project::setThickness(int index, double thickness, int session) {
  building_->setThickness(currentId(), index, thickness, session);
}

void Project::setLayer(int index, const veltor::LayerRecord& record, int session) {
  building_->setLayer(currentId(), index, record, session);
}

void Project::replaceLayers(std::vector<veltor::LayerRecord> layers) {
  building_->replaceLayers(currentId(), std::move(layers));
}

void Project::setMoisture(const veltor::MoistureSettings& settings) {
  building_->setMoisture(currentId(), settings);
}

void Project::setGround(const veltor::GroundSettings& settings) {
  building_->setGround(currentId(), settings);
}

void Project::setDynamicsInReport(bool on) {
  building_->setDynamicsInReport(currentId(), on);
}

void Project::startNew() {
  building_->startNew();
}

void Project::load(veltor::ProjectContents&& contents, const QString& fileName) {
  building_->load(veltor::BuildingOf(std::move(contents)), fileName);
}

void Project::loadBuilding(veltor::BuildingContents&& contents, const QString& fileName) {
  building_->load(std::move(contents), fileName);
}

void Project::markSaved(const QString& fileName) {
  building_->markSaved(fileName);
}

void Project::applyConditions(const veltor::DesignConditions& conditions) {
  building_->applyConditions(currentId(), conditions);
}

void Project::setWizardLayers(veltor::LayerTable&& layers) {
  wizard_ = std::move(layers);
  Q_EMIT wizardChanged();
}

void Project::clearWizardLayers() {
  wizard_.clear();
  Q_EMIT wizardChanged();
}

void Project::adoptWizardLayers(const veltor::UCorrections& corrections) {
  std::vector<veltor::LayerRecord> values;
  for (auto& record : wizard_.takeAll()) values.push_back(std::move(*record));
  {
    undoStack().beginMacro(QStringLiteral("Przegroda z kreatora"));
    const auto close = qScopeGuard([this] { undoStack().endMacro(); });
    veltor::DesignConditions c = conditions();
    c.corrections = corrections;
    setConditions(c);
    replaceLayers(std::move(values));
  }
  Q_EMIT wizardChanged();
}

Project::ResultSource Project::resultSource() const {
  if (!layers().empty()) return ResultSource::Partition;
  if (!wizard_.empty()) return ResultSource::Wizard;
  return ResultSource::None;
}

const veltor::LayerTable& Project::resultLayers() const {
  switch (resultSource()) {
    case ResultSource::Partition:
      return layers();
    case ResultSource::Wizard:
      return wizard_;
    case ResultSource::None:
      break;
  }
  static const veltor::LayerTable kNoLayers;
  return kNoLayers;
}
