// The splash window: a borderless window over everything, centred on the
// screen, filled by the animation player. RunSplash drives it through the
// player's three calls (point at the file, play, ask whether it plays).
#include "forms/intro.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/animation.h"
#include "platform/dialogs.h"

TFormIntro::TFormIntro()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("FormIntro"));
  setFixedSize(538, 272);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  ShockwaveFlash1 = new AnimationPlayer(this);
  ShockwaveFlash1->setObjectName(QStringLiteral("ShockwaveFlash1"));
  layout->addWidget(ShockwaveFlash1);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect r = frameGeometry();
    r.moveCenter(screen->geometry().center());
    move(r.topLeft());
  }
}

TFormIntro::~TFormIntro() = default;

void TFormIntro::FormCreate() {
  // The start folder is not recorded yet, but it is the working directory.
  ShockwaveFlash1->setMovie(QDir::currentPath() + QStringLiteral("/obrazki/splash.gif"));
}

void RunSplash() {
  auto* intro = new TFormIntro;
  ui::Guard([intro] { intro->FormCreate(); });
  intro->show();
  intro->ShockwaveFlash1->play();
  // No time limit and no skipping: the splash lasts as long as the animation.
  while (intro->ShockwaveFlash1->isPlaying())
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  intro->hide();
  delete intro;
}
