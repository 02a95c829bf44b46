// The frame of a wizard step and the catalogue trees' mirroring of the nodes.
#include "forms/systemstep.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "calc/textfile.h"
#include "forms/picturelabel.h"
#include "forms/system1.h"
#include "forms/system2.h"
#include "forms/system3.h"
#include "forms/system4.h"

namespace {

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

QList<QWidget*> Steps() {
  return {FormSystem1, FormSystem2, FormSystem3, FormSystem4};
}

void HideOtherSteps(const QWidget* step) {
  for (QWidget* other : Steps()) {
    if (other && other != step && other->isVisible()) other->hide();
  }
}

void AddNodes(QTreeWidgetItem* parent, QTreeWidget* tree, const veltor::CatalogueNodes& nodes) {
  for (const auto& node : nodes) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    item->setText(0, veltor::FromCp1250(node->label));
    if (node->record) {
      item->setData(0, Qt::UserRole,
                    QVariant::fromValue(static_cast<const veltor::LayerRecord*>(node->record.get())));
    }
    AddNodes(item, tree, node->children);
  }
}

}  // namespace

TSystemStep::TSystemStep(QWidget* mainWindow, const QString& objectName, int step, const QString& caption,
                         const QString& helpPage, const QString& picture)
    : TCompanionWindow(mainWindow, objectName,
                       QStringLiteral("%1 – krok %2 z %3").arg(caption).arg(step).arg(kStepCount), helpPage) {
  // A dialog rather than a tool window: while a tool window is active, Qt
  // lets its parent's menu mnemonics compete with the window's own, and
  // Alt+D would only focus "Dalej >" because "&Dane" wants it too. The close
  // box leaves the wizard; like every companion, closing only hides.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::WindowStaysOnTopHint);
  setFixedSize(kClientWidth, kClientHeight);

  // Read when the step is first shown.
  Image1 = new TPictureLabel(QStringLiteral("obrazki/") + picture, QSize(), this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setFixedWidth(kPictureWidth);
  Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Image1->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);

  content_ = new QVBoxLayout;
  content_->setContentsMargins(10, 10, 10, 6);
  auto* top = new QHBoxLayout;
  top->setContentsMargins(0, 0, 0, 0);
  top->setSpacing(0);
  top->addWidget(Image1);
  top->addLayout(content_, 1);

  auto* line = new QFrame(this);
  line->setObjectName(QStringLiteral("Bevel1"));
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);

  buttons_ = new QHBoxLayout;
  buttons_->setContentsMargins(8, 6, 8, 8);
  buttons_->setSpacing(6);
  buttons_->addStretch(1);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);
  outer->addLayout(top, 1);
  outer->addWidget(line);
  outer->addLayout(buttons_);
}

QPushButton* TSystemStep::newButton(const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(QString::fromLatin1(name));
  button->setFixedSize(kButtonWidth, kButtonHeight);
  buttons_->addWidget(button);
  return button;
}

void TSystemStep::showEvent(QShowEvent* e) {
  // Before this step's own showing: step 2's hiding sets the family that
  // step 3's showing reads.
  if (!e->spontaneous()) HideOtherSteps(this);
  TCompanionWindow::showEvent(e);
  if (e->spontaneous()) return;
  if (firstFocus_) firstFocus_->setFocus();
  ui::Guard([this] { FormShow(); });
}

void ShowSystemStep(QWidget* step) {
  if (!step) return;
  HideOtherSteps(step);
  // Showing puts a hidden step on top; one already open may be behind another window.
  if (step->isVisible())
    step->raise();
  else
    step->show();
  step->activateWindow();
}

QTreeWidget* NewCatalogueTree(QWidget* parent, const char* name) {
  auto* tree = new QTreeWidget(parent);
  tree->setObjectName(QString::fromLatin1(name));
  tree->setColumnCount(1);
  tree->setHeaderHidden(true);
  tree->setSelectionMode(QAbstractItemView::SingleSelection);
  tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Long labels scroll rather than end in an ellipsis.
  tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  tree->header()->setStretchLastSection(false);
  // The selection keeps its colour when the tree loses the focus.
  QPalette p = tree->palette();
  p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
  p.setColor(QPalette::Inactive, QPalette::HighlightedText,
             p.color(QPalette::Active, QPalette::HighlightedText));
  tree->setPalette(p);
  return tree;
}

void FillCatalogueTree(QTreeWidget* tree, const veltor::CatalogueNodes& nodes) {
  const QSignalBlocker quiet(tree);
  tree->clear();
  AddNodes(nullptr, tree, nodes);
  tree->setCurrentItem(nullptr);
}

const veltor::LayerRecord* RecordOf(const QTreeWidgetItem* item) {
  return item ? item->data(0, Qt::UserRole).value<const veltor::LayerRecord*>() : nullptr;
}

const veltor::LayerRecord* RecordOf(const QListWidgetItem* item) {
  return item ? item->data(Qt::UserRole).value<const veltor::LayerRecord*>() : nullptr;
}

const veltor::LayerRecord* SelectedRecord(const QTreeWidget* tree) {
  const QList<QTreeWidgetItem*> selected = tree->selectedItems();
  return selected.isEmpty() ? nullptr : RecordOf(selected.first());
}

std::optional<veltor::LayerRecord> Chosen(const veltor::LayerRecord* record) {
  return record ? std::optional<veltor::LayerRecord>(*record) : std::nullopt;
}
