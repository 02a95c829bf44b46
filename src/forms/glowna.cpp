// The main window. Its actions are built once from the table in
// glowna_actions.cpp and placed on the menu bar and the three tool bars; every
// click reaches ExecuteAction, which evaluates the action's update rule,
// applies the toggle of the auto-check actions and runs the execute step inside
// the error guard. The execute steps that ask questions are here. The window's
// data is only read here: the layer counts of the layer window and of the
// wizard's last step, Umax of the design conditions, and the chart windows
// that exist.
#include "forms/glowna.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>

#include "calc/numbers.h"
#include "forms/about.h"
#include "forms/appstate.h"
#include "forms/daneprojektu.h"
#include "forms/dynamika.h"
#include "forms/kondensacja.h"
#include "forms/raport_new.h"
#include "forms/rysunek.h"
#include "forms/system1.h"
#include "forms/system2.h"
#include "forms/system3.h"
#include "forms/system4.h"
#include "forms/systemstep.h"
#include "forms/undokeys.h"
#include "forms/warstwy.h"
#include "forms/warunki_poczatkowe.h"
#include "model/project.h"
#include "platform/dialogs.h"
#include "platform/printing.h"

TFormGlowna* FormGlowna = nullptr;

namespace {

// The picture's own captions are 22 px high in its coordinates.
constexpr int kCaptionPixels = 22;

const QString kNewProjectQuestion =
    QStringLiteral("Utworzenie nowego projektu spowoduje skasowanie danych obecnej przegrody. Kontynuować ?");
const QString kClearWizardQuestion =
    QStringLiteral("UWAGA! Zostaną usunięte dane przegrody wg systemów VELTOR. Kontynuować?");
const QString kClearLayersQuestion = QStringLiteral("UWAGA! Zostaną usunięte dane przegrody. Kontynuować?");
const QString kSaveQuestion = QStringLiteral("Zapisać projektowaną przegrodę?");
const QString kCaption = QStringLiteral("Program do obliczania parametrów fizykalnych przegrody");

bool Visible(const QWidget* w) {
  return w && w->isVisible();
}
void SetVisible(QWidget* w, bool visible) {
  if (w) w->setVisible(visible);
}

}  // namespace

TScaledImage::TScaledImage(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TScaledImage::setPicture(const QPicture& picture) {
  picture_ = picture;
  update();
}

QRect TScaledImage::pictureRect() const {
  const QRect bounds = picture_.boundingRect();
  if (picture_.isNull() || bounds.isEmpty()) return {};
  QSize size = bounds.size();
  size.scale(this->size(), Qt::KeepAspectRatio);
  QRect r(QPoint(), size);
  r.moveCenter(rect().center());
  return r;
}

void TScaledImage::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect target = pictureRect();
  for (const QRect& band : QRegion(rect()).subtracted(target)) p.fillRect(band, palette().window());
  if (target.isEmpty()) return;
  const QRect bounds = picture_.boundingRect();
  p.setClipRect(target);
  p.translate(target.topLeft());
  p.scale(double(target.width()) / bounds.width(), double(target.height()) / bounds.height());
  p.translate(-bounds.topLeft());
  p.drawPicture(0, 0, picture_);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(kCaptionPixels);
  p.setFont(font);
  p.setRenderHint(QPainter::Antialiasing);
  for (const Caption& caption : captions_) {
    p.setPen(caption.colour);
    p.drawText(caption.box, Qt::AlignLeft | Qt::AlignTop, caption.text);
  }
}

void TScaledImage::setCaptions(const QList<Caption>& captions) {
  // Every change of the project comes here; a typed thickness leaves the
  // temperatures as they were, and the picture need not be replayed.
  if (captions == captions_) return;
  captions_ = captions;
  update();
}

TFormGlowna::TFormGlowna(Project& project, QWidget* parent) : QMainWindow(parent), project_(project) {
  setObjectName(QStringLiteral("FormGlowna"));
  updateTitle();
  resize(800, 600);
  ImageListGlowna = new TImageList(this, QStringLiteral("obrazki"));
  createActions();
  createMenus();
  createToolBars();

  Image1 = new TScaledImage(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  QPicture picture;
  picture.load(QStringLiteral("obrazki/glowna.pic"));
  Image1->setPicture(picture);
  setCentralWidget(Image1);
  showPictureTemperatures();
  connect(&project_, &Project::changed, this, &TFormGlowna::showPictureTemperatures);

  auto* status = new QStatusBar(this);
  status->setObjectName(QStringLiteral("StatusBar1"));
  status->setSizeGripEnabled(true);
  setStatusBar(status);

  connect(&project_, &Project::changed, this, &TFormGlowna::UpdateActions);
  connect(&project_, &Project::fileStateChanged, this, &TFormGlowna::updateTitle);
  connect(qApp, &QApplication::focusChanged, this, [this] {
    QWidget* active = QApplication::activeWindow();
    if (active && active != this) lastWorkedIn_ = active;
  });
}

void TFormGlowna::updateTitle() {
  const QString file = project_.fileName();
  setWindowTitle(file.isEmpty() ? kCaption + QStringLiteral("[*]")
                                : QFileInfo(file).fileName() + QStringLiteral("[*] – ") + kCaption);
  setWindowModified(project_.isModified());
}

void TFormGlowna::WatchVisibility(QWidget* window) {
  if (window) window->installEventFilter(this);
}

bool TFormGlowna::eventFilter(QObject* watched, QEvent* e) {
  // Queued: the window's own show handler (the wizard's last step filling its
  // list) runs after this, and a chart leaves the list of charts as it closes.
  if ((e->type() == QEvent::Show || e->type() == QEvent::Hide) && !updateQueued_) {
    updateQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
          updateQueued_ = false;
          UpdateActions();
        },
        Qt::QueuedConnection);
  }
  return QMainWindow::eventFilter(watched, e);
}

TFormGlowna::~TFormGlowna() {
  // The companions are destroyed after this, as children; none may reach back.
  if (FormGlowna == this) FormGlowna = nullptr;
}

TImageList::TImageList(QObject* owner, const QString& folder) : QObject(owner) {
  setObjectName(QStringLiteral("ImageListGlowna"));
  for (int i = 0; i < kImageCount; ++i) icons_.append(QIcon(folder + QStringLiteral("/ikona%1.png").arg(i)));
}

void TFormGlowna::FormCreate() {
  // Without a window manager the maximised state alone leaves the window small;
  // the screen's size makes it fill the screen there too.
  if (const QScreen* s = screen()) setGeometry(s->availableGeometry());
  setWindowState(windowState() | Qt::WindowMaximized);
  SetStartFolder(QDir::currentPath());
}

QAction* TFormGlowna::makeAction(const char* name, const QString& category, const QString& caption,
                                 const QString& hint, int image) {
  auto* a = new QAction(caption, this);
  a->setObjectName(QString::fromLatin1(name));
  a->setProperty("category", category);
  a->setStatusTip(hint);
  a->setToolTip(hint.isEmpty() ? QString(caption).remove(QLatin1Char('&')) : hint);
  if (image >= 0) {
    a->setIcon(ImageListGlowna->icon(image));
    a->setProperty("imageIndex", image);
  }
  // Qt toggles a checkable action before it reports the click; ExecuteAction
  // evaluates the update rule first, which puts the check mark back where the
  // window's visibility says, so the toggle below happens exactly once.
  connect(a, &QAction::triggered, this, [this, a] { ExecuteAction(a); });
  return a;
}

bool TFormGlowna::PartitionDefined() const {
  return project_.resultSource() != Project::ResultSource::None;
}

void TFormGlowna::showPictureTemperatures() {
  const veltor::DesignConditions& c = project_.conditions();
  const auto temperature = [](double t) {
    return QStringLiteral("t = %1 °C").arg(veltor::FormatQuantity(veltor::Quantity::Temperature, t));
  };
  Image1->setCaptions({{QRect(40, 110, 220, 30), QColor(200, 30, 30), temperature(c.ti)},
                       {QRect(660, 460, 220, 30), QColor(30, 80, 160), temperature(c.te)}});
}

void TFormGlowna::ShowAction(QAction* action) {
  QWidget* window = action == ActionPokazDaneProj      ? static_cast<QWidget*>(FormDaneProj)
                    : action == ActionPokazWarunkiPocz ? static_cast<QWidget*>(FormWarunkiPoczatkowe)
                    : action == ActionPokazWarstwy     ? static_cast<QWidget*>(FormWarstwy)
                                                       : nullptr;
  if (window && window->isVisible()) {
    window->raise();
    window->activateWindow();
    UpdateActions();
    return;
  }
  ExecuteAction(action);
}

QList<QWidget*> TFormGlowna::coveredResultWindows(const QAction* action) const {
  QList<QWidget*> windows;
  if (action == ActionPokazRaport && Visible(FormRaportNew)) windows << FormRaportNew;
  if (action == ActionKondensacja && Visible(FormKondensacja)) windows << FormKondensacja;
  if (action == ActionDynamika && Visible(FormDynamika)) windows << FormDynamika;
  const int kind = action == ActionRysTemp ? 1 : action == ActionRysCisn ? 2 : 0;
  for (TFormRysunek* chart : TFormRysunek::Instances())
    if (chart->ChartKind() == kind) windows << chart;
  for (const QWidget* w : windows)
    if (!w->isMinimized() && (w->isActiveWindow() || w == lastWorkedIn_)) return {};
  return windows;
}

void TFormGlowna::ActionNowyExecute() {
  if (unsavedWork()) {
    // Only an explicit No keeps the data; the close box lets the new project go on.
    const ui::Answer answer = ui::ask(ui::MessageKind::Warning, kNewProjectQuestion, ui::Yes | ui::No,
                                      ui::Answer::Yes, ui::Answer::No);
    if (answer == ui::Answer::No) return;
  }
  project_.clearWizardLayers();
  project_.startNew();
  ShowAction(ActionPokazDaneProj);
}

void TFormGlowna::ActionPokazWarstwyExecute() {
  // The toggle decided this; while the question below waits for the user, the
  // idle-time update puts the check mark back to the window's visibility.
  const bool show = ActionPokazWarstwy->isChecked();
  if (!project_.wizardLayers().empty()) {
    const ui::Answer answer = ui::ask(ui::MessageKind::Warning, kClearWizardQuestion, ui::Yes | ui::No,
                                      ui::Answer::Yes, ui::Answer::No);
    if (answer == ui::Answer::Yes) project_.clearWizardLayers();
  }
  if (!project_.wizardLayers().empty()) return;
  SetVisible(FormWarstwy, show);
}

void TFormGlowna::ActionSystemExecute() {
  if (!project_.layers().empty()) {
    const ui::Answer answer = ui::ask(ui::MessageKind::Warning, kClearLayersQuestion, ui::Yes | ui::No,
                                      ui::Answer::Yes, ui::Answer::No);
    if (answer == ui::Answer::Yes) FormWarstwy->ClearLayers();
  }
  if (!project_.layers().empty()) return;
  if (gDesignConditions.umax == 0) {
    ui::inform(ui::MessageKind::Error, kUmaxMissing);
    ShowAction(ActionPokazWarunkiPocz);
    return;
  }
  // The wizard always starts over at step 1, also while it is open, and
  // never shows a step beside another.
  SetVisible(FormWarunkiPoczatkowe, false);
  ShowSystemStep(FormSystem1);
}

void TFormGlowna::chartToggle(QAction* action, int kind) {
  if (action->isChecked()) {
    for (TFormRysunek* w : TFormRysunek::Instances()) {
      if (w->ChartKind() == kind) {
        w->close();
        break;
      }
    }
    action->setChecked(false);
    return;
  }
  // One chart for each table that holds layers.
  if (!project_.layers().empty()) WatchVisibility(OpenChartWindow(kind, project_));
  if (!project_.wizardLayers().empty()) WatchVisibility(OpenChartWindow(kind, project_.wizardLayers()));
  action->setChecked(true);
}

void TFormGlowna::ActionHelpExecute() {
  OpenHelpPage(QStringLiteral("index.htm"));
}

void TFormGlowna::ActionAboutExecute() {
  if (AboutBox) AboutBox->exec();
}

void TFormGlowna::FilePrintSetup1Execute() {
  ui::dialogs().printerSetup(ui::SharedPrinter());
}

bool TFormGlowna::unsavedWork() const {
  // The wizard's list is never in a file; the layer table only while the
  // project differs from its file.
  return !project_.wizardLayers().empty() || (!project_.layers().empty() && project_.isModified());
}

bool TFormGlowna::FormCloseQuery() {
  return askToSaveChanges();
}

bool TFormGlowna::askToSaveChanges() {
  if (!unsavedWork()) return true;
  // A question, with the question's icon and a title that says what is asked.
  const ui::Answer answer = ui::dialogs().message(
      ui::MessageRequest{ui::MessageKind::Confirmation, kSaveQuestion, ui::Yes | ui::No | ui::Cancel,
                         ui::Answer::Yes, ui::Answer::Cancel, QStringLiteral("Zapisanie projektu")});
  switch (answer) {
    case ui::Answer::No:
      return true;
    case ui::Answer::Yes:
      // Closing after a cancelled save dialog would lose the project the user
      // has just asked to keep, so only a written file lets the program end. An
      // I/O error goes to the error box through the caller's guard.
      return ActionZapiszBiezacyExecute();
    default:
      return false;  // Cancel, Esc and the close box
  }
}

void TFormGlowna::closeEvent(QCloseEvent* e) {
  bool allow = false;
  updateAction(*rowOf(ActionZapisz));
  ui::Guard([&] { allow = FormCloseQuery(); });
  if (!allow) {
    e->ignore();
    return;
  }
  // Chart windows have no parent; they go with the main window.
  for (TFormRysunek* w : TFormRysunek::Instances()) w->close();
  e->accept();
}
