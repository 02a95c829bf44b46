// Messages of the core's error types.
#include "calc/errors.h"

namespace veltor {

QString IoError::messageFor(int code) {
  switch (code) {
    case IoCode::FileNotFound:
      return QStringLiteral("File not found");
    case IoCode::PathNotFound:
      return QStringLiteral("Path not found");
    case IoCode::AccessDenied:
      return QStringLiteral("File access denied");
    case IoCode::EndOfFile:
      return QStringLiteral("Read beyond end of file");
    case IoCode::DiskFull:
      return QStringLiteral("Disk full");
    case IoCode::InvalidInput:
      return QStringLiteral("Invalid numeric input");
    default:
      return QStringLiteral("I/O error %1").arg(code);
  }
}

ConversionError ConversionError::notFloat(const QString& text) {
  return ConversionError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

ConversionError ConversionError::notInteger(const QString& text) {
  return ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
}

}  // namespace veltor
