// The free layer definition window. It edits the project's layer table
// (innermost first) and mirrors it in ListViewMaterialy, whose items carry a
// pointer to their record, renewed whenever the table changes. Its own edits
// go to the project as steps to undo; a change of the table or the conditions
// made elsewhere (undo, open, the wizard) comes back through
// Project::changed. Every change runs the calculation pass and refreshes the
// live summary (d, count, R, U against Umax, diffusion resistance, warnings).
//
// Data flow: a catalogue node (TreeViewMaterialy) or the current layer fills
// the material data group (ShowMaterial); "Dodaj" copies the node's template
// with the thickness typed in EditGW; typing a valid thickness in EditGW while a
// layer is current rewrites that layer's thickness; RefreshSummary reads the
// model's results (CurrentSummary) and shows them, in the summary group and in the list's
// columns (d, lambda, R, sd of each layer). The summary lives in warstwy_summary.cpp,
// the current layer's bridge (its group and its material picker) and the
// combined method's warnings in warstwy_bridge.cpp.
#pragma once

#include <QFont>
#include <QHash>
#include <functional>
#include <optional>

#include "calc/layer.h"
#include "forms/companion.h"
#include "forms/materialy.h"
#include "model/project.h"

class QAbstractItemView;
class QAction;
class QCheckBox;
class QDialog;
class QHelpEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;
class TFrameKatalog;
class TNumberBox;

class TFormWarstwy : public TCompanionWindow {
  Q_OBJECT
 public:
  TFormWarstwy(QWidget* mainWindow, Project& project);
  ~TFormWarstwy() override;

  // The columns of ListViewMaterialy (warstwy_list.cpp).
  enum LayerColumn { ColumnName, ColumnThickness, ColumnLambda, ColumnResistance, ColumnSd, ColumnCount };

  // Creation handler: loads the own materials and "Dane/materiały.txt" into TreeViewMaterialy.
  void FormCreate();

  // The current partition's table, fetched anew: another partition made
  // current brings another table.
  veltor::LayerTable& Layers() { return project_.layersForResults(); }
  const veltor::LayerTable& Layers() const { return project_.layers(); }
  int LayerCount() const { return Layers().size(); }

  // Table changes made by other windows (the wizard, tests): Clear and Replace
  // leave no current layer. The summary follows the new table as soon as the
  // window shows it, without waiting for an activation.
  void ClearLayers();
  void ReplaceLayers(veltor::LayerTable&& table);
  // Appends on the outside; the selection and the current layer stay as they are.
  void AppendLayer(std::unique_ptr<veltor::LayerRecord> record);

  // Runs the calculation pass over the table and shows its summary. The pass
  // may raise (a conductivity of 0); callers in handlers run it in ui::Guard.
  void RefreshSummary();
  // The current partition's summary as the model holds it (Building::results).
  const veltor::PartitionSummary& Summary() const;
  // The layer whose thickness EditGW edits; nullptr when none. Looked up in
  // the table at each call: keep it no longer than the handler at hand.
  veltor::LayerRecord* CurrentLayer() const { return current(); }
  // The record in the row of a layer table item; nullptr for none.
  static veltor::LayerRecord* LayerOf(const QTreeWidgetItem* item);

  // Shows a record's data in the material data group; nullptr changes nothing.
  void ShowMaterial(const veltor::LayerRecord* record);
  // False (after telling the user and focusing EditGW) when EditGW holds a
  // number that is no thickness (not above 0, or above 10 m); raises the
  // conversion error for a text that is not a number.
  bool CheckThickness();

  void BitBtnDodajClick();
  void ActionUsunWarstweExecute();
  void ActionUpExecute();
  void ActionDownExecute();
  void Button2Click();
  void ButtonWsteczClick();
  void ButtonZamknijClick();
  // The current layer's values back from its catalogue entry (warstwy_declared.cpp).
  void ButtonPrzywrocClick();
  // The values of `layer` that differ from its catalogue entry (the first
  // material with its name), as shown in its tip; empty when none or no entry.
  QStringList EditedValues(const veltor::LayerRecord& layer) const;

  // The search box, the catalogue tree and the own material actions.
  TFrameKatalog* Katalog = nullptr;
  QTreeWidget* TreeViewMaterialy = nullptr;
  // The layer table: the name, then d, lambda, R and sd of each layer.
  QTreeWidget* ListViewMaterialy = nullptr;

  QLabel* LabelOpis = nullptr;
  QLineEdit* EditPC1 = nullptr;
  QLineEdit* EditPC2 = nullptr;
  QLineEdit* EditOD = nullptr;
  QLabel* LabelMu = nullptr;    // "μ = …" beside the permeability
  QLineEdit* EditMu = nullptr;  // a layer's μ, beside LabelMu "μ =" while a layer is current
  QPushButton* ButtonPrzywroc = nullptr;
  QLineEdit* EditCW = nullptr;
  QLineEdit* EditG = nullptr;
  QLineEdit* EditGW = nullptr;

  QPushButton* BitBtnDodaj = nullptr;
  QPushButton* BitBtnUsun = nullptr;
  QPushButton* ButtonUp = nullptr;
  QPushButton* ButtonDown = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* ButtonWstecz = nullptr;
  QPushButton* ButtonZamknij = nullptr;
  QAction* ActionUsunWarstwe = nullptr;
  QAction* ActionUp = nullptr;
  QAction* ActionDown = nullptr;

  // The bridge of the current layer (warstwy_bridge.cpp): ticking the box
  // opens the inputs; the layer counts as bridged once it has a bridging λ
  // and a share.
  QCheckBox* CheckWarstwaNiejednorodna = nullptr;
  QLabel* LabelMaterialMostka = nullptr;  // the bridging material's name
  QPushButton* ButtonMaterialMostka = nullptr;
  QLineEdit* EditLambdaMostka = nullptr;  // λ in force (medium or humid, as the conditions say)
  QLineEdit* EditUdzialMostka = nullptr;  // share in %
  QLineEdit* EditSzerokoscMostka = nullptr;
  QLineEdit* EditRozstawMostka = nullptr;
  QPushButton* ButtonObliczUdzial = nullptr;
  // The combined method's warnings of the latest pass.
  QLabel* LabelUwagaMostek = nullptr;
  // Shows the bridging material picker modally; true when it was accepted. Tests replace it.
  std::function<bool(QDialog&)> runBridgePicker;

  void CheckWarstwaNiejednorodnaClick(bool checked);
  void ButtonMaterialMostkaClick();
  void ButtonObliczUdzialClick();

  // The summary: d, count, R, U, Umax, diffusion resistance.
  QLabel* StaticText1 = nullptr;
  QLabel* StaticText2 = nullptr;
  QLabel* StaticText3 = nullptr;
  QLabel* StaticText4 = nullptr;
  QLabel* StaticText5 = nullptr;
  QLabel* StaticText6 = nullptr;
  QLabel* LabelUwaga = nullptr;
  QLabel* LabelSpelnia = nullptr;
  QSplitter* SplitterWarstwy = nullptr;  // between the catalogue and the layer table  // "Uc ≤ Uc(max):
                                         // spełnia", where the warning would stand
  QLabel* LabelKond = nullptr;
  // A partition on the ground: its EN ISO 13370 figures under the summary.
  QLabel* LabelGrunt = nullptr;
  // Shown with bridged layers or corrections (warstwy_summary.cpp): the limits
  // of the combined method and its error, ΔU and Uc.
  QLabel* StaticTextRGorna = nullptr;
  QLabel* StaticTextRDolna = nullptr;
  QLabel* StaticTextBlad = nullptr;
  QLabel* StaticTextDeltaU = nullptr;
  QLabel* StaticTextUc = nullptr;
  QPushButton* ButtonPoprawki = nullptr;  // opens "Poprawki współczynnika U"

 protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  void buildControls();
  // The arrows of the add, remove and move buttons and the sizing of the
  // list's columns, set when the window is first shown.
  void prepareForShowing();
  QWidget* buildMaterialGroup();
  QWidget* buildSummaryGroup();  // warstwy_summary.cpp
  // A warning as the summary shows its own: red, bold, hidden until needed.
  static QLabel* warningLabel(QWidget* parent, const char* name);
  void FormShow();
  void FormActivate();
  void TreeViewMaterialyChange();
  // `row` gained or, with no other gaining it, lost the selection.
  void ListViewMaterialySelectItem(int row);
  void ListViewMaterialyClick();
  void EditGWChange();
  // A thickness typed for the current layer and then left or entered: what
  // is no thickness is told now, and the box shows the layer's again.
  void EditGWCommitted(const QString& text);
  // Declared values typed for the current layer (warstwy_declared.cpp).
  QWidget* buildDeclaredRow(QWidget* group);
  void DeclaredValueChange(QLineEdit* edit);
  // The five material boxes editable while a layer is current, read-only for a catalogue entry.
  void updateDeclaredBoxes();
  const veltor::LayerRecord* catalogueEntryFor(const veltor::LayerRecord& layer) const;
  // The first catalogue entry of each name, for a pass over many layers: the
  // catalogue searched once instead of once per layer.
  QHash<QByteArray, const veltor::LayerRecord*> catalogueByName() const;
  static QStringList editedAgainst(const veltor::LayerRecord& layer, const veltor::LayerRecord* entry);
  // The bridge group (warstwy_bridge.cpp).
  QWidget* buildBridgeGroup();
  // The current layer's bridge in the group; `typing` keeps the text being typed.
  void showBridge(const QLineEdit* typing = nullptr);
  void showBridgeWarnings();
  // λ or share typed for the current layer: stored when accepted, merged per field.
  void BridgeValueChange(QLineEdit* edit);
  // Leaving or entering a refused value: told now, and the box shows the layer's again.
  void BridgeValueCommitted(QLineEdit* edit, const QString& text);
  // The current layer's bridge as the boxes give it.
  veltor::LayerBridge bridgeFromBoxes() const;
  void setBridge(const veltor::LayerBridge& bridge, int session);
  // Ends the current layer; the list's highlight goes with it.
  void endCurrentLayer();
  // Empties the material data group.
  void clearMaterial();
  // A table changed by another window: the pass runs now when the window is
  // shown, otherwise when it is shown next.
  void tableReplaced();
  // The pass for a table changed elsewhere. Its notices and errors are the
  // activation's to tell; here only the figures are brought up to date.
  void refreshQuietly();
  // The list's columns from the layers' latest results, fitted to their texts.
  void showLayerColumns();
  void fitLayerColumns();
  // The hint of a summary field, from the summary as it stands (warstwy_summary.cpp).
  QString summaryHint(const QLabel* field) const;
  // Fills the summary group from Summary() (warstwy_summary.cpp).
  void showSummary();
  // A handler's body inside ui::Guard, counted as busy until its error box closes.
  void runHandler(const std::function<void()>& body);

  // Brings the list in line with the table and selects `selectRow` (-1:
  // nothing; empty: the selection stays), without the selection handlers
  // reacting; forgets a current row that has left the table; re-evaluates
  // the layer actions.
  void syncList(std::optional<int> selectRow);
  void projectChanged(Project::Parts parts);
  void UpdateLayerActions();
  int selectedRow() const;
  veltor::LayerRecord* selectedLayer() const;
  void makeCurrent(int row);
  veltor::LayerRecord* current() const;

  Project& project_;
  // The current layer by its row, never by its address: an undo frees the
  // records and the restored ones may come back at the freed addresses of
  // other layers. Forgotten on every change of the table the window did not
  // make itself. -1: none.
  int currentRow_ = -1;
  // Keystrokes in EditGW for one current layer merge into one step to undo.
  int thicknessSession_ = 1;
  // Keystrokes in one bridge box merge into one step; negative, so that they
  // never merge with the declared values' steps of a thickness session.
  int bridgeSession_ = -1;
  const QLineEdit* bridgeField_ = nullptr;  // the bridge box of the current session
  bool bridgePending_ = false;              // ticked for the current layer, not yet bridged
  bool editing_ = false;                    // this window is changing the project itself
  TNumberBox* thicknessBox_ = nullptr;
  bool syncing_ = false;          // the list is being rebuilt: not a user's selection
  bool stale_ = false;            // the table changed while the window was hidden
  bool showingMaterial_ = false;  // EditGW is being filled, not typed into
  QFont columnsFont_;             // the figures' widths were measured in
  // A handler (a refresh included) may open a message box, which deactivates
  // the window. The activation when the box closes must not refresh again: the
  // handler refreshes by itself, and a pass's message would come back for ever.
  int busyDepth_ = 0;
  bool skipActivation_ = false;
};

extern TFormWarstwy* FormWarstwy;

// The tip of the layer at `row` of a list: its number and results as the
// latest pass left them, lines CR LF separated.
QString LayerTip(int row, const veltor::LayerRecord& layer);
// Answers a tool-tip event over `view` with `tip` for the item at `itemRect`
// (hides the tip when it is empty); a tool tip wants bare line feeds.
void ShowLayerTip(const QHelpEvent* help, QAbstractItemView* view, const QRect& itemRect, QString tip);
