// What the four steps of the system wizard share: a fixed-size window that
// stays on top, an illustration at its left edge, the step's own controls to
// the right of it, a line and the buttons along the bottom; and the rule that
// at most one step is visible, whoever shows one.
//
// The steps' catalogues are trees of veltor::CatalogueNode (calc/systemfiles.h)
// owned by the step; the tree widgets mirror them and their entry items point
// at the nodes' records. What a step's choice means to the later steps goes
// through one WizardChoices the four steps share, never through another
// step's widgets.
#pragma once

#include <QPushButton>
#include <optional>

#include "calc/systemfiles.h"
#include "forms/companion.h"
#include "platform/dialogs.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QTreeWidget;
class QTreeWidgetItem;
class QVBoxLayout;
class QHBoxLayout;

// The user's choices in steps 1 to 3, each written by its step when its
// selection changes and read by the later steps. Copies of the records: a step
// that reads its catalogue again leaves no choice pointing into it.
struct WizardChoices {
  std::optional<veltor::LayerRecord> masonry;
  double wallThickness = 0;  // m, as step 1's "Dalej >" accepted it
  std::optional<veltor::LayerRecord> insulation;
  std::optional<veltor::LayerRecord> adhesive;
  // The family of the adhesive last chosen, which step 3 offers.
  veltor::SystemFamily family = veltor::SystemFamily::Talmo;
  std::optional<veltor::LayerRecord> render;
  double renderThickness = 0;  // m
};

// A copy of `record`, or none.
std::optional<veltor::LayerRecord> Chosen(const veltor::LayerRecord* record);

class TSystemStep : public TCompanionWindow {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 372;
  static constexpr int kClientHeight = 423;
  static constexpr int kPictureWidth = 105;

  static constexpr int kStepCount = 4;
  // `step` counts from 1; the window's caption says which of the four it is.
  // `picture`: the illustration's file under obrazki.
  TSystemStep(QWidget* mainWindow, const QString& objectName, int step, const QString& caption,
              const QString& helpPage, const QString& picture);

  QLabel* Image1 = nullptr;  // the illustration

 protected:
  // The column right of the illustration that the step fills.
  QVBoxLayout* content() const { return content_; }
  // A 75 x 25 button appended along the bottom; a click runs `handler` in ui::Guard.
  template <class Form>
  QPushButton* addButton(const char* name, const QString& caption, void (Form::*handler)()) {
    QPushButton* button = newButton(name, caption);
    connect(button, &QPushButton::clicked, this,
            [this, handler] { ui::Guard([this, handler] { (static_cast<Form*>(this)->*handler)(); }); });
    return button;
  }
  // Gets the focus whenever the step is shown.
  void setFirstFocus(QWidget* w) { firstFocus_ = w; }
  // Runs on every showing, after the other steps were hidden; inside ui::Guard.
  virtual void FormShow() {}

  void showEvent(QShowEvent* e) override;

 private:
  QPushButton* newButton(const char* name, const QString& caption);
  QVBoxLayout* content_ = nullptr;
  QHBoxLayout* buttons_ = nullptr;
  QWidget* firstFocus_ = nullptr;
};

// Hides every step but `step`, then shows and raises `step`.
void ShowSystemStep(QWidget* step);

// A read-only catalogue tree of one column, its selection visible without the focus.
QTreeWidget* NewCatalogueTree(QWidget* parent, const char* name);
// Replaces the tree's items by `nodes`, without selecting anything and
// without telling the tree's selection handlers.
void FillCatalogueTree(QTreeWidget* tree, const veltor::CatalogueNodes& nodes);
// The record an entry item carries; nullptr for groups, subgroups and none.
const veltor::LayerRecord* RecordOf(const QTreeWidgetItem* item);
const veltor::LayerRecord* RecordOf(const QListWidgetItem* item);
// The record of the tree's selected entry; nullptr when a group or nothing is selected.
const veltor::LayerRecord* SelectedRecord(const QTreeWidget* tree);
