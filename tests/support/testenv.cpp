#include "testenv.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLocale>
#include <QTest>

#include "forms/appstate.h"
#include "forms/windowset.h"

namespace {
void copyTree(const QString& from, const QString& to) {
  QDir().mkpath(to);
  QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString src = it.next();
    const QString dst = to + QLatin1Char('/') + QDir(from).relativeFilePath(src);
    if (it.fileInfo().isDir())
      QDir().mkpath(dst);
    else
      QFile::copy(src, dst);
  }
}
}  // namespace

TestEnvironment::TestEnvironment() : previous_(QDir::currentPath()) {
  copyTree(QStringLiteral(VELTOR_DATA_DIR), dir_.path());
  QDir::setCurrent(dir_.path());
}

TestEnvironment::~TestEnvironment() {
  if (started_) stopProgram();
  QDir::setCurrent(previous_);
}

void TestEnvironment::writeFile(const QString& relative, const QByteArray& content) const {
  QDir().mkpath(QFileInfo(file(relative)).absolutePath());
  QFile f(file(relative));
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write %s", qPrintable(relative));
  f.write(content);
}

void TestEnvironment::removeFile(const QString& relative) const { QFile::remove(file(relative)); }

void TestEnvironment::startProgram() {
  LoadReferenceTables();
  gDesignConditions = {};
  gPartitionSummary = {};
  CreateWindowSet();
  started_ = true;
}

void TestEnvironment::stopProgram() {
  DestroyWindowSet();
  started_ = false;
}

LocaleScope::LocaleScope(const QString& name) : previous_(QLocale().name()) {
  QLocale::setDefault(QLocale(name));
}

LocaleScope::~LocaleScope() { QLocale::setDefault(QLocale(previous_)); }
