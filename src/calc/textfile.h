// Reading of the program's data files: Windows-1250 text with CR LF, LF or CR
// line ends. Lines are handed out as raw bytes so that names survive unchanged
// into the layer records; they are decoded only for display.
#pragma once

#include <QByteArray>
#include <QString>

namespace veltor {

QString FromCp1250(QByteArrayView bytes);
// Lower case without Polish diacritics, so that "welna" finds "Wełna".
QString FoldForSearch(const QString& text);
QByteArray ToCp1250(const QString& text);

// No data file of the program comes near this; a larger one is refused unread.
inline constexpr qint64 kMaxDataFileSize = 50LL * 1024 * 1024;
class DataError;
// The refusal of a data file above kMaxDataFileSize, naming the file.
DataError TooLargeDataFile(const QString& path);
// The whole content of a data file or picture: IoError ("File not found", "File
// access denied" for anything but a regular file, then naming the file, ...),
// DataError above the limit.
QByteArray ReadDataFile(const QString& path);
// Replaces the file at `path` with `content` in one step (a temporary file
// renamed over it), creating its folder when missing: a failed write leaves
// the old file whole (SafeFile). IoError (PathNotFound, AccessDenied,
// IoError::writeFailed).
void WriteDataFile(const QString& path, const QByteArray& content);

// No line of a data file comes near this either. A longer one is refused before
// it is copied: one line of a large file cost five times the file in memory.
inline constexpr qsizetype kMaxDataLineLength = 64 * 1024;

class TextReader {
 public:
  // `name`, the file's path, is what the reader's refusals call the file. A line
  // longer than kMaxDataLineLength raises DataError naming the file and the line.
  explicit TextReader(QByteArray content, QString name = {});
  // Reads the whole file through ReadDataFile.
  static TextReader open(const QString& path);

  bool atEnd() const;
  // True when the content, or what is left of it, holds nothing but blanks and line ends.
  bool isBlank() const;
  bool restIsBlank() const;
  // Byte offset of the next unread byte, and of the start of the latest line
  // readLine() handed out: what a writer needs to splice one entry in place.
  qsizetype position() const { return pos_; }
  qsizetype lineStart() const { return lineStart_; }
  // The number (from 1) of the line holding a position; counted only for a
  // message, as it reads the text up to there.
  int lineNumberAt(qsizetype position) const;
  // A refusal of line `line`: "Plik <name>, wiersz <line>: <what>".
  DataError lineError(int line, const QString& what) const;
  // A refusal of the whole file: "Plik <name> <what>".
  DataError fileError(const QString& what) const;

  // The next line without its line end (LF, CR LF or CR). At the end of the
  // file: an empty line.
  QByteArray readLine();
  // One number in plain syntax with a point, as the classic Read of a real: blanks,
  // tabs and line breaks before it are skipped (so empty lines are consumed), the
  // number ends at a blank, tab or line end. At the end of the file: 0.
  // A token that is not a number raises IoError(InvalidInput).
  double readNumber();
  // Discards the rest of the current line including its line end.
  void skipRestOfLine();
  // readNumber() followed by skipRestOfLine().
  double readNumberLine();

 private:
  // The position after the line end at `end` (CR LF counts as one).
  qsizetype afterLineEnd(qsizetype end) const;
  // Never written, so that reading never copies a content shared with the caller.
  const QByteArray data_;
  QString name_;
  qsizetype pos_ = 0;
  qsizetype lineStart_ = 0;
};

}  // namespace veltor
