// SafeFile over QSaveFile. The flush is checked on its own before the commit:
// a small file stays in the device's buffer until then, and a full disk
// noticed only there once replaced a project with an empty file.
#include "calc/safefile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "calc/errors.h"

namespace veltor {

SafeFile::SafeFile(const QString& path) : path_(path) {
  const QFileInfo info(path);
  if (info.isDir()) throw IoError(IoCode::AccessDenied);
  if (!info.absoluteDir().exists()) throw IoError(IoCode::PathNotFound);
  if (info.exists() && !info.isFile()) {
    // A device or a pipe (--output /dev/stdout, a FIFO a script reads): a
    // rename over it would put a regular file where the node was.
    inPlace_ = true;
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) throw IoError(IoCode::AccessDenied);
    file_ = std::move(file);
    return;
  }
  if (info.exists() && !(info.permissions() & QFileDevice::WriteOwner)) throw IoError(IoCode::AccessDenied);
  auto file = std::make_unique<QSaveFile>(path);
  if (!file->open(QIODevice::WriteOnly)) throw IoError(IoCode::AccessDenied);
  file_ = std::move(file);
}

SafeFile::~SafeFile() = default;

void SafeFile::fail() {
  const QString reason = file_->errorString();
  // Dropped before the message leaves: the temporary file goes at once.
  if (!inPlace_) static_cast<QSaveFile*>(file_.get())->cancelWriting();
  throw IoError::writeFailed(path_, reason);
}

void SafeFile::write(QByteArrayView bytes) {
  if (file_->write(bytes.data(), bytes.size()) != bytes.size()) fail();
}

void SafeFile::commit() {
  if (!file_->flush() || file_->error() != QFileDevice::NoError) fail();
  if (inPlace_) {
    file_->close();
    if (file_->error() != QFileDevice::NoError) fail();
    return;
  }
  if (!static_cast<QSaveFile*>(file_.get())->commit()) {
    const QString reason = file_->errorString();
    throw IoError::writeFailed(path_, reason);
  }
}

void WriteFileWhole(const QString& path, QByteArrayView content) {
  SafeFile file(path);
  file.write(content);
  file.commit();
}

}  // namespace veltor
