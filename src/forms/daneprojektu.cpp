#include "forms/daneprojektu.h"

#include <QLineEdit>

TFormDaneProj* FormDaneProj = nullptr;

TFormDaneProj::TFormDaneProj(QWidget* mainWindow)
    : TCompanionWindow(mainWindow, QStringLiteral("FormDaneProj"), QStringLiteral("Opis projektu"),
                       QStringLiteral("11.htm")) {
  auto make = [this](QLineEdit*& e, const char* name) {
    e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(name));
  };
  make(LabeledEdit1, "LabeledEdit1");
  make(LabeledEdit2, "LabeledEdit2");
  make(LabeledEdit3, "LabeledEdit3");
  make(LabeledEdit4, "LabeledEdit4");
}

TFormDaneProj::~TFormDaneProj() = default;

void TFormDaneProj::ClearFields() {
  for (QLineEdit* e : {LabeledEdit1, LabeledEdit2, LabeledEdit3, LabeledEdit4}) e->clear();
}

void TFormDaneProj::SaveToProject(QIODevice&) {}
void TFormDaneProj::LoadFromProject(QIODevice&) {}
