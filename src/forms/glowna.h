// The main window: the hub whose actions show and hide every other window,
// decide whether a partition is defined, ask before data is destroyed, and
// run Save and Open of the project file.
#pragma once

#include <QMainWindow>

class QAction;
class QLabel;
class QToolBar;
class QToolButton;

class TFormGlowna : public QMainWindow {
  Q_OBJECT
 public:
  explicit TFormGlowna(QWidget* parent = nullptr);
  ~TFormGlowna() override;

  // Creation handler: maximises the window and records the start folder.
  void FormCreate();

  // Executes an action exactly as a click does: its update rule, then (when
  // enabled) the toggle of an auto-check action, then its execute step. This is
  // how the other windows drive the main window's actions.
  void ExecuteAction(QAction* action);
  // Re-evaluates every action's enabled and checked state.
  void UpdateActions();

  // True when the layer table or the wizard's created partition holds a layer.
  bool PartitionDefined() const;

  // The project file (glowna_projekt.cpp).
  // Save returns false when the dialog was cancelled; raises IoError when the
  // file could not be written (the previous file is then left as it was).
  bool ActionZapiszExecute();
  void ActionOtworzExecute();

  QAction* ActionNowy = nullptr;
  QAction* ActionOtworz = nullptr;
  QAction* ActionZapisz = nullptr;
  QAction* FilePrintSetup1 = nullptr;
  QAction* ActionClose = nullptr;
  QAction* ActionPokazDaneProj = nullptr;
  QAction* ActionPokazWarunkiPocz = nullptr;
  QAction* ActionRodzajWarstw = nullptr;
  QAction* ActionPokazWarstwy = nullptr;
  QAction* ActionSystem = nullptr;
  QAction* ActionPokazRaport = nullptr;
  QAction* ActionRysTemp = nullptr;
  QAction* ActionRysCisn = nullptr;
  QAction* ActionHelp = nullptr;
  QAction* ActionAbout = nullptr;

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void createActions();
  void createMenus();
  void createToolBars();
  // The execute steps, run by ExecuteAction after the toggle rule.
  void runExecute(QAction* action);
  void ActionNowyExecute();
  void ActionPokazWarstwyExecute();
  void ActionSystemExecute();
  void chartToggle(QAction* action, int kind);
  // The close query; false refuses the close.
  bool FormCloseQuery();
};

extern TFormGlowna* FormGlowna;
