// Every question, message, file dialog, print dialog and shell "open" of the
// program goes through this one interface. The real implementation uses
// QMessageBox, QFileDialog, QPrintDialog and QDesktopServices; tests install a
// scripted one that answers from a list and fails on anything unexpected.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace ui {

enum class MessageKind { Warning, Error, Information, Confirmation };

// Closed: the box was closed with its title-bar close box (distinct from Esc,
// which answers with the box's escape button).
enum class Answer { Ok, Cancel, Yes, No, Closed };

enum Button : unsigned { Ok = 1, Cancel = 2, Yes = 4, No = 8 };

struct MessageRequest {
  MessageKind kind = MessageKind::Information;
  QString text;
  unsigned buttons = Ok;
  Answer defaultButton = Answer::Ok;
  Answer escapeButton = Answer::Ok;  // the answer Esc gives
  QString title;                     // empty: the kind's usual caption
};

struct FileDialogRequest {
  QString objectName;  // e.g. "SaveDialogProjekt"
  QString title;
  QStringList filters;  // "Projekty (*.Veltor)", ...
  int selectedFilter = 0;
  QString defaultSuffix;  // without the dot
  QString initialDir;
  QString fileName;  // proposed, with its folder; empty for none
  bool confirmOverwrite = false;
  bool mustExist = false;
};

struct FileChoice {
  QString fileName;
  int filterIndex = 0;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual Answer message(const MessageRequest& request) = 0;
  virtual std::optional<FileChoice> openFile(const FileDialogRequest& request) = 0;
  virtual std::optional<FileChoice> saveFile(const FileDialogRequest& request) = 0;
  // Shows the print dialog for `printer`; the number of copies chosen, or empty
  // when the user cancels.
  virtual std::optional<int> printDialog(const QString& objectName, QPrinter& printer) = 0;
  virtual void printerSetup(QPrinter& printer) = 0;
  // The shell's "open" verb: a web address, a mailto: address, a help page
  // asked for in the system's browser.
  virtual void openTarget(const QString& target) = 0;
  // A help page (a local HTML file) in the program's own help window.
  virtual void showHelp(const QString& path) = 0;
};

// What shows help pages for the real implementation (the help window, once
// the windows exist); without one a page opens in the system's browser.
using HelpViewer = std::function<void(const QString& path)>;
void SetHelpViewer(HelpViewer viewer);

// The installed implementation (the real one unless a test replaced it).
Dialogs& dialogs();
// Installs `d` (not owned); nullptr restores the real implementation.
void setDialogs(Dialogs* d);

// Shortcuts.
Answer ask(MessageKind kind, const QString& text, unsigned buttons, Answer defaultButton,
           Answer escapeButton);
void inform(MessageKind kind, const QString& text);  // one OK button

// The application's standard error box: the message with a full stop added after
// a final letter or digit, titled with the application's name.
void ShowErrorMessage(const QString& message);
QString WithFullStop(const QString& message);

// Runs `body`; an exception escaping it is reported in the standard error box.
// Every handler that can fail runs inside one, so nothing unwinds through Qt.
// Returns false when an exception was reported.
bool Guard(const std::function<void()>& body);

}  // namespace ui
