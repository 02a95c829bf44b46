// Wizard step 4: building the created partition and handing it over.
//
// The insulation's thickness is the one at which Uc, with the anchors'
// correction, equals Umax, rounded up to whole centimetres; a second pass then
// gives every layer, the insulation included, the results of the wall as
// built, which the tips and the charts show. A wall whose other layers already
// reach Umax gets no insulation layer at all rather than one of zero or
// negative thickness, and then no anchors either: nothing is there to cross.
#include "forms/system4.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "calc/calculation.h"
#include "calc/numbers.h"
#include "calc/units.h"
#include "forms/appstate.h"
#include "forms/numberbox.h"
#include "forms/poprawki.h"
#include "forms/system3.h"
#include "forms/warstwy.h"
#include "forms/windowset.h"
#include "model/project.h"

TFormSystem4* FormSystem4 = nullptr;

namespace {

// The adhesive and base coat goes on 3 mm thick, whatever its file says.
constexpr double kAdhesiveThickness = 0.003;
constexpr int kInsulationPosition = 2;  // counted from 1 at the inside
constexpr int kCentimetresPerMetre = 100;
constexpr int kBoardDecimals = 2;  // whole centimetres, in metres

// A typical declared value of ETICS anchors, shown so that the designer sees
// what is assumed and replaces it with the value of the anchors' assessment.
constexpr double kDefaultAnchors = 6;   // per m²
constexpr double kDefaultChiP = 0.002;  // W/K
QString anchorNote() {
  return QStringLiteral(
             "%1 szt./m², χp = %2 W/K: typowa wartość deklarowana; wpisz wartość z "
             "aprobaty/oceny technicznej łączników.")
      .arg(veltor::FormatGeneral(kDefaultAnchors), veltor::FormatGeneral(kDefaultChiP));
}

const QString kNoInsulationNeeded =
    QStringLiteral("Mur, klej i tynk spełniają wymaganie Uc ≤ Uc(max) bez izolacji termicznej.");

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

TFormSystem4::TFormSystem4(QWidget* mainWindow, Project& project, const WizardChoices& choices)
    : TSystemStep(mainWindow, QStringLiteral("FormSystem4"), 4, QStringLiteral("Utworzona przegroda"),
                  QStringLiteral("1324.htm"), QStringLiteral("system4.png")),
      project_(project),
      choices_(choices) {
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
  StaticTextUc = sunkenField(this, "StaticTextUc");

  CheckBoxLaczniki = new QCheckBox(QStringLiteral("Łączniki (kotwy) przez izolację"), this);
  CheckBoxLaczniki->setObjectName(QStringLiteral("CheckBoxLaczniki"));
  CheckBoxLaczniki->setChecked(true);
  auto anchorBox = [this](QLineEdit*& edit, const char* name, double value, TNumberBox::Rule rule) {
    edit = new QLineEdit(veltor::FormatGeneral(value), this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAlignment(Qt::AlignCenter);
    edit->setMinimumWidth(70);
    edit->setMaximumWidth(70);
    connect(new TNumberBox(edit, std::move(rule), false), &TNumberBox::Committed, this,
            &TFormSystem4::anchorsChanged);
  };
  anchorBox(EditLiczbaLacznikow, "EditLiczbaLacznikow", kDefaultAnchors, FastenerCountRule());
  anchorBox(EditChiP, "EditChiP", kDefaultChiP, ChiPRule());
  auto* note = new QLabel(anchorNote(), this);
  note->setObjectName(QStringLiteral("LabelLaczniki"));
  note->setWordWrap(true);
  QFont small = note->font();
  small.setPointSizeF(small.pointSizeF() * 0.9);
  note->setFont(small);
  connect(CheckBoxLaczniki, &QCheckBox::toggled, this, [this](bool on) {
    EditLiczbaLacznikow->setEnabled(on);
    EditChiP->setEnabled(on);
    anchorsChanged();
  });

  // Caption, value and unit in three columns: the anchors first, as they
  // decide the thickness below them.
  auto* grid = new QGridLayout;
  int r = 0;
  grid->addWidget(CheckBoxLaczniki, r++, 0, 1, 3);
  const struct {
    QString caption;
    QWidget* field;
    QString unit;
  } rows[] = {
      {QStringLiteral("Liczba łączników n"), EditLiczbaLacznikow, QStringLiteral("szt./m²")},
      {QStringLiteral("χp jednego łącznika"), EditChiP, QStringLiteral("W/K")},
      {QString(), note, QString()},
      {QStringLiteral("Uc(max)"), StaticTextUmax, veltor::unit::kTransmittance},
      {QStringLiteral("Grubość warstwy termoizolacyjnej"), StaticTextGW, QStringLiteral("[m]")},
      {QStringLiteral("Współczynnik przenikania ciepła U"), StaticTextU, veltor::unit::kTransmittance},
      {QStringLiteral("Skorygowany współczynnik Uc"), StaticTextUc, veltor::unit::kTransmittance},
  };
  for (const auto& row : rows) {
    if (row.field == note) {
      grid->addWidget(note, r++, 0, 1, 3);
      continue;
    }
    auto* caption = new QLabel(row.caption, this);
    caption->setWordWrap(true);
    caption->setBuddy(row.field);
    row.field->setAccessibleName(row.caption);
    grid->addWidget(caption, r, 0);
    grid->addWidget(row.field, r, 1);
    grid->addWidget(new QLabel(row.unit, this), r, 2);
    ++r;
  }
  grid->setColumnStretch(0, 1);

  content()->addWidget(label);
  content()->addWidget(ListViewPrzegroda, 1);
  content()->addLayout(grid);

  ButtonWstecz = addButton("ButtonWstecz", QStringLiteral("< &Wstecz"), &TFormSystem4::ButtonWsteczClick);
  ButtonZakoncz = addButton("ButtonZakoncz", QStringLiteral("&Zakończ"), &TFormSystem4::ButtonZakonczClick);
  ButtonZakoncz->setEnabled(false);
  setFirstFocus(ListViewPrzegroda);
  // The list follows the wizard's table, whoever clears it (New, the layer window).
  connect(&project_, &Project::wizardChanged, this, &TFormSystem4::rebuildList);
}

TFormSystem4::~TFormSystem4() = default;

veltor::LayerTable& TFormSystem4::Layers() {
  return project_.wizardLayers();
}

int TFormSystem4::LayerCount() const {
  return project_.wizardLayers().size();
}

void TFormSystem4::ClearLayers() {
  project_.clearWizardLayers();
}

void TFormSystem4::rebuildList() {
  const veltor::LayerTable& layers = project_.wizardLayers();
  ListViewPrzegroda->clear();
  for (int i = 0; i < layers.size(); ++i) ListViewPrzegroda->addItem(layers.at(i).nameText());
}

void TFormSystem4::FormShow() {
  ButtonZakoncz->setEnabled(false);
  StaticTextUmax->setText(
      veltor::FormatQuantity(veltor::Quantity::TransmittanceLimit, gDesignConditions.umax));
  StaticTextGW->clear();
  StaticTextU->clear();
  StaticTextUc->clear();
  ClearLayers();
  buildPartition();
  ButtonZakoncz->setEnabled(LayerCount() > 0);
}

void TFormSystem4::anchorsChanged() {
  // The boxes can change while the step is hidden (a test, a restore); the
  // wall is built anew when it is shown.
  if (isVisible()) ui::Guard([this] { FormShow(); });
}

std::optional<veltor::DesignConditions> TFormSystem4::sizingConditions(
    const veltor::DesignConditions& base) const {
  veltor::DesignConditions c = base;
  // An ETICS wall is no inverted roof, whatever the project held before.
  c.corrections.invertedRoof.enabled = false;
  veltor::FastenerCorrection& f = c.corrections.fasteners;
  f = {};
  if (!CheckBoxLaczniki->isChecked()) return c;
  for (QLineEdit* edit : {EditLiczbaLacznikow, EditChiP}) {
    const QString problem = TNumberBox::Of(edit)->Problem();
    if (!problem.isEmpty()) {
      ui::inform(ui::MessageKind::Error, QStringLiteral("%1: %2").arg(edit->accessibleName(), problem));
      return std::nullopt;
    }
  }
  f.method = veltor::FastenerMethod::PointTransmittance;
  f.perSquareMetre = *TNumberBox::Of(EditLiczbaLacznikow)->Number();
  f.chiP = *TNumberBox::Of(EditChiP)->Number();
  return c;
}

void TFormSystem4::buildPartition() {
  const WizardChoices& c = choices_;
  // Only a step shown other than through steps 1 to 3 can lack a choice.
  if (!c.masonry || !c.insulation || !c.adhesive || !c.render) return;
  // Umax may have been set to "bez wymagań" while the wizard was open.
  if (gDesignConditions.umax == 0) {
    ui::inform(ui::MessageKind::Error, kUmaxMissing);
    return;
  }

  std::optional<veltor::DesignConditions> conditions = sizingConditions(gDesignConditions);
  if (!conditions) return;

  // Built aside and handed to the project whole: no half-built wall stays
  // behind an error.
  veltor::LayerTable built;
  built.AppendLayer(*c.masonry).thickness = c.wallThickness;
  built.AppendLayer(*c.insulation);  // its entry's thickness until d is known
  built.AppendLayer(*c.adhesive).thickness = kAdhesiveThickness;
  built.AppendLayer(*c.render).thickness = c.renderThickness;

  veltor::CalculatePartition(built, summary_, *conditions, gReferenceTables,
                             [](const QString& text) { ui::inform(ui::MessageKind::Error, text); });
  const double d = veltor::RequiredLayerThickness(built, kInsulationPosition, *conditions, gReferenceTables.air);

  const bool needed = d > 0;
  // Boards come in whole centimetres: rounded up, U stays at or below Umax,
  // and the wall gets exactly the thickness shown.
  const double board = needed ? veltor::RoundUpToStep(d, kCentimetresPerMetre) : 0.0;
  if (needed) {
    built.at(kInsulationPosition - 1).thickness = board;
  } else {
    built.RemoveLayer(kInsulationPosition - 1);
    conditions->corrections.fasteners = {};
  }
  corrections_ = conditions->corrections;
  StaticTextGW->setText(veltor::FormatFixed(board, kBoardDecimals));
  // The as-built wall's results; the first pass has already told its notice.
  veltor::CalculatePartition(built, summary_, *conditions, gReferenceTables);
  StaticTextU->setText(veltor::FormatQuantity(veltor::Quantity::Transmittance, summary_.u));
  StaticTextUc->setText(veltor::FormatQuantity(veltor::Quantity::Transmittance, summary_.transmittance.uc));
  project_.setWizardLayers(std::move(built));
  if (!needed) ui::inform(ui::MessageKind::Information, kNoInsulationNeeded);
}

QString TFormSystem4::ListViewPrzegrodaInfoTip(int row) const {
  const veltor::LayerTable& layers = project_.wizardLayers();
  if (row < 0 || row >= layers.size()) return {};
  return LayerTip(row, layers.at(row));
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
  if (LayerCount() == 0) return;
  // The wall and the correction it was sized with go to the project together,
  // and one undo takes both back.
  project_.adoptWizardLayers(corrections_);
  ButtonZakoncz->setEnabled(false);
  ShowWindow(WindowId::Layers);
  hide();
}
