// The rows of the layer window's list, ListViewMaterialy: one item per layer
// of the current partition, in table order, showing its caption (with the
// marks of a layer edited against the catalogue or disregarded by the pass)
// and its d, λ, R and sd as the model's latest results left them. The items
// hold no record: a row's layer is looked up in the project's table by the
// row (LayerOf), and syncList brings the rows in line after every change.
// Changes made elsewhere (undo, open, the wizard) reach the rows through
// projectChanged. Each item keeps the widths of its texts, so the figures' columns are fitted
// without measuring every row again at every refresh.
#include <QFontMetricsF>
#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QScopedValueRollback>
#include <QToolTip>
#include <QTreeWidget>
#include <QtMath>
#include <algorithm>
#include <array>
#include <optional>

#include "calc/calculation.h"
#include "calc/errors.h"
#include "calc/numbers.h"
#include "calc/units.h"
#include "forms/appstate.h"
#include "forms/warstwy.h"
#include "model/project.h"

namespace {

using enum TFormWarstwy::LayerColumn;

const QString kNoValue = QStringLiteral("–");

const QString kEditedMark = QStringLiteral(" ✎");
// Layers outside a well-ventilated air layer: listed, but no part of R or U.
const QString kIgnoredTip = QStringLiteral(
    "\r\nWarstwa pominięta: leży na zewnątrz dobrze wentylowanej warstwy powietrza lub elewacji "
    "i nie wchodzi do oporu cieplnego przegrody");

// Whether the pass disregarded the layer at `row`; `first` is the first it
// disregarded, -1 when it counted them all.
bool IsIgnored(int row, int first) {
  return first >= 0 && row >= first;
}

// A layer table item. Its tip is built when asked for, from the record's
// results as the latest pass left them, so it never goes stale. It keeps the
// width of each figure's text, so that the columns are fitted to their widest
// text without measuring every row again at every refresh.
// The widths of the list's figures, rounded up as the item delegate rounds
// them. Thousands of rows show the same few dozen figures; each is measured once.
class TextWidths {
 public:
  explicit TextWidths(const QFont& font) : metrics_(font) {}
  int of(const QString& text) {
    auto found = widths_.constFind(text);
    if (found == widths_.cend()) found = widths_.insert(text, qCeil(metrics_.horizontalAdvance(text)));
    return *found;
  }

 private:
  QFontMetricsF metrics_;
  QHash<QString, int> widths_;
};

class LayerItem : public QTreeWidgetItem {
 public:
  LayerItem() {
    for (int c = ColumnThickness; c < ColumnCount; ++c)
      setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    textWidth_.fill(-1);
  }
  QVariant data(int column, int role) const override {
    if (role != Qt::ToolTipRole) return QTreeWidgetItem::data(column, role);
    const veltor::LayerRecord* record = TFormWarstwy::LayerOf(this);
    if (!record || !treeWidget()) return {};
    const int row = treeWidget()->indexOfTopLevelItem(const_cast<LayerItem*>(this));
    QString tip = LayerTip(row, *record);
    // In full: the column may show the caption shortened.
    if (record->bridge.present())
      tip += QStringLiteral("\r\nWarstwa niejednorodna: ") +
             veltor::LayerCaption(record->nameText(), record->bridge);
    const auto* window = qobject_cast<const TFormWarstwy*>(treeWidget()->window());
    if (window && IsIgnored(row, window->Summary().transmittance.firstIgnoredLayer)) tip += kIgnoredTip;
    if (window) {
      const QStringList edited = window->EditedValues(*record);
      if (!edited.isEmpty())
        tip +=
            QStringLiteral("\r\nWartości zmienione względem katalogu: ") + edited.join(QStringLiteral(", "));
    }
    return tip;
  }
  // An unchanged text costs neither a repaint nor a measurement: a keystroke
  // changes one layer's figures, not the other rows'.
  void setFigure(int column, const QString& text, TextWidths& widths) {
    if (textWidth_[column] >= 0 && QTreeWidgetItem::data(column, Qt::DisplayRole).toString() == text) return;
    setText(column, text);
    textWidth_[column] = widths.of(text);
  }
  int textWidth(int column) const { return textWidth_[column]; }
  void forgetWidths() {
    textWidth_.fill(-1);
    source_.reset();
  }
  // What the row's texts were made from. The list is brought up to date
  // several times over while a project opens; a row whose layer, figures and
  // marks are as they were keeps its texts without their being made again.
  struct Source {
    QByteArray name;
    veltor::LayerBridge bridge;
    double thickness, lambda, resistance;
    std::optional<double> sd;
    bool airLayer, edited, ignored;
    bool operator==(const Source&) const = default;
  };
  // True when the row must be filled from `source` (and notes it as filled).
  bool refill(Source source) {
    if (source_ == source) return false;
    source_ = std::move(source);
    return true;
  }
  // Grey for a layer the pass disregarded; set only when it changes, as a
  // keystroke leaves every other row's state as it was.
  void setIgnored(bool ignored, const QBrush& grey) {
    if (ignored == ignored_) return;
    ignored_ = ignored;
    for (int c = ColumnName; c < ColumnCount; ++c) setForeground(c, ignored ? grey : QBrush());
  }

 private:
  std::array<int, ColumnCount> textWidth_;
  bool ignored_ = false;
  std::optional<Source> source_;
};

}  // namespace

QString LayerTip(int row, const veltor::LayerRecord& layer) {
  return QStringLiteral("Numer warstwy = %1\r\nOpór cieplny R = %2%3\r\nOpór dyfuzyjny r = %4%5")
      .arg(row + 1)
      .arg(veltor::FormatGeneral(layer.resistance), veltor::unit::Bracketed(veltor::unit::kResistance),
           veltor::FormatGeneral(layer.diffusionResistance),
           veltor::unit::Bracketed(veltor::unit::kDiffusionResistance));
}

void ShowLayerTip(const QHelpEvent* help, QAbstractItemView* view, const QRect& itemRect, QString tip) {
  tip.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  if (tip.isEmpty())
    QToolTip::hideText();
  else
    QToolTip::showText(help->globalPos(), tip, view->viewport(), itemRect);
}

veltor::LayerRecord* TFormWarstwy::LayerOf(const QTreeWidgetItem* item) {
  // The item's row, not an address it keeps: the list mirrors the table row
  // for row (syncList), while the records' addresses do not survive an undo.
  QTreeWidget* list = item ? item->treeWidget() : nullptr;
  const auto* window = list ? qobject_cast<const TFormWarstwy*>(list->window()) : nullptr;
  if (!window) return nullptr;
  const int row = list->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item));
  veltor::LayerTable& table = window->project_.layersForResults();
  return row >= 0 && row < table.size() ? &table.at(row) : nullptr;
}

void TFormWarstwy::syncList(std::optional<int> selectRow) {
  {
    QScopedValueRollback quiet(syncing_, true);
    // Items are updated in place, so the list keeps its scroll position.
    while (ListViewMaterialy->topLevelItemCount() > Layers().size())
      delete ListViewMaterialy->takeTopLevelItem(ListViewMaterialy->topLevelItemCount() - 1);
    // New rows in one insertion: one at a time, the view lays itself out for each.
    QList<QTreeWidgetItem*> added;
    for (int i = ListViewMaterialy->topLevelItemCount(); i < Layers().size(); ++i)
      added.append(new LayerItem);
    ListViewMaterialy->addTopLevelItems(added);
    if (selectRow) {
      ListViewMaterialy->selectionModel()->clearSelection();
      if (QTreeWidgetItem* item = ListViewMaterialy->topLevelItem(*selectRow)) {
        ListViewMaterialy->setCurrentItem(item);
        ListViewMaterialy->scrollToItem(item);
      }
    }
  }
  if (currentRow_ >= Layers().size()) currentRow_ = -1;
  showLayerColumns();
  UpdateLayerActions();
  updateDeclaredBoxes();
}

void TFormWarstwy::showLayerColumns() {
  TextWidths metrics(ListViewMaterialy->font());
  const bool fontChanged = ListViewMaterialy->font() != columnsFont_;
  columnsFont_ = ListViewMaterialy->font();
  const QHash<QByteArray, const veltor::LayerRecord*> catalogue = catalogueByName();
  const int firstIgnored = Summary().transmittance.firstIgnoredLayer;
  for (int i = 0; i < Layers().size() && i < ListViewMaterialy->topLevelItemCount(); ++i) {
    const veltor::LayerRecord& layer = Layers().at(i);
    auto* item = static_cast<LayerItem*>(ListViewMaterialy->topLevelItem(i));
    if (fontChanged) item->forgetWidths();
    // Declared values typed for this layer alone: the name gets a mark.
    const bool edited = !editedAgainst(layer, catalogue.value(layer.name)).isEmpty();
    const bool ignored = IsIgnored(i, firstIgnored);
    const double lambda = veltor::EffectiveLambda(layer, gDesignConditions);
    const std::optional<double> sd = veltor::EquivalentAirThickness(layer);
    if (!item->refill({layer.name, layer.bridge, layer.thickness, lambda, layer.resistance, sd,
                       layer.isAirLayer(), edited, ignored}))
      continue;
    item->setText(ColumnName, veltor::LayerCaption(layer.nameText(), layer.bridge) +
                                  (edited ? kEditedMark : QString()) +
                                  (ignored ? veltor::kIgnoredLayerMark : QString()));
    QFont font = item->font(ColumnName);
    font.setItalic(edited);
    item->setFont(ColumnName, font);
    item->setIgnored(ignored, ListViewMaterialy->palette().brush(QPalette::PlaceholderText));
    item->setFigure(ColumnThickness, veltor::FormatQuantity(veltor::Quantity::Thickness, layer.thickness),
                    metrics);
    // An air layer's resistance comes from its table, not from a conductivity.
    item->setFigure(
        ColumnLambda,
        layer.isAirLayer() ? kNoValue : veltor::FormatQuantity(veltor::Quantity::Conductivity, lambda),
        metrics);
    item->setFigure(ColumnResistance, veltor::FormatQuantity(veltor::Quantity::Resistance, layer.resistance),
                    metrics);
    item->setFigure(
        ColumnSd, sd ? veltor::FormatQuantity(veltor::Quantity::DiffusionThickness, *sd) : kNoValue, metrics);
  }
  fitLayerColumns();
  showBridgeWarnings();
}

void TFormWarstwy::fitLayerColumns() {
  // The header's own fitting to contents asks the view to measure up to a
  // thousand rows per column at every change, and the view changes once per
  // row while a project opens: that made opening grow with the square of the
  // layers. The widths kept by the items give the same fit in one pass.
  const int rows = ListViewMaterialy->topLevelItemCount();
  QHeaderView* header = ListViewMaterialy->header();
  for (int c = ColumnThickness; c < ColumnCount; ++c) {
    int widest = -1;
    for (int i = 0; i < rows; ++i)
      widest =
          std::max(widest, static_cast<const LayerItem*>(ListViewMaterialy->topLevelItem(i))->textWidth(c));
    int width = header->sectionSizeHint(c);
    if (widest >= 0) {
      // The delegate's margins around a text, as it sizes the first row's.
      const auto* first = static_cast<const LayerItem*>(ListViewMaterialy->topLevelItem(0));
      const int margins =
          ListViewMaterialy->sizeHintForIndex(ListViewMaterialy->model()->index(0, c)).width() -
          first->textWidth(c);
      width = std::max(width, widest + margins);
    }
    if (header->sectionSize(c) != width) header->resizeSection(c, width);
  }
}

int TFormWarstwy::selectedRow() const {
  const QList<QTreeWidgetItem*> selected = ListViewMaterialy->selectedItems();
  return selected.isEmpty() ? -1 : ListViewMaterialy->indexOfTopLevelItem(selected.first());
}

veltor::LayerRecord* TFormWarstwy::selectedLayer() const {
  return LayerOf(ListViewMaterialy->topLevelItem(selectedRow()));
}

void TFormWarstwy::ClearLayers() {
  {
    const QScopedValueRollback own(editing_, true);
    project_.replaceLayers({});
  }
  currentRow_ = -1;
  syncList(-1);
  clearMaterial();
  // An empty table cannot fail the pass nor make it ask anything.
  stale_ = false;
  RefreshSummary();
}

void TFormWarstwy::ReplaceLayers(veltor::LayerTable&& table) {
  std::vector<veltor::LayerRecord> values;
  for (auto& record : table.takeAll()) values.push_back(std::move(*record));
  {
    const QScopedValueRollback own(editing_, true);
    project_.replaceLayers(std::move(values));
  }
  currentRow_ = -1;
  syncList(-1);
  clearMaterial();
  tableReplaced();
}

void TFormWarstwy::AppendLayer(std::unique_ptr<veltor::LayerRecord> record) {
  project_.appendLayer(record ? *record : veltor::LayerRecord{});
}

void TFormWarstwy::projectChanged(Project::Parts parts) {
  // The handlers below change the table themselves and bring the window up
  // to date as they go; this is for changes from elsewhere (undo, open, the
  // wizard, another window).
  // The ground's figures follow its settings; the table itself is unchanged.
  if (!editing_ && (parts & Project::Extras) && !(parts & (Project::Layers | Project::Conditions)))
    showSummary();
  if (editing_ || !(parts & (Project::Layers | Project::Conditions))) return;
  if (parts & Project::Layers) {
    // Whatever row the change left behind may hold another layer now (an
    // undo restores freed records, a wizard replaces them): the window
    // forgets its current layer rather than let typing land on a layer the
    // user does not see.
    const bool hadCurrent = currentRow_ >= 0;
    endCurrentLayer();
    // The rows show the pass's figures: with the model's results in hand
    // first, each row's texts are made once rather than again after the pass.
    if (project_.building().hasReferenceTables()) {
      try {
        (void)CurrentSummary(project_, false);
      } catch (const veltor::Error&) {
        // Told by the refresh that follows.
      }
    }
    syncList(-1);
    if (hadCurrent) clearMaterial();
  }
  // The bridge's λ box shows the λ of the humidity class in force; it would
  // otherwise be taken for a λ typed over the catalogue's.
  if (parts & Project::Conditions) showBridge();
  tableReplaced();
}

void TFormWarstwy::tableReplaced() {
  // A shown tool window is not activated by every window manager, so the
  // activation's pass cannot be counted on to bring the figures up to date.
  if (isVisible())
    refreshQuietly();
  else
    stale_ = true;
}

void TFormWarstwy::refreshQuietly() {
  stale_ = false;
  try {
    (void)CurrentSummary(project_, false);
  } catch (const veltor::Error&) {
    // Told by the next refresh that the user brings about.
  }
  showSummary();
  showLayerColumns();
}
