// The thickness table. The range is read from three number boxes in the
// program's number style; the thicknesses are the range's steps rounded to a
// micrometre, so that 0,10 + 7·0,01 is the 0,17 the row shows and the layer
// is given.
#include "forms/dobor_grubosci.h"

#include <QColor>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "calc/calculation.h"
#include "calc/numbers.h"
#include "forms/numberbox.h"
#include "platform/dialogs.h"

TFormDoborGrubosci* FormDoborGrubosci = nullptr;

namespace {

// As the layer window takes a thickness.
constexpr double kMaxThickness = 10.0;
// A table a designer can read; a step typed one zero short asks for far more.
constexpr int kMaxRows = 1000;
constexpr double kMicrometresPerMetre = 1e6;

const QString kNoValue = QStringLiteral("—");
const QString kThicknessRefused =
    QStringLiteral("Grubość musi być liczbą większą od 0 i nie większą od 10 [m]");
const QString kStepRefused = QStringLiteral("Krok musi być liczbą większą od 0 [m]");
const QString kRangeReversed = QStringLiteral("Grubość końcowa nie może być mniejsza od początkowej");
const QString kTooManyRows =
    QStringLiteral("Zakres obejmuje zbyt wiele grubości (najwyżej %1); zwiększ krok").arg(kMaxRows);

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(QString::fromLatin1(name));
  return b;
}

QLineEdit* Edit(QWidget* parent, const char* name, const QString& text, const QString& refusal) {
  auto* e = new QLineEdit(text, parent);
  e->setObjectName(QString::fromLatin1(name));
  new TNumberBox(
      e, [refusal](double v) { return v > 0 && v <= kMaxThickness ? QString() : refusal; }, false);
  return e;
}

// The layer a designer sizes first: the best insulator.
int InsulationLayer(const veltor::LayerTable& layers) {
  int best = layers.empty() ? -1 : 0;
  for (int i = 1; i < layers.size(); ++i)
    if (layers.at(i).lambdaMedium > 0 &&
        (layers.at(best).lambdaMedium <= 0 || layers.at(i).lambdaMedium < layers.at(best).lambdaMedium))
      best = i;
  return best;
}

}  // namespace

TFormDoborGrubosci::TFormDoborGrubosci(QWidget* mainWindow, Building& building)
    : TCompanionWindow(mainWindow, QStringLiteral("FormDoborGrubosci"), QStringLiteral("Dobór grubości"),
                       QString(), true),
      building_(building) {
  layer_ = new QComboBox(this);
  layer_->setObjectName(QStringLiteral("ComboBoxWarstwa"));
  from_ = Edit(this, "EditOd", veltor::FormatPolish(0.10, 2), kThicknessRefused);
  to_ = Edit(this, "EditDo", veltor::FormatPolish(0.30, 2), kThicknessRefused);
  step_ = Edit(this, "EditKrok", veltor::FormatPolish(0.01, 2), kStepRefused);
  auto* compute = Button(this, "ButtonOblicz", QStringLiteral("&Oblicz"));
  table_ = new QTableWidget(0, ColumnCount, this);
  table_->setObjectName(QStringLiteral("TableGrubosci"));
  table_->setHorizontalHeaderLabels(
      {QStringLiteral("d [m]"), QStringLiteral("Uc [W/(m²K)]"), QStringLiteral("Ocena Uc")});
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  outcome_ = new QLabel(this);
  outcome_->setObjectName(QStringLiteral("LabelWynik"));
  outcome_->setWordWrap(true);
  apply_ = Button(this, "ButtonZastosuj", QStringLiteral("Za&stosuj"));
  apply_->setStatusTip(QStringLiteral("Nadaje warstwie grubość zaznaczoną w tabeli"));
  auto* close = Button(this, "ButtonZamknij", QStringLiteral("&Zamknij"));

  auto* form = new QFormLayout;
  const auto labelled = [&](const char* name, const QString& text, QWidget* field) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setBuddy(field);
    form->addRow(label, field);
  };
  labelled("LabelWarstwa", QStringLiteral("&Warstwa:"), layer_);
  auto* rangeRow = new QHBoxLayout;
  rangeRow->addWidget(from_);
  auto* toLabel = new QLabel(QStringLiteral("&do"), this);
  toLabel->setObjectName(QStringLiteral("LabelDo"));
  toLabel->setBuddy(to_);
  rangeRow->addWidget(toLabel);
  rangeRow->addWidget(to_);
  auto* stepLabel = new QLabel(QStringLiteral("&co"), this);
  stepLabel->setObjectName(QStringLiteral("LabelKrok"));
  stepLabel->setBuddy(step_);
  rangeRow->addWidget(stepLabel);
  rangeRow->addWidget(step_);
  rangeRow->addWidget(compute);
  auto* fromLabel = new QLabel(QStringLiteral("Grubość &od [m]:"), this);
  fromLabel->setObjectName(QStringLiteral("LabelOd"));
  fromLabel->setBuddy(from_);
  form->addRow(fromLabel, rangeRow);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(apply_);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(table_);
  layout->addWidget(outcome_);
  layout->addLayout(buttons);
  resize(460, 560);

  connect(compute, &QPushButton::clicked, this, &TFormDoborGrubosci::ButtonObliczClick);
  connect(apply_, &QPushButton::clicked, this, &TFormDoborGrubosci::ButtonZastosujClick);
  connect(close, &QPushButton::clicked, this, &TFormDoborGrubosci::ButtonZamknijClick);
  connect(layer_, &QComboBox::activated, this, &TFormDoborGrubosci::compute);
  for (QLineEdit* edit : {from_, to_, step_})
    connect(TNumberBox::Of(edit), &TNumberBox::Committed, this, &TFormDoborGrubosci::ButtonObliczClick);
  connect(table_, &QTableWidget::itemSelectionChanged, this,
          [this] { apply_->setEnabled(!table_->selectedItems().isEmpty()); });
  connect(&building_, &Building::partitionChanged, this, [this](PartitionId id) {
    if (id == building_.currentId()) schedule();
  });
  connect(&building_, &Building::currentChanged, this, &TFormDoborGrubosci::schedule);
  connect(&building_, &Building::reset, this, &TFormDoborGrubosci::schedule);
  connect(&building_, &Building::listChanged, this, &TFormDoborGrubosci::schedule);
  thicknesses_ = *range();
}

TFormDoborGrubosci::~TFormDoborGrubosci() = default;

void TFormDoborGrubosci::ActionDoborGrubosciExecute() {
  showInFront();
}

void TFormDoborGrubosci::showEvent(QShowEvent* e) {
  TCompanionWindow::showEvent(e);
  refill();
}

void TFormDoborGrubosci::schedule() {
  if (pending_ || !isVisible()) return;
  pending_ = true;
  QTimer::singleShot(0, this, [this] {
    pending_ = false;
    if (isVisible()) refill();
  });
}

void TFormDoborGrubosci::refill() {
  const Partition& p = building_.current();
  setWindowTitle(QStringLiteral("Dobór grubości – %1").arg(building_.label(p.id)));
  // The layer chosen stays while the partition does; another partition starts
  // from its insulation.
  const bool samePartition = layer_->property("partition").toInt() == p.id;
  int chosen = samePartition ? layer_->currentIndex() : InsulationLayer(p.layers);
  if (chosen >= p.layers.size()) chosen = p.layers.size() - 1;
  {
    const QSignalBlocker quiet(layer_);
    layer_->clear();
    for (int i = 0; i < p.layers.size(); ++i)
      layer_->addItem(QStringLiteral("%1. %2, %3 m")
                          .arg(i + 1)
                          .arg(p.layers.at(i).nameText(), veltor::FormatQuantity(veltor::Quantity::Thickness,
                                                                                 p.layers.at(i).thickness)));
    layer_->setCurrentIndex(chosen);
    layer_->setProperty("partition", p.id);
  }
  compute();
}

std::optional<std::vector<double>> TFormDoborGrubosci::range() {
  for (QLineEdit* edit : {from_, to_, step_}) {
    if (const QString problem = TNumberBox::Of(edit)->Problem(); !problem.isEmpty()) {
      ui::inform(ui::MessageKind::Error, problem);
      edit->setFocus();
      return std::nullopt;
    }
  }
  const double from = *TNumberBox::Of(from_)->Number();
  const double to = *TNumberBox::Of(to_)->Number();
  const double step = *TNumberBox::Of(step_)->Number();
  if (to < from) {
    ui::inform(ui::MessageKind::Error, kRangeReversed);
    to_->setFocus();
    return std::nullopt;
  }
  // A hair of tolerance: 0,30 is reached from 0,10 by twenty steps of 0,01.
  const double steps = std::floor((to - from) / step + 1e-9);
  if (steps >= kMaxRows) {
    ui::inform(ui::MessageKind::Error, kTooManyRows);
    step_->setFocus();
    return std::nullopt;
  }
  std::vector<double> thicknesses;
  for (int i = 0; i <= int(steps); ++i)
    thicknesses.push_back(std::round((from + i * step) * kMicrometresPerMetre) / kMicrometresPerMetre);
  return thicknesses;
}

void TFormDoborGrubosci::ButtonObliczClick() {
  if (std::optional<std::vector<double>> thicknesses = range()) {
    thicknesses_ = std::move(*thicknesses);
    compute();
  }
}

void TFormDoborGrubosci::compute() {
  const Partition& p = building_.current();
  const int layer = layer_->currentIndex();
  const double umax = p.conditions.umax;
  rows_.clear();
  firstMeeting_.reset();
  if (layer >= 0) {
    for (const double t : thicknesses_) {
      rows_.push_back({t, building_.resultsWithThickness(p.id, layer, t)});
      const PartitionResults& r = rows_.back().results;
      if (!firstMeeting_ && umax > 0 && r.error.isEmpty() && !veltor::ExceedsUmax(r.comparedU(), umax))
        firstMeeting_ = int(rows_.size()) - 1;
    }
  }
  const QSignalBlocker quiet(table_);
  table_->setRowCount(int(rows_.size()));
  std::optional<int> shown;
  for (int row = 0; row < int(rows_.size()); ++row) {
    const PartitionResults& r = rows_[row].results;
    const bool computed = r.error.isEmpty();
    const QString texts[ColumnCount] = {
        veltor::FormatQuantity(veltor::Quantity::Thickness, rows_[row].thickness),
        computed ? veltor::FormatQuantity(veltor::Quantity::Transmittance, r.comparedU()) : kNoValue,
        !computed                                  ? kNoValue
        : umax <= 0                                ? QStringLiteral("bez wymagań")
        : veltor::ExceedsUmax(r.comparedU(), umax) ? QStringLiteral("nie spełnia")
                                                   : QStringLiteral("spełnia")};
    for (int c = 0; c < ColumnCount; ++c) {
      auto* item = new QTableWidgetItem(texts[c]);
      item->setTextAlignment(Qt::AlignCenter);
      if (!computed) item->setToolTip(r.error);
      if (firstMeeting_ == row) {
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
        item->setBackground(QColor(0xd8, 0xf0, 0xd0));
      }
      table_->setItem(row, c, item);
    }
    if (rows_[row].thickness == p.layers.at(layer).thickness) shown = row;
  }
  // The thickness the layer has, else the first that meets the requirement.
  if (!shown) shown = firstMeeting_;
  table_->clearSelection();
  if (shown) {
    table_->selectRow(*shown);
    table_->scrollToItem(table_->item(*shown, 0), QAbstractItemView::PositionAtCenter);
  }
  apply_->setEnabled(shown.has_value());
  if (layer < 0)
    outcome_->setText(QStringLiteral("Przegroda nie ma warstw."));
  else if (umax <= 0)
    outcome_->setText(QStringLiteral("Przegroda bez wymagań: Uc(max) nie jest określone."));
  else if (!firstMeeting_)
    outcome_->setText(QStringLiteral("Żadna grubość z zakresu nie spełnia Uc(max) = %1 W/(m²K).")
                          .arg(veltor::FormatQuantity(veltor::Quantity::TransmittanceLimit, umax)));
  else
    outcome_->setText(
        QStringLiteral("Najmniejsza grubość spełniająca Uc(max) = %1 W/(m²K): %2 m (Uc = %3 W/(m²K)).")
            .arg(veltor::FormatQuantity(veltor::Quantity::TransmittanceLimit, umax),
                 veltor::FormatQuantity(veltor::Quantity::Thickness, rows_[*firstMeeting_].thickness),
                 veltor::FormatQuantity(veltor::Quantity::Transmittance,
                                        rows_[*firstMeeting_].results.comparedU())));
}

void TFormDoborGrubosci::ButtonZastosujClick() {
  const QList<QTableWidgetItem*> selected = table_->selectedItems();
  const int layer = layer_->currentIndex();
  if (selected.isEmpty() || layer < 0) return;
  const int row = selected.first()->row();
  if (row >= int(rows_.size())) return;
  building_.setThickness(building_.currentId(), layer, rows_[row].thickness);
}

void TFormDoborGrubosci::ButtonZamknijClick() {
  hide();
}
