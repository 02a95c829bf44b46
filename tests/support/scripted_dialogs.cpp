#include "scripted_dialogs.h"

#include <QPrinter>
#include <QTest>

#include "platform/printing.h"

ScriptedDialogs::ScriptedDialogs() {
  ui::setDialogs(this);
  ui::SetPrintJobObserver([this](QPrinter&) { ++printJobs; });
}

ScriptedDialogs::~ScriptedDialogs() {
  ui::setDialogs(nullptr);
  ui::SetPrintJobObserver({});
  for (const auto& m : messages_) qWarning("expected message never shown: %s", qPrintable(m.text));
  for (const auto& f : files_) qWarning("expected file dialog never shown: %s", qPrintable(f.objectName));
}

ScriptedDialogs& ScriptedDialogs::expectMessage(const QString& text, ui::Answer answer) {
  messages_.push_back({text, answer});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::expectFile(const QString& objectName, const QString& fileName,
                                             int filterIndex) {
  files_.push_back({objectName, fileName, filterIndex});
  return *this;
}

ScriptedDialogs& ScriptedDialogs::expectPrint(const QString& objectName, std::optional<int> copies) {
  prints_.push_back({objectName, copies});
  return *this;
}

ui::Answer ScriptedDialogs::message(const ui::MessageRequest& request) {
  shownMessages.append(request);
  if (messages_.empty()) {
    QTest::qFail(qPrintable(QStringLiteral("unexpected message: ") + request.text), __FILE__, __LINE__);
    return ui::Answer::Closed;
  }
  const Message m = messages_.front();
  messages_.pop_front();
  if (m.text != request.text) {
    QTest::qFail(qPrintable(QStringLiteral("expected message \"%1\", got \"%2\"").arg(m.text, request.text)),
                 __FILE__, __LINE__);
  }
  return m.answer;
}

std::optional<ui::FileChoice> ScriptedDialogs::file(const ui::FileDialogRequest& request) {
  shownFileDialogs.append(request);
  if (files_.empty()) {
    QTest::qFail(qPrintable(QStringLiteral("unexpected file dialog: ") + request.objectName), __FILE__,
                 __LINE__);
    return std::nullopt;
  }
  const File f = files_.front();
  files_.pop_front();
  if (f.objectName != request.objectName)
    QTest::qFail(
        qPrintable(QStringLiteral("expected file dialog %1, got %2").arg(f.objectName, request.objectName)),
        __FILE__, __LINE__);
  if (f.fileName.isEmpty()) return std::nullopt;
  return ui::FileChoice{f.fileName, f.filterIndex};
}

std::optional<ui::FileChoice> ScriptedDialogs::openFile(const ui::FileDialogRequest& request) {
  return file(request);
}
std::optional<ui::FileChoice> ScriptedDialogs::saveFile(const ui::FileDialogRequest& request) {
  return file(request);
}

std::optional<int> ScriptedDialogs::printDialog(const QString& objectName, QPrinter& printer) {
  // No test may reach a real printer: the jobs go to a PDF file of the test's own.
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(printDir_.filePath(QStringLiteral("print.pdf")));
  if (prints_.empty()) {
    QTest::qFail(qPrintable(QStringLiteral("unexpected print dialog: ") + objectName), __FILE__, __LINE__);
    return std::nullopt;
  }
  const Print p = prints_.front();
  prints_.pop_front();
  return p.copies;
}

void ScriptedDialogs::printerSetup(QPrinter& printer) {
  printersSetUp.append(&printer);
}

void ScriptedDialogs::openTarget(const QString& target) {
  openedTargets.append(target);
}

void ScriptedDialogs::showHelp(const QString& path) {
  openedTargets.append(path);
}
