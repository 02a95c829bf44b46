// Every writer of the program on a disk that fills up and on a device that
// fails every write: each refuses with a message naming the file, and what the
// file held before is still there. The full disk is a small tmpfs mounted for
// the test (skipped where it cannot be mounted).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>

#include "batch/batch.h"
#include "calc/errors.h"
#include "calc/moisture.h"
#include "calc/ownmaterials.h"
#include "project/projectfile.h"

namespace {

const QByteArray kOldContent = "what the user had\r\n";

// Runs one writer on `path`; returns the refusal's message, or empty when it
// reported success.
using Writer = std::function<QString(const QString& path)>;

QString Refusal(const std::function<void()>& write) {
  try {
    write();
  } catch (const veltor::Error& e) {
    return e.message();
  }
  return {};
}

QString BatchRefusal(const QStringList& args) {
  QByteArray out;
  QByteArray err;
  const int status = batch::RunBatchCommand(QStringList{QStringLiteral("veltorobl")} + args, out, err);
  return status == batch::kExitOk ? QString() : QString::fromUtf8(err);
}

QString Sample() {
  return QDir(QStringLiteral(VELTOR_DATA_DIR)).filePath(QStringLiteral("Projekty/Przykład.Veltor"));
}

veltor::LayerRecord Material() {
  veltor::LayerRecord r;
  r.name = "Cegła";
  r.fillPattern = "cegl";
  r.lambdaMedium = 0.77;
  r.lambdaHumid = 0.8;
  r.vapourCoefficient = 72;
  r.density = 1800;
  r.thickness = 0.25;
  r.specificHeat = 880;
  return r;
}

struct WriterRow {
  const char* row;
  const char* file;  // the name written
  Writer write;
  QByteArray old = kOldContent;  // what the file held before
};

void PrintTo(const WriterRow& r, std::ostream* os) {
  *os << r.row;
}

const WriterRow kWriters[] = {
    {"Project", "p.Veltor",
     [](const QString& path) {
       const veltor::LoadedProject sample = veltor::LoadProjectFile(Sample());
       return Refusal([&] {
         veltor::SaveProjectFile(path, [&](QIODevice& file) {
           veltor::WriteProject(file, sample.contents.description, sample.contents.conditions,
                                sample.contents.layers, sample.contents.extras);
         });
       });
     }},
    {"OwnMaterials", "own.txt",
     [](const QString& path) {
       return Refusal([&] { veltor::AddOwnMaterial(path, QStringLiteral("Cegła pełna"), Material()); });
     }},
    {"ClimateStation", "klimat.txt",
     [](const QString& path) {
       veltor::ClimateStation station{QStringLiteral("Nowa"), {}};
       for (int m = 0; m < veltor::kMonthCount; ++m) station.climate.phiE[m] = 80;
       return Refusal([&] { veltor::AppendClimateStation(path, station, {}); });
     },
     "[Stara]\r\n1 80\r\n2 80\r\n3 80\r\n4 80\r\n5 80\r\n6 80\r\n7 80\r\n8 80\r\n9 80\r\n10 80\r\n11 "
     "80\r\n12 "
     "80\r\n"},
    {"BatchOutput", "o.json",
     [](const QString& path) {
       return BatchRefusal({QStringLiteral("--calc"), Sample(), QStringLiteral("--output"), path});
     }},
    {"PictureBmp", "s.bmp",
     [](const QString& path) {
       return BatchRefusal({QStringLiteral("--page"), path, Sample()});
     }},
    {"PictureJpeg", "t.jpg",
     [](const QString& path) {
       return BatchRefusal({QStringLiteral("--temperature-chart"), path, Sample()});
     }},
    {"Pdf", "r.pdf",
     [](const QString& path) {
       return BatchRefusal({QStringLiteral("--report"), path, Sample()});
     }},
    {"Odt", "r.odt",
     [](const QString& path) {
       return BatchRefusal({QStringLiteral("--report"), path, Sample()});
     }},
};

class FullDisk : public ::testing::TestWithParam<WriterRow> {
 protected:
  void SetUp() override {
    QDir::setCurrent(QStringLiteral(VELTOR_DATA_DIR));
    ASSERT_TRUE(scratch_.isValid());
  }
  void TearDown() override {
    if (mounted_) QProcess::execute(QStringLiteral("umount"), {scratch_.path()});
  }
  // A tmpfs of a few pages over the scratch folder, holding the old file and
  // filled to the last byte.
  bool mountFullDisk(const QString& oldFile, const QByteArray& content) {
    if (QProcess::execute(QStringLiteral("mount"),
                          {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                           QStringLiteral("size=64k"), QStringLiteral("tmpfs"), scratch_.path()}) != 0)
      return false;
    mounted_ = true;
    QFile old(oldFile);
    EXPECT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(content);
    old.close();
    QFile filler(scratch_.filePath(QStringLiteral("filler")));
    EXPECT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(512, 'x');
    while (filler.write(block) == block.size()) {
    }
    while (filler.write("x", 1) == 1) {
    }
    return true;
  }

  QTemporaryDir scratch_;
  bool mounted_ = false;
};

TEST_P(FullDisk, RefusesNamingTheFileAndKeepsTheOldOne) {
  const WriterRow& p = GetParam();
  const QString path = scratch_.filePath(QString::fromLatin1(p.file));
  if (!mountFullDisk(path, p.old)) GTEST_SKIP() << "no tmpfs can be mounted here";
  const QString message = p.write(path);
  EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path))) << message.toStdString();
  QFile old(path);
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), p.old);
  // No temporary file is left beside it.
  EXPECT_EQ(QDir(scratch_.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

// Through a link of the writer's own name, so that every writer, pictures
// included, meets the device: it is written in place and refused, and the
// link and the device stay what they were.
TEST_P(FullDisk, FailingDeviceIsRefusedAndStaysADevice) {
  const WriterRow& p = GetParam();
  const QString device = QStringLiteral("/dev/full");
  if (!QFileInfo(device).exists()) GTEST_SKIP() << "no /dev/full here";
  const QString link = scratch_.filePath(QString::fromLatin1(p.file));
  ASSERT_TRUE(QFile::link(device, link));
  const QString message = p.write(link);
  EXPECT_TRUE(message.contains(QDir::toNativeSeparators(link))) << message.toStdString();
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_FALSE(QFileInfo(device).isFile());
}

INSTANTIATE_TEST_SUITE_P(Writers, FullDisk, ::testing::ValuesIn(kWriters),
                         [](const auto& info) { return std::string(info.param.row); });

}  // namespace
