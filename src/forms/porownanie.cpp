// The comparison window. Every figure is read from the model's results of the
// partition; the texts shared with the partitions table come from its rows, so
// that the two windows never disagree.
#include "forms/porownanie.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "calc/numbers.h"
#include "forms/przegrody.h"
#include "platform/dialogs.h"
#include "platform/printing.h"

TFormPorownanie* FormPorownanie = nullptr;

namespace {

const QString kNoValue = QStringLiteral("—");

// The rows after the layers, each with what it shows of a partition.
enum Row { Thickness, Uc, UcMax, UcVerdict, Mass, Sd, Kappa1, FRsi, FRsiVerdict, MoistureVerdict, RowCount };

const QString kRowTitles[RowCount] = {
    QStringLiteral("Grubość całkowita d [m]"),
    QStringLiteral("Uc [W/(m²K)]"),
    QStringLiteral("Uc(max) [W/(m²K)]"),
    QStringLiteral("Ocena Uc"),
    QStringLiteral("Masa powierzchniowa [kg/m²]"),
    QStringLiteral("Σsd [m]"),
    QStringLiteral("κ1 [kJ/(m²K)]"),
    QStringLiteral("fRsi"),
    QStringLiteral("fRsi ≥ 0,72"),
    QStringLiteral("Ocena wilgotnościowa"),
};

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(QString::fromLatin1(name));
  return b;
}

QString LayerText(const veltor::LayerRecord& layer) {
  return QStringLiteral("%1, %2 m")
      .arg(layer.nameText(), veltor::FormatQuantity(veltor::Quantity::Thickness, layer.thickness));
}

}  // namespace

TFormPorownanie::TFormPorownanie(QWidget* mainWindow, Building& building)
    : TCompanionWindow(mainWindow, QStringLiteral("FormPorownanie"), QStringLiteral("Porównanie przegród"),
                       QString(), true),
      building_(building) {
  table_ = new QTableWidget(this);
  table_->setObjectName(QStringLiteral("TablePorownanie"));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setWordWrap(true);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  auto* print = Button(this, "ButtonDrukuj", QStringLiteral("&Drukuj..."));
  auto* close = Button(this, "ButtonZamknij", QStringLiteral("&Zamknij"));
  connect(print, &QPushButton::clicked, this, &TFormPorownanie::ButtonDrukujClick);
  connect(close, &QPushButton::clicked, this, &TFormPorownanie::ButtonZamknijClick);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(print);
  buttons->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(table_);
  layout->addLayout(buttons);
  resize(760, 520);

  connect(&building_, &Building::partitionChanged, this, &TFormPorownanie::schedule);
  connect(&building_, &Building::listChanged, this, &TFormPorownanie::schedule);
  connect(&building_, &Building::reset, this, &TFormPorownanie::schedule);
}

TFormPorownanie::~TFormPorownanie() = default;

void TFormPorownanie::Compare(const std::vector<PartitionId>& ids) {
  ids_ = ids;
  if (isVisible()) refill();
  show();
  fitHeight();
  raise();
  activateWindow();
}

void TFormPorownanie::fitHeight() {
  // As tall as the rows need, within the screen: no empty field under a
  // short comparison, a scroll bar only for a long one.
  table_->resizeRowsToContents();
  // A row to spare: the header's height is its hint until it is laid out.
  const int rows = table_->verticalHeader()->length() + table_->horizontalHeader()->sizeHint().height() +
                   2 * table_->frameWidth() + table_->verticalHeader()->defaultSectionSize();
  const int extra = height() - table_->height();
  const QScreen* screen = this->screen();
  const int most = screen ? screen->availableGeometry().height() * 9 / 10 : rows + extra;
  resize(width(), std::min(rows + extra, most));
}

void TFormPorownanie::showEvent(QShowEvent* e) {
  TCompanionWindow::showEvent(e);
  refill();
}

void TFormPorownanie::schedule() {
  if (pending_ || !isVisible()) return;
  pending_ = true;
  QTimer::singleShot(0, this, [this] {
    pending_ = false;
    if (isVisible()) refill();
  });
}

std::vector<PartitionId> TFormPorownanie::present() const {
  std::vector<PartitionId> ids;
  std::copy_if(ids_.begin(), ids_.end(), std::back_inserter(ids),
               [this](PartitionId id) { return building_.find(id) != nullptr; });
  return ids;
}

QStringList TFormPorownanie::RowTitles() const {
  int layers = 0;
  for (const PartitionId id : present()) layers = std::max(layers, building_.find(id)->layers.size());
  QStringList titles{QStringLiteral("Nazwa"), QStringLiteral("Rodzaj")};
  for (int i = 0; i < layers; ++i) titles << QStringLiteral("Warstwa %1").arg(i + 1);
  for (const QString& title : kRowTitles) titles << title;
  return titles;
}

std::vector<QStringList> TFormPorownanie::Columns() const {
  // The model computes what it has not yet; the building's data stays as it is.
  Building& building = building_;
  const std::vector<PartitionId> ids = present();
  int layers = 0;
  for (const PartitionId id : ids) layers = std::max(layers, building.find(id)->layers.size());
  std::vector<QStringList> columns;
  for (const PartitionId id : ids) {
    const Partition& p = *building.find(id);
    const PartitionResults& r = building.results(id);
    const bool computed = !p.layers.empty() && r.error.isEmpty();
    const auto row = TFormPrzegrody::RowTexts(building, p, r);
    QStringList texts{row[TFormPrzegrody::Symbol], row[TFormPrzegrody::Name], row[TFormPrzegrody::Kind]};
    for (int i = 0; i < layers; ++i) texts << (i < p.layers.size() ? LayerText(p.layers.at(i)) : QString());
    QString cells[RowCount];
    cells[Thickness] = row[TFormPrzegrody::Thickness];
    cells[Uc] = row[TFormPrzegrody::Uc];
    cells[UcMax] = row[TFormPrzegrody::UcMax];
    cells[UcVerdict] = row[TFormPrzegrody::Verdict];
    cells[Mass] = computed ? veltor::FormatPolish(r.mass, 1) : kNoValue;
    cells[Sd] = !computed          ? kNoValue
                : std::isinf(r.sd) ? QStringLiteral("∞")
                                   : veltor::FormatQuantity(veltor::Quantity::DiffusionThickness, r.sd);
    cells[Kappa1] = computed && r.dynamic
                        ? veltor::FormatQuantity(veltor::Quantity::HeatCapacity, r.dynamic->kappa1)
                        : kNoValue;
    cells[FRsi] = computed && !std::isnan(r.fRsi)
                      ? veltor::FormatQuantity(veltor::Quantity::TemperatureFactor, r.fRsi)
                      : kNoValue;
    cells[FRsiVerdict] = row[TFormPrzegrody::FRsiVerdict];
    cells[MoistureVerdict] = row[TFormPrzegrody::MoistureVerdict];
    for (const QString& cell : cells) texts << cell;
    columns.push_back(texts);
  }
  return columns;
}

void TFormPorownanie::refill() {
  const QStringList titles = RowTitles();
  const std::vector<QStringList> columns = Columns();
  table_->clear();
  table_->setRowCount(int(titles.size()));
  table_->setColumnCount(int(columns.size()));
  table_->setVerticalHeaderLabels(titles);
  for (int c = 0; c < int(columns.size()); ++c) {
    table_->setHorizontalHeaderItem(c, new QTableWidgetItem(columns[c].front()));
    for (int r = 0; r < int(titles.size()); ++r) {
      auto* item = new QTableWidgetItem(columns[c].value(r + 1));
      if (columns[c].value(r + 1) == QStringLiteral("nie spełnia")) {
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
      }
      table_->setItem(r, c, item);
    }
  }
}

std::unique_ptr<QTextDocument> TFormPorownanie::Document() const {
  const QStringList titles = RowTitles();
  const std::vector<QStringList> columns = Columns();
  const QString name = building_.description()[veltor::kName];
  QString html = QStringLiteral("<h2>Porównanie przegród</h2>");
  if (!name.isEmpty()) html += QStringLiteral("<p>%1</p>").arg(name.toHtmlEscaped());
  html +=
      QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><tr><th></th>");
  for (const QStringList& column : columns)
    html += QStringLiteral("<th>%1</th>").arg(column.front().toHtmlEscaped());
  html += QStringLiteral("</tr>");
  for (int r = 0; r < int(titles.size()); ++r) {
    html += QStringLiteral("<tr><th align=\"left\">%1</th>").arg(titles[r].toHtmlEscaped());
    for (const QStringList& column : columns)
      html += QStringLiteral("<td>%1</td>").arg(column.value(r + 1).toHtmlEscaped());
    html += QStringLiteral("</tr>");
  }
  html += QStringLiteral("</table>");
  auto document = std::make_unique<QTextDocument>();
  document->setHtml(html);
  return document;
}

void TFormPorownanie::ButtonDrukujClick() {
  ui::Guard([this] {
    QPrinter& printer = ui::SharedPrinter();
    const std::optional<int> copies =
        ui::dialogs().printDialog(QStringLiteral("PrintDialogPorownanie"), printer);
    if (!copies) return;
    const std::unique_ptr<QTextDocument> document = Document();
    ui::PrintJobs(printer, *copies, [&](QPrinter& job) { document->print(&job); });
  });
}

void TFormPorownanie::ButtonZamknijClick() {
  hide();
}
