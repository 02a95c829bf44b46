// The report: pages built without the window are checked region by region
// (a text rendered on its own at the spot where it must stand, blank where
// nothing may be, black where a border runs); the window is driven as a user
// drives it for showing, saving and printing.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>
#include <QWheelEvent>
#include <cmath>

#include "calc/errors.h"
#include "draw/fixedfont.h"
#include "draw/raport_draw.h"
#include "forms/appstate.h"
#include "forms/daneprojektu.h"
#include "forms/glowna.h"
#include "forms/pictureframe.h"
#include "forms/raport_new.h"
#include "forms/warstwy.h"
#include "project/projectfile.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

enum class Expect { Text, Blank, Black };
}  // namespace
Q_DECLARE_METATYPE(Expect)

namespace {

veltor::LayerRecord layer(const char* name, double thickness, double lambda, double vapour, double r,
                          double diffusion) {
  veltor::LayerRecord l;
  l.name = name;
  l.thickness = thickness;
  l.lambdaMedium = lambda;
  l.lambdaHumid = lambda * 1.25;
  l.vapourCoefficient = vapour;
  l.resistance = r;
  l.diffusionResistance = diffusion;
  return l;
}

// A name of three lines in the row font.
QByteArray longName() {
  QByteArray name("Warstwa");
  for (int i = 1; i <= 24; ++i) name += " wyraz" + QByteArray::number(i);
  return name;
}

// The first word of line `line` of the long name as the page wraps it.
QString longNameWord(int line) {
  const QStringList lines = raport::WrapText(QFontMetrics(ui::DrawingFont(raport::kRowPixels)),
                                             raport::kNameWidth, QString::fromLatin1(longName()));
  return lines.value(line).section(QLatin1Char(' '), 0, 0);
}

// A page for a named sample: the results stand in the records as a pass would leave them.
QImage samplePage(const QString& sample) {
  static const QImage templatePicture =
      raport::LoadReportTemplate(QStringLiteral(VELTOR_DATA_DIR) + QLatin1String(raport::kTemplatePath));
  veltor::LayerTable table;
  veltor::PartitionSummary summary;
  veltor::DesignConditions c = veltor::DesignConditions::startupValues();
  if (sample.startsWith(QLatin1String("two")) || sample == QLatin1String("long")) {
    table.AppendLayer(layer(sample == QLatin1String("long") ? longName().constData() : "Mur", 0.12, 0.04,
                            -INFINITY, 3.0, 0));
    table.AppendLayer(layer("Tynk", 0.2, 0.07, 81, 2.857, 1234.56));
    summary = {6.027, 12345.6, 0.1659, 0.32, 2, 0.3};
  } else if (sample == QLatin1String("thirty")) {
    for (int i = 0; i < 30; ++i) table.AppendLayer(layer("Mur", 0.1, 0.5, 10, 0.2, 0.0025));
    summary = {6.17, 40, 0.16, 3, 30, 2.5};
  } else if (sample != QLatin1String("empty")) {
    table.AppendLayer(layer(sample.toLatin1().constData(), 0.1, 1.0 / 30, 10, 0.0025, 10000));
    summary = {3, 10040, 0.33, 0.1, 1, 0.1};
  }
  if (sample.contains(QLatin1String("humid"))) c.humidityClass = 1;
  if (sample.contains(QLatin1String("up"))) c.direction = 0;
  if (sample.contains(QLatin1String("down"))) c.direction = 2;
  if (sample.contains(QLatin1String("warm"))) summary.zeroPointDepth.reset();
  if (sample.contains(QLatin1String("corrected"))) c.corrections.airGaps.level = 1;
  if (sample.contains(QLatin1String("bridged")))
    table.at(0).bridge = {QStringLiteral("drewno"), 0.13, 0.13, 0.1};
  if (sample.contains(QLatin1String("ignored"))) summary.transmittance.firstIgnoredLayer = 1;
  summary.transmittance.deltaU = 0.01;
  summary.transmittance.uc = summary.u + 0.01;
  return raport::BuildReport(templatePicture, table, summary, c,
                             {"Ściana", "Inwestor", "Projektant", "1.02"});
}

// `text` as the report draws it, its box's top-left corner at the origin; a
// value wider than `room` narrowed into it.
QImage rendered(const QString& text, int pixels, bool bold, int room) {
  const QFont font = ui::DrawingFont(pixels, bold);
  const QFontMetrics metrics(font);
  const int width = metrics.horizontalAdvance(text);
  QImage image(room > 0 ? std::min(room, width) : width, metrics.height(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setFont(font);
  p.setBackgroundMode(Qt::OpaqueMode);
  p.setBackground(Qt::white);
  if (room > 0 && width > room) p.scale(static_cast<qreal>(room) / width, 1.0);
  p.drawText(QPointF(0, metrics.ascent()), text);
  return image;
}

bool allPixels(const QImage& page, const QRect& box, QRgb colour) {
  if (!page.rect().contains(box)) return false;
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x)
      if ((page.pixel(x, y) | 0xff000000u) != (colour | 0xff000000u)) return false;
  return true;
}

QPoint at(int x, int y) {
  return {x, y};
}
QRect box(int x, int y, int w, int h) {
  return {x, y, w, h};
}

constexpr int kRoom = 34;  // a value cell's room right of its text's x

}  // namespace

class TestRaportNew : public QObject {
  Q_OBJECT
  std::unique_ptr<LocaleScope> locale;
  std::unique_ptr<TestEnvironment> env;

  QImage picture() const { return FormRaportNew->ImageRaport->Picture(); }
  // Toggles the report as from its own front: a covered one would come forward.
  void show() const {
    if (FormRaportNew->isVisible()) QApplication::setActiveWindow(FormRaportNew);
    FormGlowna->ExecuteAction(FormGlowna->ActionPokazRaport);
  }
  void startWithTwoLayers() {
    env = std::make_unique<TestEnvironment>();
    env->startProgram();
    FormDaneProj->LabeledEdit1->setText(QStringLiteral("Ściana piwnicy"));
    FormWarstwy->AppendLayer(std::make_unique<veltor::LayerRecord>(layer("Mur", 0.24, 0.6, 100, 0, 0)));
    FormWarstwy->AppendLayer(std::make_unique<veltor::LayerRecord>(layer("Izolacja", 0.1, 0.04, 12, 0, 0)));
  }

 private Q_SLOTS:
  void init() { locale = std::make_unique<LocaleScope>(QStringLiteral("pl_PL")); }
  void cleanup() {
    env.reset();
    locale.reset();
  }

  void regions_data() {
    QTest::addColumn<QString>("sample");
    QTest::addColumn<Expect>("expect");
    QTest::addColumn<QRect>("region");  // for a text, its top-left corner
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("room");
    const auto text = [](const char* row, const char* sample, QPoint p, const QString& t, int pixels,
                         bool bold = false, int room = 0) {
      QTest::newRow(row) << sample << Expect::Text << QRect(p, QSize(1, 1)) << t << pixels << bold << room;
    };
    const auto region = [](const char* row, const char* sample, Expect e, QRect r) {
      QTest::newRow(row) << sample << e << r << QString() << 0 << false << 0;
    };
    text("header name", "two", at(235, 325), QStringLiteral("Ściana"), 13);
    text("header date", "two", at(235, 399), QStringLiteral("1.02"), 13);
    text("direction horizontal", "two", at(235, 443), QStringLiteral("poziomy"), 13);
    text("direction up", "two up", at(235, 443), QStringLiteral("do góry"), 13);
    text("direction down", "two down", at(235, 443), QStringLiteral("w dół"), 13);
    text("medium-humid class", "two", at(235, 466), QStringLiteral("średniowilgotne"), 13);
    text("humid class", "two humid", at(235, 466), QStringLiteral("wilgotne"), 13);
    text("medium-humid lambda", "two", at(513, 594), QStringLiteral("0,04"), 11, false, kRoom);
    text("humid lambda", "two humid", at(513, 594), QStringLiteral("0,05"), 11, false, kRoom);
    text("row number", "two", at(18, 634), QStringLiteral("2"), 11);
    text("name", "two", at(43, 594), QStringLiteral("Mur"), 11);
    text("max as no resistance", "two", at(553, 594), QStringLiteral("brak"), 11, false, kRoom);
    text("thickness 0,12", "two", at(593, 594), QStringLiteral("0,12"), 11, false, kRoom);
    text("R 3", "two", at(633, 594), QStringLiteral("3"), 11, false, kRoom);
    text("R 2,857", "two", at(633, 634), QStringLiteral("2,9"), 11, false, kRoom);
    text("r 1234,56", "two", at(673, 634), QStringLiteral("1235"), 11, false, kRoom);
    text("r 10000", "Mur", at(673, 594), QStringLiteral("10\u2009000"), 11, false, kRoom);
    text("lambda of 15 digits narrowed", "Mur", at(513, 594), QStringLiteral("0,0333333333333333"), 11, false,
         kRoom);
    text("R 0,0025 narrowed, not cut", "Mur", at(633, 594), QStringLiteral("0,0025"), 11, false, kRoom);
    text("one-character name", "A", at(43, 594), QStringLiteral("A"), 11);
    text("two-character name", "Ab", at(43, 594), QStringLiteral("Ab"), 11);
    text("summary caption", "two", at(43, 684), QStringLiteral("Podsumowanie"), 11, true);
    text("summary thickness", "two", at(593, 684), QStringLiteral("0,32"), 11, true, kRoom);
    text("summary R", "two", at(633, 684), QStringLiteral("6,03"), 11, true, kRoom);
    text("summary r 12 350", "two", at(673, 684), QStringLiteral("12\u2009350"), 11, true, kRoom);
    text("0 degC point caption", "two", at(23, 749), QStringLiteral("Punkt 0 °C"), 11, true);
    text("0 degC point depth", "two", at(263, 749), QStringLiteral("0,3 m"), 11, true);
    text("no 0 degC point", "two warm", at(263, 749), QStringLiteral("brak"), 11, true);
    text("U caption", "two", at(23, 774), QStringLiteral("Współczynnik przenikania ciepła U"), 11, true);
    text("U", "two", at(263, 774), QStringLiteral("0,166 W/(m²K)"), 11, true);
    text("empty: summary at 599 in 10 pt", "empty", at(43, 604), QStringLiteral("Podsumowanie"), 13, true);
    text("empty: zero thickness", "empty", at(593, 604), QStringLiteral("0"), 13, true, kRoom);
    text("empty: no U", "empty", at(263, 694), QStringLiteral("–"), 13, true);
    text("empty: no R", "empty", at(633, 604), QStringLiteral("–"), 13, true, kRoom);
    text("30 layers: last row", "thirty", at(18, 594 + 40 * 29), QStringLiteral("30"), 11);
    text("30 layers: U on the grown page", "thirty", at(263, 694 + 40 * 30), QStringLiteral("0,160 W/(m²K)"),
         11, true);
    // A name of three lines makes its row 15 taller, and all below it moves down.
    text("long name: second line at the column's edge", "long", at(43, 609), longNameWord(1), 11);
    text("long name: next row lower", "long", at(18, 649), QStringLiteral("2"), 11);
    text("long name: summary lower", "long", at(43, 699), QStringLiteral("Podsumowanie"), 11, true);
    text("long name: U lower", "long", at(263, 789), QStringLiteral("0,166 W/(m²K)"), 11, true);
    region("long name: row's bottom border", "long", Expect::Black, box(13, 644, 696, 1));
    text("corrected: ΔU", "two corrected", at(263, 799), QStringLiteral("0,010 W/(m²K)"), 11, true);
    text("corrected: Uc caption", "two corrected", at(23, 824), QStringLiteral("Skorygowany współczynnik Uc"),
         11, true, 232);
    text("corrected: Uc", "two corrected", at(263, 824), QStringLiteral("0,176 W/(m²K)"), 11, true);
    text("bridged: caption", "two bridged", at(43, 594), QStringLiteral("Mur + drewno (10 %)"), 11);
    text("bridged: λ''", "two bridged", at(513, 594), QStringLiteral("0,049"), 11, false, kRoom);
    text("ignored: marked", "two ignored", at(43, 634), QStringLiteral("Tynk (pominięta)"), 11);
    text("ignored: no R", "two ignored", at(633, 634), QStringLiteral("–"), 11, false, kRoom);
    region("summary cell top", "two", Expect::Black, box(38, 679, 471, 1));
    region("summary cell bottom", "two", Expect::Black, box(38, 719, 471, 1));
    region("summary r cell keeps its right border", "two", Expect::Black, box(708, 679, 1, 41));
    region("R cell keeps its right border", "Mur", Expect::Black, box(668, 589, 1, 41));
    region("last row's bottom", "two", Expect::Black, box(13, 669, 696, 1));
    region("gap above the summary", "two", Expect::Blank, box(13, 670, 696, 9));
    region("no summary cell in column 1", "two", Expect::Blank, box(13, 680, 25, 39));
    region("no summary cells in columns 3 and 4", "two", Expect::Blank, box(510, 680, 78, 39));
    region("nothing right of the table", "two", Expect::Blank, box(710, 589, 20, 140));
    region("nothing below the summary", "two", Expect::Blank, box(0, 790, 730, 242));
    region("empty: no rows", "empty", Expect::Blank, box(0, 590, 730, 9));
  }

  void regions() {
    QFETCH(QString, sample);
    QFETCH(Expect, expect);
    QFETCH(QRect, region);
    const QImage page = samplePage(sample);
    if (expect == Expect::Blank) QVERIFY(allPixels(page, region, qRgb(255, 255, 255)));
    if (expect == Expect::Black) QVERIFY(allPixels(page, region, qRgb(0, 0, 0)));
    if (expect != Expect::Text) return;
    QFETCH(QString, text);
    QFETCH(int, pixels);
    QFETCH(bool, bold);
    QFETCH(int, room);
    const QImage expected = rendered(text, pixels, bold, room);
    QCOMPARE(page.copy(QRect(region.topLeft(), expected.size())), expected);
  }

  void wrapping_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maxLines");
    QTest::addColumn<int>("lines");  // -1: more than two
    QStringList words;
    for (int i = 1; i <= 60; ++i) words << QStringLiteral("słowo%1").arg(i);
    const QString many = words.join(QLatin1Char(' '));
    QTest::newRow("60 words") << many << 100 << -1;
    QTest::newRow("60 words, double blanks") << words.join(QStringLiteral("  ")) << 100 << -1;
    QTest::newRow("60 words cut at 2 lines") << many << 2 << 2;
    QTest::newRow("one word wider than the limit") << QString(150, QLatin1Char('W')) << 100 << -1;
    QTest::newRow("long word after short ones")
        << QStringLiteral("ab cd ") + QString(90, QLatin1Char('m')) << 100 << -1;
    QTest::newRow("one character") << QStringLiteral("A") << 100 << 1;
  }

  // Lines keep no blank at either end, lose no other character, and a name
  // cut at its last line says so.
  void wrapping() {
    QFETCH(QString, text);
    QFETCH(int, maxLines);
    QFETCH(int, lines);
    const QFont font = ui::DrawingFont(raport::kRowPixels);
    const QFontMetrics metrics(font);
    const int limit = 480;
    const QStringList wrapped = raport::WrapText(metrics, limit, text, maxLines);
    QString whole;
    for (const QString& line : wrapped) {
      QVERIFY2(!line.startsWith(QLatin1Char(' ')) && !line.endsWith(QLatin1Char(' ')), qPrintable(line));
      QVERIFY(metrics.horizontalAdvance(line) <= limit);
      whole += line;
    }
    QString unbroken = text;
    unbroken.remove(QLatin1Char(' '));
    if (whole.endsWith(QStringLiteral("…"))) {
      QCOMPARE(wrapped.size(), maxLines);
      whole.chop(1);
      QVERIFY(unbroken.startsWith(whole.remove(QLatin1Char(' '))) && whole.size() < unbroken.size());
    } else {
      QCOMPARE(whole.remove(QLatin1Char(' ')), unbroken);
    }
    QVERIFY(lines < 0 ? wrapped.size() > 2 : wrapped.size() == lines);
  }

  void tooManyLayersRefused_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("more layers than a page holds") << raport::kMaxLayers + 1 << QByteArray("Mur");
    // Fewer layers, but their long names make the rows too tall for the painter.
    QTest::newRow("long names") << 400 << QByteArray(200, 'W');
  }
  void tooManyLayersRefused() {
    QFETCH(int, count);
    QFETCH(QByteArray, name);
    veltor::LayerTable table;
    for (int i = 0; i < count; ++i) table.AppendLayer(layer(name.constData(), 0.1, 0.5, 10, 0.2, 1));
    QVERIFY_THROWS_EXCEPTION(veltor::DataError,
                             raport::BuildReport(QImage(730, 1032, QImage::Format_RGB32), table, {}, {}, {}));
  }

  void missingTemplate() {
    startWithTwoLayers();
    const QString path = env->file(QStringLiteral("obrazki/raport.bmp"));
    const QByteArray templateBytes = [&] {
      QFile f(path);
      f.open(QIODevice::ReadOnly);
      return f.readAll();
    }();
    ScriptedDialogs d;
    // First showing: nothing to show, and nothing to print or save.
    env->removeFile(QStringLiteral("obrazki/raport.bmp"));
    d.expectMessage(QStringLiteral("Cannot open file %1.").arg(path));
    show();
    QVERIFY(picture().isNull());
    QVERIFY(!FormRaportNew->ActionSave->isEnabled() && !FormRaportNew->ActionPrint->isEnabled());
    show();  // hides
    env->writeFile(QStringLiteral("obrazki/raport.bmp"), templateBytes);
    show();
    const QImage drawn = picture();
    QVERIFY(!drawn.isNull() && FormRaportNew->ActionSave->isEnabled());
    // Later showing: the picture drawn before stays.
    show();
    env->removeFile(QStringLiteral("obrazki/raport.bmp"));
    FormDaneProj->LabeledEdit1->setText(QStringLiteral("Inna"));
    d.expectMessage(QStringLiteral("Cannot open file %1.").arg(path));
    show();
    QCOMPARE(picture(), drawn);
    QVERIFY(d.allUsed());
  }

  void showingDrawsAfresh() {
    startWithTwoLayers();
    ScriptedDialogs d;
    show();
    QVERIFY(FormRaportNew->isVisible());
    QCOMPARE(FormWarstwy->Summary().layerCount, 2);  // the figures are the two layers'
    const QImage first = rendered(QStringLiteral("Ściana piwnicy"), 13, false, 0);
    QCOMPARE(picture().copy(QRect(at(235, 325), first.size())), first);
    QScrollBar* bar = FormRaportNew->FrameRap->verticalScrollBar();
    bar->setValue(200);
    FormRaportNew->ActionClose->trigger();
    QVERIFY(!FormRaportNew->isVisible() && !FormGlowna->ActionPokazRaport->isChecked());
    FormDaneProj->LabeledEdit1->setText(QStringLiteral("Strop"));
    show();
    const QImage second = rendered(QStringLiteral("Strop"), 13, false, 0);
    QCOMPARE(picture().copy(QRect(at(235, 325), second.size())), second);
    QCOMPARE(bar->value(), 200);
    // A wheel step over the window (its tool bar) moves the picture 25 pixels down.
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(FormRaportNew, &wheel);
    QCOMPARE(bar->value(), 225);
    QTest::keyClick(FormRaportNew, Qt::Key_F1);
    QVERIFY(d.openedTargets.value(0).endsWith(QLatin1String("/Pomoc/15.htm")));
    QVERIFY(QFile::exists(env->file(QStringLiteral("Pomoc/15.htm"))));
  }

  void saving_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("existing");  // a file of that name is there, and the user keeps it
    QTest::newRow("bitmap") << "raport" << 0 << "raport.bmp" << false;
    QTest::newRow("jpeg named with its suffix") << "raport.jpg" << 1 << "raport.jpg" << false;
    QTest::newRow("pdf, suffix in capitals") << "raport.PDF" << 2 << "raport.PDF" << false;
    QTest::newRow("over an existing file, kept") << "raport" << 0 << "raport.bmp" << true;
    // The typed extension decides, whatever filter was left chosen.
    QTest::newRow("pdf typed, bitmap filter") << "raport.pdf" << 0 << "raport.pdf" << false;
    QTest::newRow("jpeg spelled out, pdf filter") << "raport.jpeg" << 2 << "raport.jpeg" << false;
  }

  void saving() {
    QFETCH(QString, chosen);
    QFETCH(int, filter);
    QFETCH(QString, written);
    QFETCH(bool, existing);
    startWithTwoLayers();
    ScriptedDialogs d;
    show();
    d.expectFile(QStringLiteral("SavePictureDialogRaport"), env->file(chosen), filter);
    if (existing) {
      env->writeFile(written, "old");
      d.expectMessage(QStringLiteral("Plik raport.bmp już istnieje.\nCzy chcesz go zastąpić?"),
                      ui::Answer::No);
    }
    FormRaportNew->ActionSave->trigger();
    QVERIFY(d.allUsed());
    const ui::FileDialogRequest& request = d.shownFileDialogs.value(0);
    QVERIFY(request.confirmOverwrite);
    QCOMPARE(request.filters,
             (QStringList{"Mapa bitowa (*.bmp)", "Obraz JPEG (*.jpg *.jpeg)", "Dokument PDF (*.pdf)"}));
    QCOMPARE(QFileInfo(request.fileName).fileName(), QStringLiteral("Ściana piwnicy – raport"));
    QCOMPARE(QFileInfo(request.fileName).absolutePath(), QDir(ProjectsFolder()).absolutePath());
    QCOMPARE(QDir(env->path()).entryList({QStringLiteral("raport*")}), QStringList{written});
    QFile file(env->file(written));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    if (existing) {
      QCOMPARE(bytes, QByteArray("old"));
      return;
    }
    if (!written.endsWith(QLatin1String("pdf"), Qt::CaseInsensitive)) {
      QCOMPARE(QImage::fromData(bytes).size(), picture().size());
      return;
    }
    QVERIFY(bytes.startsWith("%PDF"));
    // One page object; the page tree's "/Type /Pages" is not one.
    QCOMPARE(bytes.count("/Type /Page") - bytes.count("/Type /Pages"), 1);
    // Drawn, not pictured: the page's texts are in the PDF.
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {env->file(written), QStringLiteral("-")});
    QVERIFY(text.waitForFinished(60000));
    QVERIFY(QString::fromUtf8(text.readAllStandardOutput())
                .contains(QStringLiteral("Współczynnik przenikania ciepła U")));
  }

  void printing_data() {
    QTest::addColumn<int>("copies");  // -1: the dialog cancelled
    QTest::newRow("cancelled") << -1;
    QTest::newRow("no copies") << 0;
    QTest::newRow("one copy") << 1;
    QTest::newRow("three copies, three jobs") << 3;
  }

  void printing() {
    QFETCH(int, copies);
    startWithTwoLayers();
    ScriptedDialogs d;
    show();
    d.expectPrint(QStringLiteral("PrintDialogRaport"),
                  copies < 0 ? std::nullopt : std::optional<int>(copies));
    FormRaportNew->ActionPrint->trigger();
    QCOMPARE(d.printJobs, std::max(copies, 0));
  }

  // The designer's report from the window: the file named in the dialog gets
  // its format's suffix and holds the document; printing is one job per copy.
  void designReport() {
    startWithTwoLayers();
    ScriptedDialogs d;
    const QString pdf = env->file(QStringLiteral("raport-projektowy"));
    d.expectFile(QStringLiteral("SaveDialogRaportProjektowy"), pdf);
    FormDaneProj->LabeledEdit1->setText(QStringLiteral("Dom: Kowalscy"));
    FormRaportNew->ActionRaportPdf->trigger();
    // The dialog proposes a name from the project, its characters fit for a file.
    QCOMPARE(QFileInfo(d.shownFileDialogs.last().fileName).fileName(),
             QStringLiteral("Dom_ Kowalscy – raport projektowy.pdf"));
    QFile file(pdf + QStringLiteral(".pdf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(4), QByteArray("%PDF"));
    d.expectFile(QStringLiteral("SaveDialogRaportProjektowy"), env->file(QStringLiteral("r.odt")));
    FormRaportNew->ActionRaportOdt->trigger();
    QVERIFY(QFile::exists(env->file(QStringLiteral("r.odt"))));
    d.expectPrint(QStringLiteral("PrintDialogRaportProjektowy"), 2);
    FormRaportNew->ActionDrukujRaportProjektowy->trigger();
    QCOMPARE(d.printJobs, 2);
  }

  // One project file, one document: the window's PDF and batch mode's have
  // the same text, the moisture page and the dynamics following the file.
  void windowAndBatchGiveOneDocument_data() {
    QTest::addColumn<bool>("ownProject");  // false: the sample as shipped
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");
    QTest::newRow("sample") << false << QStringList{QStringLiteral("Współczynnik tłumienia f")}
                            << QStringList{QStringLiteral("7. Ocena wilgotnościowa")};
    QTest::newRow("condensing wall, moisture page, no dynamics")
        << true << QStringList{QStringLiteral("7. Ocena wilgotnościowa"), QStringLiteral("kumuluje się")}
        << QStringList{QStringLiteral("Współczynnik tłumienia f")};
  }
  void windowAndBatchGiveOneDocument() {
    QFETCH(bool, ownProject);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    env = std::make_unique<TestEnvironment>();
    env->startProgram();
    QString project = QStringLiteral("Projekty/Przykład.Veltor");
    if (ownProject) {
      project = QStringLiteral("Projekty/kondensacja.Veltor");
      veltor::LayerTable layers;
      layers.AppendLayer(layer("Wełna mineralna", 0.2, 0.035, 720, 0, 0));
      layers.AppendLayer(layer("Folia", 0.0002, 0.2, 720.0 / 100000, 0, 0));
      veltor::ProjectExtras extras;
      extras.moisture.climate = veltor::MoistureSettings::Climate::Typed;
      extras.moisture.te.fill(-5);
      extras.moisture.phiE.fill(90);
      extras.moisture.inReport = true;
      extras.dynamicsInReport = false;
      veltor::SaveProjectFile(env->file(project), [&](QIODevice& device) {
        veltor::WriteProject(device, {QStringLiteral("Ściana z folią")},
                             veltor::DesignConditions::startupValues(), layers, extras);
      });
    }
    ScriptedDialogs d;
    d.expectFile(QStringLiteral("OpenDialogProjekt"), project);
    FormGlowna->ExecuteAction(FormGlowna->ActionOtworz);
    d.expectFile(QStringLiteral("SaveDialogRaportProjektowy"), env->file(QStringLiteral("okno.pdf")));
    FormRaportNew->ActionRaportPdf->trigger();
    QVERIFY(d.allUsed());
    // Batch mode in the C locale, the window in the Polish one: the figures
    // are Polish in both.
    QProcess batch;
    QProcessEnvironment plain = QProcessEnvironment::systemEnvironment();
    plain.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    batch.setProcessEnvironment(plain);
    batch.start(QStringLiteral(VELTOR_PROGRAM),
                {QStringLiteral("--report"), env->file(QStringLiteral("wsadowo.pdf")), env->file(project)});
    QVERIFY(batch.waitForFinished(120000));
    QCOMPARE(batch.exitCode(), 0);
    const auto text = [this](const char* name) {
      QProcess pdftotext;
      pdftotext.start(QStringLiteral("pdftotext"),
                      {env->file(QString::fromLatin1(name)), QStringLiteral("-")});
      pdftotext.waitForFinished(60000);
      return QString::fromUtf8(pdftotext.readAllStandardOutput());
    };
    if (qEnvironmentVariableIsSet("VELTOR_KEEP_REPORT"))
      for (const char* name : {"okno.pdf", "wsadowo.pdf"})
        QFile::copy(env->file(QString::fromLatin1(name)),
                    qEnvironmentVariable("VELTOR_KEEP_REPORT") + QString::fromLatin1(name));
    const QString window = text("okno.pdf");
    QVERIFY(!window.isEmpty());
    QCOMPARE(window, text("wsadowo.pdf"));
    for (const QString& expected : present) QVERIFY2(window.contains(expected), qPrintable(expected));
    for (const QString& unexpected : absent) QVERIFY2(!window.contains(unexpected), qPrintable(unexpected));
  }
};

QTEST_MAIN(TestRaportNew)
#include "test_raport_new.moc"
