#include "forms/intro.h"

TFormIntro::TFormIntro() : QWidget(nullptr) { setObjectName(QStringLiteral("FormIntro")); }
TFormIntro::~TFormIntro() = default;
void TFormIntro::FormCreate() {}
void RunSplash() {}
