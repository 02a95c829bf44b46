#include "testenv.h"

#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTest>

#include "forms/appstate.h"
#include "forms/windowset.h"

namespace {
// QFile::copy syncs every copy to the disk; a scratch folder needs no such
// promise, and on a busy disk the syncs were most of a window test's time.
void copyFile(const QString& from, const QString& to) {
  QFile in(from);
  QFile out(to);
  if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly) ||
      out.write(in.readAll()) != in.size())
    qFatal("cannot copy %s", qPrintable(from));
}

// The chart backgrounds and the report template are most of the data's bytes
// and the program only reads them: every window test copying them kept the
// disk busy. They are linked instead when the file system allows it.
bool shareable(const QFileInfo& file) {
  return file.path().endsWith(QLatin1String("/obrazki")) && file.size() >= 256 * 1024;
}

void copyTree(const QString& from, const QString& to) {
  QDir().mkpath(to);
  QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString src = it.next();
    const QString dst = to + QLatin1Char('/') + QDir(from).relativeFilePath(src);
    if (it.fileInfo().isDir())
      QDir().mkpath(dst);
    else if (!shareable(it.fileInfo()) || ::link(QFile::encodeName(src), QFile::encodeName(dst)) != 0)
      copyFile(src, dst);
  }
}
}  // namespace

TestEnvironment::TestEnvironment()
    : previous_(QDir::currentPath()),
      previousDataHome_(qgetenv("XDG_DATA_HOME")),
      previousConfigHome_(qgetenv("XDG_CONFIG_HOME")) {
  copyTree(QStringLiteral(VELTOR_DATA_DIR), dir_.path());
  QDir::setCurrent(dir_.path());
  // What the program keeps among the user's data and settings (the latest
  // projects) stays in the scratch folder.
  qputenv("XDG_DATA_HOME", QFile::encodeName(userData()));
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.filePath(QStringLiteral("user-config"))));
}

TestEnvironment::~TestEnvironment() {
  if (started_) stopProgram();
  QDir::setCurrent(previous_);
  if (previousDataHome_.isNull())
    qunsetenv("XDG_DATA_HOME");
  else
    qputenv("XDG_DATA_HOME", previousDataHome_);
  if (previousConfigHome_.isNull())
    qunsetenv("XDG_CONFIG_HOME");
  else
    qputenv("XDG_CONFIG_HOME", previousConfigHome_);
}

void TestEnvironment::writeFile(const QString& relative, const QByteArray& content) const {
  QDir().mkpath(QFileInfo(file(relative)).absolutePath());
  // A new file, never the shipped one through a link.
  QFile::remove(file(relative));
  QFile f(file(relative));
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write %s", qPrintable(relative));
  f.write(content);
}

void TestEnvironment::removeFile(const QString& relative) const {
  QFile::remove(file(relative));
}

void TestEnvironment::startProgram() {
  LoadReferenceTables();
  gDesignConditions = {};
  CreateWindowSet();
  started_ = true;
}

void TestEnvironment::stopProgram() {
  QCoreApplication::sendPostedEvents();
  DestroyWindowSet();
  started_ = false;
}

QByteArray ShortAnimation(const QList<int>& colours, int delayCs, bool loop) {
  // 2 x 1 pixels, a table of four colours, no background, no aspect; the table.
  QByteArray gif = "GIF89a" + QByteArray::fromHex("02000100810000ffffffff00000000ff000000");
  if (loop) gif += QByteArray::fromHex("21ff0b") + "NETSCAPE2.0" + QByteArray::fromHex("0301000000");
  for (int c : colours) {
    gif += QByteArray::fromHex("21f90400") + char(delayCs) + QByteArray::fromHex("000000");
    gif += QByteArray::fromHex("2c00000000020001000002");
    // Clear, the colour twice, end: four codes of 3 bits.
    const int codes = 4 | c << 3 | c << 6 | 5 << 9;
    gif += char(2) + QByteArray(1, char(codes & 0xff)) + char(codes >> 8) + '\0';
  }
  return gif + ';';
}

LocaleScope::LocaleScope(const QString& name) : previous_(QLocale().name()) {
  QLocale::setDefault(QLocale(name));
}

LocaleScope::~LocaleScope() {
  QLocale::setDefault(QLocale(previous_));
}
