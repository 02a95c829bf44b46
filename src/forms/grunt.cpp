// The ground window. Boxes hold SI values as the designer reads them from a
// drawing (m, m², W/(m·K)); a box the chosen kind does not read is greyed out
// and keeps what it holds, as the project does.
#include "forms/grunt.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QVBoxLayout>

#include "calc/errors.h"
#include "calc/numbers.h"
#include "forms/appstate.h"
#include "forms/numberbox.h"
#include "model/project.h"
#include "platform/dialogs.h"

TFormGrunt* FormGrunt = nullptr;

namespace {

// Far beyond any building, yet keeping a slip of the decimal separator out.
constexpr double kMaxFigure = 1e6;

QString positiveProblem(double v) {
  return v > 0 && v <= kMaxFigure ? QString()
                                  : QStringLiteral("Wartość musi być większa od 0 i nie większa niż 1000000");
}

QString notNegativeProblem(double v) {
  return v >= 0 && v <= kMaxFigure ? QString() : QStringLiteral("Dopuszczalne wartości: 0 ÷ 1000000");
}

QString shown(double v) {
  return veltor::FormatGeneral(v);
}

}  // namespace

TFormGrunt::TFormGrunt(QWidget* mainWindow, Project& project)
    : TCompanionWindow(mainWindow, QStringLiteral("FormGrunt"), QStringLiteral("Przegroda na gruncie"),
                       QStringLiteral("grunt.htm")),
      project_(project) {
  ActionGrunt = new QAction(QStringLiteral("Przegroda na &gruncie…"), this);
  ActionGrunt->setObjectName(QStringLiteral("ActionGrunt"));
  ActionGrunt->setStatusTip(
      QStringLiteral("Podłoga na gruncie, podłoga podniesiona, piwnica: współczynnik U wg PN-EN ISO 13370"));
  connect(ActionGrunt, &QAction::triggered, this, &TFormGrunt::ActionGruntExecute);

  ButtonOK = new QPushButton(QStringLiteral("OK"), this);
  ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
  ButtonOK->setDefault(true);
  ButtonAnuluj = new QPushButton(QStringLiteral("&Anuluj"), this);
  ButtonAnuluj->setObjectName(QStringLiteral("ButtonAnuluj"));
  ButtonAnuluj->setAutoDefault(false);
  connect(ButtonOK, &QPushButton::clicked, this, [this] { ui::Guard([this] { ButtonOKClick(); }); });
  connect(ButtonAnuluj, &QPushButton::clicked, this, &TFormGrunt::ButtonAnulujClick);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WidgetWithChildrenShortcut);
  connect(escape, &QShortcut::activated, this, &TFormGrunt::ButtonAnulujClick);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ButtonOK);
  buttons->addWidget(ButtonAnuluj);

  LabelWyniki = new QLabel(this);
  LabelWyniki->setObjectName(QStringLiteral("LabelWyniki"));
  LabelWyniki->setWordWrap(true);
  LabelWyniki->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* columns = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(buildGeometryGroup());
  left->addWidget(buildEdgeGroup());
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(buildSuspendedGroup());
  right->addWidget(buildBasementGroup());
  right->addStretch(1);
  columns->addLayout(left);
  columns->addLayout(right);

  auto* top = new QVBoxLayout(this);
  top->addLayout(columns);
  top->addWidget(LabelWyniki);
  top->addLayout(buttons);

  connect(&project_, &Project::changed, this, [this](Project::Parts parts) {
    if (parts & Project::Extras) showSettings();
    if (parts & (Project::Layers | Project::Conditions)) updateResults();
  });
  showSettings();
}

TFormGrunt::~TFormGrunt() {
  if (FormGrunt == this) FormGrunt = nullptr;
}

QLineEdit* TFormGrunt::addBox(QGroupBox* group, const char* name, const QString& label, bool positive) {
  auto* edit = new QLineEdit(group);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setAccessibleName(label);
  new TNumberBox(edit, positive ? TNumberBox::Rule(positiveProblem) : TNumberBox::Rule(notNegativeProblem));
  connect(edit, &QLineEdit::textChanged, this, &TFormGrunt::updateResults);
  static_cast<QFormLayout*>(group->layout())->addRow(label, edit);
  return edit;
}

QGroupBox* TFormGrunt::buildGeometryGroup() {
  auto* group = new QGroupBox(QStringLiteral("Przegroda i grunt"), this);
  group->setObjectName(QStringLiteral("GroupBoxGeometria"));
  auto* form = new QFormLayout(group);
  ComboBoxRodzaj = new QComboBox(group);
  ComboBoxRodzaj->setObjectName(QStringLiteral("ComboBoxRodzaj"));
  for (int k = 0; k < veltor::kGroundKindCount; ++k)
    ComboBoxRodzaj->addItem(veltor::GroundKindName(static_cast<veltor::GroundKind>(k)));
  form->addRow(QStringLiteral("Rodzaj"), ComboBoxRodzaj);
  EditPowierzchnia = addBox(group, "EditPowierzchnia", QStringLiteral("Powierzchnia podłogi A [m²]"), true);
  EditObwod = addBox(group, "EditObwod", QStringLiteral("Obwód eksponowany P [m]"), true);
  EditGruboscSciany = addBox(group, "EditGruboscSciany", QStringLiteral("Grubość ścian w [m]"), false);
  ComboBoxGrunt = new QComboBox(group);
  ComboBoxGrunt->setObjectName(QStringLiteral("ComboBoxGrunt"));
  ComboBoxGrunt->addItems({QStringLiteral("glina lub pył (λ 1,5)"), QStringLiteral("piasek lub żwir (λ 2,0)"),
                           QStringLiteral("skała jednorodna (λ 3,5)"), QStringLiteral("wpisana wartość λ")});
  form->addRow(QStringLiteral("Grunt"), ComboBoxGrunt);
  EditLambdaGruntu = addBox(group, "EditLambdaGruntu", QStringLiteral("λ gruntu [W/(m·K)]"), true);
  ComboBoxPorownanie = new QComboBox(group);
  ComboBoxPorownanie->setObjectName(QStringLiteral("ComboBoxPorownanie"));
  ComboBoxPorownanie->addItems(
      {QStringLiteral("U konstrukcji (PN-EN ISO 6946)"), QStringLiteral("U z gruntem (PN-EN ISO 13370)")});
  form->addRow(QStringLiteral("Z Umax porównać"), ComboBoxPorownanie);
  for (QComboBox* combo : {ComboBoxRodzaj, ComboBoxGrunt, ComboBoxPorownanie})
    connect(combo, &QComboBox::currentIndexChanged, this, [this] {
      updateEnabled();
      updateResults();
    });
  return group;
}

QGroupBox* TFormGrunt::buildEdgeGroup() {
  edgeGroup_ = new QGroupBox(QStringLiteral("Izolacja krawędziowa (podłoga na gruncie)"), this);
  edgeGroup_->setObjectName(QStringLiteral("GroupBoxKrawedz"));
  auto* form = new QFormLayout(edgeGroup_);
  ComboBoxIzolacjaKrawedziowa = new QComboBox(edgeGroup_);
  ComboBoxIzolacjaKrawedziowa->setObjectName(QStringLiteral("ComboBoxIzolacjaKrawedziowa"));
  ComboBoxIzolacjaKrawedziowa->addItems({QStringLiteral("brak"), QStringLiteral("pozioma (szerokość D)"),
                                         QStringLiteral("pionowa (głębokość D)")});
  form->addRow(QStringLiteral("Izolacja"), ComboBoxIzolacjaKrawedziowa);
  connect(ComboBoxIzolacjaKrawedziowa, &QComboBox::currentIndexChanged, this, [this] {
    updateEnabled();
    updateResults();
  });
  EditKrawedzD = addBox(edgeGroup_, "EditKrawedzD", QStringLiteral("D [m]"), true);
  EditKrawedzGrubosc = addBox(edgeGroup_, "EditKrawedzGrubosc", QStringLiteral("Grubość dn [m]"), true);
  EditKrawedzLambda = addBox(edgeGroup_, "EditKrawedzLambda", QStringLiteral("λ izolacji [W/(m·K)]"), true);
  return edgeGroup_;
}

QGroupBox* TFormGrunt::buildSuspendedGroup() {
  suspendedGroup_ = new QGroupBox(QStringLiteral("Podłoga podniesiona i piwnica nieogrzewana"), this);
  suspendedGroup_->setObjectName(QStringLiteral("GroupBoxPodniesiona"));
  auto* form = new QFormLayout(suspendedGroup_);
  EditWysokosc = addBox(suspendedGroup_, "EditWysokosc", QStringLiteral("Wysokość nad terenem h [m]"), false);
  EditOtwory = addBox(suspendedGroup_, "EditOtwory", QStringLiteral("Otwory wentylacyjne ε [m²/m]"), false);
  ComboBoxOslona = new QComboBox(suspendedGroup_);
  ComboBoxOslona->setObjectName(QStringLiteral("ComboBoxOslona"));
  ComboBoxOslona->addItems({QStringLiteral("osłonięty (fw 0,02)"), QStringLiteral("średnio (fw 0,05)"),
                            QStringLiteral("odsłonięty (fw 0,10)")});
  form->addRow(QStringLiteral("Osłonięcie od wiatru"), ComboBoxOslona);
  connect(ComboBoxOslona, &QComboBox::currentIndexChanged, this, &TFormGrunt::updateResults);
  EditPredkoscWiatru =
      addBox(suspendedGroup_, "EditPredkoscWiatru", QStringLiteral("Prędkość wiatru v [m/s]"), false);
  EditUScianPodpodlogowych = addBox(suspendedGroup_, "EditUScianPodpodlogowych",
                                    QStringLiteral("U ścian przestrzeni podpodłogowej [W/(m²·K)]"), false);
  return suspendedGroup_;
}

QGroupBox* TFormGrunt::buildBasementGroup() {
  basementGroup_ = new QGroupBox(QStringLiteral("Piwnica"), this);
  basementGroup_->setObjectName(QStringLiteral("GroupBoxPiwnica"));
  new QFormLayout(basementGroup_);
  EditGlebokosc =
      addBox(basementGroup_, "EditGlebokosc", QStringLiteral("Głębokość podłogi piwnicy z [m]"), true);
  EditOporScianPiwnicy =
      addBox(basementGroup_, "EditOporScianPiwnicy", QStringLiteral("Opór ścian piwnicy Rw [m²·K/W]"), false);
  EditOporPodlogiPiwnicy = addBox(basementGroup_, "EditOporPodlogiPiwnicy",
                                  QStringLiteral("Opór podłogi piwnicy nieogrzewanej [m²·K/W]"), false);
  EditKrotnosc =
      addBox(basementGroup_, "EditKrotnosc", QStringLiteral("Krotność wymiany powietrza n [1/h]"), false);
  EditKubatura = addBox(basementGroup_, "EditKubatura", QStringLiteral("Kubatura piwnicy V [m³]"), false);
  EditUScianNadTerenem =
      addBox(basementGroup_, "EditUScianNadTerenem", QStringLiteral("U ścian nad terenem [W/(m²·K)]"), false);
  return basementGroup_;
}

void TFormGrunt::showSettings() {
  const veltor::GroundSettings& g = project_.extras().ground;
  const QSignalBlocker blockers[] = {QSignalBlocker(ComboBoxRodzaj), QSignalBlocker(ComboBoxGrunt),
                                     QSignalBlocker(ComboBoxIzolacjaKrawedziowa),
                                     QSignalBlocker(ComboBoxOslona), QSignalBlocker(ComboBoxPorownanie)};
  ComboBoxRodzaj->setCurrentIndex(static_cast<int>(g.kind));
  ComboBoxGrunt->setCurrentIndex(static_cast<int>(g.soil));
  ComboBoxIzolacjaKrawedziowa->setCurrentIndex(static_cast<int>(g.edge.kind));
  ComboBoxOslona->setCurrentIndex(static_cast<int>(g.shielding));
  ComboBoxPorownanie->setCurrentIndex(static_cast<int>(g.compare));
  // A figure never typed (0 where a box wants more) shows as an empty box.
  const auto set = [](QLineEdit* edit, double v, bool positive) {
    edit->setText(positive && v == 0 ? QString() : shown(v));
  };
  set(EditPowierzchnia, g.area, true);
  set(EditObwod, g.perimeter, true);
  set(EditGruboscSciany, g.wallThickness, false);
  set(EditLambdaGruntu, g.soilLambda, true);
  set(EditKrawedzD, g.edge.size, true);
  set(EditKrawedzGrubosc, g.edge.thickness, true);
  set(EditKrawedzLambda, g.edge.lambda, true);
  set(EditWysokosc, g.height, false);
  set(EditOtwory, g.openings, false);
  set(EditPredkoscWiatru, g.windSpeed, false);
  set(EditUScianPodpodlogowych, g.crawlWallU, false);
  set(EditGlebokosc, g.depth, true);
  set(EditOporScianPiwnicy, g.wallResistance, false);
  set(EditOporPodlogiPiwnicy, g.basementFloorResistance, false);
  set(EditKrotnosc, g.airChanges, false);
  set(EditKubatura, g.volume, false);
  set(EditUScianNadTerenem, g.wallAboveU, false);
  updateEnabled();
  updateResults();
}

void TFormGrunt::updateEnabled() {
  using veltor::GroundKind;
  const auto kind = static_cast<GroundKind>(ComboBoxRodzaj->currentIndex());
  const bool ground = kind != GroundKind::None;
  const bool slab = kind == GroundKind::Slab;
  const bool suspended = kind == GroundKind::Suspended;
  const bool heated = kind == GroundKind::HeatedBasement;
  const bool unheated = kind == GroundKind::UnheatedBasement;
  for (QWidget* w : {static_cast<QWidget*>(EditPowierzchnia), static_cast<QWidget*>(EditObwod),
                     static_cast<QWidget*>(EditGruboscSciany), static_cast<QWidget*>(ComboBoxGrunt),
                     static_cast<QWidget*>(ComboBoxPorownanie)})
    w->setEnabled(ground);
  EditLambdaGruntu->setEnabled(ground &&
                               ComboBoxGrunt->currentIndex() == static_cast<int>(veltor::SoilKind::Typed));
  edgeGroup_->setEnabled(slab);
  const bool edge = ComboBoxIzolacjaKrawedziowa->currentIndex() != 0;
  for (QLineEdit* e : {EditKrawedzD, EditKrawedzGrubosc, EditKrawedzLambda}) e->setEnabled(edge);
  suspendedGroup_->setEnabled(suspended || unheated);
  for (QWidget* w :
       {static_cast<QWidget*>(EditOtwory), static_cast<QWidget*>(ComboBoxOslona),
        static_cast<QWidget*>(EditPredkoscWiatru), static_cast<QWidget*>(EditUScianPodpodlogowych)})
    w->setEnabled(suspended);
  basementGroup_->setEnabled(heated || unheated);
  for (QLineEdit* e : {EditOporPodlogiPiwnicy, EditKrotnosc, EditKubatura, EditUScianNadTerenem})
    e->setEnabled(unheated);
}

std::optional<veltor::GroundSettings> TFormGrunt::ReadControls(bool tell) {
  bool refused = false;
  const auto refuse = [&](QLineEdit* edit, const QString& message) {
    if (refused) return;
    refused = true;
    if (!tell) return;
    ui::inform(ui::MessageKind::Error, message);
    edit->setFocus(Qt::OtherFocusReason);
  };
  // Boxes the kind does not read keep the project's values.
  const auto number = [&](QLineEdit* edit, double kept) {
    if (!edit->isEnabled() || !edit->isVisibleTo(this)) return kept;
    const TNumberBox* box = TNumberBox::Of(edit);
    const QString problem =
        edit->text().trimmed().isEmpty() ? QStringLiteral("Wpisz liczbę") : box->Problem();
    if (!problem.isEmpty()) {
      refuse(edit, QStringLiteral("%1: %2").arg(edit->accessibleName(), problem));
      return kept;
    }
    return *box->Number();
  };
  veltor::GroundSettings g = project_.extras().ground;
  g.kind = static_cast<veltor::GroundKind>(ComboBoxRodzaj->currentIndex());
  if (!g.onGround()) return g;
  g.soil = static_cast<veltor::SoilKind>(ComboBoxGrunt->currentIndex());
  g.compare = static_cast<veltor::ComparedU>(ComboBoxPorownanie->currentIndex());
  g.area = number(EditPowierzchnia, g.area);
  g.perimeter = number(EditObwod, g.perimeter);
  g.wallThickness = number(EditGruboscSciany, g.wallThickness);
  g.soilLambda = number(EditLambdaGruntu, g.soilLambda);
  if (g.kind == veltor::GroundKind::Slab) {
    g.edge.kind = static_cast<veltor::EdgeKind>(ComboBoxIzolacjaKrawedziowa->currentIndex());
    g.edge.size = number(EditKrawedzD, g.edge.size);
    g.edge.thickness = number(EditKrawedzGrubosc, g.edge.thickness);
    g.edge.lambda = number(EditKrawedzLambda, g.edge.lambda);
  }
  g.height = number(EditWysokosc, g.height);
  g.openings = number(EditOtwory, g.openings);
  g.shielding = static_cast<veltor::WindShielding>(ComboBoxOslona->currentIndex());
  g.windSpeed = number(EditPredkoscWiatru, g.windSpeed);
  g.crawlWallU = number(EditUScianPodpodlogowych, g.crawlWallU);
  g.depth = number(EditGlebokosc, g.depth);
  g.wallResistance = number(EditOporScianPiwnicy, g.wallResistance);
  g.basementFloorResistance = number(EditOporPodlogiPiwnicy, g.basementFloorResistance);
  g.airChanges = number(EditKrotnosc, g.airChanges);
  g.volume = number(EditKubatura, g.volume);
  g.wallAboveU = number(EditUScianNadTerenem, g.wallAboveU);
  if (refused) return std::nullopt;
  return g;
}

void TFormGrunt::updateResults() {
  const std::optional<veltor::GroundSettings> read = ReadControls(false);
  if (!read) {
    LabelWyniki->setText(QStringLiteral("Uzupełnij dane, aby zobaczyć wyniki."));
    return;
  }
  if (!read->onGround()) {
    LabelWyniki->setText(QStringLiteral("Przegroda w powietrzu: obliczenie jak dotąd (PN-EN ISO 6946)."));
    return;
  }
  // The model's figures for the values typed, committed or not.
  const PartitionResults tried = project_.building().groundWith(project_.currentId(), *read);
  LabelWyniki->setText(tried.ground ? veltor::GroundReportLines(*read, *tried.ground).join(QLatin1Char('\n'))
                                    : tried.error);
}

bool TFormGrunt::ButtonOKClick() {
  const std::optional<veltor::GroundSettings> read = ReadControls();
  if (!read) return false;
  if (read->onGround()) {
    // The kind's own checks, in Polish, before anything is committed.
    veltor::GroundSettings checked = *read;
    (void)veltor::ComputeGround(checked, 0);
  }
  project_.setGround(*read);
  hide();
  return true;
}

void TFormGrunt::ButtonAnulujClick() {
  hide();
  showSettings();
}

void TFormGrunt::ActionGruntExecute() {
  showInFront();
}

void TFormGrunt::showEvent(QShowEvent* e) {
  if (!e->spontaneous()) showSettings();
  TCompanionWindow::showEvent(e);
}
