#include "forms/warunki_poczatkowe.h"

#include <QLineEdit>
#include <QTreeWidget>

#include "forms/appstate.h"

TFormWarunkiPoczatkowe* FormWarunkiPoczatkowe = nullptr;

TFormWarunkiPoczatkowe::TFormWarunkiPoczatkowe(QWidget* mainWindow)
    : TCompanionWindow(mainWindow, QStringLiteral("FormWarunkiPoczatkowe"),
                       QStringLiteral("Warunki początkowe"), QStringLiteral("12.htm")) {
  TreeViewUmax = new QTreeWidget(this);
  TreeViewUmax->setObjectName(QStringLiteral("TreeViewUmax"));
  EditUmax = new QLineEdit(this);
  EditUmax->setObjectName(QStringLiteral("EditUmax"));
}

TFormWarunkiPoczatkowe::~TFormWarunkiPoczatkowe() = default;

void TFormWarunkiPoczatkowe::FormCreate() { CommitConditions(); }

bool TFormWarunkiPoczatkowe::CommitConditions() {
  gDesignConditions = veltor::DesignConditions::startupValues();
  return true;
}

void TFormWarunkiPoczatkowe::SaveToProject(QIODevice&) {}
void TFormWarunkiPoczatkowe::LoadFromProject(QIODevice&) {}
