// Save and Open of the project file, run by the main window's actions. The
// project is the content of three windows: the description window writes and
// reads the first section, the conditions window the second, and the layer
// window's table is the third. Save goes through a temporary file so that a
// failure never costs the previous file; Open reads and checks the whole file
// before any window changes, so a damaged file is refused without a trace.
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "forms/daneprojektu.h"
#include "forms/glowna.h"
#include "forms/warstwy.h"
#include "forms/warunki_poczatkowe.h"
#include "platform/dialogs.h"
#include "project/projectfile.h"

namespace {

const QString kProjectSuffix = QStringLiteral("Veltor");

// The dialog appends the default extension when the name has none; a name given
// by a test (or a dialog that does not) gets the same treatment here.
QString WithProjectSuffix(const QString& fileName) {
  if (!QFileInfo(fileName).suffix().isEmpty()) return fileName;
  QString name = fileName;
  if (!name.endsWith(QLatin1Char('.'))) name += QLatin1Char('.');
  return name + kProjectSuffix;
}

// A read-only view of one section of the file, for the windows' loaders.
class SectionBuffer : public QBuffer {
 public:
  SectionBuffer(const QByteArray& bytes, qsizetype offset, qsizetype size) {
    setData(bytes.mid(offset, size));
    open(QIODevice::ReadOnly);
  }
};

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
  request.defaultSuffix = kProjectSuffix;
  request.initialDir = ProjectsFolder();
  request.confirmOverwrite = true;
  const std::optional<ui::FileChoice> choice = ui::dialogs().saveFile(request);
  if (!choice || choice->fileName.isEmpty()) return false;

  // The conditions go as last committed: values typed but not yet confirmed in
  // the conditions window are not part of the project. The wizard's list is not
  // written either; only the layer table is.
  veltor::SaveProjectFile(WithProjectSuffix(choice->fileName), [](QIODevice& file) {
    FormDaneProj->SaveToProject(file);
    FormWarunkiPoczatkowe->SaveToProject(file);
    veltor::WriteLayers(file, FormWarstwy->Layers());
  });
  return true;
}

void TFormGlowna::ActionOtworzExecute() {
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
  // Everything that can fail on the file's side fails here, before any change.
  veltor::LoadedProject loaded = veltor::LoadProjectFile(path);

  // The conditions window is the one loader that may still refuse (values it
  // does not accept); it goes first, so a refusal leaves the description and
  // the layers untouched as well. It also sets Rsi and Rse from the direction.
  {
    SectionBuffer conditions(loaded.bytes, veltor::kDescriptionSectionSize, veltor::kConditionsSectionSize);
    FormWarunkiPoczatkowe->LoadFromProject(conditions);
  }
  {
    SectionBuffer description(loaded.bytes, 0, veltor::kDescriptionSectionSize);
    FormDaneProj->LoadFromProject(description);
  }
  FormWarstwy->ReplaceLayers(std::move(loaded.contents.layers));
  ShowLayerWindow();
}

void TFormGlowna::ShowLayerWindow() {
  // The action's toggle would hide a layer window that is already shown.
  if (FormWarstwy->isVisible())
    FormWarstwy->raise();
  else
    ExecuteAction(ActionPokazWarstwy);
}
