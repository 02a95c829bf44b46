// A scratch copy of the program's data folders as the working directory, so
// that window tests start the program as a user would and may alter the data.
#pragma once

#include <QByteArray>
#include <QList>
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
  // The user's data folder while the environment lasts (XDG_DATA_HOME).
  QString userData() const { return dir_.filePath(QStringLiteral("user-data")); }
  // Replaces a data file's content (bytes as given, e.g. Windows-1250 text).
  // The large pictures of obrazki may be links to the shipped files: change
  // them only through this, which puts a new file in their place.
  void writeFile(const QString& relative, const QByteArray& content) const;
  void removeFile(const QString& relative) const;

  // Loads the reference tables and creates the window set, as start-up does.
  void startProgram();
  void stopProgram();

 private:
  QTemporaryDir dir_;
  QString previous_;
  QByteArray previousDataHome_;
  QByteArray previousConfigHome_;
  bool started_ = false;
};

// A GIF of 2 x 1 pixels, each frame one colour of white, red, blue and black
// (indices 0 to 3) shown for `delayCs` hundredths of a second (Qt, as browsers
// do, shows a frame of less than 2 for a tenth of a second); `loop` asks for
// endless repetition. Tests that only need the splash to play use it.
QByteArray ShortAnimation(const QList<int>& colours, int delayCs, bool loop = false);

// Sets the default locale for the test's lifetime (e.g. "pl_PL", "en_US").
class LocaleScope {
 public:
  explicit LocaleScope(const QString& name);
  ~LocaleScope();

 private:
  QString previous_;
};
