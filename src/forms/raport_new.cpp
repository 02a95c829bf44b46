#include "forms/raport_new.h"

TFormRaportNew* FormRaportNew = nullptr;

TFormRaportNew::TFormRaportNew(QWidget* mainWindow)
    : TCompanionWindow(mainWindow, QStringLiteral("FormRaportNew"), QStringLiteral("Raport"),
                       QString(), true) {
  resize(714, 480);
}

TFormRaportNew::~TFormRaportNew() = default;
