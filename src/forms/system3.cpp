#include "forms/system3.h"

TFormSystem3* FormSystem3 = nullptr;

TFormSystem3::TFormSystem3(QWidget* mainWindow)
    : TCompanionWindow(mainWindow, QStringLiteral("FormSystem3"), QStringLiteral("Systemy VELTOR"),
                       QStringLiteral("1323.htm")) {
  // The close box leaves the wizard; it only hides the step.
  setWindowFlag(Qt::WindowCloseButtonHint);
  setFixedSize(372, 423);
}

TFormSystem3::~TFormSystem3() = default;
