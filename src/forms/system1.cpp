#include "forms/system1.h"

TFormSystem1* FormSystem1 = nullptr;

TFormSystem1::TFormSystem1(QWidget* mainWindow)
    : TCompanionWindow(mainWindow, QStringLiteral("FormSystem1"), QStringLiteral("Mur"),
                       QStringLiteral("1321.htm")) {
  // The close box leaves the wizard; it only hides the step.
  setWindowFlag(Qt::WindowCloseButtonHint);
  setFixedSize(372, 423);
}

TFormSystem1::~TFormSystem1() = default;
