// The splash's animation player: it plays a GIF once and then reports that it
// stopped; a missing or unreadable file leaves it not playing from the start.
#include <QTemporaryDir>
#include <QtTest>

#include "platform/animation.h"

namespace {
QString SplashFile() {
  return QStringLiteral(VELTOR_DATA_DIR "/obrazki/splash.gif");
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

  void playsOnceAndStops() {
    AnimationPlayer player;
    player.resize(538, 272);
    player.setMovie(SplashFile());
    QVERIFY(player.frameCount() > 10);
    QVERIFY(!player.isPlaying());
    QElapsedTimer clock;
    clock.start();
    player.play();
    QVERIFY(player.isPlaying());
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(), 15000);
    QVERIFY2(clock.elapsed() > 2000, qPrintable(QString::number(clock.elapsed())));
    // It stays stopped: no second round.
    QTest::qWait(300);
    QVERIFY(!player.isPlaying());
  }

  // A file that asks to be looped for ever still plays one round, so start-up
  // does not wait for ever; a white frame then a black one, the black one stays.
  void loopingFilePlaysOnce() {
    const QByteArray frameHead = QByteArray::fromHex("21f90400050000002c000000000100010000");
    QByteArray gif = QByteArray("GIF89a") + QByteArray::fromHex("01000100800000ffffff000000") +
                     QByteArray::fromHex("21ff0b") + "NETSCAPE2.0" + QByteArray::fromHex("0301000000");
    gif += frameHead + QByteArray::fromHex("0202440100");  // pixel 0: white
    gif += frameHead + QByteArray::fromHex("02024c0100");  // pixel 1: black
    gif += ';';
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("petla.gif"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(gif);
    f.close();
    AnimationPlayer player;
    player.resize(20, 20);
    player.setMovie(path);
    QCOMPARE(player.frameCount(), 2);
    player.play();
    QVERIFY(player.isPlaying());
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(), 3000);
    QCOMPARE(player.grab().toImage().pixelColor(10, 10), QColor(Qt::black));
  }

  void lastFrameFillsTheWidgetKeepingProportions() {
    AnimationPlayer player;
    player.resize(538, 400);  // taller than the animation: bands above and below
    player.setMovie(SplashFile());
    player.play();
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(), 15000);
    const QImage shot = player.grab().toImage();
    // The name in the last frame is blue; the bands outside the picture are white.
    QCOMPARE(shot.pixelColor(5, 5), QColor(Qt::white));
    QCOMPARE(shot.pixelColor(5, 394), QColor(Qt::white));
    int blue = 0;
    for (int y = 64 + 50; y < 64 + 120; ++y)
      for (int x = 270; x < 520; ++x) {
        const QColor c = shot.pixelColor(x, y);
        blue += c.blue() > 140 && c.red() < 90;
      }
    QVERIFY2(blue > 500, qPrintable(QString::number(blue)));
  }

  void playAgainStartsOver() {
    AnimationPlayer player;
    player.setMovie(SplashFile());
    player.play();
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(), 15000);
    player.play();
    QVERIFY(player.isPlaying());
  }
};

QTEST_MAIN(TestAnimation)
#include "test_animation.moc"
