// The materials catalogue of the layer window: the search box, the tree and
// the actions on the designer's own materials. The tree holds the group
// "Moje materiały" (the user's file, read afresh after every change to it)
// above the shipped catalogue (read once). Own material nodes carry, besides
// their template record, their place among the file's materials, which is how
// the file's entries are edited and removed.
//
// Searching hides the materials whose label and name do not hold every typed
// word, letter case and Polish diacritics aside, and shows the groups of those
// that do.
#pragma once

#include <QWidget>
#include <functional>

#include "forms/materialy.h"

class QAction;
class QLabel;
class QLineEdit;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TFormMaterial;

inline const QString kOwnMaterialsGroup = QStringLiteral("Moje materiały");

class TFrameKatalog : public QWidget {
  Q_OBJECT
 public:
  explicit TFrameKatalog(QWidget* parent);
  ~TFrameKatalog() override;

  // The own file, then the shipped catalogue. Either may fail alone: the
  // other is still read, and the first failure (the own file's named by its
  // path) is raised at the end.
  void Load();
  // $XDG_DATA_HOME/veltorobl/materiały.txt: the program's folder may be read-only.
  static QString UserMaterialsFile();

  // Shows the editor modally; true when it was accepted. Tests replace it.
  std::function<bool(TFormMaterial&)> runEditor;

  QTreeWidgetItem* OwnGroup() const { return ownGroup_; }
  // The index of an own material among the file's materials; -1 for any other node.
  static int OwnIndexOf(const QTreeWidgetItem* item);

  void ActionNowyMaterialExecute();
  void ActionKopiujMaterialExecute();
  void ActionEdytujMaterialExecute();
  void ActionUsunMaterialExecute();
  void ActionEksportujMaterialyExecute();
  void ActionImportujMaterialyExecute();
  void EditSzukajChange();

  QLineEdit* EditSzukaj = nullptr;
  QLabel* LabelZnalezione = nullptr;
  QTreeWidget* TreeViewMaterialy = nullptr;
  QToolButton* ToolButtonMojeMaterialy = nullptr;
  QAction* ActionNowyMaterial = nullptr;
  QAction* ActionKopiujMaterial = nullptr;
  QAction* ActionEdytujMaterial = nullptr;
  QAction* ActionUsunMaterial = nullptr;
  QAction* ActionEksportujMaterialy = nullptr;
  QAction* ActionImportujMaterialy = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTreeWidgetItem* selectedItem() const;
  void UpdateMaterialActions();
  // Empties the own group and reads the file into it again; selects the
  // material labelled `select` when given. Raises the reader's failure,
  // prefixed with the file's path, after placing what was read.
  void reloadOwn(const QString& select = {});
  // Runs the editor over `label`/`record` and returns whether it was accepted.
  bool edit(TFormMaterial& editor);
  // The editor, its kinds from the shipped groups; `exceptIndex` is the own
  // material being edited, whose label it may keep.
  std::unique_ptr<TFormMaterial> makeEditor(const QString& title, int exceptIndex) const;
  int kindOf(const QTreeWidgetItem* item) const;

  QTreeWidgetItem* ownGroup_ = nullptr;
  MaterialStore materials_;
  MaterialStore own_;
  QStringList ownSources_;  // each own material's source, as own_
};
