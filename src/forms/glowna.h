// The main window: the hub whose actions show and hide every other window,
// decide whether a partition is defined, ask before data is destroyed, and
// run Save and Open of the project file.
//
// Every action, whether clicked in the menu or a tool bar or executed by
// another window, goes through ExecuteAction: the action's update rule is
// evaluated first (so "checked" always mirrors the window it stands for), an
// auto-check action then inverts its check mark, and the execute step runs
// with the new state. Update rules also run whenever the project changes, a
// window of the set is shown or hidden, or a menu opens, so the menu and tool
// bars follow changes made elsewhere without polling.
//
// The title names the project's file and carries Qt's modified mark while the
// project differs from it (Project::isModified).
#pragma once

#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QPicture>
#include <QPointer>
#include <vector>

class Project;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QToolBar;
class QToolButton;

// A picture shown centred and scaled to fit with its proportions kept. It is
// recorded painter commands (QPicture), replayed at the size it is shown at:
// sharp at any size, nothing to decode, no bitmap kept. The widget paints
// every pixel itself, the bands beside the picture in the window's colour.
class TScaledImage : public QWidget {
  Q_OBJECT
 public:
  explicit TScaledImage(QWidget* parent = nullptr);
  void setPicture(const QPicture& picture);
  const QPicture& picture() const { return picture_; }
  // Texts written over the picture, placed in the picture's coordinates.
  struct Caption {
    QRect box;
    QColor colour;
    QString text;
    bool operator==(const Caption&) const = default;
  };
  void setCaptions(const QList<Caption>& captions);
  const QList<Caption>& captions() const { return captions_; }
  // Where the picture is drawn for the widget's current size.
  QRect pictureRect() const;

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QPicture picture_;
  QList<Caption> captions_;
};

// The action images: 0 new, 1 open, 2 save, 3 help, 4 about, 5 vapour-pressure
// chart, 6 temperature chart, 7 report, 8 moisture assessment, 9 dynamic
// characteristics; 16 x 16 pictures of our own.
class TImageList : public QObject {
  Q_OBJECT
 public:
  static constexpr int kImageCount = 10;
  TImageList(QObject* owner, const QString& folder);
  int count() const { return static_cast<int>(icons_.size()); }
  QIcon icon(int index) const { return icons_.value(index); }

 private:
  QList<QIcon> icons_;
};

class TFormGlowna : public QMainWindow {
  Q_OBJECT
 public:
  explicit TFormGlowna(Project& project, QWidget* parent = nullptr);
  ~TFormGlowna() override;

  Project& project() { return project_; }

  // Creation handler: maximises the window and records the start folder.
  void FormCreate();

  // Executes an action exactly as a click does: its update rule, then (when
  // enabled) the toggle of an auto-check action, then its execute step. This is
  // how the other windows drive the main window's actions. An error raised by
  // the execute step is shown in the error box and goes no further.
  void ExecuteAction(QAction* action);
  // A forward button's action (a window's "Dalej", "Wstecz", Nowy's opening
  // of the description): a window already shown is raised, never hidden by
  // the toggle; otherwise as ExecuteAction.
  void ShowAction(QAction* action);
  // Re-evaluates every action's enabled and checked state.
  void UpdateActions();
  // The action states follow `window` being shown and hidden.
  void WatchVisibility(QWidget* window);

  // True when the layer table or the wizard's created partition holds a layer.
  bool PartitionDefined() const;

  // The project file (glowna_projekt.cpp). Save returns true when a file was
  // written and false when the user cancelled the dialog; I/O errors raise.
  // ActionZapiszExecute always asks for the name, proposing the current one;
  // ActionZapiszBiezacyExecute writes to the current file and asks only for a
  // project that has none.
  bool ActionZapiszExecute();
  bool ActionZapiszBiezacyExecute();
  void ActionOtworzExecute();
  // Opens one of "Ostatnie projekty"; a file that is gone leaves the list
  // with a message.
  void OpenRecentProject(const QString& path);
  // The files of "Ostatnie projekty", the latest first.
  static QStringList RecentProjects();
  // Opens a project without the dialog (a path given on the command line), as
  // Open does after its dialog. Raises what LoadProjectFile raises.
  void OpenProjectFile(const QString& path);
  // Shows the layer window with layers just put into the table (open, the
  // wizard's end): executes "&Dowolna" when it is hidden, raises it otherwise.
  void ShowLayerWindow();

  QAction* ActionNowy = nullptr;
  QAction* ActionOtworz = nullptr;
  QAction* ActionZapisz = nullptr;
  QAction* ActionZapiszBiezacy = nullptr;
  QAction* ActionCofnij = nullptr;
  QAction* ActionPonow = nullptr;
  QMenu* MenuOstatnie = nullptr;
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
  QAction* ActionKondensacja = nullptr;
  QAction* ActionDynamika = nullptr;
  QAction* ActionHelp = nullptr;
  QAction* ActionAbout = nullptr;

  QWidget* CoolBarGlowna = nullptr;
  QMenuBar* ActionMainMenuBar1 = nullptr;
  QToolBar* ActionToolBarGlowna = nullptr;
  QToolBar* ActionToolBarDane = nullptr;
  QToolBar* ActionToolBarWyniki = nullptr;
  QToolButton* ButtonPrzegroda = nullptr;
  TScaledImage* Image1 = nullptr;
  TImageList* ImageListGlowna = nullptr;

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  // The picture's air temperatures from the project's conditions.
  void showPictureTemperatures();
  void createActions();
  void createMenus();
  void createToolBars();
  QAction* makeAction(const char* name, const QString& category, const QString& caption, const QString& hint,
                      int image = -1);
  // The actions' table (glowna.cpp): each action's name, texts, picture,
  // shortcuts, menu and tool bar, its update rule and its execute step.
  struct ActionRow;
  static const std::vector<ActionRow>& actionTable();
  const ActionRow* rowOf(const QAction* action) const;
  QToolButton* makePartitionButton(QAction* action);
  // One action's update rule.
  void updateAction(const ActionRow& row);
  // The execute steps, run by ExecuteAction after the toggle rule.
  void ActionNowyExecute();
  void ActionPokazWarstwyExecute();
  void ActionSystemExecute();
  void ActionHelpExecute();
  void ActionAboutExecute();
  void FilePrintSetup1Execute();
  void chartToggle(QAction* action, int kind);
  // The close query; false refuses the close.
  bool FormCloseQuery();
  // Whether closing the project would lose what is not in its file.
  bool unsavedWork() const;
  // "Zapisać projektowaną przegrodę?" when there is unsaved work; false when
  // the user cancels (or a save fails or is cancelled), true to go on.
  bool askToSaveChanges();
  // Writes the project to `path` and makes it the project's file.
  void saveTo(const QString& path);
  void updateTitle();
  void rememberRecent(const QString& path);
  void fillRecentMenu();

  Project& project_;
  bool updateQueued_ = false;
  // The result windows `action` stands for, when they are open but none is
  // in front: executing the action then brings them forward instead of
  // closing them.
  QList<QWidget*> coveredResultWindows(const QAction* action) const;

  // The program's window the user was in last, the main window apart: the one
  // in front when the user turns to the main window's menu or tool bars.
  QPointer<QWidget> lastWorkedIn_;
};

extern TFormGlowna* FormGlowna;
