// "Porównanie przegród": the partitions chosen in the partitions window side
// by side, one column each: their layers, total thickness, Uc against Uc(max),
// mass per m², Σsd, κ1, fRsi and the three verdicts; printable.
//
// Data flow: the window holds the compared partitions' ids, never their
// addresses, and reads their values and results from the building
// (Building::results), as the partitions table does. A change of any of them
// redraws the columns once per turn of the event loop while the window is
// shown; a compared partition removed drops its column, and comes back with it
// when the removal is undone.
#pragma once

#include <QStringList>
#include <memory>
#include <vector>

#include "forms/companion.h"
#include "model/building.h"

class QPushButton;
class QTableWidget;
class QTextDocument;

class TFormPorownanie : public TCompanionWindow {
  Q_OBJECT
 public:
  TFormPorownanie(QWidget* mainWindow, Building& building);
  ~TFormPorownanie() override;

  void FormCreate() {}

  // Shows the partitions `ids` (in that order) side by side.
  void Compare(const std::vector<PartitionId>& ids);
  void ButtonDrukujClick();
  void ButtonZamknijClick();

  // The table as shown: the row titles, then one column of texts per partition
  // compared; the first line of each column is the partition's symbol.
  QStringList RowTitles() const;
  std::vector<QStringList> Columns() const;
  // The same as a document, for printing.
  std::unique_ptr<QTextDocument> Document() const;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void schedule();
  void refill();
  void fitHeight();
  // The partitions compared that still exist, in the order chosen.
  std::vector<PartitionId> present() const;

  Building& building_;
  std::vector<PartitionId> ids_;
  QTableWidget* table_ = nullptr;
  bool pending_ = false;
};

extern TFormPorownanie* FormPorownanie;
