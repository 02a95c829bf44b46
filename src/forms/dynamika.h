// The dynamics window: the EN ISO 13786 characteristics of the partition for
// the daily temperature wave (how much of the summer heat the wall lets
// through, and how many hours later), with a picture of the two waves.
//
// Data flow: Recalculate reads the partition (ResultPartition: the layer
// table, or the wizard's created partition while the table is empty),
// gDesignConditions and the air-layer table, runs the core through
// dynamika::Evaluate and fills TableParametry, LabelZalozenia and ImageFale;
// a refusal shows its message in LabelKomunikat instead. Nothing is written
// into the layer records. While the window is shown a short timer compares a
// fingerprint of what the figures depend on and calls Recalculate when it
// changed, so that edits made in the other windows show here at once.
#pragma once

#include <QByteArray>

#include "forms/companion.h"
#include "forms/dynamika_draw.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;
class TPictureImage;

class TFormDynamika : public TCompanionWindow {
  Q_OBJECT
 public:
  explicit TFormDynamika(QWidget* mainWindow);
  ~TFormDynamika() override;

  void FormCreate() {}

  // Evaluates the partition and shows the outcome: the one refresh of the window.
  void Recalculate();
  // What the window shows now.
  const dynamika::Outcome& Current() const { return current_; }

  void ButtonZamknijClick();

  QLabel* LabelKomunikat = nullptr;
  // One row per dynamika::Row: quantity, value, unit, meaning.
  QTableWidget* TableParametry = nullptr;
  QLabel* LabelZalozenia = nullptr;
  TPictureImage* ImageFale = nullptr;
  QPushButton* ButtonZamknij = nullptr;
  QTimer* TimerPrzeliczanie = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;
  void hideEvent(QHideEvent* e) override;

 private:
  void buildControls();
  void fitTable();
  QByteArray fingerprint() const;
  void TimerPrzeliczanieTimer();

  dynamika::Outcome current_;
  QByteArray fingerprint_;
};

extern TFormDynamika* FormDynamika;
