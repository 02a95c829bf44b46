// Error types of the core. Input/output and conversion failures are raised as
// exceptions and end the operation in progress; the application reports them in
// one place (its standard error box) with the message carried here.
#pragma once

#include <QString>
#include <stdexcept>

namespace veltor {

class Error : public std::runtime_error {
 public:
  explicit Error(const QString& message) : std::runtime_error(message.toStdString()) {}
  QString message() const { return QString::fromUtf8(what()); }
};

// Codes of the classic runtime's file errors; the message follows the code.
namespace IoCode {
inline constexpr int FileNotFound = 2;
inline constexpr int PathNotFound = 3;
inline constexpr int AccessDenied = 5;
inline constexpr int EndOfFile = 100;
inline constexpr int DiskFull = 101;
inline constexpr int InvalidInput = 106;
}  // namespace IoCode

class IoError : public Error {
 public:
  explicit IoError(int code) : Error(messageFor(code)), code_(code) {}
  // The message after the file it concerns: "<file>: File access denied".
  IoError(int code, const QString& file)
      : Error(file + QStringLiteral(": ") + messageFor(code)), code_(code) {}
  int code() const { return code_; }
  // "File not found", "File access denied", "Read beyond end of file", "Disk full",
  // "Invalid numeric input", otherwise "I/O error %d".
  static QString messageFor(int code);
  // A write, flush or replacement of `file` that failed (a full disk, a failing
  // device): a Polish sentence naming the file and the system's `reason`, and
  // saying that what the file held before is still there. Code DiskFull.
  static IoError writeFailed(const QString& file, const QString& reason);

 private:
  struct Verbatim {};
  IoError(int code, const QString& message, Verbatim) : Error(message), code_(code) {}
  int code_;
};

// `error` as a refusal of the file at `path`: its message after the file's
// name, unless the message names the file already.
Error NamingFile(const QString& path, const Error& error);

// Input quoted in a message: its first 40 characters, then "…" when there was
// more; control characters shown as \x81 (or \u200e) so that none is invisible.
inline constexpr qsizetype kQuotedInputLimit = 40;
QString QuotedInput(const QString& text);

// A text that does not convert to a number.
class ConversionError : public Error {
 public:
  using Error::Error;
  static ConversionError notFloat(const QString& text);    // "'%s' is not a valid floating point value"
  static ConversionError notInteger(const QString& text);  // "'%s' is not a valid integer value"
};

// Raised instead of letting an infinity or NaN into a result.
class DivisionByZero : public Error {
 public:
  DivisionByZero() : Error(QStringLiteral("Floating point division by zero")) {}
};

// A data file that is readable but not acceptable (for example a table too long).
class DataError : public Error {
 public:
  using Error::Error;
};

}  // namespace veltor
