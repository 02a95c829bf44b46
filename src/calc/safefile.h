// Files written whole or not at all. Every writer of the program (projects, own
// materials, climate stations, batch results, pictures and documents) goes
// through SafeFile: the new content reaches a temporary file beside the old
// one, and only a write, flush and replacement that all succeeded put it in the
// old one's place. Any failure leaves what the file held before and raises one
// Polish message naming the file.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <memory>

class QFileDevice;

namespace veltor {

class SafeFile {
 public:
  // Opens the replacement of `path`: IoError PathNotFound for a missing folder,
  // AccessDenied for a folder, a read-only file (the user set that mark to keep
  // it; replacement by rename would get past it) or a file that cannot be
  // created. A device or a pipe is written in place, never replaced by a
  // regular file.
  explicit SafeFile(const QString& path);
  // Without commit() the old file stays and the temporary file goes.
  ~SafeFile();
  SafeFile(const SafeFile&) = delete;
  SafeFile& operator=(const SafeFile&) = delete;

  // Both raise IoError::writeFailed on any failure of the file.
  void write(QByteArrayView bytes);
  // Flushes what is buffered and puts the new file in place of the old.
  void commit();

  const QString& path() const { return path_; }

 private:
  [[noreturn]] void fail();
  QString path_;
  std::unique_ptr<QFileDevice> file_;
  bool inPlace_ = false;
};

// The whole of `content` as the new content of `path` through SafeFile.
void WriteFileWhole(const QString& path, QByteArrayView content);

}  // namespace veltor
