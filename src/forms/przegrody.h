// "Przegrody budynku": the building's partitions in one table, each row live
// (symbol, name, kind, area, thickness, Uc, Uc(max), the verdict, the fRsi
// verdict, the moisture verdict), with ΣA and ΣA·Uc under it.
//
// Data flow: the window reads the building and each partition's results from
// the model (Building::results) and writes through the building's steps:
// adding, duplicating, removing, moving, renaming in place and choosing the
// kind. Choosing the current partition (a double click) is navigation; every
// window shows the new current partition as it shows an opened project. The
// table is rebuilt once per turn of the event loop after any number of
// changes, and only while the window is shown.
#pragma once

#include <array>
#include <vector>

#include "forms/companion.h"
#include "model/building.h"

class Project;
class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

class TFormPrzegrody : public TCompanionWindow {
  Q_OBJECT
 public:
  enum Column {
    Symbol,
    Name,
    Kind,
    Area,
    Thickness,
    Uc,
    UcMax,
    Verdict,
    FRsiVerdict,
    MoistureVerdict,
    Columns
  };

  TFormPrzegrody(QWidget* mainWindow, Project& project);
  ~TFormPrzegrody() override;

  void FormCreate() {}

  void ActionPrzegrodyExecute();
  // The current partition alone as a plain project file.
  void ActionEksportujPrzegrodeExecute();
  void ButtonDodajClick();
  void ButtonDodajZKreatoraClick();
  void ButtonDodajZPlikuClick();
  void ButtonDuplikujClick();
  void ButtonUsunClick();
  void ButtonWGoreClick();
  void ButtonWDolClick();
  // The selected partitions side by side.
  void ButtonPorownajClick();
  // Uc of the current partition over a range of one layer's thickness.
  void ButtonDoborGrubosciClick();
  // Makes the row's partition current and shows the layer window.
  void TablePrzegrodyDoubleClick(int row);

  QAction* ActionPrzegrody = nullptr;
  QAction* ActionEksportujPrzegrode = nullptr;

  // "ΣA = 123,4 m²" and "ΣA·Uc = 45,6 W/K" as the labels show them; the
  // second counts partitions with an area and results only.
  QString AreaSumText() const;
  QString TransmissionText() const;

  // A partition's cells as its row shows them; the comparison shows the same.
  static std::array<QString, Columns> RowTexts(const Building& building, const Partition& partition,
                                               const PartitionResults& results);
  // What the moisture verdict stands for, or why there is none (its cell's tip).
  static QString MoistureWords(const PartitionResults& results);
  // The selected partitions in the table's order.
  std::vector<PartitionId> SelectedIds() const;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void buildControls();
  void schedule();
  void refill();
  void fillRow(int row);
  // Enabled as the selection allows.
  void updateButtons();
  void itemEdited(QTableWidgetItem* item);
  void kindChosen(int index);
  PartitionId selectedId() const;
  void select(PartitionId id);

  Project& project_;
  Building& building_;
  QTableWidget* table_ = nullptr;
  QComboBox* kind_ = nullptr;
  QLabel* sumArea_ = nullptr;
  QLabel* sumTransmission_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* up_ = nullptr;
  QPushButton* down_ = nullptr;
  QPushButton* compare_ = nullptr;
  bool pending_ = false;
};

extern TFormPrzegrody* FormPrzegrody;
