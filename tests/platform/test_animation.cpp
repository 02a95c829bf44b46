// The splash's animation player: it plays a GIF once and then reports that it
// stopped; a missing or unreadable file leaves it not playing from the start.
// The tests play short animations of their own; the shipped one is only read.
#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/animation.h"
#include "support/testenv.h"

namespace {

QString WriteGif(const QTemporaryDir& dir, const QByteArray& gif) {
  const QString path = dir.filePath(QStringLiteral("animacja.gif"));
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(gif) != gif.size()) return {};
  return path;
}

}  // namespace

class TestAnimation : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void nothingToPlay_data() {
    QTest::addColumn<QByteArray>("content");  // empty: no file at all
    QTest::newRow("missing file") << QByteArray();
    QTest::newRow("not a picture") << QByteArray("GIF89a but nothing after");
    QTest::newRow("empty file") << QByteArray("");
  }
  void nothingToPlay() {
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("splash.gif"));
    if (!content.isNull()) {
      QFile f(path);
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write(content);
    }
    AnimationPlayer player;
    player.setMovie(path);
    QCOMPARE(player.movie(), path);
    player.play();
    QVERIFY(!player.isPlaying());
    QCOMPARE(player.frameCount(), 0);
  }

  // One round and no more, even for a file that asks to be looped for ever
  // (start-up would wait for ever); the last frame stays, scaled into the
  // widget with its proportions kept and white bands beside it; played again
  // it starts over.
  void playsOnceKeepingTheLastFrame_data() {
    QTest::addColumn<bool>("loop");
    QTest::newRow("once") << false;
    QTest::newRow("asks to loop") << true;
  }
  void playsOnceKeepingTheLastFrame() {
    QFETCH(bool, loop);
    QTemporaryDir dir;
    const QString path = WriteGif(dir, ShortAnimation({0, 1, 2, 3}, 2, loop));
    AnimationPlayer player;
    player.resize(40, 60);  // taller than the 2:1 animation
    player.setMovie(path);
    QCOMPARE(player.frameCount(), 4);
    QVERIFY(!player.isPlaying());
    QElapsedTimer clock;
    clock.start();
    player.play();
    QVERIFY(player.isPlaying());
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(), 3000);
    QVERIFY2(clock.elapsed() >= 70, qPrintable(QString::number(clock.elapsed())));
    QTest::qWait(50);
    QVERIFY(!player.isPlaying());
    const QImage shot = player.grab().toImage();
    QCOMPARE(shot.pixelColor(20, 2), QColor(Qt::white));
    QCOMPARE(shot.pixelColor(20, 57), QColor(Qt::white));
    QCOMPARE(shot.pixelColor(20, 30), QColor(Qt::black));
    player.play();
    QVERIFY(player.isPlaying());
  }

  // Start-up waits for the whole animation: it must stay short, play once and
  // fill the splash window.
  void shippedSplashIsShort() {
    QImageReader reader(QStringLiteral(VELTOR_DATA_DIR "/obrazki/splash.gif"));
    QCOMPARE(reader.size(), QSize(538, 272));
    QCOMPARE(reader.loopCount(), 0);
    int frames = 0, total = 0;
    QImage last;
    while (reader.canRead()) {
      last = reader.read();
      QVERIFY2(!last.isNull(), qPrintable(reader.errorString()));
      total += reader.nextImageDelay();
      ++frames;
    }
    QVERIFY2(frames > 10, qPrintable(QString::number(frames)));
    QVERIFY2(total <= 1500, qPrintable(QString::number(total)));
    // The finished picture carries the name in blue.
    int blue = 0;
    for (int y = 50; y < 120; ++y)
      for (int x = 270; x < 520; ++x) {
        const QColor c = last.pixelColor(x, y);
        blue += c.blue() > 140 && c.red() < 90;
      }
    QVERIFY2(blue > 500, qPrintable(QString::number(blue)));
  }
};

QTEST_MAIN(TestAnimation)
#include "test_animation.moc"
