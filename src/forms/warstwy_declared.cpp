// Declared values of one layer: while a layer of the table is current, its
// conductivities, μ, density and specific heat may be typed over (the values
// of the product actually built in), without touching the catalogue. A layer
// whose values differ from its catalogue entry (the first material of the
// catalogue with the layer's name) is marked in the list and names the
// changed values in its tip; "Przywróć wartości z katalogu" copies them back.
// The fields are the record's own, so the project file keeps them. A layer
// without a catalogue entry (a wizard's layer) keeps its values read-only.
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <cmath>

#include "calc/numbers.h"
#include "calc/ownmaterials.h"
#include "forms/katalog.h"
#include "forms/material.h"
#include "forms/warstwy.h"

namespace {

struct DeclaredField {
  const char* box;  // objectName of its box
  veltor::MaterialField field;
  QString name;  // as the tip names it
  double veltor::LayerRecord::*value;
};

const DeclaredField kDeclared[] = {
    {"EditPC1", veltor::MaterialField::LambdaMedium, QStringLiteral("λ (warunki średniowilgotne)"),
     &veltor::LayerRecord::lambdaMedium},
    {"EditPC2", veltor::MaterialField::LambdaHumid, QStringLiteral("λ (warunki wilgotne)"),
     &veltor::LayerRecord::lambdaHumid},
    {"EditMu", veltor::MaterialField::Vapour, QStringLiteral("μ"), &veltor::LayerRecord::vapourCoefficient},
    {"EditG", veltor::MaterialField::Density, QStringLiteral("ρ"), &veltor::LayerRecord::density},
    {"EditCW", veltor::MaterialField::SpecificHeat, QStringLiteral("c"), &veltor::LayerRecord::specificHeat},
};

void setEditable(QLineEdit* edit, bool editable) {
  edit->setReadOnly(!editable);
  // Click focus keeps a read-only value selectable; Tab passes it by.
  edit->setFocusPolicy(editable ? Qt::StrongFocus : Qt::ClickFocus);
  QPalette p = edit->palette();
  p.setColor(QPalette::Base, p.color(editable ? QPalette::Window : QPalette::Button));
  if (editable) p.setBrush(QPalette::Base, QPalette().brush(QPalette::Base));
  p.setColor(QPalette::Text, QPalette().color(QPalette::Text));
  edit->setPalette(p);
}

}  // namespace

QWidget* TFormWarstwy::buildDeclaredRow(QWidget* group) {
  auto* row = new QWidget(group);
  // The file holds the permeability δ; the μ a designer compares with a product's sheet goes beside it.
  LabelMu = new QLabel(row);
  LabelMu->setObjectName(QStringLiteral("LabelMu"));
  // "μ = 100 000" or "μ =" beside its box: the row keeps one width either way.
  LabelMu->setMinimumWidth(
      LabelMu->fontMetrics().horizontalAdvance(QStringLiteral("μ = 0\u2009000\u2009000")));
  EditMu = new QLineEdit(row);
  EditMu->setObjectName(QStringLiteral("EditMu"));
  EditMu->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  // A foil's μ (100 000 and more) must show whole.
  EditMu->setFixedWidth(EditMu->fontMetrics().horizontalAdvance(QStringLiteral("0\u2009000\u2009000")) + 16);
  EditMu->hide();
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(LabelMu);
  layout->addWidget(EditMu);

  ButtonPrzywroc = new QPushButton(QStringLiteral("Przywróć wartości z katalogu"), group);
  ButtonPrzywroc->setObjectName(QStringLiteral("ButtonPrzywroc"));
  ButtonPrzywroc->setToolTip(QStringLiteral("Wartości materiału wskazanej warstwy takie jak w katalogu"));
  ButtonPrzywroc->setEnabled(false);
  connect(ButtonPrzywroc, &QPushButton::clicked, this,
          [this] { runHandler([this] { ButtonPrzywrocClick(); }); });
  for (const DeclaredField& f : kDeclared) {
    auto* edit = findChild<QLineEdit*>(QString::fromLatin1(f.box));
    connect(edit, &QLineEdit::textEdited, this,
            [this, edit] { runHandler([this, edit] { DeclaredValueChange(edit); }); });
  }
  return row;
}

const veltor::LayerRecord* TFormWarstwy::catalogueEntryFor(const veltor::LayerRecord& layer) const {
  for (QTreeWidgetItemIterator it(TreeViewMaterialy); *it; ++it)
    if (const veltor::LayerRecord* entry = MaterialOf(*it); entry && entry->name == layer.name) return entry;
  return nullptr;
}

QHash<QByteArray, const veltor::LayerRecord*> TFormWarstwy::catalogueByName() const {
  QHash<QByteArray, const veltor::LayerRecord*> entries;
  for (QTreeWidgetItemIterator it(TreeViewMaterialy); *it; ++it)
    if (const veltor::LayerRecord* entry = MaterialOf(*it); entry && !entries.contains(entry->name))
      entries.insert(entry->name, entry);
  return entries;
}

QStringList TFormWarstwy::EditedValues(const veltor::LayerRecord& layer) const {
  return editedAgainst(layer, catalogueEntryFor(layer));
}

QStringList TFormWarstwy::editedAgainst(const veltor::LayerRecord& layer, const veltor::LayerRecord* entry) {
  QStringList edited;
  if (!entry) return edited;
  for (const DeclaredField& f : kDeclared)
    if (!(layer.*f.value == entry->*f.value)) edited << f.name;
  return edited;
}

void TFormWarstwy::updateDeclaredBoxes() {
  // Only a layer with a catalogue entry: its changes can then be marked and undone.
  const bool layer = current() && catalogueEntryFor(*current());
  for (const DeclaredField& f : kDeclared)
    setEditable(findChild<QLineEdit*>(QString::fromLatin1(f.box)), layer);
  EditMu->setVisible(layer);
  if (layer) {
    const double vapour = current()->vapourCoefficient;
    LabelMu->setText(QStringLiteral("μ ="));
    EditMu->setText(std::isinf(vapour) ? QString()
                                       : veltor::FormatQuantity(veltor::Quantity::VapourCoefficient,
                                                                veltor::kMuPermeability / vapour));
    EditMu->setPlaceholderText(std::isinf(vapour) ? QStringLiteral("0") : QString());
  } else if (LabelMu->text() == QStringLiteral("μ =")) {
    // The layer's box went away without another material shown in its place.
    LabelMu->clear();
  }
  ButtonPrzywroc->setEnabled(layer && !EditedValues(*current()).isEmpty());
  // The bridge follows the current layer as the declared values do.
  showBridge();
}

void TFormWarstwy::DeclaredValueChange(QLineEdit* edit) {
  if (!current()) return;
  const DeclaredField* field = nullptr;
  for (const DeclaredField& f : kDeclared)
    if (edit->objectName() == QLatin1String(f.box)) field = &f;
  if (!field) return;
  const std::optional<double> typed = ParseTypedNumber(edit->text());
  veltor::LayerRecord trial = *current();
  if (typed)
    trial.*field->value =
        field->field == veltor::MaterialField::Vapour ? veltor::kMuPermeability / *typed : *typed;
  // The humid λ follows the medium-humid one by the catalogue's moisture
  // ratio, as the own-material dialog proposes it, while the designer has
  // not typed a humid λ of the product's own.
  bool humidFollows = false;
  if (typed && field->field == veltor::MaterialField::LambdaMedium) {
    const veltor::LayerRecord* entry = catalogueEntryFor(*current());
    if (entry && entry->lambdaMedium > 0) {
      const double ratio = entry->lambdaHumid / entry->lambdaMedium;
      const double followed = current()->lambdaMedium * ratio;
      if (std::abs(current()->lambdaHumid - followed) <= 1e-9 * std::abs(followed)) {
        trial.lambdaHumid = *typed * ratio;
        humidFollows = true;
      }
    }
  }
  // Only the typed value's own range: the layer's other values are as the catalogue gave them.
  const auto fault = veltor::CheckMaterial(trial.nameText(), trial);
  const bool valid = typed && !(fault && fault->field == field->field);
  QPalette p = edit->palette();
  p.setColor(QPalette::Text, valid ? QPalette().color(QPalette::Text) : QColor(Qt::red));
  edit->setPalette(p);
  edit->setToolTip(valid || !fault ? QString() : fault->message);
  if (!valid) return;
  {
    const QScopedValueRollback own(editing_, true);
    project_.setLayer(currentRow_, trial, thicknessSession_);
  }
  if (field->field == veltor::MaterialField::Vapour) {
    EditOD->setText(veltor::FormatGeneral(current()->vapourCoefficient));
    EditOD->setToolTip(QString());
  }
  if (humidFollows)
    EditPC2->setText(veltor::FormatEditable(veltor::Quantity::Conductivity, current()->lambdaHumid));
  RefreshSummary();
  ButtonPrzywroc->setEnabled(!EditedValues(*current()).isEmpty());
}

void TFormWarstwy::ButtonPrzywrocClick() {
  if (!current()) return;
  const veltor::LayerRecord* entry = catalogueEntryFor(*current());
  if (!entry) return;
  veltor::LayerRecord restored = *current();
  for (const DeclaredField& f : kDeclared) restored.*f.value = entry->*f.value;
  {
    const QScopedValueRollback own(editing_, true);
    project_.setLayer(currentRow_, restored);
  }
  ShowMaterial(current());
  updateDeclaredBoxes();
  RefreshSummary();
}
