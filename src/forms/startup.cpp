#include "forms/startup.h"

#include <QApplication>

#include "forms/appstate.h"
#include "forms/glowna.h"
#include "forms/intro.h"
#include "forms/windowset.h"
#include "platform/dialogs.h"

int RunProgram(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (!ui::Guard([] { LoadReferenceTables(); })) return 1;
  RunSplash();
  CreateWindowSet();
  const int rc = app.exec();
  DestroyWindowSet();
  return rc;
}
