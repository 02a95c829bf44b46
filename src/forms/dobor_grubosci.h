// "Dobór grubości": Uc of the current partition for each thickness of one of
// its layers over a range (0,10–0,30 m by 0,01 m unless changed), the first
// thickness that meets Uc(max) marked and chosen; "Zastosuj" gives the layer
// the chosen thickness as one step to undo, named as the layer window's
// thickness steps are ("SZ-1: grubość warstwy 3").
//
// Data flow: each row's Uc is the model's pass over the partition with the
// thickness tried (Building::resultsWithThickness), the same pass that gives
// the partition's own Uc; the building is not changed until "Zastosuj". The
// window holds the partition's id and the layer's position, never addresses,
// and computes the table again once per turn of the event loop after the
// current partition changes or another becomes current.
#pragma once

#include <optional>
#include <vector>

#include "forms/companion.h"
#include "model/building.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class TFormDoborGrubosci : public TCompanionWindow {
  Q_OBJECT
 public:
  enum Column { ColumnThickness, ColumnUc, ColumnVerdict, ColumnCount };

  TFormDoborGrubosci(QWidget* mainWindow, Building& building);
  ~TFormDoborGrubosci() override;

  void FormCreate() {}

  // Shows the window for the current partition.
  void ActionDoborGrubosciExecute();
  // Reads the range and computes the table; a range refused is told and the
  // table is left as it was.
  void ButtonObliczClick();
  // The chosen row's thickness given to the layer, one step to undo.
  void ButtonZastosujClick();
  void ButtonZamknijClick();

  // The row computed first to meet Uc(max); empty when none does or the
  // partition has no requirement.
  std::optional<int> FirstMeetingRow() const { return firstMeeting_; }
  double RowThickness(int row) const { return rows_.at(row).thickness; }
  double RowUc(int row) const { return rows_.at(row).results.comparedU(); }

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  struct Row {
    double thickness = 0;
    PartitionResults results;
  };
  void schedule();
  // The layer list from the current partition, then the table.
  void refill();
  void compute();
  // The thicknesses the boxes ask for; empty (the user told why) when refused.
  std::optional<std::vector<double>> range();

  Building& building_;
  QComboBox* layer_ = nullptr;
  QLineEdit* from_ = nullptr;
  QLineEdit* to_ = nullptr;
  QLineEdit* step_ = nullptr;
  QTableWidget* table_ = nullptr;
  QLabel* outcome_ = nullptr;
  QPushButton* apply_ = nullptr;
  std::vector<Row> rows_;
  std::optional<int> firstMeeting_;
  std::vector<double> thicknesses_;
  bool pending_ = false;
};

extern TFormDoborGrubosci* FormDoborGrubosci;
