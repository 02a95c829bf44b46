#include "platform/dialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <exception>
#include <utility>

#include "calc/errors.h"
#include "platform/shell.h"

namespace ui {
namespace {

// A message box that tells its close box apart from Esc: Esc answers with the
// escape button, the close box with Answer::Closed.
class MessageBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;
  bool closedByBox = false;

 protected:
  void closeEvent(QCloseEvent* e) override {
    closedByBox = true;
    e->accept();
    done(QMessageBox::NoButton);
  }
};

// Answers that a standard button gives; Closed has none.
constexpr std::pair<Answer, QMessageBox::StandardButton> kButtons[] = {
    {Answer::Ok, QMessageBox::Ok},
    {Answer::Cancel, QMessageBox::Cancel},
    {Answer::Yes, QMessageBox::Yes},
    {Answer::No, QMessageBox::No},
};

QMessageBox::StandardButton toStandard(Answer a) {
  for (const auto& [answer, button] : kButtons)
    if (answer == a) return button;
  return QMessageBox::NoButton;
}

Answer fromStandard(int button) {
  for (const auto& [answer, standard] : kButtons)
    if (standard == button) return answer;
  return Answer::Closed;
}

QString captionFor(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning:
      return QStringLiteral("Ostrzeżenie");
    case MessageKind::Error:
      return QStringLiteral("Błąd");
    case MessageKind::Information:
      return QStringLiteral("Informacja");
    case MessageKind::Confirmation:
      return QStringLiteral("Potwierdzenie");
  }
  return {};
}

class RealDialogs : public Dialogs {
 public:
  Answer message(const MessageRequest& request) override {
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (request.kind) {
      case MessageKind::Warning:
        icon = QMessageBox::Warning;
        break;
      case MessageKind::Error:
        icon = QMessageBox::Critical;
        break;
      case MessageKind::Information:
        icon = QMessageBox::Information;
        break;
      case MessageKind::Confirmation:
        icon = QMessageBox::Question;
        break;
    }
    QMessageBox::StandardButtons buttons;
    if (request.buttons & Ok) buttons |= QMessageBox::Ok;
    if (request.buttons & Cancel) buttons |= QMessageBox::Cancel;
    if (request.buttons & Yes) buttons |= QMessageBox::Yes;
    if (request.buttons & No) buttons |= QMessageBox::No;
    const QPointer<QWidget> owner = QApplication::activeWindow();
    MessageBox box(icon, request.title.isEmpty() ? captionFor(request.kind) : request.title, request.text,
                   buttons, owner);
    box.setObjectName(QStringLiteral("MessageBox"));
    // Messages quote what the user typed; a "<b>" there is text, not markup.
    box.setTextFormat(Qt::PlainText);
    if (auto b = toStandard(request.defaultButton); b != QMessageBox::NoButton) box.setDefaultButton(b);
    if (auto b = toStandard(request.escapeButton); b != QMessageBox::NoButton) box.setEscapeButton(b);
    const int result = box.exec();
    // A window manager may hand the activation to another window (the main
    // window rather than a tool window) when the box goes; the window the box
    // spoke for gets it back, and with it the focus on the field it named.
    if (owner && owner->isVisible()) owner->activateWindow();
    if (box.closedByBox) return Answer::Closed;
    return fromStandard(result);
  }

  std::optional<FileChoice> runFileDialog(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(QApplication::activeWindow(), request.title);
    dialog.setObjectName(request.objectName);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save || !request.mustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.filters.isEmpty()) {
      dialog.setNameFilters(request.filters);
      dialog.selectNameFilter(request.filters.value(request.selectedFilter));
    }
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.initialDir.isEmpty()) dialog.setDirectory(QDir(request.initialDir).absolutePath());
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return FileChoice{dialog.selectedFiles().constFirst(),
                      std::max(0, static_cast<int>(request.filters.indexOf(dialog.selectedNameFilter())))};
  }

  std::optional<FileChoice> openFile(const FileDialogRequest& request) override {
    return runFileDialog(request, false);
  }
  std::optional<FileChoice> saveFile(const FileDialogRequest& request) override {
    return runFileDialog(request, true);
  }

  std::optional<int> printDialog(const QString& objectName, QPrinter& printer) override {
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setObjectName(objectName);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return printer.copyCount();
  }

  void printerSetup(QPrinter& printer) override {
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("PrinterSetupDialog1"));
    dialog.exec();
  }

  void openTarget(const QString& target) override { ShellOpen(target); }

  void showHelp(const QString& path) override {
    if (helpViewer)
      helpViewer(path);
    else
      ShellOpen(path);
  }

  HelpViewer helpViewer;
};

RealDialogs& realDialogs() {
  static RealDialogs real;
  return real;
}

Dialogs* installed = nullptr;

}  // namespace

Dialogs& dialogs() {
  return installed ? *installed : realDialogs();
}

void setDialogs(Dialogs* d) {
  installed = d;
}

void SetHelpViewer(HelpViewer viewer) {
  realDialogs().helpViewer = std::move(viewer);
}

Answer ask(MessageKind kind, const QString& text, unsigned buttons, Answer defaultButton,
           Answer escapeButton) {
  return dialogs().message(MessageRequest{kind, text, buttons, defaultButton, escapeButton, {}});
}

void inform(MessageKind kind, const QString& text) {
  dialogs().message(MessageRequest{kind, text, Ok, Answer::Ok, Answer::Ok, {}});
}

QString WithFullStop(const QString& message) {
  if (!message.isEmpty() && message.back().isLetterOrNumber()) return message + QLatin1Char('.');
  return message;
}

void ShowErrorMessage(const QString& message) {
  QString title = QApplication::applicationDisplayName();
  if (title.isEmpty()) title = QStringLiteral("VELTORobl");
  dialogs().message(
      MessageRequest{MessageKind::Error, WithFullStop(message), Ok, Answer::Ok, Answer::Ok, title});
}

bool Guard(const std::function<void()>& body) {
  try {
    body();
    return true;
  } catch (const veltor::Error& e) {
    ShowErrorMessage(e.message());
  } catch (const std::bad_alloc&) {
    ShowErrorMessage(QStringLiteral("Out of memory"));
  } catch (const std::exception& e) {
    ShowErrorMessage(QString::fromUtf8(e.what()));
  }
  return false;
}

}  // namespace ui
