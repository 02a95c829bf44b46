// The current layer's bridge: a second material crossing it over part of its
// area (rafters or studs in wool, mortar joints in masonry). The group below
// the material data holds the tick "Warstwa niejednorodna", the bridging
// material (picked from the catalogue, which brings both its λ, or a λ typed
// in), the share in % and a helper that turns the width and spacing of the
// members into the share. The record's bridge is the truth: every accepted
// change goes to the project as a step to undo (keystrokes in one box merge),
// and the group is filled from the record again when the current layer
// changes or a change comes back from undo. A tick, a λ or a share alone is
// kept in the boxes until the layer has both a λ and a share; only then does
// the pass count the layer as bridged.
//
// The combined method's warnings of the latest pass (limits too far apart,
// metal through insulation) are shown under the summary.
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <optional>

#include "calc/calculation.h"
#include "calc/numbers.h"
#include "forms/appstate.h"
#include "forms/katalog.h"
#include "forms/numberbox.h"
#include "forms/warstwy.h"
#include "platform/dialogs.h"

namespace {

const QString kLambdaRefused = QStringLiteral("Współczynnik λ materiału mostka musi być większy od zera");
const QString kShareRefused = QStringLiteral("Udział mostka musi być większy od 0 % i mniejszy od 100 %");
const QString kSizeRefused = QStringLiteral("Szerokość i rozstaw elementów muszą być większe od zera");
const QString kSizesMissing =
    QStringLiteral("Podaj szerokość elementów mostka i ich rozstaw (np. krokwie 8 cm co 90 cm)");
const QString kNoMaterial = QStringLiteral("Wybierz materiał mostka z katalogu");
const QString kLambdaTip = QStringLiteral("Współczynnik przewodzenia ciepła materiału mostka");
constexpr double kPercent = 100.0;
constexpr int kShareDigits = 4;

QString Refusal(const TNumberBox::Rule& rule, const QString& text) {
  const std::optional<double> value = veltor::ParseTypedNumber(text);
  return value ? rule(*value) : NotANumber(text);
}

QString ShownLambda(double lambda) {
  return lambda > 0 ? veltor::FormatGeneral(lambda) : QString();
}

QString ShownShare(double share) {
  return share > 0 ? veltor::FormatGeneral(share * kPercent, kShareDigits) : QString();
}

// The λ in force for the design conditions, as the pass reads it.
double LambdaInForce(const veltor::LayerBridge& bridge) {
  return gDesignConditions.humid() ? bridge.lambdaHumid : bridge.lambdaMedium;
}

QLineEdit* bridgeEdit(QWidget* parent, const char* name, const QString& tip, TNumberBox::Rule rule) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  edit->setToolTip(tip);
  edit->setStatusTip(tip);
  edit->setMaximumWidth(90);
  new TNumberBox(edit, std::move(rule));
  return edit;
}

const TNumberBox::Rule kLambdaRule = [](double v) { return v > 0 ? QString() : kLambdaRefused; };
const TNumberBox::Rule kShareRule = [](double v) {
  return v > 0 && v < kPercent ? QString() : kShareRefused;
};
const TNumberBox::Rule kSizeRule = [](double v) { return v > 0 ? QString() : kSizeRefused; };

}  // namespace

QWidget* TFormWarstwy::buildBridgeGroup() {
  auto* group = new QGroupBox(QStringLiteral("Mostek w warstwie"), this);
  group->setObjectName(QStringLiteral("GroupBoxMostek"));
  CheckWarstwaNiejednorodna = new QCheckBox(QStringLiteral("Warstwa niejednorodna"), group);
  CheckWarstwaNiejednorodna->setObjectName(QStringLiteral("CheckWarstwaNiejednorodna"));
  CheckWarstwaNiejednorodna->setToolTip(QStringLiteral(
      "Warstwa przecięta drugim materiałem na części powierzchni (np. wełna między krokwiami)"));
  CheckWarstwaNiejednorodna->setStatusTip(CheckWarstwaNiejednorodna->toolTip());
  connect(CheckWarstwaNiejednorodna, &QCheckBox::clicked, this,
          [this](bool checked) { runHandler([this, checked] { CheckWarstwaNiejednorodnaClick(checked); }); });

  LabelMaterialMostka = new QLabel(group);
  LabelMaterialMostka->setObjectName(QStringLiteral("LabelMaterialMostka"));
  LabelMaterialMostka->setTextFormat(Qt::PlainText);
  LabelMaterialMostka->setWordWrap(true);
  const auto button = [this, group](const char* name, const QString& text, const QString& tip,
                                    void (TFormWarstwy::*handler)()) {
    auto* b = new QPushButton(text, group);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(tip);
    b->setStatusTip(tip);
    connect(b, &QPushButton::clicked, this,
            [this, handler] { runHandler([this, handler] { (this->*handler)(); }); });
    return b;
  };
  ButtonMaterialMostka = button("ButtonMaterialMostka", QStringLiteral("Materiał z katalogu…"),
                                QStringLiteral("Wybór materiału mostka z katalogu materiałów"),
                                &TFormWarstwy::ButtonMaterialMostkaClick);

  EditLambdaMostka = bridgeEdit(group, "EditLambdaMostka", kLambdaTip, kLambdaRule);
  EditUdzialMostka = bridgeEdit(group, "EditUdzialMostka",
                                QStringLiteral("Udział mostka w powierzchni warstwy"), kShareRule);
  EditSzerokoscMostka = bridgeEdit(group, "EditSzerokoscMostka",
                                   QStringLiteral("Szerokość jednego elementu (krokwi, słupka)"), kSizeRule);
  EditRozstawMostka =
      bridgeEdit(group, "EditRozstawMostka",
                 QStringLiteral("Rozstaw osiowy elementów (np. krokwie 8 cm co 90 cm)"), kSizeRule);
  for (QLineEdit* edit : {EditLambdaMostka, EditUdzialMostka}) {
    connect(edit, &QLineEdit::textEdited, this,
            [this, edit] { runHandler([this, edit] { BridgeValueChange(edit); }); });
    connect(TNumberBox::Of(edit), &TNumberBox::Committed, this, [this, edit](const QString& text) {
      runHandler([this, edit, &text] { BridgeValueCommitted(edit, text); });
    });
  }
  ButtonObliczUdzial = button("ButtonObliczUdzial", QStringLiteral("Oblicz udział"),
                              QStringLiteral("Udział = szerokość elementów / ich rozstaw"),
                              &TFormWarstwy::ButtonObliczUdzialClick);

  auto* grid = new QGridLayout(group);
  grid->addWidget(CheckWarstwaNiejednorodna, 0, 0, 1, 2);
  grid->addWidget(ButtonMaterialMostka, 0, 2, 1, 3);
  grid->addWidget(LabelMaterialMostka, 1, 0, 1, 5);
  const auto caption = [group](const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, group);
    label->setBuddy(buddy);
    return label;
  };
  grid->addWidget(caption(QStringLiteral("λ mostka [W/(m·K)]"), EditLambdaMostka), 2, 0);
  grid->addWidget(EditLambdaMostka, 2, 1);
  grid->addWidget(caption(QStringLiteral("udział [%]"), EditUdzialMostka), 2, 2, Qt::AlignRight);
  grid->addWidget(EditUdzialMostka, 2, 3);
  grid->addWidget(caption(QStringLiteral("szerokość elementów [cm]"), EditSzerokoscMostka), 3, 0);
  grid->addWidget(EditSzerokoscMostka, 3, 1);
  grid->addWidget(caption(QStringLiteral("rozstaw [cm]"), EditRozstawMostka), 3, 2, Qt::AlignRight);
  grid->addWidget(EditRozstawMostka, 3, 3);
  grid->addWidget(ButtonObliczUdzial, 3, 4);
  grid->setColumnStretch(0, 1);

  LabelUwagaMostek = warningLabel(this, "LabelUwagaMostek");
  // Two lines a bridged wall rarely needs: the layer list takes them back when hidden.
  QSizePolicy policy = LabelUwagaMostek->sizePolicy();
  policy.setRetainSizeWhenHidden(false);
  LabelUwagaMostek->setSizePolicy(policy);
  showBridge();
  return group;
}

void TFormWarstwy::showBridge(const QLineEdit* typing) {
  const veltor::LayerBridge bridge = current() ? current()->bridge : veltor::LayerBridge{};
  const bool on = current() && (bridge != veltor::LayerBridge{} || bridgePending_);
  CheckWarstwaNiejednorodna->setEnabled(current() != nullptr);
  CheckWarstwaNiejednorodna->setChecked(on);
  for (QWidget* control :
       std::initializer_list<QWidget*>{ButtonMaterialMostka, EditLambdaMostka, EditUdzialMostka,
                                       EditSzerokoscMostka, EditRozstawMostka, ButtonObliczUdzial})
    control->setEnabled(on);
  const double lambda = LambdaInForce(bridge);
  if (!on)
    LabelMaterialMostka->clear();
  else if (!bridge.material.isEmpty())
    LabelMaterialMostka->setText(QStringLiteral("Materiał mostka: %1").arg(bridge.material));
  else
    LabelMaterialMostka->setText(lambda > 0
                                     ? QStringLiteral("Materiał mostka: λ wpisane")
                                     : QStringLiteral("Wybierz materiał mostka z katalogu lub wpisz λ"));
  // The box shows the λ of the humidity class in force; the other is told here.
  EditLambdaMostka->setStatusTip(
      kLambdaTip +
      (bridge.lambdaMedium > 0
           ? QStringLiteral(": %1 (warunki średniowilgotne), %2 (warunki wilgotne) W/(m·K)")
                 .arg(veltor::FormatGeneral(bridge.lambdaMedium), veltor::FormatGeneral(bridge.lambdaHumid))
           : QString()));
  // While a box is typed into, both boxes hold what is typed: a share waiting
  // for its λ lives only there.
  if (typing) return;
  EditLambdaMostka->setText(ShownLambda(lambda));
  EditUdzialMostka->setText(ShownShare(bridge.share));
  EditLambdaMostka->setCursorPosition(0);
}

veltor::LayerBridge TFormWarstwy::bridgeFromBoxes() const {
  veltor::LayerBridge bridge = current() ? current()->bridge : veltor::LayerBridge{};
  const auto accepted = [](const QLineEdit* edit) {
    const TNumberBox* box = TNumberBox::Of(edit);
    return box->Accepted() ? box->Number() : std::nullopt;
  };
  // A box still showing the stored value keeps it to the last bit (and the
  // catalogue's two λ with it).
  if (EditLambdaMostka->text().trimmed() != ShownLambda(LambdaInForce(bridge))) {
    bridge.material.clear();
    bridge.lambdaMedium = bridge.lambdaHumid = accepted(EditLambdaMostka).value_or(0);
  }
  if (EditUdzialMostka->text().trimmed() != ShownShare(bridge.share))
    bridge.share = accepted(EditUdzialMostka).value_or(0) / kPercent;
  return bridge;
}

void TFormWarstwy::setBridge(const veltor::LayerBridge& bridge, int session) {
  if (!current()) return;
  veltor::LayerRecord changed = *current();
  changed.bridge = bridge;
  // A share without a λ would fail every pass; it waits in its box.
  if (!(bridge.lambdaMedium > 0 && bridge.lambdaHumid > 0)) changed.bridge.share = 0;
  if (changed.bridge == current()->bridge) return;
  if (changed.bridge.present() && !current()->bridge.present()) {
    int bridged = 0;
    for (int i = 0; i < Layers().size(); ++i) bridged += Layers().at(i).bridge.present() ? 1 : 0;
    if (bridged >= veltor::kMaxBridgedLayers) {
      ui::inform(ui::MessageKind::Information,
                 QStringLiteral("Przegroda może mieć najwyżej %1 warstw niejednorodnych")
                     .arg(veltor::kMaxBridgedLayers));
      return;
    }
  }
  {
    const QScopedValueRollback own(editing_, true);
    project_.setLayer(currentRow_, changed, session);
  }
  RefreshSummary();
}

void TFormWarstwy::CheckWarstwaNiejednorodnaClick(bool checked) {
  if (!current()) return;
  bridgePending_ = checked;
  if (!checked) setBridge({}, 0);
  showBridge();
  if (checked) ButtonMaterialMostka->setFocus();
}

void TFormWarstwy::ButtonMaterialMostkaClick() {
  if (!current()) return;
  QDialog dialog(this);
  dialog.setObjectName(QStringLiteral("FormMaterialMostka"));
  dialog.setWindowTitle(QStringLiteral("Materiał mostka"));
  auto* katalog = new TFrameKatalog(&dialog);
  // Picking, not editing: the own materials are listed but not changed from here.
  katalog->ToolButtonMojeMaterialy->hide();
  katalog->TreeViewMaterialy->setContextMenuPolicy(Qt::NoContextMenu);
  auto* buttons = new QDialogButtonBox(&dialog);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("ButtonOK"));
  ok->setDefault(true);
  buttons->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole)
      ->setObjectName(QStringLiteral("ButtonAnuluj"));
  const auto chosen = [katalog]() -> const veltor::LayerRecord* {
    const QList<QTreeWidgetItem*> selected = katalog->TreeViewMaterialy->selectedItems();
    return selected.isEmpty() ? nullptr : MaterialOf(selected.first());
  };
  ok->setEnabled(false);
  connect(katalog->TreeViewMaterialy, &QTreeWidget::itemSelectionChanged, &dialog,
          [ok, chosen] { ok->setEnabled(chosen() != nullptr); });
  connect(katalog->TreeViewMaterialy, &QTreeWidget::itemDoubleClicked, &dialog, [&dialog, chosen] {
    if (chosen()) dialog.accept();
  });
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(katalog, 1);
  layout->addWidget(buttons);
  dialog.resize(420, 520);
  // A catalogue that fails in part is told, and what was read is still offered.
  ui::Guard([katalog] { katalog->Load(); });
  const bool accepted = runBridgePicker ? runBridgePicker(dialog) : dialog.exec() == QDialog::Accepted;
  const veltor::LayerRecord* material = chosen();
  if (!accepted || !current()) return;
  if (!material) {
    ui::inform(ui::MessageKind::Information, kNoMaterial);
    return;
  }
  // An air layer has no λ of its own; neither has a material of λ 0.
  if (material->isAirLayer() || !(material->lambdaMedium > 0 && material->lambdaHumid > 0)) {
    ui::inform(ui::MessageKind::Information,
               QStringLiteral("Materiał „%1” nie ma współczynnika λ: nie może być mostkiem")
                   .arg(material->nameText()));
    return;
  }
  veltor::LayerBridge bridge = bridgeFromBoxes();
  bridge.material = material->nameText();
  bridge.lambdaMedium = material->lambdaMedium;
  bridge.lambdaHumid = material->lambdaHumid;
  setBridge(bridge, 0);
  showBridge();
  // The typed share, if any, was taken with the material; a share not yet
  // given stays empty for the designer to fill.
}

void TFormWarstwy::ButtonObliczUdzialClick() {
  if (!current()) return;
  const std::optional<double> width = veltor::ParseTypedNumber(EditSzerokoscMostka->text());
  const std::optional<double> spacing = veltor::ParseTypedNumber(EditRozstawMostka->text());
  if (!width || !spacing) {
    ui::inform(ui::MessageKind::Information, kSizesMissing);
    (width ? EditRozstawMostka : EditSzerokoscMostka)->setFocus();
    return;
  }
  // Raises the core's message for a spacing not above the width.
  const double share = veltor::BridgeShare(*width, *spacing);
  veltor::LayerBridge bridge = bridgeFromBoxes();
  bridge.share = share;
  EditUdzialMostka->setText(ShownShare(share));
  setBridge(bridge, 0);
  // The share waits in its box when the layer has no λ yet.
  showBridge(EditUdzialMostka);
}

void TFormWarstwy::BridgeValueChange(QLineEdit* edit) {
  if (!current()) return;
  if (edit != bridgeField_) {
    --bridgeSession_;
    bridgeField_ = edit;
  }
  if (!TNumberBox::Of(edit)->Accepted()) return;
  setBridge(bridgeFromBoxes(), bridgeSession_);
  showBridge(edit);
}

void TFormWarstwy::BridgeValueCommitted(QLineEdit* edit, const QString& text) {
  // The next keystroke in either box is another step to undo.
  --bridgeSession_;
  bridgeField_ = nullptr;
  if (!current() || text.trimmed().isEmpty()) return;
  const QString refusal = Refusal(edit == EditLambdaMostka ? kLambdaRule : kShareRule, text);
  if (refusal.isEmpty()) return;
  ui::inform(ui::MessageKind::Information, refusal);
  if (edit->text() == text) showBridge();
}

void TFormWarstwy::showBridgeWarnings() {
  const veltor::TransmittanceResult& t = Summary().transmittance;
  QStringList warnings;
  if (t.limitRatioExceeded) warnings << veltor::kLimitRatioWarning;
  if (t.metalBridgesInsulation) warnings << veltor::kMetalBridgeWarning;
  LabelUwagaMostek->setText(warnings.join(QLatin1Char('\n')));
  LabelUwagaMostek->setVisible(!warnings.isEmpty());
}
