// The window set: construction and creation handlers in start-up order, and
// the teardown at the end of the program (or of a test).
#include "forms/windowset.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QToolBar>
#include <memory>

#include "forms/about.h"
#include "forms/appstate.h"
#include "forms/daneprojektu.h"
#include "forms/dobor_grubosci.h"
#include "forms/dynamika.h"
#include "forms/glowna.h"
#include "forms/grunt.h"
#include "forms/kondensacja.h"
#include "forms/pomoc.h"
#include "forms/poprawki.h"
#include "forms/porownanie.h"
#include "forms/przegrody.h"
#include "forms/raport_new.h"
#include "forms/rysunek.h"
#include "forms/system1.h"
#include "forms/system2.h"
#include "forms/system3.h"
#include "forms/system4.h"
#include "forms/warstwy.h"
#include "forms/warunki_poczatkowe.h"
#include "model/project.h"
#include "platform/dialogs.h"

namespace {
CreationHook& creationHook() {
  static CreationHook hook;
  return hook;
}

// The project every window of the set observes; it outlives the windows, which
// may still be told of it while they are destroyed.
std::unique_ptr<Project>& theProject() {
  static std::unique_ptr<Project> project;
  return project;
}

// What the wizard's steps chose, shared by the four of them.
std::unique_ptr<WizardChoices>& theChoices() {
  static std::unique_ptr<WizardChoices> choices;
  return choices;
}

// Construction builds the controls and cannot fail; the creation handler reads
// the window's data files and may, which is reported without stopping start-up.
template <class Form, class... Args>
void create(Form*& instance, Args&&... args) {
  instance = new Form(std::forward<Args>(args)...);
  ui::Guard([&] {
    instance->FormCreate();
    if (creationHook()) creationHook()(instance);
  });
}
}  // namespace

void CreateWindowSet() {
  theProject() = std::make_unique<Project>();
  Project& project = *theProject();
  theChoices() = std::make_unique<WizardChoices>();
  WizardChoices& choices = *theChoices();
  // The program's one design-conditions record follows the project, ahead of
  // every window told of the same change.
  gDesignConditions = project.conditions();
  QObject::connect(&project, &Project::changed, &project, [&project](Project::Parts parts) {
    if (parts & Project::Conditions) gDesignConditions = project.conditions();
  });
  create(FormGlowna, project);
  create(FormWarstwy, FormGlowna, project);
  create(FormWarunkiPoczatkowe, FormGlowna, project);
  create(FormDaneProj, FormGlowna, project);
  create(AboutBox, FormGlowna);
  create(FormSystem1, FormGlowna, choices);
  create(FormSystem2, FormGlowna, choices);
  create(FormSystem3, FormGlowna, choices);
  create(FormSystem4, FormGlowna, project, choices);
  create(FormRaportNew, FormGlowna, project);
  create(FormKondensacja, FormGlowna, project);
  create(FormDynamika, FormGlowna, project);
  create(FormPoprawki, FormGlowna, project);
  create(FormPrzegrody, FormGlowna, project);
  create(FormPorownanie, FormGlowna, project.building());
  create(FormDoborGrubosci, FormGlowna, project.building());
  // Each partition's results come from the model, over the program's tables.
  project.building().setReferenceTables(&gReferenceTables);
  create(FormGrunt, FormGlowna, project);
  // The designer's report is reached from the results menu as well as from
  // the report window, which owns its actions.
  if (auto* wyniki = FormGlowna->findChild<QMenu*>(QStringLiteral("MenuWyniki"))) {
    wyniki->addSeparator();
    wyniki->addAction(FormRaportNew->ActionRaportPdf);
    wyniki->addAction(FormRaportNew->ActionRaportOdt);
  }
  if (auto* dane = FormGlowna->findChild<QMenu*>(QStringLiteral("MenuDane"))) {
    dane->addAction(FormPoprawki->ActionPoprawki);
    dane->addAction(FormGrunt->ActionGrunt);
    dane->insertAction(dane->actions().value(0), FormPrzegrody->ActionPrzegrody);
  }
  if (FormGlowna->ActionToolBarDane)
    FormGlowna->ActionToolBarDane->insertAction(FormGlowna->ActionToolBarDane->actions().value(0),
                                                FormPrzegrody->ActionPrzegrody);
  // Exporting the current partition sits with Save in the project menu.
  if (auto* projekt = FormGlowna->findChild<QMenu*>(QStringLiteral("MenuProjekt"))) {
    const QList<QAction*> items = projekt->actions();
    projekt->insertAction(items.value(items.indexOf(FormGlowna->ActionZapisz) + 1),
                          FormPrzegrody->ActionEksportujPrzegrode);
  }
  // The check marks of the main window's actions follow these being shown and hidden.
  for (QWidget* w : std::initializer_list<QWidget*>{
           FormWarstwy, FormWarunkiPoczatkowe, FormDaneProj, FormSystem1, FormSystem2, FormSystem3,
           FormSystem4, FormRaportNew, FormKondensacja, FormDynamika, FormPrzegrody})
    FormGlowna->WatchVisibility(w);
  // Help pages open in the program's own help window from now on.
  ui::SetHelpViewer(&ShowHelpWindow);
}

void ShowWindow(WindowId window) {
  if (!FormGlowna) return;
  switch (window) {
    case WindowId::ProjectDescription:
      FormGlowna->ShowAction(FormGlowna->ActionPokazDaneProj);
      break;
    case WindowId::Conditions:
      FormGlowna->ShowAction(FormGlowna->ActionPokazWarunkiPocz);
      break;
    case WindowId::Layers:
      FormGlowna->ShowLayerWindow();
      break;
    case WindowId::Wizard:
      FormGlowna->ExecuteAction(FormGlowna->ActionSystem);
      break;
  }
}

void WindowsChanged() {
  if (FormGlowna) FormGlowna->UpdateActions();
}

QWidget* MainWindow() {
  return FormGlowna;
}

void SetCreationHook(CreationHook hook) {
  creationHook() = std::move(hook);
}

void DestroyWindowSet() {
  for (TFormRysunek* chart : TFormRysunek::Instances()) delete chart;
  // The companions are children of the main window and go with it.
  delete FormGlowna;
  FormGlowna = nullptr;
  FormWarstwy = nullptr;
  FormWarunkiPoczatkowe = nullptr;
  FormDaneProj = nullptr;
  AboutBox = nullptr;
  FormSystem1 = nullptr;
  FormSystem2 = nullptr;
  FormSystem3 = nullptr;
  FormSystem4 = nullptr;
  FormRaportNew = nullptr;
  FormKondensacja = nullptr;
  FormDynamika = nullptr;
  FormPoprawki = nullptr;
  FormGrunt = nullptr;
  FormPrzegrody = nullptr;
  FormPorownanie = nullptr;
  FormDoborGrubosci = nullptr;
  theProject().reset();
  theChoices().reset();
  FormPomoc = nullptr;
  ui::SetHelpViewer({});
}
