// Windows-1250 text: the code page conversion and the reader that hands out
// lines and point-syntax numbers of the data files.
#include "calc/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

#include "calc/errors.h"
#include "calc/numbers.h"
#include "calc/safefile.h"

namespace veltor {

QString FoldForSearch(const QString& text) {
  // "ł" has no decomposition; every other Polish letter loses its mark.
  QString folded = text.toLower().normalized(QString::NormalizationForm_D);
  folded.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
  folded.replace(QChar(0x0142), QLatin1Char('l'));
  return folded;
}

namespace {

bool isBlankChar(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isLineEnd(char c) {
  return c == '\n' || c == '\r';
}

constexpr char kCodePage[] = "windows-1250";

// The code page has one byte per character and no state, so the converter
// decodes the 256 bytes once and text is decoded through that table: opening
// the converter for every line cost more than all the rest of reading the
// data files at start-up.
struct Cp1250Table {
  QString chars;  // 256 characters, or empty when the converter gave no such table
  Cp1250Table() {
    QByteArray everyByte(256, '\0');
    for (int b = 0; b < 256; ++b) everyByte[b] = static_cast<char>(b);
    QStringDecoder decoder(kCodePage);
    chars = decoder(everyByte);
    if (chars.size() != 256) chars.clear();
  }
};

}  // namespace

QString FromCp1250(QByteArrayView bytes) {
  static const Cp1250Table table;
  if (table.chars.isEmpty()) {
    QStringDecoder decoder(kCodePage);
    return decoder(bytes);
  }
  QString text(bytes.size(), Qt::Uninitialized);
  QChar* out = text.data();
  const QChar* chars = table.chars.constData();
  for (qsizetype i = 0; i < bytes.size(); ++i) out[i] = chars[static_cast<unsigned char>(bytes[i])];
  return text;
}

QByteArray ToCp1250(const QString& text) {
  QStringEncoder encoder(kCodePage);
  QByteArray bytes = encoder(text);
  if (!encoder.hasError()) return bytes;
  // A character the code page lacks becomes '?', one per character (a pair of
  // surrogates is one character), rather than the converter's control byte.
  bytes.clear();
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    QStringEncoder one(kCodePage);
    const QByteArray encoded = one(QStringView(text).mid(i, length));
    bytes.append(one.hasError() ? QByteArray("?") : encoded);
    i += length;
  }
  return bytes;
}

DataError TooLargeDataFile(const QString& path) {
  return DataError(QStringLiteral("Plik %1 jest zbyt duży (ponad %2 MB) i nie zostanie wczytany")
                       .arg(QDir::toNativeSeparators(path))
                       .arg(kMaxDataFileSize / (1024 * 1024)));
}

TextReader::TextReader(QByteArray content, QString name) : data_(std::move(content)), name_(std::move(name)) {
  // Every line is measured before any is copied.
  qsizetype start = 0;
  for (int line = 1;; ++line) {
    const qsizetype end = std::find_if(data_.cbegin() + start, data_.cend(), isLineEnd) - data_.cbegin();
    if (end - start > kMaxDataLineLength)
      throw lineError(line, QStringLiteral("wiersz dłuższy niż %1 znaków").arg(kMaxDataLineLength));
    if (end >= data_.size()) break;
    start = afterLineEnd(end);
  }
}

QByteArray ReadDataFile(const QString& path) {
  QFile file(path);
  const QFileInfo info(path);
  if (!info.exists()) throw IoError(IoCode::FileNotFound);
  // Only a regular file: a pipe would block start-up for ever, a device such as
  // /dev/zero would be read until memory runs out. Start-up reads many files,
  // so the refusal says which.
  if (!info.isFile() || !file.open(QIODevice::ReadOnly))
    throw IoError(IoCode::AccessDenied, QDir::toNativeSeparators(path));
  if (file.size() > kMaxDataFileSize) throw TooLargeDataFile(path);
  QByteArray content = file.read(kMaxDataFileSize);
  if (file.error() != QFileDevice::NoError) throw IoError(IoCode::EndOfFile);
  return content;
}

void WriteDataFile(const QString& path, const QByteArray& content) {
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) throw IoError(IoCode::PathNotFound);
  WriteFileWhole(path, content);
}

TextReader TextReader::open(const QString& path) {
  return TextReader(ReadDataFile(path), path);
}

bool TextReader::atEnd() const {
  return pos_ >= data_.size();
}

bool TextReader::isBlank() const {
  return std::all_of(data_.cbegin(), data_.cend(), isBlankChar);
}

bool TextReader::restIsBlank() const {
  return std::all_of(data_.cbegin() + std::min(pos_, data_.size()), data_.cend(), isBlankChar);
}

int TextReader::lineNumberAt(qsizetype position) const {
  int line = 1;
  for (qsizetype i = 0; i < position && i < data_.size();) {
    if (!isLineEnd(data_[i])) {
      ++i;
    } else {
      i = afterLineEnd(i);
      if (i <= position) ++line;
    }
  }
  return line;
}

DataError TextReader::lineError(int line, const QString& what) const {
  if (name_.isEmpty()) return DataError(QStringLiteral("Wiersz %1: %2").arg(line).arg(what));
  return DataError(
      QStringLiteral("Plik %1, wiersz %2: %3").arg(QDir::toNativeSeparators(name_)).arg(line).arg(what));
}

DataError TextReader::fileError(const QString& what) const {
  if (name_.isEmpty()) return DataError(QStringLiteral("Plik %1").arg(what));
  return DataError(QStringLiteral("Plik %1 %2").arg(QDir::toNativeSeparators(name_), what));
}

qsizetype TextReader::afterLineEnd(qsizetype end) const {
  if (end >= data_.size()) return data_.size();
  return end + (data_[end] == '\r' && end + 1 < data_.size() && data_[end + 1] == '\n' ? 2 : 1);
}

QByteArray TextReader::readLine() {
  lineStart_ = pos_;
  qsizetype end = pos_;
  while (end < data_.size() && !isLineEnd(data_[end])) ++end;
  QByteArray line = data_.mid(pos_, end - pos_);
  pos_ = afterLineEnd(end);
  return line;
}

double TextReader::readNumber() {
  while (pos_ < data_.size() && isBlankChar(data_[pos_])) ++pos_;
  if (pos_ >= data_.size()) return 0;
  const qsizetype start = pos_;
  while (pos_ < data_.size() && !isBlankChar(data_[pos_])) ++pos_;
  const std::optional<double> value = ParsePointNumber(QByteArrayView(data_).sliced(start, pos_ - start));
  if (!value) throw IoError(IoCode::InvalidInput);
  return *value;
}

void TextReader::skipRestOfLine() {
  while (pos_ < data_.size() && !isLineEnd(data_[pos_])) ++pos_;
  pos_ = afterLineEnd(pos_);
}

double TextReader::readNumberLine() {
  const double value = readNumber();
  skipRestOfLine();
  return value;
}

}  // namespace veltor
