// Messages of the core's error types.
#include "calc/errors.h"

#include <QDir>

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

IoError IoError::writeFailed(const QString& file, const QString& reason) {
  return IoError(
      IoCode::DiskFull,
      QStringLiteral("Nie zapisano pliku %1 (%2). Jego dotychczasowa zawartość pozostała bez zmian.")
          .arg(QDir::toNativeSeparators(file), reason),
      Verbatim{});
}

QString QuotedInput(const QString& text) {
  // A message box holding megabytes of text froze the program; control
  // characters would make the message say less than it seems to.
  QString quoted;
  qsizetype shown = 0;
  for (qsizetype i = 0; i < text.size() && shown < kQuotedInputLimit; ++i, ++shown) {
    const QChar c = text.at(i);
    if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format) {
      quoted += c.unicode() <= 0xFF ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'))
                                    : QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    } else {
      quoted += c;
    }
  }
  if (text.size() > kQuotedInputLimit) quoted += QChar(0x2026);
  return quoted;
}

ConversionError ConversionError::notFloat(const QString& text) {
  return ConversionError(QStringLiteral("'%1' is not a valid floating point value").arg(QuotedInput(text)));
}

ConversionError ConversionError::notInteger(const QString& text) {
  return ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(QuotedInput(text)));
}

Error NamingFile(const QString& path, const Error& error) {
  const QString name = QDir::toNativeSeparators(path);
  if (error.message().contains(name)) return error;
  return Error(QStringLiteral("%1: %2").arg(name, error.message()));
}

}  // namespace veltor
