#include "forms/system4.h"

#include <QListWidget>
#include <QVBoxLayout>

TFormSystem4* FormSystem4 = nullptr;

TFormSystem4::TFormSystem4(QWidget* mainWindow)
    : TCompanionWindow(mainWindow, QStringLiteral("FormSystem4"), QStringLiteral("Utworzona przegroda"),
                       QStringLiteral("1324.htm")) {
  // The close box leaves the wizard; it only hides the step.
  setWindowFlag(Qt::WindowCloseButtonHint);
  setFixedSize(372, 423);
  auto* layout = new QVBoxLayout(this);
  ListViewPrzegroda = new QListWidget(this);
  ListViewPrzegroda->setObjectName(QStringLiteral("ListViewPrzegroda"));
  layout->addWidget(ListViewPrzegroda);
}

TFormSystem4::~TFormSystem4() = default;

void TFormSystem4::ClearLayers() {
  layers_.clear();
  rebuildList();
}

void TFormSystem4::rebuildList() {
  ListViewPrzegroda->clear();
  for (int i = 0; i < layers_.size(); ++i) ListViewPrzegroda->addItem(layers_.at(i).nameText());
}
