// A scratch copy of the program's data folders as the working directory, so
// that window tests start the program as a user would and may alter the data.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

class TestEnvironment {
 public:
  // Copies data/ into a fresh temporary folder and makes it the working directory.
  TestEnvironment();
  ~TestEnvironment();  // restores the previous working directory

  QString path() const { return dir_.path(); }
  QString file(const QString& relative) const { return dir_.filePath(relative); }
  // Replaces a data file's content (bytes as given, e.g. Windows-1250 text).
  void writeFile(const QString& relative, const QByteArray& content) const;
  void removeFile(const QString& relative) const;

  // Loads the reference tables and creates the window set, as start-up does.
  void startProgram();
  void stopProgram();

 private:
  QTemporaryDir dir_;
  QString previous_;
  bool started_ = false;
};

// Sets the default locale for the test's lifetime (e.g. "pl_PL", "en_US").
class LocaleScope {
 public:
  explicit LocaleScope(const QString& name);
  ~LocaleScope();

 private:
  QString previous_;
};
