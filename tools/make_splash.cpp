// Draws the start-up animation and writes it as data/obrazki/splash.gif.
// Qt reads GIF but does not write it, so the encoder is here: one 256-colour
// palette for all frames (the most frequent colours), each frame stored as the
// rectangle that changed since the previous one, LZW-coded. The file carries no
// loop extension, so a player shows it once. After writing, the tool reads the
// file back with Qt and compares every frame with what it drew.
// Run from the repository root: make_splash [output file]
#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <unordered_map>
#include <vector>

namespace {

constexpr int kWidth = 538;
constexpr int kHeight = 272;
// Start-up waits for the whole animation, so it is kept short: 30 frames at
// about 33 per second, then the finished picture for half a second, 1.37 s in all.
constexpr int kFrames = 30;
constexpr int kFrameDelay = 3;   // 1/100 s
constexpr int kFinalDelay = 50;  // the finished picture stays a moment

double clamp01(double v) {
  return std::clamp(v, 0.0, 1.0);
}

// One frame at time t (0 .. 1): the layers of a wall slide in one after the
// other, then the temperature line runs through them and the name appears.
QImage drawFrame(double t) {
  QImage img(kWidth, kHeight, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient ground(0, 0, kWidth, 0);
  ground.setColorAt(0, QColor(255, 240, 226));
  ground.setColorAt(0.5, Qt::white);
  ground.setColorAt(1, QColor(222, 236, 252));
  p.fillRect(img.rect(), ground);

  struct Band {
    int width;
    QColor colour;
  };
  const Band bands[] = {{10, QColor(236, 230, 214)},
                        {62, QColor(196, 112, 84)},
                        {6, QColor(190, 190, 190)},
                        {52, QColor(250, 240, 140)},
                        {8, QColor(214, 226, 236)}};
  int x = 60;
  for (int i = 0; i < 5; ++i) {
    const double s = clamp01((t - i * 0.08) / 0.18);
    const double eased = 1 - (1 - s) * (1 - s);
    const int left = x + static_cast<int>((1 - eased) * (kWidth - x));
    if (s > 0) {
      const QRect r(left, 40, bands[i].width, 192);
      p.fillRect(r, bands[i].colour);
      p.setPen(QPen(QColor(80, 80, 80), 1));
      p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    x += bands[i].width;
  }

  // Temperature through the wall: gentle in the masonry, steep in the insulation.
  const double line = clamp01((t - 0.5) / 0.25);
  if (line > 0) {
    const QPointF pts[] = {{20, 70},  {60, 74},   {70, 76},   {132, 96},
                           {138, 98}, {190, 200}, {198, 202}, {238, 208}};
    p.setPen(QPen(QColor(205, 30, 30), 3, Qt::SolidLine, Qt::RoundCap));
    const double total = line * (std::size(pts) - 1);
    for (int i = 0; i + 1 < static_cast<int>(std::size(pts)); ++i) {
      const double part = clamp01(total - i);
      if (part <= 0) break;
      p.drawLine(pts[i], pts[i] + (pts[i + 1] - pts[i]) * part);
    }
  }

  const double name = clamp01((t - 0.62) / 0.2);
  if (name > 0) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(54);
    f.setBold(true);
    p.setFont(f);
    QColor c(30, 90, 170);
    c = QColor::fromRgbF(1 - name * (1 - c.redF()), 1 - name * (1 - c.greenF()), 1 - name * (1 - c.blueF()));
    p.setPen(c);
    p.drawText(QRect(270, 50, 250, 70), Qt::AlignCenter, QStringLiteral("VELTOR"));
  }
  const double title = clamp01((t - 0.78) / 0.18);
  if (title > 0) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(17);
    p.setFont(f);
    const int grey = 255 - static_cast<int>(title * 200);
    p.setPen(QColor(grey, grey, grey));
    p.drawText(QRect(270, 130, 250, 80), Qt::AlignCenter | Qt::TextWordWrap,
               QStringLiteral("Program do obliczania parametrów fizykalnych przegrody"));
    f.setPixelSize(12);
    p.setFont(f);
    p.drawText(QRect(270, 215, 250, 20), Qt::AlignCenter, QStringLiteral("wersja 0.9"));
  }
  return img;
}

// The 256 most frequent colours (5 bits per channel) over all frames.
std::vector<QRgb> buildPalette(const std::vector<QImage>& frames) {
  std::vector<int> count(1 << 15, 0);
  auto key = [](QRgb c) { return ((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3); };
  for (const QImage& f : frames)
    for (int y = 0; y < f.height(); ++y) {
      const QRgb* row = reinterpret_cast<const QRgb*>(f.constScanLine(y));
      for (int x = 0; x < f.width(); ++x) ++count[key(row[x])];
    }
  std::vector<int> order(count.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return count[a] > count[b]; });
  std::vector<QRgb> palette;
  for (int k : order) {
    if (palette.size() == 256 || count[k] == 0) break;
    auto expand = [](int v) { return (v << 3) | (v >> 2); };
    palette.push_back(qRgb(expand(k >> 10), expand((k >> 5) & 31), expand(k & 31)));
  }
  while (palette.size() < 256) palette.push_back(qRgb(0, 0, 0));
  return palette;
}

std::vector<uint8_t> toIndexed(const QImage& frame, const std::vector<QRgb>& palette,
                               std::unordered_map<QRgb, uint8_t>& cache) {
  std::vector<uint8_t> out;
  out.reserve(frame.width() * frame.height());
  for (int y = 0; y < frame.height(); ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
    for (int x = 0; x < frame.width(); ++x) {
      const QRgb c = row[x] | 0xff000000u;
      auto it = cache.find(c);
      if (it == cache.end()) {
        int best = 0, bestDist = 1 << 30;
        for (int i = 0; i < 256; ++i) {
          const int dr = qRed(c) - qRed(palette[i]), dg = qGreen(c) - qGreen(palette[i]),
                    db = qBlue(c) - qBlue(palette[i]);
          const int d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
          if (d < bestDist) bestDist = d, best = i;
        }
        it = cache.emplace(c, static_cast<uint8_t>(best)).first;
      }
      out.push_back(it->second);
    }
  }
  return out;
}

// Bits least significant first, packed into sub-blocks of at most 255 bytes.
class BlockWriter {
 public:
  explicit BlockWriter(QByteArray& out) : out_(out) {}
  void put(int code, int width) {
    acc_ |= static_cast<uint32_t>(code) << bits_;
    bits_ += width;
    while (bits_ >= 8) {
      byte(acc_ & 0xff);
      acc_ >>= 8;
      bits_ -= 8;
    }
  }
  void finish() {
    if (bits_ > 0) byte(acc_ & 0xff);
    if (!block_.isEmpty()) flush();
    out_.append('\0');
  }

 private:
  void byte(uint32_t b) {
    block_.append(static_cast<char>(b));
    if (block_.size() == 255) flush();
  }
  void flush() {
    out_.append(static_cast<char>(block_.size()));
    out_.append(block_);
    block_.clear();
  }
  QByteArray& out_;
  QByteArray block_;
  uint32_t acc_ = 0;
  int bits_ = 0;
};

void lzwEncode(const std::vector<uint8_t>& pixels, QByteArray& out) {
  constexpr int kMinCode = 8;
  constexpr int kClear = 1 << kMinCode;
  constexpr int kEnd = kClear + 1;
  out.append(static_cast<char>(kMinCode));
  BlockWriter w(out);
  std::unordered_map<uint32_t, int> dict;
  int next = kEnd + 1;
  int width = kMinCode + 1;
  w.put(kClear, width);
  int prefix = pixels.front();
  for (size_t i = 1; i < pixels.size(); ++i) {
    const int c = pixels[i];
    const uint32_t key = (static_cast<uint32_t>(prefix) << 8) | c;
    if (auto it = dict.find(key); it != dict.end()) {
      prefix = it->second;
      continue;
    }
    w.put(prefix, width);
    if (next < 4096) {
      dict.emplace(key, next++);
      // The decoder learns each code one step later, hence "greater than".
      if (next > (1 << width) && width < 12) ++width;
    } else {
      w.put(kClear, width);
      dict.clear();
      next = kEnd + 1;
      width = kMinCode + 1;
    }
    prefix = c;
  }
  w.put(prefix, width);
  w.put(kEnd, width);
  w.finish();
}

void put16(QByteArray& out, int v) {
  out.append(static_cast<char>(v & 0xff));
  out.append(static_cast<char>((v >> 8) & 0xff));
}

QByteArray encodeGif(const std::vector<QImage>& frames, const std::vector<int>& delays) {
  const std::vector<QRgb> palette = buildPalette(frames);
  std::unordered_map<QRgb, uint8_t> cache;
  QByteArray out("GIF89a");
  put16(out, kWidth);
  put16(out, kHeight);
  out.append(static_cast<char>(0xF7));  // global table of 256 colours
  out.append('\0');
  out.append('\0');
  for (QRgb c : palette) {
    out.append(static_cast<char>(qRed(c)));
    out.append(static_cast<char>(qGreen(c)));
    out.append(static_cast<char>(qBlue(c)));
  }
  std::vector<uint8_t> previous;
  for (size_t f = 0; f < frames.size(); ++f) {
    const std::vector<uint8_t> indexed = toIndexed(frames[f], palette, cache);
    int left = 0, top = 0, right = kWidth - 1, bottom = kHeight - 1;
    if (!previous.empty()) {
      left = kWidth, top = kHeight, right = -1, bottom = -1;
      for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
          if (indexed[y * kWidth + x] != previous[y * kWidth + x]) {
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
          }
      if (right < 0) left = top = right = bottom = 0;  // nothing changed: one pixel
    }
    std::vector<uint8_t> part;
    for (int y = top; y <= bottom; ++y)
      for (int x = left; x <= right; ++x) part.push_back(indexed[y * kWidth + x]);
    out.append("\x21\xF9\x04", 3);
    out.append(static_cast<char>(1 << 2));  // keep this frame under the next
    put16(out, delays[f]);
    out.append('\0');
    out.append('\0');
    out.append('\x2C');
    put16(out, left);
    put16(out, top);
    put16(out, right - left + 1);
    put16(out, bottom - top + 1);
    out.append('\0');
    lzwEncode(part, out);
    previous = indexed;
  }
  out.append('\x3B');
  return out;
}

// Reads the file back and checks each frame against the drawing, allowing for
// the palette's rounding.
bool verify(const QByteArray& gif, const std::vector<QImage>& frames) {
  QBuffer buffer;
  buffer.setData(gif);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "gif");
  for (size_t f = 0; f < frames.size(); ++f) {
    const QImage read = reader.read().convertToFormat(QImage::Format_RGB32);
    if (read.isNull()) {
      std::fprintf(stderr, "frame %zu unreadable: %s\n", f, qPrintable(reader.errorString()));
      return false;
    }
    long long error = 0;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        const QRgb a = read.pixel(x, y), b = frames[f].pixel(x, y);
        error +=
            std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
      }
    const double mean = double(error) / (kWidth * kHeight * 3);
    if (mean > 4.0) {
      std::fprintf(stderr, "frame %zu differs: mean error %.2f\n", f, mean);
      return false;
    }
  }
  if (reader.loopCount() != 0) {
    std::fprintf(stderr, "the animation would loop (%d)\n", reader.loopCount());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("data/obrazki/splash.gif");
  std::vector<QImage> frames;
  std::vector<int> delays;
  for (int i = 0; i < kFrames; ++i) {
    frames.push_back(drawFrame(double(i) / (kFrames - 1)));
    delays.push_back(i + 1 == kFrames ? kFinalDelay : kFrameDelay);
  }
  const QByteArray gif = encodeGif(frames, delays);
  if (!verify(gif, frames)) return 1;
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(gif) != gif.size()) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return 1;
  }
  std::printf("%s: %lld bytes, %d frames\n", qPrintable(path), static_cast<long long>(gif.size()), kFrames);
  return 0;
}
