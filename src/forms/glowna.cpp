#include "forms/glowna.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>

#include "forms/appstate.h"
#include "forms/system4.h"
#include "forms/warstwy.h"

TFormGlowna* FormGlowna = nullptr;

TFormGlowna::TFormGlowna(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("FormGlowna"));
  setWindowTitle(QStringLiteral("Program do obliczania parametrów fizykalnych przegrody"));
  createActions();
}

TFormGlowna::~TFormGlowna() = default;

void TFormGlowna::FormCreate() { SetStartFolder(QDir::currentPath()); }

void TFormGlowna::createActions() {
  auto make = [this](QAction*& a, const char* name, const QString& caption) {
    a = new QAction(caption, this);
    a->setObjectName(QString::fromLatin1(name));
  };
  make(ActionNowy, "ActionNowy", QStringLiteral("&Nowy"));
  make(ActionOtworz, "ActionOtworz", QStringLiteral("&Otwórz..."));
  make(ActionZapisz, "ActionZapisz", QStringLiteral("&Zapisz..."));
  make(FilePrintSetup1, "FilePrintSetup1", QStringLiteral("&Ustawienia drukarki..."));
  make(ActionClose, "ActionClose", QStringLiteral("Za&kończ"));
  make(ActionPokazDaneProj, "ActionPokazDaneProj", QStringLiteral("&Opis projektu"));
  make(ActionPokazWarunkiPocz, "ActionPokazWarunkiPocz", QStringLiteral("&Warunki początkowe"));
  make(ActionRodzajWarstw, "ActionRodzajWarstw", QStringLiteral("&Przegroda"));
  make(ActionPokazWarstwy, "ActionPokazWarstwy", QStringLiteral("&Dowolna"));
  make(ActionSystem, "ActionSystem", QStringLiteral("&Systemy VELTOR"));
  make(ActionPokazRaport, "ActionPokazRaport", QStringLiteral("&Raport"));
  make(ActionRysTemp, "ActionRysTemp", QStringLiteral("&Temperatura"));
  make(ActionRysCisn, "ActionRysCisn", QStringLiteral("&Ciśnienie pary wodnej"));
  make(ActionHelp, "ActionHelp", QStringLiteral("&VELTOR Pomoc"));
  make(ActionAbout, "ActionAbout", QStringLiteral("&O programie"));
}

void TFormGlowna::createMenus() {}
void TFormGlowna::createToolBars() {}

void TFormGlowna::ExecuteAction(QAction* action) { runExecute(action); }
void TFormGlowna::UpdateActions() {}

bool TFormGlowna::PartitionDefined() const {
  return (FormWarstwy && FormWarstwy->LayerCount() > 0) ||
         (FormSystem4 && FormSystem4->LayerCount() > 0);
}

void TFormGlowna::runExecute(QAction*) {}
void TFormGlowna::ActionNowyExecute() {}
void TFormGlowna::ActionPokazWarstwyExecute() {}
void TFormGlowna::ActionSystemExecute() {}
void TFormGlowna::chartToggle(QAction*, int) {}
bool TFormGlowna::FormCloseQuery() { return true; }
void TFormGlowna::closeEvent(QCloseEvent* e) { e->accept(); }
