// Windows-1250 text: the code page conversion (a fixed table, so it does not
// depend on the codecs the Qt build happens to carry) and the reader that hands
// out lines and point-syntax numbers of the data files.
#include "calc/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <array>

#include "calc/errors.h"
#include "calc/numbers.h"

namespace veltor {

namespace {

// Code points of the bytes 0x80..0xFF. Bytes the code page leaves undefined map
// to the control character of the same value, so every byte survives a round trip.
// clang-format off
constexpr std::array<char16_t, 128> kHighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};
// clang-format on

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

QString FromCp1250(QByteArrayView bytes) {
  QString text;
  text.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    text.append(QChar(b < 0x80 ? char16_t(b) : kHighHalf[b - 0x80]));
  }
  return text;
}

QByteArray ToCp1250(const QString& text) {
  QByteArray bytes;
  bytes.reserve(text.size());
  for (QChar ch : text) {
    const char16_t u = ch.unicode();
    if (u < 0x80) {
      bytes.append(static_cast<char>(u));
      continue;
    }
    char mapped = '?';
    for (int i = 0; i < 128; ++i) {
      if (kHighHalf[i] == u) {
        mapped = static_cast<char>(0x80 + i);
        break;
      }
    }
    bytes.append(mapped);
  }
  return bytes;
}

TextReader::TextReader(QByteArray content) : data_(std::move(content)) {}

TextReader TextReader::open(const QString& path) {
  QFile file(path);
  if (!file.exists()) throw IoError(IoCode::FileNotFound);
  if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) throw IoError(IoCode::AccessDenied);
  return TextReader(file.readAll());
}

bool TextReader::atEnd() const {
  return pos_ >= data_.size();
}

QByteArray TextReader::readLine() {
  QByteArray line;
  while (pos_ < data_.size()) {
    const char c = data_[pos_++];
    if (c == '\n') break;
    // A CR before the LF ends the line with it; a lone one means nothing.
    if (c != '\r') line.append(c);
  }
  return line;
}

double TextReader::readNumber() {
  while (pos_ < data_.size() && isBlank(data_[pos_])) ++pos_;
  if (pos_ >= data_.size()) return 0;
  const qsizetype start = pos_;
  while (pos_ < data_.size() && !isBlank(data_[pos_])) ++pos_;
  const std::optional<double> value = ParsePointNumber(QByteArrayView(data_).sliced(start, pos_ - start));
  if (!value) throw IoError(IoCode::InvalidInput);
  return *value;
}

void TextReader::skipRestOfLine() {
  while (pos_ < data_.size()) {
    if (data_[pos_++] == '\n') break;
  }
}

double TextReader::readNumberLine() {
  const double value = readNumber();
  skipRestOfLine();
  return value;
}

}  // namespace veltor
