// Windows-1250 text: the code page conversion and the reader that hands out
// lines and point-syntax numbers of the data files.
#include "calc/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// The upper half of Windows-1250; bytes the code page leaves undefined stand
// for the C1 controls of the same number, as Windows decodes them. Our own
// table rather than the toolkit's converter: Qt without ICU (the Windows
// build) knows no Windows-1250, and the data files must read the same there.
constexpr char16_t kUpperHalf[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039, 0x015A,
    0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, 0x0154,
    0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD,
    0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA,
    0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

}  // namespace

QString FromCp1250(QByteArrayView bytes) {
  QString text(bytes.size(), Qt::Uninitialized);
  QChar* out = text.data();
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    out[i] = QChar(byte < 0x80 ? char16_t(byte) : kUpperHalf[byte - 0x80]);
  }
  return text;
}

QByteArray ToCp1250(const QString& text) {
  // A character the code page lacks becomes '?', one per character (a pair of
  // surrogates is one character).
  QByteArray bytes;
  bytes.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text.at(i).unicode();
    if (c < 0x80) {
      bytes.append(char(c));
      continue;
    }
    const char16_t* found = std::find(std::begin(kUpperHalf), std::end(kUpperHalf), c);
    bytes.append(found != std::end(kUpperHalf) ? char(0x80 + (found - std::begin(kUpperHalf))) : '?');
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
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
