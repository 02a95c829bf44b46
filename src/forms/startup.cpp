// Start-up: the application object (with a last-resort error box for anything
// that escapes an event handler and Qt's own texts in Polish), then the
// reference tables, the splash, the window set and the event loop.
#include "forms/startup.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWindow>
#include <cstdio>

#include "draw/fixedfont.h"
#include "forms/appstate.h"
#include "forms/glowna.h"
#include "forms/intro.h"
#include "forms/warstwy.h"
#include "forms/windowset.h"
#include "model/project.h"
#include "platform/dialogs.h"

namespace {

// Handlers run their bodies in ui::Guard; this catches what one might have
// missed, so an exception never unwinds through Qt's event loop.
class VeltorApplication : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    bool result = false;
    ui::Guard([&] { result = QApplication::notify(receiver, event); });
    return result;
  }
};

}  // namespace

bool StartUp() {
  if (!ui::Guard([] { LoadReferenceTables(); })) return false;
  // A measuring aid (bench/startup/compare.sh): start-up without the animation's
  // wait, to compare the rest with a plain Qt window. Users always see the splash.
  if (!qEnvironmentVariableIsSet("VELTOR_NO_SPLASH")) RunSplash();
  CreateWindowSet();
  FormGlowna->show();
  return true;
}

bool InstallQtTranslations() {
  // Lives as long as the application; installed once however often called.
  static QTranslator* qtTranslator = nullptr;
  if (qtTranslator) return true;
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(QLocale(QLocale::Polish), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  qtTranslator = translator;
  return true;
}

QString TakeProjectArgument(const QStringList& arguments) {
  // Resolved against the folder the user started from, before it changes.
  for (qsizetype i = 1; i < arguments.size(); ++i)
    if (!arguments.at(i).startsWith(QLatin1Char('-'))) return QFileInfo(arguments.at(i)).absoluteFilePath();
  return {};
}

int RunProgram(int argc, char* argv[]) {
  VeltorApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
  QApplication::setApplicationVersion(QStringLiteral(VELTOR_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("veltorobl"));
  InstallQtTranslations();

  // The data folders lie beside the executable, and every data path is
  // relative to the current folder; a menu entry or a double-clicked project
  // starts the program from anywhere.
  const QString project = TakeProjectArgument(QCoreApplication::arguments());
  QDir::setCurrent(QCoreApplication::applicationDirPath());
  ui::LoadDrawingFonts(QStringLiteral("Czcionki"));

  if (!StartUp()) return 1;
  if (!project.isEmpty()) ui::Guard([&] { FormGlowna->OpenProjectFile(project); });
  // A check of an installed copy, and the end of a start-up measurement:
  // start-up reached the main window with its data and drew it once; say so
  // and end instead of waiting for the user.
  if (qEnvironmentVariableIsSet("VELTOR_STARTUP_CHECK")) {
    const QDeadlineTimer limit(10000);
    while (!FormGlowna->windowHandle()->isExposed() && !limit.hasExpired())
      QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
    std::printf("VELTORobl: main window shown=%d, folder=%s, layers=%d\n", FormGlowna->isVisible() ? 1 : 0,
                qPrintable(QDir::currentPath()), FormGlowna->project().resultLayers().size());
    DestroyWindowSet();
    return 0;
  }
  const int rc = app.exec();
  DestroyWindowSet();
  return rc;
}
