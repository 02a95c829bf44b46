// The dynamics window. Its controls are built here; the texts and the picture
// come from dynamika_draw.
#include "forms/dynamika.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "calc/numbers.h"
#include "forms/appstate.h"
#include "forms/followproject.h"
#include "forms/pictureframe.h"
#include "model/project.h"

TFormDynamika* FormDynamika = nullptr;

namespace {

constexpr QSize kPictureSize(620, 230);
constexpr int kColumnWidths[dynamika::kColumnCount] = {320, 70, 80, 430};

const QString kDirections[] = {QStringLiteral("w górę"), QStringLiteral("poziomy"), QStringLiteral("w dół")};

QString Assumptions(const veltor::DesignConditions& c) {
  const QString direction =
      c.direction >= 0 && c.direction < 3 ? kDirections[c.direction] : QStringLiteral("poziomy");
  return QStringLiteral(
             "Okres 24 h. Przegroda jednowymiarowa, warstwy jak w zestawieniu (od wewnątrz); warstwy "
             "powietrza jako same opory cieplne, warstwy niejednorodne materiałem głównym; λ dla warunków "
             "%1; Rsi = %2, Rse = %3 m²·K/W (strumień ciepła: %4); U i f tej samej przegrody. Przesunięcie "
             "Δt podane w granicach doby.")
      .arg(c.humid() ? QStringLiteral("wilgotnych") : QStringLiteral("średniowilgotnych"),
           veltor::FormatQuantity(veltor::Quantity::Resistance, c.rsi),
           veltor::FormatQuantity(veltor::Quantity::Resistance, veltor::RseInForce(c)), direction);
}

}  // namespace

TFormDynamika::TFormDynamika(QWidget* mainWindow, Project& project)
    : TCompanionWindow(mainWindow, QStringLiteral("FormDynamika"),
                       QStringLiteral("Parametry dynamiczne (EN ISO 13786)"), QStringLiteral("dynamika.htm"),
                       true),
      project_(project) {
  buildControls();
  new ProjectFollower(
      this, project, [this] { Recalculate(); }, Project::Layers | Project::Conditions);
  // The tick is the project's: saved with it, undone with it, read by the
  // report in the window and in batch mode alike.
  CheckBoxRaport->setChecked(project_.extras().dynamicsInReport);
  connect(CheckBoxRaport, &QCheckBox::toggled, &project_, &Project::setDynamicsInReport);
  connect(&project_, &Project::changed, this, &TFormDynamika::showReportTick);
}

void TFormDynamika::showReportTick(Project::Parts parts) {
  if (!(parts & Project::Extras)) return;
  const QSignalBlocker blocker(CheckBoxRaport);
  CheckBoxRaport->setChecked(project_.extras().dynamicsInReport);
}

TFormDynamika::~TFormDynamika() = default;

void TFormDynamika::buildControls() {
  auto* top = new QVBoxLayout(this);
  LabelKomunikat = new QLabel(this);
  LabelKomunikat->setObjectName(QStringLiteral("LabelKomunikat"));
  LabelKomunikat->setWordWrap(true);
  LabelKomunikat->setStyleSheet(QStringLiteral("color: #b42020;"));
  LabelKomunikat->hide();
  top->addWidget(LabelKomunikat);

  TableParametry = new QTableWidget(dynamika::kRowCount, dynamika::kColumnCount, this);
  TableParametry->setObjectName(QStringLiteral("TableParametry"));
  TableParametry->setHorizontalHeaderLabels(dynamika::ColumnTitles());
  TableParametry->verticalHeader()->hide();
  TableParametry->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  TableParametry->setWordWrap(true);
  TableParametry->setSelectionMode(QAbstractItemView::SingleSelection);
  TableParametry->setEditTriggers(QAbstractItemView::NoEditTriggers);
  TableParametry->setStatusTip(
      QStringLiteral("Charakterystyki przegrody przy dobowych wahaniach temperatury (EN ISO 13786)"));
  for (int row = 0; row < dynamika::kRowCount; ++row) {
    const QStringList texts = dynamika::RowTexts({}, row);
    for (int column = 0; column < dynamika::kColumnCount; ++column) {
      auto* item = new QTableWidgetItem(texts[column]);
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      if (column == dynamika::ColumnValue) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      TableParametry->setItem(row, column, item);
    }
  }
  // Fixed widths, so that the meanings wrap to the same lines wherever the window is shown.
  int width = 2 * TableParametry->frameWidth() + 2;
  for (int column = 0; column < dynamika::kColumnCount; ++column) {
    TableParametry->setColumnWidth(column, kColumnWidths[column]);
    width += kColumnWidths[column];
  }
  TableParametry->setFixedWidth(width);
  TableParametry->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  TableParametry->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  top->addWidget(TableParametry);

  LabelZalozenia = new QLabel(this);
  LabelZalozenia->setObjectName(QStringLiteral("LabelZalozenia"));
  LabelZalozenia->setWordWrap(true);
  top->addWidget(LabelZalozenia);

  ImageFale = new TPictureImage(this);
  ImageFale->setObjectName(QStringLiteral("ImageFale"));
  ImageFale->setFixedSize(kPictureSize);
  top->addWidget(ImageFale, 0, Qt::AlignHCenter);

  auto* bottom = new QHBoxLayout;
  CheckBoxRaport = new QCheckBox(QStringLiteral("Dołącz do &raportu projektowego"), this);
  CheckBoxRaport->setObjectName(QStringLiteral("CheckBoxRaport"));
  bottom->addWidget(CheckBoxRaport);
  ButtonZamknij = new QPushButton(QStringLiteral("&Zamknij"), this);
  ButtonZamknij->setObjectName(QStringLiteral("ButtonZamknij"));
  bottom->addStretch(1);
  bottom->addWidget(ButtonZamknij);
  top->addLayout(bottom);
  connect(ButtonZamknij, &QPushButton::clicked, this, &TFormDynamika::ButtonZamknijClick);
}

void TFormDynamika::Recalculate() {
  current_ = dynamika::Evaluate(project_.resultLayers(), gDesignConditions, gReferenceTables.air);
  for (int row = 0; row < dynamika::kRowCount; ++row)
    TableParametry->item(row, dynamika::ColumnValue)
        ->setText(dynamika::RowTexts(current_, row)[dynamika::ColumnValue]);
  LabelKomunikat->setText(current_.message);
  LabelKomunikat->setVisible(!current_.result);
  LabelZalozenia->setText(Assumptions(gDesignConditions));
  ImageFale->SetPicture(dynamika::DrawDailyWaves(current_, kPictureSize));
}

void TFormDynamika::fitTable() {
  // Measured once the style has polished the table: the wrapped meanings
  // decide the rows' heights, and every row is shown whole.
  TableParametry->ensurePolished();
  TableParametry->resizeRowsToContents();
  int height = TableParametry->horizontalHeader()->sizeHint().height() + 2 * TableParametry->frameWidth();
  for (int row = 0; row < dynamika::kRowCount; ++row) height += TableParametry->rowHeight(row);
  TableParametry->setFixedHeight(height);
  // The window is being shown: its layout was settled before this height.
  layout()->invalidate();
  layout()->activate();
}

void TFormDynamika::showEvent(QShowEvent* e) {
  if (!e->spontaneous()) {
    Recalculate();
    fitTable();
    if (!testAttribute(Qt::WA_Resized)) adjustSize();
  }
  TCompanionWindow::showEvent(e);
}

void TFormDynamika::ButtonZamknijClick() {
  hide();
}
