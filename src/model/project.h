// The project: the one place that holds what a project file holds (the
// description, the design conditions, the layer table and the extras such as
// the moisture window's choices), the file it came from and whether it still
// equals that file.
//
// Data flow: a window asks for a change through one of the change functions;
// each becomes one QUndoCommand on undoStack() holding values and indices (the
// layer it touches by position, the values before and after), never pointers
// into the table. Doing or undoing a command changes the data and emits
// changed() once with the parts it touched; the windows redraw from the model
// in their handlers of that signal. New and Open replace the whole project and
// clear the stack. The stack's clean state is the file's state, so undoing back
// to a save clears the modified mark.
#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <vector>

#include "calc/conditions.h"
#include "calc/layer.h"
#include "project/extension.h"
#include "project/projectfile.h"

class Project : public QObject {
  Q_OBJECT
 public:
  enum Part { Description = 1, Conditions = 2, Layers = 4, Extras = 8 };
  Q_DECLARE_FLAGS(Parts, Part)
  Q_FLAG(Parts)
  static constexpr Parts kEverything = Parts(Description | Conditions | Layers | Extras);

  explicit Project(QObject* parent = nullptr);
  ~Project() override;

  const veltor::ProjectDescription& description() const { return description_; }
  const veltor::DesignConditions& conditions() const { return conditions_; }
  const veltor::LayerTable& layers() const { return layers_; }
  // The calculation pass writes its per-layer results into the records; that is
  // no change of the project, so it goes through this and tells nobody.
  veltor::LayerTable& layersForResults() { return layers_; }
  const veltor::ProjectExtras& extras() const { return extras_; }

  QUndoStack& undoStack() { return undo_; }
  // The file the project was opened from or last saved to; empty for a new one.
  const QString& fileName() const { return fileName_; }
  bool isModified() const { return !undo_.isClean(); }

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

  // A value the program proposes rather than the user types (today's date in
  // an empty date box): no undo step, and the project does not count as changed.
  void proposeDescriptionField(int index, const QString& text);

  // New: the description emptied, the layers and extras cleared, the
  // conditions kept but for the corrections to U; no file, nothing to undo.
  void startNew();
  // Open: the file's contents replace the project; nothing to undo.
  void load(veltor::ProjectContents&& contents, const QString& fileName);
  // The project was written to `fileName`: it is that file's now, unmodified.
  void markSaved(const QString& fileName);

  // Applied by the undo commands; each emits changed() once.
  void applyDescriptionField(int index, const QString& text);
  void applyConditions(const veltor::DesignConditions& conditions);
  void applyInsert(int index, const veltor::LayerRecord& record);
  void applyRemove(int index);
  void applyMove(int from, int to);
  void applyThickness(int index, double thickness);
  void applyLayer(int index, const veltor::LayerRecord& record);
  void applyLayers(const std::vector<veltor::LayerRecord>& layers);
  void applyExtras(const veltor::ProjectExtras& extras);

 Q_SIGNALS:
  // Once per change, with the parts it touched.
  void changed(Project::Parts parts);
  // The file name or the modified state changed.
  void fileStateChanged();
  // New or Open replaced the whole project (after its changed()).
  void replaced();

 private:
  std::vector<veltor::LayerRecord> layerValues() const;

  veltor::ProjectDescription description_;
  veltor::DesignConditions conditions_;
  veltor::LayerTable layers_;
  veltor::ProjectExtras extras_;
  QString fileName_;
  QUndoStack undo_;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Project::Parts)
