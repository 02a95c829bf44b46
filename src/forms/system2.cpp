#include "forms/system2.h"

TFormSystem2* FormSystem2 = nullptr;

TFormSystem2::TFormSystem2(QWidget* mainWindow)
    : TCompanionWindow(mainWindow, QStringLiteral("FormSystem2"), QStringLiteral("Materiał termoizolacyjny"),
                       QStringLiteral("1322.htm")) {
  // The close box leaves the wizard; it only hides the step.
  setWindowFlag(Qt::WindowCloseButtonHint);
  setFixedSize(372, 423);
}

TFormSystem2::~TFormSystem2() = default;
