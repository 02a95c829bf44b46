#include "forms/about.h"

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget* mainWindow) : QDialog(mainWindow) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("O programie"));
}

TAboutBox::~TAboutBox() = default;
