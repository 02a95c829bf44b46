// Test stand-in for every dialog of the program. A test lists the messages it
// expects, in order, with the answer to give; any other message, file dialog or
// print dialog fails the test. Shell "open" calls are only recorded.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <optional>

#include "platform/dialogs.h"

class ScriptedDialogs : public ui::Dialogs {
 public:
  ScriptedDialogs();            // installs itself
  ~ScriptedDialogs() override;  // uninstalls; fails when expectations were left unused

  // The next message must contain exactly `text`; it is answered with `answer`.
  ScriptedDialogs& expectMessage(const QString& text, ui::Answer answer = ui::Answer::Ok);
  // Next file dialog (open or save) answers with this file (empty: cancelled).
  ScriptedDialogs& expectFile(const QString& objectName, const QString& fileName, int filterIndex = 0);
  ScriptedDialogs& expectPrint(const QString& objectName, std::optional<int> copies);

  bool allUsed() const { return messages_.empty() && files_.empty() && prints_.empty(); }
  // Everything shown so far, in order.
  QList<ui::MessageRequest> shownMessages;
  QList<ui::FileDialogRequest> shownFileDialogs;
  QStringList openedTargets;
  QList<QPrinter*> printersSetUp;
  int printJobs = 0;  // print jobs started while this object was installed

  ui::Answer message(const ui::MessageRequest& request) override;
  std::optional<ui::FileChoice> openFile(const ui::FileDialogRequest& request) override;
  std::optional<ui::FileChoice> saveFile(const ui::FileDialogRequest& request) override;
  std::optional<int> printDialog(const QString& objectName, QPrinter& printer) override;
  void printerSetup(QPrinter& printer) override;
  void openTarget(const QString& target) override;
  // Help pages are counted among the opened targets.
  void showHelp(const QString& path) override;

 private:
  struct Message {
    QString text;
    ui::Answer answer;
  };
  struct File {
    QString objectName;
    QString fileName;
    int filterIndex;
  };
  struct Print {
    QString objectName;
    std::optional<int> copies;
  };
  std::optional<ui::FileChoice> file(const ui::FileDialogRequest& request);
  std::deque<Message> messages_;
  std::deque<File> files_;
  std::deque<Print> prints_;
  QTemporaryDir printDir_;
};
