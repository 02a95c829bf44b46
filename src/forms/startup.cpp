// Start-up: the application object (with a last-resort error box for anything
// that escapes an event handler and Qt's own texts in Polish), then the
// reference tables, the splash, the window set and the event loop.
#include "forms/startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "forms/appstate.h"
#include "forms/glowna.h"
#include "forms/intro.h"
#include "forms/windowset.h"
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
  RunSplash();
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

int RunProgram(int argc, char* argv[]) {
  VeltorApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
  InstallQtTranslations();

  if (!StartUp()) return 1;
  const int rc = app.exec();
  DestroyWindowSet();
  return rc;
}
