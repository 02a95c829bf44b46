// The drawings' pictures are decoded once and kept: a second reading of an
// unchanged file hands back the same picture, while a file replaced or removed
// since is read again or refused exactly as the first reading would be.
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include "calc/errors.h"
#include "draw/pictures.h"

namespace {

void WritePicture(const QString& path, QSize size, QColor colour) {
  QImage picture(size, QImage::Format_RGB32);
  picture.fill(colour);
  QVERIFY(picture.save(path, "BMP"));
}

}  // namespace

class TestKeptPictures : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void secondReading_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QRgb>("colour");
    QTest::newRow("unchanged, kept") << ""
                                     << "" << qRgb(200, 0, 0);
    QTest::newRow("replaced, read again") << "replace"
                                          << "" << qRgb(0, 0, 200);
    QTest::newRow("removed, refused") << "remove"
                                      << "File not found" << QRgb(0);
    QTest::newRow("no picture any more, refused") << "garble"
                                                  << "Bitmap image is not valid" << QRgb(0);
  }
  void secondReading() {
    QFETCH(QString, change);
    QFETCH(QString, failure);
    QFETCH(QRgb, colour);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wykres1.bmp"));
    WritePicture(path, QSize(4, 4), QColor(200, 0, 0));
    const QImage first = ui::KeptPicture(path);
    QCOMPARE(first.pixel(0, 0), qRgb(200, 0, 0));
    if (change == QLatin1String("replace")) WritePicture(path, QSize(5, 5), QColor(0, 0, 200));
    if (change == QLatin1String("remove")) QVERIFY(QFile::remove(path));
    if (change == QLatin1String("garble")) {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
      file.write("not a picture");
    }
    try {
      const QImage second = ui::KeptPicture(path);
      QVERIFY2(failure.isEmpty(), "a picture no longer there was handed out");
      QCOMPARE(second.pixel(0, 0), colour);
      // Kept means not decoded again: the very same pixels.
      QCOMPARE(second.cacheKey() == first.cacheKey(), change.isEmpty());
    } catch (const veltor::Error& e) {
      QVERIFY2(e.message().contains(failure) && !failure.isEmpty(), qPrintable(e.message()));
    }
  }
};

QTEST_GUILESS_MAIN(TestKeptPictures)
#include "test_kept_pictures.moc"
