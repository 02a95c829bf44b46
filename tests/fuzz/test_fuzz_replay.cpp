// Replays every input kept under fuzz/regressions/<target>/ (crashers once
// found, hostile files made by hand) and the shipped data files through the
// fuzz targets, so that a mended fault that comes back fails the normal tests.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include "targets.h"

namespace {

QByteArray contentOf(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int run(const fuzz::Target& target, const QByteArray& bytes) {
  return target.run(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                    static_cast<std::size_t>(bytes.size()));
}

class FuzzReplay : public testing::TestWithParam<fuzz::Target> {};

TEST_P(FuzzReplay, KeptInputsAndShippedFilesPassThrough) {
  const fuzz::Target& target = GetParam();
  int replayed = 0;
  QDirIterator it(QStringLiteral(VELTOR_FUZZ_DIR "/regressions/") + QLatin1String(target.name), QDir::Files);
  while (it.hasNext()) {
    const QString path = it.next();
    SCOPED_TRACE(path.toStdString());
    EXPECT_EQ(run(target, contentOf(path)), 0);
    ++replayed;
  }
  // The seeds the fuzzers start from: whatever the shipped files hold must pass too.
  QDirIterator data(QStringLiteral(VELTOR_DATA_DIR), QDir::Files, QDirIterator::Subdirectories);
  while (data.hasNext()) {
    const QString path = data.next();
    if (!path.endsWith(QLatin1String(".txt")) && !path.endsWith(QLatin1String(".Veltor"))) continue;
    QByteArray bytes = contentOf(path);
    if (QLatin1String(target.name) == QLatin1String("catalogue")) bytes.prepend('\x01');
    EXPECT_EQ(run(target, bytes), 0) << path.toStdString();
  }
  EXPECT_GT(replayed, 0) << "no kept input for " << target.name;
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, testing::ValuesIn(fuzz::kTargets),
                         [](const testing::TestParamInfo<fuzz::Target>& info) { return info.param.name; });

}  // namespace
