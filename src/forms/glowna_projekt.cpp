// Save and Open of the project file, run by the main window's actions, and
// the list of the latest projects. The project model holds everything the
// file holds: Save writes it through a temporary file so that a failure never
// costs the previous file; Open reads and checks the whole file before the
// model changes, so a damaged file is refused without a trace and the project
// keeps its undo history. A building of several partitions is one file
// (buildingfile.h); one partition alone is the plain project.
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>

#include "forms/appstate.h"
#include "forms/glowna.h"
#include "forms/warstwy.h"
#include "forms/warunki_poczatkowe.h"
#include "model/project.h"
#include "platform/dialogs.h"
#include "project/buildingfile.h"
#include "project/projectfile.h"

namespace {

const QString kProjectSuffix = QStringLiteral("Veltor");
const QString kProjectFilter = QStringLiteral("Projekt przegrody (*.Veltor)");
const QString kRecentKey = QStringLiteral("ostatnieProjekty");
constexpr int kRecentCount = 8;
const QString kRecentMissing =
    QStringLiteral("Nie znaleziono pliku projektu:\n%1\nUsunięto go z listy ostatnich projektów.");

// The dialog appends the default extension when the name has none; a name given
// by a test (or a dialog that does not) gets the same treatment here.
QString WithProjectSuffix(const QString& fileName) {
  if (!QFileInfo(fileName).suffix().isEmpty()) return fileName;
  QString name = fileName;
  if (!name.endsWith(QLatin1Char('.'))) name += QLatin1Char('.');
  return name + kProjectSuffix;
}

// ~/.config/veltorobl/veltorobl.conf, whatever the application's names are.
QSettings Settings() {
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("veltorobl"),
                   QStringLiteral("veltorobl"));
}

void StoreRecent(const QStringList& files) {
  Settings().setValue(kRecentKey, files);
}

}  // namespace

QString ProjectsFolder() {
  // The program's own folder may be read-only (an installed copy); projects
  // belong with the user's documents.
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

bool TFormGlowna::ActionZapiszExecute() {
  ui::FileDialogRequest request;
  request.objectName = QStringLiteral("SaveDialogProjekt");
  request.title = QStringLiteral("Zapisz projekt...");
  request.filters = {kProjectFilter, QStringLiteral("Wszystkie pliki (*)")};
  request.defaultSuffix = kProjectSuffix;
  request.initialDir = ProjectsFolder();
  request.fileName = project_.fileName();
  request.confirmOverwrite = true;
  const std::optional<ui::FileChoice> choice = ui::dialogs().saveFile(request);
  if (!choice || choice->fileName.isEmpty()) return false;
  saveTo(WithProjectSuffix(choice->fileName));
  return true;
}

bool TFormGlowna::ActionZapiszBiezacyExecute() {
  if (project_.fileName().isEmpty()) return ActionZapiszExecute();
  saveTo(project_.fileName());
  return true;
}

void TFormGlowna::saveTo(const QString& path) {
  // The conditions go as last committed: values typed but not yet confirmed in
  // the conditions window are not part of the project. The wizard's list is not
  // written either; only the layer table is.
  veltor::SaveProjectFile(path, [this](QIODevice& file) {
    veltor::WriteBuilding(file, project_.description(), project_.building().contents());
  });
  project_.markSaved(QFileInfo(path).absoluteFilePath());
  rememberRecent(path);
}

void TFormGlowna::ActionOtworzExecute() {
  // Opening replaces the project, so its unsaved work is offered for saving
  // first, as closing the program does.
  if (!askToSaveChanges()) return;
  ui::FileDialogRequest request;
  request.objectName = QStringLiteral("OpenDialogProjekt");
  request.title = QStringLiteral("Otwórz projekt...");
  request.filters = {QStringLiteral("Projekty (*.Veltor)"), QStringLiteral("Wszystkie pliki (*.*)")};
  request.defaultSuffix = kProjectSuffix;
  request.initialDir = ProjectsFolder();
  request.mustExist = false;
  const std::optional<ui::FileChoice> choice = ui::dialogs().openFile(request);
  if (!choice || choice->fileName.isEmpty()) return;
  OpenProjectFile(choice->fileName);
}

void TFormGlowna::OpenProjectFile(const QString& path) {
  // Everything that can fail, the file and the values the conditions window
  // would not accept, fails here, before the project changes.
  veltor::BuildingContents loaded = veltor::LoadBuildingFile(path);
  for (veltor::PartitionContents& partition : loaded.partitions) {
    TFormWarunkiPoczatkowe::CheckProjectConditions(partition.conditions);
    partition.conditions.setSurfaceResistancesFromDirection();
  }
  project_.loadBuilding(std::move(loaded), QFileInfo(path).absoluteFilePath());
  rememberRecent(path);
  ShowLayerWindow();
}

void TFormGlowna::OpenRecentProject(const QString& path) {
  if (!QFileInfo::exists(path)) {
    QStringList files = RecentProjects();
    files.removeAll(path);
    StoreRecent(files);
    fillRecentMenu();
    ui::inform(ui::MessageKind::Warning, kRecentMissing.arg(path));
    return;
  }
  if (!askToSaveChanges()) return;
  OpenProjectFile(path);
}

QStringList TFormGlowna::RecentProjects() {
  return Settings().value(kRecentKey).toStringList();
}

void TFormGlowna::rememberRecent(const QString& path) {
  const QString file = QFileInfo(path).absoluteFilePath();
  QStringList files = RecentProjects();
  files.removeAll(file);
  files.prepend(file);
  while (files.size() > kRecentCount) files.removeLast();
  StoreRecent(files);
  fillRecentMenu();
}

void TFormGlowna::fillRecentMenu() {
  MenuOstatnie->clear();
  const QStringList files = RecentProjects();
  for (int i = 0; i < files.size(); ++i) {
    const QString& file = files[i];
    QAction* a = MenuOstatnie->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(file).fileName()));
    a->setObjectName(QStringLiteral("ActionOstatni%1").arg(i + 1));
    a->setStatusTip(QDir::toNativeSeparators(file));
    a->setToolTip(a->statusTip());
    connect(a, &QAction::triggered, this, [this, file] { ui::Guard([&] { OpenRecentProject(file); }); });
  }
  MenuOstatnie->setEnabled(!files.isEmpty());
}

void TFormGlowna::ShowLayerWindow() {
  ShowAction(ActionPokazWarstwy);
}
