// The yardstick of the program's start-up: the least a Qt main window of the
// same kind costs. A QMainWindow with a menu bar (one menu of three actions),
// a tool bar (the same actions with 16 x 16 icons) and a status bar holding a
// text, shown maximised, drawn once, then the program ends, as VELTORobl does
// under VELTOR_STARTUP_CHECK. bench/startup/compare.sh runs both.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QWindow>
#include <cstdio>

namespace {

QIcon SquareIcon(QColor colour) {
  QPixmap pixmap(16, 16);
  pixmap.fill(colour);
  return QIcon(pixmap);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Okno wzorcowe"));
  QMenu* menu = window.menuBar()->addMenu(QStringLiteral("&Projekt"));
  QToolBar* tools = window.addToolBar(QStringLiteral("Narzędzia"));
  const QColor colours[] = {Qt::darkBlue, Qt::darkGreen, Qt::darkRed};
  const char* captions[] = {"&Nowy", "&Otwórz...", "&Zapisz..."};
  for (int i = 0; i < 3; ++i) {
    auto* action = new QAction(SquareIcon(colours[i]), QString::fromUtf8(captions[i]), &window);
    menu->addAction(action);
    tools->addAction(action);
  }
  window.statusBar()->addWidget(new QLabel(QStringLiteral("Gotowy")));
  if (const QScreen* s = window.screen()) window.setGeometry(s->availableGeometry());
  window.setWindowState(Qt::WindowMaximized);
  window.show();
  // Until the window has been exposed and drawn, as the program's check does.
  while (!window.windowHandle()->isExposed()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  QCoreApplication::processEvents();
  std::printf("reference: main window shown=%d\n", window.isVisible() ? 1 : 0);
  return 0;
}
