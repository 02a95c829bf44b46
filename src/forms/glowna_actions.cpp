// The main window's actions from one table: the rows below say what each
// action is and does; building the menus and tool bars, the update rules and
// ExecuteAction only walk the table.
#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>

#include "forms/daneprojektu.h"
#include "forms/dynamika.h"
#include "forms/glowna.h"
#include "forms/kondensacja.h"
#include "forms/raport_new.h"
#include "forms/rysunek.h"
#include "forms/system1.h"
#include "forms/system2.h"
#include "forms/system3.h"
#include "forms/system4.h"
#include "forms/undokeys.h"
#include "forms/warstwy.h"
#include "forms/warunki_poczatkowe.h"
#include "model/project.h"
#include "platform/dialogs.h"

namespace {

bool Visible(const QWidget* w) {
  return w && w->isVisible();
}
void SetVisible(QWidget* w, bool visible) {
  if (w) w->setVisible(visible);
}
bool ChartOfKindExists(int kind) {
  for (const TFormRysunek* w : TFormRysunek::Instances())
    if (w->ChartKind() == kind) return true;
  return false;
}

}  // namespace

// The main window's actions, one row each, in the order they stand on the
// menus: what the action is (name, caption, hint, picture, shortcuts), where
// it goes (menu, tool bar), when it is enabled and checked, and what it does.
// createActions, createMenus, createToolBars, UpdateActions and ExecuteAction
// all read this one table.
struct TFormGlowna::ActionRow {
  enum Menu { NoMenu, Projekt, Edycja, Dane, DefinicjaWarstw, Wyniki, Wykresy, Pomoc, MenuCount };
  enum Bar { NoBar, BarGlowna, BarDane, BarPrzegroda, BarWyniki, BarCount };
  enum Flag {
    AutoCheck = 1,         // ExecuteAction inverts its check mark before the step
    NeedsPartition = 2,    // enabled only while a partition is defined
    SeparatorInMenu = 4,   // a separator before it on its menu
    SeparatorOnBar = 8,    // a separator before it on its tool bar
    RecentMenuAfter = 16,  // "Ostatnie projekty" follows it on its menu
    UndoAction = 32,       // made by the undo stack, which runs it
    RedoAction = 64,
  };
  QAction* TFormGlowna::*member;
  const char* name;
  const char* category;
  QString caption;
  QString hint;
  int image;
  QList<QKeySequence> shortcuts;
  Menu menu;
  Bar bar;
  int flags;
  // Checked while what the action stands for is shown; none: not checkable.
  bool (*shown)();
  void (*execute)(TFormGlowna& w, QAction* a);
};

const std::vector<TFormGlowna::ActionRow>& TFormGlowna::actionTable() {
  using R = ActionRow;
  static const char* const projekt = "Projekt";
  static const char* const dane = "Dane";
  static const char* const wyniki = "Wyniki";
  static const char* const system = "System";
  static const std::vector<ActionRow> rows = {
      {&TFormGlowna::ActionNowy,
       "ActionNowy",
       projekt,
       QStringLiteral("&Nowy"),
       QStringLiteral("Nowy projekt"),
       0,
       {Qt::Key_F2},
       R::Projekt,
       R::BarGlowna,
       0,
       nullptr,
       [](TFormGlowna& w, QAction*) { w.ActionNowyExecute(); }},
      {&TFormGlowna::ActionOtworz,
       "ActionOtworz",
       projekt,
       QStringLiteral("&Otwórz..."),
       QStringLiteral("Otwórz zapisany projekt"),
       1,
       {Qt::Key_F3},
       R::Projekt,
       R::BarGlowna,
       0,
       nullptr,
       [](TFormGlowna& w, QAction*) { w.ActionOtworzExecute(); }},
      {&TFormGlowna::ActionZapiszBiezacy,
       "ActionZapiszBiezacy",
       projekt,
       QStringLiteral("Za&pisz"),
       QStringLiteral("Zapisz projekt w jego pliku"),
       -1,
       {QKeySequence(QKeySequence::Save)},
       R::Projekt,
       R::NoBar,
       R::NeedsPartition,
       nullptr,
       [](TFormGlowna& w, QAction*) { w.ActionZapiszBiezacyExecute(); }},
      {&TFormGlowna::ActionZapisz,
       "ActionZapisz",
       projekt,
       QStringLiteral("&Zapisz..."),
       QStringLiteral("Zapisz projekt"),
       2,
       {Qt::Key_F4},
       R::Projekt,
       R::BarGlowna,
       R::NeedsPartition | R::RecentMenuAfter,
       nullptr,
       [](TFormGlowna& w, QAction*) { w.ActionZapiszExecute(); }},
      {&TFormGlowna::FilePrintSetup1,
       "FilePrintSetup1",
       projekt,
       QStringLiteral("&Ustawienia drukarki..."),
       QStringLiteral("Ustawienia drukarki"),
       -1,
       {},
       R::Projekt,
       R::NoBar,
       R::SeparatorInMenu,
       nullptr,
       [](TFormGlowna& w, QAction*) { w.FilePrintSetup1Execute(); }},
      {&TFormGlowna::ActionClose,
       "ActionClose",
       projekt,
       QStringLiteral("Za&kończ"),
       QString(),
       -1,
       {},
       R::Projekt,
       R::NoBar,
       R::SeparatorInMenu,
       nullptr,
       [](TFormGlowna& w, QAction*) { w.close(); }},
      // Undo and redo act on the project whichever window has the focus.
      {&TFormGlowna::ActionCofnij,
       "ActionCofnij",
       nullptr,
       QStringLiteral("&Cofnij"),
       QString(),
       -1,
       {QKeySequence(QKeySequence::Undo)},
       R::Edycja,
       R::NoBar,
       R::UndoAction,
       nullptr,
       nullptr},
      {&TFormGlowna::ActionPonow,
       "ActionPonow",
       nullptr,
       QStringLiteral("&Ponów"),
       QString(),
       -1,
       {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
       R::Edycja,
       R::NoBar,
       R::RedoAction,
       nullptr,
       nullptr},
      {&TFormGlowna::ActionPokazDaneProj,
       "ActionPokazDaneProj",
       dane,
       QStringLiteral("&Opis projektu"),
       QStringLiteral("Informacje o projekcie"),
       -1,
       {},
       R::Dane,
       R::BarDane,
       R::AutoCheck,
       [] { return Visible(FormDaneProj); },
       [](TFormGlowna&, QAction* a) { SetVisible(FormDaneProj, a->isChecked()); }},
      {&TFormGlowna::ActionPokazWarunkiPocz,
       "ActionPokazWarunkiPocz",
       dane,
       QStringLiteral("&Warunki początkowe"),
       QStringLiteral("Warunki początkowe projektu"),
       -1,
       {},
       R::Dane,
       R::BarDane,
       R::AutoCheck,
       [] { return Visible(FormWarunkiPoczatkowe); },
       [](TFormGlowna&, QAction* a) { SetVisible(FormWarunkiPoczatkowe, a->isChecked()); }},
      // The tool bar's "Przegroda" button: the wizard, its arrow the two ways of defining layers.
      {&TFormGlowna::ActionRodzajWarstw,
       "ActionRodzajWarstw",
       dane,
       QStringLiteral("&Przegroda"),
       QString(),
       -1,
       {},
       R::NoMenu,
       R::BarPrzegroda,
       0,
       nullptr,
       [](TFormGlowna& w, QAction*) { w.ExecuteAction(w.ActionSystem); }},
      {&TFormGlowna::ActionPokazWarstwy,
       "ActionPokazWarstwy",
       dane,
       QStringLiteral("&Dowolna"),
       QStringLiteral("Dowolna definicja warstw obliczanej przegrody"),
       -1,
       {},
       R::DefinicjaWarstw,
       R::NoBar,
       R::AutoCheck,
       [] { return Visible(FormWarstwy); },
       [](TFormGlowna& w, QAction*) { w.ActionPokazWarstwyExecute(); }},
      {&TFormGlowna::ActionSystem,
       "ActionSystem",
       dane,
       QStringLiteral("&Systemy VELTOR"),
       QStringLiteral("Definicja warstw przegrody wg Systemów VELTOR"),
       -1,
       {},
       R::DefinicjaWarstw,
       R::NoBar,
       R::AutoCheck,
       [] {
         return Visible(FormSystem1) || Visible(FormSystem2) || Visible(FormSystem3) || Visible(FormSystem4);
       },
       [](TFormGlowna& w, QAction*) { w.ActionSystemExecute(); }},
      {&TFormGlowna::ActionPokazRaport,
       "ActionPokazRaport",
       wyniki,
       QStringLiteral("&Raport"),
       QStringLiteral("Wyniki obliczeń"),
       7,
       {},
       R::Wyniki,
       R::BarWyniki,
       R::AutoCheck | R::NeedsPartition,
       [] { return Visible(FormRaportNew); },
       [](TFormGlowna&, QAction* a) { SetVisible(FormRaportNew, a->isChecked()); }},
      {&TFormGlowna::ActionRysTemp,
       "ActionRysTemp",
       wyniki,
       QStringLiteral("&Temperatura"),
       QStringLiteral("Wykres rozkładu temperatur w przegrodzie"),
       6,
       {},
       R::Wykresy,
       R::BarWyniki,
       R::NeedsPartition,
       [] { return ChartOfKindExists(1); },
       [](TFormGlowna& w, QAction* a) { w.chartToggle(a, 1); }},
      {&TFormGlowna::ActionRysCisn,
       "ActionRysCisn",
       wyniki,
       QStringLiteral("&Ciśnienie pary wodnej"),
       QStringLiteral("Wykres rozkładu ciśnienia pary wodnej w przegrodzie"),
       5,
       {},
       R::Wykresy,
       R::BarWyniki,
       R::NeedsPartition,
       [] { return ChartOfKindExists(2); },
       [](TFormGlowna& w, QAction* a) { w.chartToggle(a, 2); }},
      {&TFormGlowna::ActionKondensacja,
       "ActionKondensacja",
       wyniki,
       QStringLiteral("&Ocena wilgotnościowa"),
       QStringLiteral("Ryzyko pleśni i kondensacja międzywarstwowa miesiąc po miesiącu (EN ISO 13788)"),
       8,
       {},
       R::Wyniki,
       R::BarWyniki,
       R::AutoCheck | R::NeedsPartition,
       [] { return Visible(FormKondensacja); },
       [](TFormGlowna&, QAction* a) { SetVisible(FormKondensacja, a->isChecked()); }},
      {&TFormGlowna::ActionDynamika,
       "ActionDynamika",
       wyniki,
       QStringLiteral("&Parametry dynamiczne (EN ISO 13786)"),
       QStringLiteral("Tłumienie i przesunięcie dobowej fali ciepła przez przegrodę (EN ISO 13786)"),
       9,
       {},
       R::Wyniki,
       R::BarWyniki,
       R::AutoCheck | R::NeedsPartition,
       [] { return Visible(FormDynamika); },
       [](TFormGlowna&, QAction* a) { SetVisible(FormDynamika, a->isChecked()); }},
      {&TFormGlowna::ActionHelp,
       "ActionHelp",
       system,
       QStringLiteral("&VELTOR Pomoc"),
       QStringLiteral("Pomoc"),
       3,
       {Qt::Key_F1},
       R::Pomoc,
       R::BarGlowna,
       R::SeparatorOnBar,
       nullptr,
       [](TFormGlowna& w, QAction*) { w.ActionHelpExecute(); }},
      {&TFormGlowna::ActionAbout,
       "ActionAbout",
       system,
       QStringLiteral("&O programie"),
       QStringLiteral("Informacje o programie"),
       4,
       {},
       R::Pomoc,
       R::NoBar,
       R::SeparatorInMenu,
       nullptr,
       [](TFormGlowna& w, QAction*) { w.ActionAboutExecute(); }},
  };
  return rows;
}

const TFormGlowna::ActionRow* TFormGlowna::rowOf(const QAction* action) const {
  for (const ActionRow& row : actionTable())
    if (this->*row.member == action) return &row;
  return nullptr;
}

void TFormGlowna::createActions() {
  for (const ActionRow& row : actionTable()) {
    QAction* a = nullptr;
    if (row.flags & (ActionRow::UndoAction | ActionRow::RedoAction)) {
      a = row.flags & ActionRow::UndoAction ? project_.undoStack().createUndoAction(this, row.caption)
                                            : project_.undoStack().createRedoAction(this, row.caption);
      a->setObjectName(QString::fromLatin1(row.name));
      a->setShortcutContext(Qt::ApplicationShortcut);
    } else {
      a = makeAction(row.name, QString::fromLatin1(row.category), row.caption, row.hint, row.image);
    }
    if (!row.shortcuts.isEmpty()) a->setShortcuts(row.shortcuts);
    a->setCheckable(row.shown != nullptr);
    this->*row.member = a;
  }
  new TUndoKeys(this, ActionCofnij, ActionPonow);
}

void TFormGlowna::createMenus() {
  ActionMainMenuBar1 = new QMenuBar;
  ActionMainMenuBar1->setObjectName(QStringLiteral("ActionMainMenuBar1"));
  ActionMainMenuBar1->setWindowTitle(QStringLiteral("Menu główne"));
  ActionMainMenuBar1->setAccessibleName(QStringLiteral("Menu główne"));

  auto named = [this](QMenu* m, const char* name) {
    m->setObjectName(QString::fromLatin1(name));
    // The check marks and enabled states are right the moment a menu opens.
    connect(m, &QMenu::aboutToShow, this, &TFormGlowna::UpdateActions);
    return m;
  };
  struct MenuRow {
    ActionRow::Menu parent;
    const char* title;
    const char* name;
  };
  // By ActionRow::Menu; a menu is made where its first action comes.
  static const MenuRow menuRows[ActionRow::MenuCount] = {
      {ActionRow::NoMenu, nullptr, nullptr},
      {ActionRow::NoMenu, "&Projekt", "MenuProjekt"},
      {ActionRow::NoMenu, "&Edycja", "MenuEdycja"},
      {ActionRow::NoMenu, "&Dane", "MenuDane"},
      {ActionRow::Dane, "&Definicja warstw", "MenuDefinicjaWarstw"},
      {ActionRow::NoMenu, "&Wyniki", "MenuWyniki"},
      {ActionRow::Wyniki, "&Wykresy", "MenuWykresy"},
      {ActionRow::NoMenu, "P&omoc", "MenuPomoc"},
  };
  std::array<QMenu*, ActionRow::MenuCount> menus{};
  for (const ActionRow& row : actionTable()) {
    if (row.menu == ActionRow::NoMenu) continue;
    QMenu*& m = menus[row.menu];
    if (!m) {
      const MenuRow& menu = menuRows[row.menu];
      const QString title = QString::fromUtf8(menu.title);
      m = named(menu.parent == ActionRow::NoMenu ? ActionMainMenuBar1->addMenu(title)
                                                 : menus[menu.parent]->addMenu(title),
                menu.name);
    }
    if (row.flags & ActionRow::SeparatorInMenu) m->addSeparator();
    m->addAction(this->*row.member);
    if (row.flags & ActionRow::RecentMenuAfter) {
      MenuOstatnie = named(m->addMenu(QStringLiteral("Ostatnie pro&jekty")), "MenuOstatnie");
      connect(MenuOstatnie, &QMenu::aboutToShow, this, &TFormGlowna::fillRecentMenu);
      fillRecentMenu();
    }
  }
}

void TFormGlowna::createToolBars() {
  // One band container: the menu bar alone on the first row, the three tool
  // bars side by side on the second, neither movable nor floating.
  CoolBarGlowna = new QWidget(this);
  CoolBarGlowna->setObjectName(QStringLiteral("CoolBarGlowna"));
  auto* rows = new QVBoxLayout(CoolBarGlowna);
  rows->setContentsMargins(0, 0, 0, 0);
  rows->setSpacing(0);
  rows->addWidget(ActionMainMenuBar1);
  auto* band = new QHBoxLayout;
  band->setContentsMargins(2, 0, 2, 0);
  band->setSpacing(6);
  rows->addLayout(band);

  auto bar = [this, band](const char* name, Qt::ToolButtonStyle style) {
    auto* t = new QToolBar(CoolBarGlowna);
    t->setObjectName(QString::fromLatin1(name));
    t->setMovable(false);
    t->setFloatable(false);
    t->setIconSize(QSize(16, 16));
    t->setToolButtonStyle(style);
    band->addWidget(t);
    return t;
  };
  ActionToolBarGlowna = bar("ActionToolBarGlowna", Qt::ToolButtonIconOnly);
  ActionToolBarDane = bar("ActionToolBarDane", Qt::ToolButtonTextOnly);
  ActionToolBarWyniki = bar("ActionToolBarWyniki", Qt::ToolButtonIconOnly);
  band->addStretch(1);
  for (const ActionRow& row : actionTable()) {
    QAction* a = this->*row.member;
    QToolBar* t = row.bar == ActionRow::BarGlowna   ? ActionToolBarGlowna
                  : row.bar == ActionRow::BarWyniki ? ActionToolBarWyniki
                  : row.bar == ActionRow::NoBar     ? nullptr
                                                    : ActionToolBarDane;
    if (!t) continue;
    if (row.flags & ActionRow::SeparatorOnBar) t->addSeparator();
    if (row.bar == ActionRow::BarPrzegroda)
      t->addWidget(makePartitionButton(a));
    else
      t->addAction(a);
  }
  setMenuWidget(CoolBarGlowna);
}

QToolButton* TFormGlowna::makePartitionButton(QAction* action) {
  ButtonPrzegroda = new QToolButton(ActionToolBarDane);
  ButtonPrzegroda->setObjectName(QStringLiteral("ButtonPrzegroda"));
  ButtonPrzegroda->setToolButtonStyle(Qt::ToolButtonTextOnly);
  // Like the buttons the tool bars make for their actions: a stray Space must
  // not start the wizard.
  ButtonPrzegroda->setFocusPolicy(Qt::NoFocus);
  ButtonPrzegroda->setDefaultAction(action);
  auto* przegroda = new QMenu(ButtonPrzegroda);
  przegroda->setObjectName(QStringLiteral("MenuPrzegroda"));
  przegroda->addAction(ActionSystem);
  przegroda->addAction(ActionPokazWarstwy);
  connect(przegroda, &QMenu::aboutToShow, this, &TFormGlowna::UpdateActions);
  ButtonPrzegroda->setMenu(przegroda);
  // The button itself runs ActionRodzajWarstw; its arrow opens the two choices.
  ButtonPrzegroda->setPopupMode(QToolButton::MenuButtonPopup);
  return ButtonPrzegroda;
}

void TFormGlowna::updateAction(const ActionRow& row) {
  QAction* a = this->*row.member;
  if (row.flags & ActionRow::NeedsPartition) a->setEnabled(PartitionDefined());
  if (row.shown) a->setChecked(row.shown());
}

void TFormGlowna::UpdateActions() {
  for (const ActionRow& row : actionTable()) updateAction(row);
}

void TFormGlowna::ExecuteAction(QAction* action) {
  if (!action) return;
  const ActionRow* row = rowOf(action);
  ui::Guard([&] {
    if (row) updateAction(*row);
    if (!action->isEnabled()) return;
    if (const QList<QWidget*> covered = coveredResultWindows(action); !covered.isEmpty()) {
      for (QWidget* w : covered) {
        if (w->isMinimized()) w->showNormal();
        w->raise();
      }
      covered.constFirst()->activateWindow();
      return;
    }
    if (row && (row->flags & ActionRow::AutoCheck)) action->setChecked(!action->isChecked());
    if (row && row->execute) row->execute(*this, action);
  });
  // The check marks show the outcome at once, not at the next idle moment.
  UpdateActions();
}
