// The layer window with many layers, through the paths a user takes.
//
// A keystroke in the thickness box, the repaint included: the keystroke
// changes the current layer's thickness, the pass runs, the summary, the
// list's columns and a warning follow, and the window paints what changed.
// Typing "5" after "0,1" and deleting it again moves U across Umax, so every
// keystroke shows or hides the warning too.
//
// Opening a project: the main window's Open path on a saved file, from reading
// it to the layer window shown with its list painted. Its cost must grow
// linearly with the layers, up to the 10,000 the file format allows.
//
// The same keystrokes with every result window open (both charts, the report,
// the moisture check over a typed climate and the dynamics), which must follow
// each keystroke within one frame.
//
// Windows need a GUI application, so this benchmark brings its own main.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cmath>

#include "calc/numbers.h"
#include "forms/appstate.h"
#include "forms/daneprojektu.h"
#include "forms/dynamika.h"
#include "forms/glowna.h"
#include "forms/kondensacja.h"
#include "forms/pictureframe.h"
#include "forms/raport_new.h"
#include "forms/rysunek.h"
#include "forms/warstwy.h"
#include "forms/warunki_poczatkowe.h"
#include "forms/windowset.h"
#include "model/project.h"
#include "project/projectfile.h"

using namespace veltor;

namespace {

std::unique_ptr<LayerRecord> Layer(int i) {
  auto layer = std::make_unique<LayerRecord>();
  layer->name = i % 5 == 2 ? QByteArray(kAirLayerName) : QByteArray("Mur z cegły pełnej");
  layer->fillPattern = "cegl";
  layer->thickness = i % 5 == 2 ? 0.02 : 0.01 * (i % 7 + 1);
  layer->lambdaMedium = i == 0 ? 0.04 : 0.5 + 0.05 * (i % 5);
  layer->lambdaHumid = layer->lambdaMedium;
  layer->vapourCoefficient = i % 4 == 0 ? -INFINITY : 45;
  // Densities and heats, so that the dynamics window has figures to show.
  layer->density = i % 5 == 2 ? 1.2 : 1800;
  layer->specificHeat = i % 5 == 2 ? 1000 : 840;
  return layer;
}

// Counts the paintings of one widget, to make sure each keystroke was drawn.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    paints += e->type() == QEvent::Paint;
    return false;
  }
};

void Key(QWidget* target, Qt::Key key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &press);
  QApplication::sendEvent(target, &release);
  // The layout requests and the window's update request: the repaint.
  QCoreApplication::sendPostedEvents();
}

void BM_EditGWKeystroke(benchmark::State& state) {
  gDesignConditions = DesignConditions::startupValues();
  Project project;
  TFormWarstwy window(nullptr, project);
  window.FormCreate();
  for (int i = 0; i < state.range(0); ++i) window.AppendLayer(Layer(i));
  // Umax between U with the first layer 0.1 m and 0.15 m thick.
  window.Layers().at(0).thickness = 0.15;
  window.RefreshSummary();
  const double thick = window.Summary().u;
  window.Layers().at(0).thickness = 0.1;
  window.RefreshSummary();
  gDesignConditions.umax = (thick + window.Summary().u) / 2;

  window.show();
  window.activateWindow();
  while (!window.isActiveWindow()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  window.ListViewMaterialy->setCurrentItem(window.ListViewMaterialy->topLevelItem(0));
  QLineEdit* edit = window.EditGW;
  edit->setFocus();
  // The box shows the thickness to the millimetre's tenth ("0,100"); typed
  // short, a "5" after it makes 0.15 m.
  edit->setText(FormatGeneral(0.1));
  Key(edit, Qt::Key_End, QString());
  if (edit->text() != FormatGeneral(0.1) || !edit->hasFocus()) {
    state.SkipWithError("the thickness box does not hold the first layer's thickness");
    return;
  }
  Key(edit, Qt::Key_5, QStringLiteral("5"));
  const bool warnedThick = window.LabelUwaga->isVisible();
  Key(edit, Qt::Key_Backspace, QString());
  if (warnedThick == window.LabelUwaga->isVisible()) {
    state.SkipWithError("the keystrokes do not move U across Umax");
    return;
  }
  PaintCounter counter;
  window.StaticText4->installEventFilter(&counter);
  for (auto _ : state) {
    Key(edit, Qt::Key_5, QStringLiteral("5"));
    Key(edit, Qt::Key_Backspace, QString());
  }
  if (counter.paints < 2 * state.iterations()) state.SkipWithError("a keystroke was not painted");
  state.SetItemsProcessed(2 * state.iterations());  // keystrokes
}

BENCHMARK(BM_EditGWKeystroke)->Arg(20)->Arg(200)->Unit(benchmark::kMicrosecond);

// Runs the posted events and the window system's until `widget` has painted.
bool WaitForPaint(QWidget* widget, PaintCounter& counter) {
  const int before = counter.paints;
  for (int round = 0; round < 1000 && counter.paints == before; ++round) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }
  return counter.paints > before && widget->isVisible();
}

void BM_OpenProject(benchmark::State& state) {
  gDesignConditions = DesignConditions::startupValues();
  CreateWindowSet();
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("duzy.Veltor"));
  {
    LayerTable layers;
    for (int i = 0; i < state.range(0); ++i) layers.AppendLayer(Layer(i));
    // The sections as the main window's Save writes them.
    SaveProjectFile(path, [&layers](QIODevice& file) {
      FormDaneProj->SaveToProject(file);
      FormWarunkiPoczatkowe->SaveToProject(file);
      WriteLayers(file, layers);
    });
  }
  PaintCounter counter;
  FormWarstwy->ListViewMaterialy->viewport()->installEventFilter(&counter);
  for (auto _ : state) {
    FormGlowna->OpenProjectFile(path);
    if (!WaitForPaint(FormWarstwy->ListViewMaterialy->viewport(), counter) ||
        FormWarstwy->LayerCount() != state.range(0)) {
      state.SkipWithError("the layer window did not show the project");
      break;
    }
    state.PauseTiming();
    FormGlowna->ExecuteAction(FormGlowna->ActionPokazWarstwy);  // hides it again
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
  state.SetComplexityN(state.range(0));
  state.SetItemsProcessed(state.iterations() * state.range(0));  // layers
  FormWarstwy->ListViewMaterialy->viewport()->removeEventFilter(&counter);
  DestroyWindowSet();
}

BENCHMARK(BM_OpenProject)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// The same keystrokes with the whole window set and every result shown: both
// charts, the report, the moisture check (over twelve typed months) and the
// dynamics each draw again once per keystroke, their repaint included.
void BM_KeystrokeWithResultWindows(benchmark::State& state) {
  CreateWindowSet();
  Project& project = FormGlowna->project();
  for (int i = 0; i < state.range(0); ++i) FormWarstwy->AppendLayer(Layer(i));
  MoistureSettings climate;
  climate.climate = MoistureSettings::Climate::Typed;
  for (int m = 0; m < 12; ++m) {
    climate.te[m] = -4 + 2 * m - (m > 6 ? 4 * (m - 6) : 0);
    climate.phiE[m] = 85 - m;
  }
  project.setMoisture(climate);
  for (QAction* a :
       {FormGlowna->ActionRysTemp, FormGlowna->ActionRysCisn, FormGlowna->ActionPokazRaport,
        FormGlowna->ActionKondensacja, FormGlowna->ActionDynamika, FormGlowna->ActionPokazWarstwy})
    FormGlowna->ExecuteAction(a);
  FormWarstwy->activateWindow();
  while (!FormWarstwy->isActiveWindow()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  FormWarstwy->ListViewMaterialy->setCurrentItem(FormWarstwy->ListViewMaterialy->topLevelItem(0));
  QLineEdit* edit = FormWarstwy->EditGW;
  edit->setFocus();
  Key(edit, Qt::Key_End, QString());
  const QList<TFormRysunek*> charts = TFormRysunek::Instances();
  if (charts.size() != 2 || !FormRaportNew->isVisible() || !FormKondensacja->Current().result ||
      !FormDynamika->Current().result || !edit->hasFocus()) {
    state.SkipWithError("the result windows are not all shown with a result");
    DestroyWindowSet();
    return;
  }
  // Each keystroke must leave new pictures behind in every window (the
  // offscreen platform paints only the active window, so the pictures are
  // counted, not paints).
  const auto pictures = [&] {
    return QList<qint64>{
        charts[0]->ImageSciana->Picture().cacheKey(), charts[1]->ImageSciana->Picture().cacheKey(),
        FormRaportNew->ImageRaport->Picture().cacheKey(), FormKondensacja->ImageWykres->Picture().cacheKey(),
        FormDynamika->ImageFale->Picture().cacheKey()};
  };
  int redraws = 0;
  QList<qint64> keys = pictures();
  const auto count = [&] {
    const QList<qint64> now = pictures();
    bool all = true;
    for (qsizetype k = 0; k < now.size(); ++k) all = all && now[k] != keys[k];
    redraws += all;
    keys = now;
  };
  for (auto _ : state) {
    Key(edit, Qt::Key_5, QStringLiteral("5"));
    count();
    Key(edit, Qt::Key_Backspace, QString());
    count();
  }
  if (redraws < 2 * state.iterations()) state.SkipWithError("a keystroke's results were not drawn");
  state.SetItemsProcessed(2 * state.iterations());  // keystrokes
  DestroyWindowSet();
}

BENCHMARK(BM_KeystrokeWithResultWindows)->Arg(20)->Arg(200)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale(QStringLiteral("pl_PL")));
  // The window reads its catalogue and the reference tables from the data folder.
  QDir::setCurrent(QStringLiteral(VELTOR_DATA_DIR));
  LoadReferenceTables();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
