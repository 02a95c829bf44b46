// Unpacking and packing the ODT's zip: the package Qt wrote is read through
// its central directory (deflated or stored entries), and written back with
// every entry stored, the mimetype first as ODF asks.
#include "draw/raport_odt.h"

#include <zlib.h>

#include <QRegularExpression>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "calc/errors.h"

namespace designreport {

namespace {

constexpr double kTextWidthCm = 18.2;

struct Entry {
  QByteArray name;
  QByteArray data;
};

[[noreturn]] void Broken() {
  throw veltor::DataError(QStringLiteral("Nie udało się sporządzić dokumentu ODT"));
}

template <typename T>
T At(const QByteArray& bytes, qsizetype pos) {
  if (pos < 0 || pos + qsizetype(sizeof(T)) > bytes.size()) Broken();
  return qFromLittleEndian<T>(bytes.constData() + pos);
}

QByteArray Inflate(QByteArrayView raw, qsizetype size) {
  QByteArray out(size, Qt::Uninitialized);
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK) Broken();
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.data()));
  z.avail_in = static_cast<uInt>(raw.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  const int result = inflate(&z, Z_FINISH);
  inflateEnd(&z);
  if (result != Z_STREAM_END || z.total_out != static_cast<uLong>(size)) Broken();
  return out;
}

std::vector<Entry> Unpack(const QByteArray& zip) {
  const qsizetype end = zip.lastIndexOf(QByteArrayView("PK\x05\x06", 4));
  if (end < 0) Broken();
  const int count = At<quint16>(zip, end + 10);
  qsizetype pos = At<quint32>(zip, end + 16);
  std::vector<Entry> entries;
  for (int i = 0; i < count; ++i) {
    if (At<quint32>(zip, pos) != 0x02014b50) Broken();
    const quint16 method = At<quint16>(zip, pos + 10);
    const quint32 packed = At<quint32>(zip, pos + 20);
    const quint32 size = At<quint32>(zip, pos + 24);
    const quint16 nameLength = At<quint16>(zip, pos + 28);
    const qsizetype next = pos + 46 + nameLength + At<quint16>(zip, pos + 30) + At<quint16>(zip, pos + 32);
    const qsizetype local = At<quint32>(zip, pos + 42);
    const qsizetype data = local + 30 + At<quint16>(zip, local + 26) + At<quint16>(zip, local + 28);
    if (next > zip.size() || data + packed > zip.size()) Broken();
    const QByteArrayView raw(zip.constData() + data, packed);
    entries.push_back({zip.mid(pos + 46, nameLength), method == 0   ? raw.toByteArray()
                                                      : method == 8 ? Inflate(raw, size)
                                                                    : QByteArray()});
    if (method != 0 && method != 8) Broken();
    pos = next;
  }
  return entries;
}

template <typename T>
void Put(QByteArray& out, T value) {
  char bytes[sizeof(T)];
  qToLittleEndian(value, bytes);
  out.append(bytes, sizeof(T));
}

QByteArray Pack(const std::vector<Entry>& entries) {
  QByteArray zip, directory;
  for (const Entry& e : entries) {
    const quint32 crc = static_cast<quint32>(
        crc32(0, reinterpret_cast<const Bytef*>(e.data.constData()), static_cast<uInt>(e.data.size())));
    const auto size = static_cast<quint32>(e.data.size());
    const auto offset = static_cast<quint32>(zip.size());
    // Stored, dated 1 January 1980: the same project gives the same bytes.
    const auto common = [&](QByteArray& out) {
      Put<quint16>(out, 20);
      Put<quint16>(out, 0);
      Put<quint16>(out, 0);
      Put<quint16>(out, 0);
      Put<quint16>(out, 0x21);
      Put<quint32>(out, crc);
      Put<quint32>(out, size);
      Put<quint32>(out, size);
      Put<quint16>(out, static_cast<quint16>(e.name.size()));
      Put<quint16>(out, 0);
    };
    Put<quint32>(zip, 0x04034b50);
    common(zip);
    zip += e.name + e.data;
    Put<quint32>(directory, 0x02014b50);
    Put<quint16>(directory, 20);
    common(directory);
    Put<quint16>(directory, 0);
    Put<quint16>(directory, 0);
    Put<quint16>(directory, 0);
    Put<quint32>(directory, 0);
    Put<quint32>(directory, offset);
    directory += e.name;
  }
  const auto directoryOffset = static_cast<quint32>(zip.size());
  zip += directory;
  Put<quint32>(zip, 0x06054b50);
  Put<quint16>(zip, 0);
  Put<quint16>(zip, 0);
  Put<quint16>(zip, static_cast<quint16>(entries.size()));
  Put<quint16>(zip, static_cast<quint16>(entries.size()));
  Put<quint32>(zip, static_cast<quint32>(directory.size()));
  Put<quint32>(zip, directoryOffset);
  Put<quint16>(zip, 0);
  return zip;
}

// The page as the PDF has it: A4 and the same text width; the top and
// bottom margins a little smaller, for the office suite's own line spacing.
QByteArray Styles(const QString& footer) {
  return QStringLiteral(
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<office:document-styles xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
             "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
             "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
             "xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\" "
             "office:version=\"1.2\">"
             "<office:styles>"
             "<style:default-style style:family=\"paragraph\"><style:text-properties "
             "fo:font-family=\"'DejaVu "
             "Sans'\" fo:font-size=\"8pt\" fo:language=\"pl\" fo:country=\"PL\"/></style:default-style>"
             "<style:style style:name=\"Footer\" style:family=\"paragraph\"><style:paragraph-properties>"
             "<style:tab-stops><style:tab-stop style:position=\"18.2cm\" "
             "style:type=\"right\"/></style:tab-stops>"
             "</style:paragraph-properties><style:text-properties fo:font-size=\"7pt\"/></style:style>"
             "</office:styles>"
             "<office:automatic-styles><style:page-layout style:name=\"A4\"><style:page-layout-properties "
             "fo:page-width=\"21cm\" fo:page-height=\"29.7cm\" style:print-orientation=\"portrait\" "
             "fo:margin-top=\"1cm\" fo:margin-bottom=\"0.8cm\" fo:margin-left=\"1.4cm\" "
             "fo:margin-right=\"1.4cm\"/>"
             "<style:footer-style><style:header-footer-properties fo:min-height=\"0.5cm\" "
             "fo:margin-top=\"0.2cm\"/></style:footer-style></style:page-layout></office:automatic-styles>"
             "<office:master-styles><style:master-page style:name=\"Standard\" style:page-layout-name=\"A4\">"
             "<style:footer><text:p text:style-name=\"Footer\">%1<text:tab/>strona <text:page-number "
             "text:select-page=\"current\"/> z <text:page-count/></text:p></style:footer></style:master-page>"
             "</office:master-styles></office:document-styles>\n")
      .arg(footer.toHtmlEscaped())
      .toUtf8();
}

QByteArray Content(QByteArray content) {
  QString text = QString::fromUtf8(content);
  // ODF takes a column's width as a length (with its share beside it), not
  // as "30%": the shares of each table are spread over the text's width.
  static const QRegularExpression column(QStringLiteral(
      "style:name=\"(Table\\d+)\\.\\d+\" style:family=\"table-column\">\\s*<style:table-column-properties "
      "style:column-width=\"([0-9.]+)%\""));
  std::map<QString, double> sums;
  for (const QRegularExpressionMatch& m : column.globalMatch(text))
    sums[m.captured(1)] += m.captured(2).toDouble();
  QString out;
  qsizetype from = 0;
  for (const QRegularExpressionMatch& m : column.globalMatch(text)) {
    const double share = m.captured(2).toDouble() / std::max(1.0, sums[m.captured(1)]);
    out += QStringView(text).sliced(from, m.capturedStart(2) - from - 1);
    out.chop(QStringLiteral("style:column-width=").size());
    out += QStringLiteral("style:column-width=\"%1cm\" style:rel-column-width=\"%2*")
               .arg(QString::number(kTextWidthCm * share, 'f', 3))
               .arg(std::lround(share * 10000));
    from = m.capturedEnd(2) + 1;
  }
  out += QStringView(text).sliced(from);
  // Every table of the report spans the text.
  out.replace(QStringLiteral("style:width=\"100pt\""),
              QStringLiteral("style:width=\"%1cm\" table:align=\"margins\"").arg(kTextWidthCm));
  return out.toUtf8();
}

}  // namespace

QByteArray FinishOdt(const QByteArray& odt, const QString& footer) {
  std::vector<Entry> entries = Unpack(odt);
  bool content = false, manifest = false;
  for (Entry& e : entries) {
    if (e.name == "content.xml") {
      e.data = Content(std::move(e.data));
      content = true;
    } else if (e.name == "META-INF/manifest.xml") {
      e.data.replace(
          "manifest:full-path=\"content.xml\"/>",
          "manifest:full-path=\"content.xml\"/>\n <manifest:file-entry manifest:media-type=\"text/xml\" "
          "manifest:full-path=\"styles.xml\"/>");
      manifest = true;
    }
  }
  if (!content || !manifest || entries.front().name != "mimetype") Broken();
  entries.push_back({"styles.xml", Styles(footer)});
  return Pack(entries);
}

}  // namespace designreport
