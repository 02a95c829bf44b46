// The chart window: a tool bar (print, save, close) over a scrolling frame
// that shows the chart's picture. The picture is drawn once, when the window
// is opened; a chart is a snapshot of the partition at that moment.
#include "forms/rysunek.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QScreen>
#include <QShowEvent>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "calc/ground.h"
#include "draw/rysunek_draw.h"
#include "forms/appstate.h"
#include "forms/companion.h"
#include "forms/daneprojektu.h"
#include "forms/followproject.h"
#include "forms/pictureframe.h"
#include "forms/warstwy.h"
#include "forms/windowset.h"
#include "model/project.h"
#include "platform/dialogs.h"
#include "platform/picturefile.h"
#include "platform/printing.h"

namespace {

QList<QPointer<TFormRysunek>>& registry() {
  static QList<QPointer<TFormRysunek>> windows;
  return windows;
}

// Tall enough to show the whole picture where the screen allows, on a
// 1280 x 1024 screen at least a whole drawing of it.
int OpeningHeight(int kind, int toolBarHeight) {
  constexpr int kLeast = 537;
  // Left of the screen's height for the window's title bar.
  constexpr int kTitleBar = 40;
  int height = toolBarHeight + (kind == 2 ? chart::kPressurePictureHeight : chart::kTemperaturePictureHeight);
  const QScreen* screen = MainWindow() ? MainWindow()->screen() : QGuiApplication::primaryScreen();
  if (screen) height = std::min(height, screen->availableGeometry().height() - kTitleBar);
  return std::max(kLeast, height);
}

const QString kTemperatureCaption = QStringLiteral("Wykres rozkładu temperatury w przegrodzie");
const QString kPressureCaption = QStringLiteral("Wykres rozkładu ciśnienia pary wodnej w przegrodzie");

}  // namespace

TFormRysunek::TFormRysunek(int chartKind)
    // Kept above the main window, as the other result windows are: a click in
    // the main window must not bury a chart the designer is reading. A parent
    // alone does not do it on X11: Qt writes WM_TRANSIENT_FOR only for the
    // dialog-like types, a tool window among them.
    : QWidget(MainWindow(), kResultWindowFlags), chartKind_(chartKind), xOrigin_(chart::kOriginX) {
  setObjectName(QStringLiteral("FormRysunek"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Rysunek"));
  // As wide as the picture and a vertical scroll bar, and no wider.
  setMaximumWidth(815);

  auto* manager = new QObject(this);
  manager->setObjectName(QStringLiteral("ActionManagerRys"));
  ActionPrint = makeAction(manager, "ActionPrint", QStringLiteral("&Drukuj"));
  ActionSave = makeAction(manager, "ActionSave", QStringLiteral("Za&pisz"));
  ActionClose = makeAction(manager, "ActionClose", QStringLiteral("&Zamknij"));
  connect(ActionPrint, &QAction::triggered, this, [this] { ui::Guard([this] { ActionPrintExecute(); }); });
  connect(ActionSave, &QAction::triggered, this, [this] { ui::Guard([this] { ActionSaveExecute(); }); });
  connect(ActionClose, &QAction::triggered, this, &TFormRysunek::ActionCloseExecute);

  auto* coolBar = new QWidget(this);
  coolBar->setObjectName(QStringLiteral("CoolBar1"));
  auto* bar = new QHBoxLayout(coolBar);
  bar->setContentsMargins(0, 0, 0, 0);
  ActionToolBarRys = new QToolBar(coolBar);
  ActionToolBarRys->setObjectName(QStringLiteral("ActionToolBarRys"));
  ActionToolBarRys->setToolButtonStyle(Qt::ToolButtonTextOnly);
  ActionToolBarRys->addAction(ActionPrint);
  ActionToolBarRys->addAction(ActionSave);
  ActionToolBarRys->addAction(ActionClose);
  bar->addWidget(ActionToolBarRys);

  FrameRys1 = new TPictureFrame(this, QStringLiteral("FrameRys1"), QStringLiteral("ImageSciana"));
  ImageSciana = FrameRys1->Image();
  // Without a border the 800-pixel picture and the vertical scroll bar fit the
  // window's width exactly, so no horizontal scroll bar appears.
  FrameRys1->setFrameShape(QFrame::NoFrame);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(coolBar);
  layout->addWidget(FrameRys1, 1);
  resize(815, OpeningHeight(chartKind, coolBar->sizeHint().height()));

  registry().append(this);
}

TFormRysunek::~TFormRysunek() {
  registry().removeAll(this);
}

QAction* TFormRysunek::makeAction(QObject* manager, const char* name, const QString& caption) {
  auto* a = new QAction(caption, manager);
  a->setObjectName(QString::fromLatin1(name));
  return a;
}

QStringList TFormRysunek::DrawChart(veltor::LayerTable& table, bool tell) {
  // Whatever happens below, the image shows what is in the picture by then.
  const auto shown = qScopeGuard([this] {
    ImageSciana->Changed();
    ActionPrint->setEnabled(!ImageSciana->Picture().isNull());
    ActionSave->setEnabled(!ImageSciana->Picture().isNull());
  });
  vectorPage_ = {};
  ImageSciana->SetPicture(ui::KeptPicture(chart::BackgroundPath(StartFolder(), chartKind_)));
  // The project's partition has its figures in the model; the wizard's table,
  // which is no partition yet, gets a pass of its own.
  veltor::PartitionSummary own;
  const bool partition = project_ && &table == &project_->layers();
  if (!partition) RunCalculationPass(table, own, tell);
  const veltor::PartitionSummary& summary = partition ? CurrentSummary(*project_, tell) : own;
  if (chartKind_ == 1) setWindowTitle(kTemperatureCaption);
  if (chartKind_ == 2) setWindowTitle(kPressureCaption);
  // The winter profiles assume outdoor air beyond the outer face.
  if (project_ && project_->extras().ground.onGround()) {
    QImage& picture = ImageSciana->Picture();
    QPainter painter(&picture);
    QFont font = painter.font();
    font.setPointSize(14);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(picture.rect(), Qt::AlignCenter | Qt::TextWordWrap, veltor::kNotForGround);
    return {};
  }
  const veltor::DesignConditions boundary = veltor::WithRseInForce(gDesignConditions);
  const chart::ChartData data{table, summary, boundary, gReferenceTables.saturation};
  const QStringList skipped =
      chart::DrawChart(ImageSciana->Picture(), chartKind_, data, chart::HatchesFrom(StartFolder()), xOrigin_)
          .skipped;
  vectorPage_ = chart::ChartVectorPage(chartKind_, data, StartFolder());
  return skipped;
}

void TFormRysunek::ActionSaveExecute() {
  ui::FileDialogRequest request;
  request.objectName = QStringLiteral("SavePictureDialogRys");
  request.title = QStringLiteral("Zapisz wykres jako rysunek");
  const QList<ui::PictureType> types{ui::PictureType::Bitmap, ui::PictureType::Jpeg, ui::PictureType::Pdf};
  request.filters = ui::PictureFilters(types);
  request.selectedFilter = 1;
  request.confirmOverwrite = true;
  request.initialDir = ProjectsFolder();
  request.fileName =
      ui::ProposedPictureName(request.initialDir, ProjectName(),
                              chartKind_ == 1 ? QStringLiteral("wykres temperatury")
                                              : QStringLiteral("wykres ciśnienia pary wodnej"));
  ui::SavePictureWithDialog(request, types, ImageSciana->Picture(), vectorPages());
}

void TFormRysunek::ActionPrintExecute() {
  QPrinter& printer = ui::SharedPrinter();
  const std::optional<int> copies = ui::dialogs().printDialog(QStringLiteral("PrintDialogRys"), printer);
  if (copies) ui::PrintPages(printer, {ImageSciana->Picture()}, *copies, vectorPages());
}

void TFormRysunek::showEvent(QShowEvent* e) {
  if (!e->spontaneous()) {
    // Shown once: the window is destroyed when closed.
    if (QWidget* main = MainWindow()) CentreOver(this, main);
  }
  QWidget::showEvent(e);
}

bool TFormRysunek::event(QEvent* e) {
  // The main window's F1 stays live in the windows over it; claiming the key
  // makes it arrive here as a key press, so only the chart's page opens.
  if (e->type() == QEvent::ShortcutOverride || e->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(e);
    if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
      e->accept();
      if (e->type() == QEvent::KeyPress) ui::Guard([] { OpenHelpPage(QStringLiteral("141.htm")); });
      return true;
    }
  }
  return QWidget::event(e);
}

void TFormRysunek::closeEvent(QCloseEvent* e) {
  QWidget::closeEvent(e);
  if (!e->isAccepted()) return;
  registry().removeAll(this);
  // The chart actions' check marks count the charts that exist.
  WindowsChanged();
}

QList<TFormRysunek*> TFormRysunek::Instances() {
  QList<TFormRysunek*> result;
  for (const auto& w : registry())
    if (w) result.append(w.data());
  return result;
}

TFormRysunek* OpenChartWindow(int kind, Project& project) {
  TFormRysunek* w = OpenChartWindow(kind, project.layersForResults(), &project);
  // The pass's notice and a picture that cannot be read were told when the
  // chart opened; a redraw after a change does not tell them again.
  new ProjectFollower(
      w, project,
      [w, &project] { ui::Guard([w, &project] { (void)w->DrawChart(project.layersForResults(), false); }); },
      Project::Layers | Project::Conditions | Project::Extras);
  return w;
}

TFormRysunek* OpenChartWindow(int kind, veltor::LayerTable& table, Project* project) {
  auto* w = new TFormRysunek(kind);
  w->SetProject(project);
  QStringList skipped;
  std::exception_ptr failure;
  try {
    skipped = w->DrawChart(table);
  } catch (...) {
    failure = std::current_exception();
  }
  w->show();
  if (failure) {
    ui::Guard([&failure] { std::rethrow_exception(failure); });
  } else if (!skipped.isEmpty()) {
    ui::inform(ui::MessageKind::Warning, skipped.join(QLatin1Char('\n')));
  }
  return w;
}
