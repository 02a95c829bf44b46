// Wizard step 4: building the created partition and handing it over.
//
// The insulation's thickness comes from the other three layers' resistances
// after a first pass, rounded up to whole centimetres; a second pass then gives every layer, the insulation
// included, the results of the wall as built, which the tips and the charts
// show. A wall whose other layers already reach Umax gets no insulation layer
// at all rather than one of zero or negative thickness.
#include "forms/system4.h"

#include <QEvent>
#include <QGridLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "calc/calculation.h"
#include "calc/numbers.h"
#include "calc/units.h"
#include "forms/appstate.h"
#include "forms/glowna.h"
#include "forms/system1.h"
#include "forms/system2.h"
#include "forms/system3.h"
#include "forms/warstwy.h"

TFormSystem4* FormSystem4 = nullptr;

namespace {

// The adhesive and base coat goes on 3 mm thick, whatever its file says.
constexpr double kAdhesiveThickness = 0.003;
constexpr int kInsulationPosition = 2;  // counted from 1 at the inside
constexpr int kCentimetresPerMetre = 100;
constexpr int kBoardDecimals = 2;  // whole centimetres, in metres

const QString kNoInsulationNeeded =
    QStringLiteral("Mur, klej i tynk spełniają wymaganie Umax bez izolacji termicznej.");

QLabel* sunkenField(QWidget* parent, const char* name) {
  auto* field = new QLabel(parent);
  field->setObjectName(QString::fromLatin1(name));
  field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  field->setAlignment(Qt::AlignCenter);
  field->setMinimumWidth(70);
  field->setMargin(2);
  return field;
}

}  // namespace

TFormSystem4::TFormSystem4(QWidget* mainWindow)
    : TSystemStep(mainWindow, QStringLiteral("FormSystem4"), 4, QStringLiteral("Utworzona przegroda"),
                  QStringLiteral("1324.htm"), QStringLiteral("system4.png")) {
  auto* label = new QLabel(QStringLiteral("Przegroda składa się z następujących warstw:"), this);
  label->setWordWrap(true);
  ListViewPrzegroda = new QListWidget(this);
  ListViewPrzegroda->setObjectName(QStringLiteral("ListViewPrzegroda"));
  ListViewPrzegroda->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Layer names are long; they wrap rather than scroll.
  ListViewPrzegroda->setWordWrap(true);
  ListViewPrzegroda->setResizeMode(QListView::Adjust);
  ListViewPrzegroda->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ListViewPrzegroda->viewport()->installEventFilter(this);
  label->setBuddy(ListViewPrzegroda);

  StaticTextUmax = sunkenField(this, "StaticTextUmax");
  StaticTextGW = sunkenField(this, "StaticTextGW");
  StaticTextU = sunkenField(this, "StaticTextU");
  auto* grid = new QGridLayout;
  const struct {
    QString caption;
    QLabel* field;
    QString unit;
  } rows[] = {
      {QStringLiteral("Umax"), StaticTextUmax, veltor::unit::kTransmittance},
      {QStringLiteral("Grubość warstwy termoizolacyjnej"), StaticTextGW, QStringLiteral("[m]")},
      {QStringLiteral("Współczynnik przenikania ciepła U"), StaticTextU, veltor::unit::kTransmittance},
  };
  for (int r = 0; r < 3; ++r) {
    auto* caption = new QLabel(rows[r].caption, this);
    caption->setWordWrap(true);
    grid->addWidget(caption, r, 0);
    grid->addWidget(rows[r].field, r, 1);
    grid->addWidget(new QLabel(rows[r].unit, this), r, 2);
  }
  grid->setColumnStretch(0, 1);

  content()->addWidget(label);
  content()->addWidget(ListViewPrzegroda, 1);
  content()->addLayout(grid);

  ButtonWstecz = addButton("ButtonWstecz", QStringLiteral("< &Wstecz"), &TFormSystem4::ButtonWsteczClick);
  ButtonZakoncz = addButton("ButtonZakoncz", QStringLiteral("&Zakończ"), &TFormSystem4::ButtonZakonczClick);
  ButtonZakoncz->setEnabled(false);
  setFirstFocus(ListViewPrzegroda);
}

TFormSystem4::~TFormSystem4() = default;

void TFormSystem4::ClearLayers() {
  layers_.clear();
  rebuildList();
}

void TFormSystem4::rebuildList() {
  ListViewPrzegroda->clear();
  for (int i = 0; i < layers_.size(); ++i) ListViewPrzegroda->addItem(layers_.at(i).nameText());
}

void TFormSystem4::FormShow() {
  ButtonZakoncz->setEnabled(false);
  StaticTextUmax->setText(veltor::FormatFixed(gDesignConditions.umax, 2));
  StaticTextGW->clear();
  StaticTextU->clear();
  ClearLayers();
  buildPartition();
  ButtonZakoncz->setEnabled(!layers_.empty());
}

void TFormSystem4::buildPartition() {
  const veltor::LayerRecord* masonry = FormSystem1 ? FormSystem1->SelectedMasonry() : nullptr;
  const veltor::LayerRecord* insulation = FormSystem2 ? FormSystem2->SelectedInsulation() : nullptr;
  const veltor::LayerRecord* adhesive = FormSystem2 ? FormSystem2->SelectedAdhesive() : nullptr;
  const veltor::LayerRecord* render = FormSystem3 ? FormSystem3->SelectedRender() : nullptr;
  // Only a step shown other than through steps 1 to 3 can lack a choice.
  if (!masonry || !insulation || !adhesive || !render) return;
  // Umax may have been set to "bez wymagań" while the wizard was open.
  if (gDesignConditions.umax == 0) {
    ui::inform(ui::MessageKind::Error, kUmaxMissing);
    return;
  }

  const double wall = FormSystem1->WallThickness();
  layers_.AppendLayer(*masonry).thickness = wall;
  layers_.AppendLayer(*insulation);  // its entry's thickness until d is known
  layers_.AppendLayer(*adhesive).thickness = kAdhesiveThickness;
  layers_.AppendLayer(*render).thickness = FormSystem3->RenderThickness();

  double d = 0;
  try {
    RunCalculationPass(layers_, summary_);
    d = veltor::RequiredThicknessUc(layers_, kInsulationPosition, gDesignConditions, gReferenceTables.air);
  } catch (...) {
    // No half-built wall stays behind an error.
    ClearLayers();
    throw;
  }

  const bool needed = d > 0;
  // Boards come in whole centimetres: rounded up, U stays at or below Umax,
  // and the wall gets exactly the thickness shown.
  const double board = needed ? veltor::RoundUpToStep(d, kCentimetresPerMetre) : 0.0;
  if (needed)
    layers_.at(kInsulationPosition - 1).thickness = board;
  else
    layers_.RemoveLayer(kInsulationPosition - 1);
  StaticTextGW->setText(veltor::FormatFixed(board, kBoardDecimals));
  // The as-built wall's results; the first pass has already told its notice.
  veltor::CalculatePartition(layers_, summary_, gDesignConditions, gReferenceTables);
  StaticTextU->setText(veltor::FormatFixed(summary_.u, 3));
  rebuildList();
  if (!needed) ui::inform(ui::MessageKind::Information, kNoInsulationNeeded);
}

QString TFormSystem4::ListViewPrzegrodaInfoTip(int row) const {
  if (row < 0 || row >= layers_.size()) return {};
  return LayerTip(row, layers_.at(row));
}

bool TFormSystem4::eventFilter(QObject* watched, QEvent* e) {
  if (watched == ListViewPrzegroda->viewport() && e->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(e);
    QListWidgetItem* item = ListViewPrzegroda->itemAt(help->pos());
    ShowLayerTip(help, ListViewPrzegroda, item ? ListViewPrzegroda->visualItemRect(item) : QRect(),
                 item ? ListViewPrzegrodaInfoTip(ListViewPrzegroda->row(item)) : QString());
    return true;
  }
  return TSystemStep::eventFilter(watched, e);
}

void TFormSystem4::ButtonWsteczClick() {
  ShowSystemStep(FormSystem3);
}

void TFormSystem4::ButtonZakonczClick() {
  if (layers_.empty() || !FormWarstwy) return;
  FormWarstwy->ReplaceLayers(std::move(layers_));
  ClearLayers();
  ButtonZakoncz->setEnabled(false);
  if (FormGlowna) FormGlowna->ShowLayerWindow();
  hide();
}
