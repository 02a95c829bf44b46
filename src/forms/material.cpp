// The own material editor: its boxes, the proposal of the humid conductivity,
// the vapour resistance typed three ways, and the check behind OK.
#include "forms/material.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "calc/errors.h"
#include "calc/numbers.h"
#include "calc/ownmaterials.h"
#include "calc/textfile.h"
#include "platform/dialogs.h"

namespace {

// A problem with one box: what to say and where the focus goes.
struct BoxProblem {
  QWidget* box;
  QString message;
};

QLineEdit* numberEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return edit;
}

QString shown(double value) {
  return veltor::FormatGeneral(value, 6);
}

// The hatches' file names are four-letter codes; the designer reads words.
QString HatchWord(const QString& code) {
  static const QHash<QString, QString> words = {
      {QStringLiteral("beto"), QStringLiteral("beton")},
      {QStringLiteral("cegl"), QStringLiteral("cegła")},
      {QStringLiteral("drew"), QStringLiteral("drewno")},
      {QStringLiteral("foli"), QStringLiteral("folia")},
      {QStringLiteral("izol"), QStringLiteral("izolacja")},
      {QStringLiteral("komo"), QStringLiteral("beton komórkowy")},
      {QStringLiteral("pian"), QStringLiteral("pianka")},
      {QStringLiteral("plyt"), QStringLiteral("płyta")},
      {QStringLiteral("posa"), QStringLiteral("posadzka")},
      {QStringLiteral("powi"), QStringLiteral("powietrze")},
      {QStringLiteral("sili"), QStringLiteral("silikat")},
      {QStringLiteral("stal"), QStringLiteral("stal")},
      {QStringLiteral("styr"), QStringLiteral("styropian")},
      {QStringLiteral("tynk"), QStringLiteral("tynk")},
      {QStringLiteral("welm"), QStringLiteral("wełna mineralna")},
  };
  return words.value(code.trimmed().toLower(), code);
}

}  // namespace

std::optional<double> ParseTypedNumber(const QString& text) {
  QString point = text.trimmed();
  point.replace(QLatin1Char(','), QLatin1Char('.'));
  if (point.isEmpty() || point.count(QLatin1Char('.')) > 1) return std::nullopt;
  return veltor::ParsePointNumber(point.toLatin1());
}

TFormMaterial::TFormMaterial(QWidget* parent, const QString& title, std::vector<MaterialKind> kinds,
                             const QStringList& patterns, const chart::HatchLoader& hatches,
                             QStringList takenLabels)
    : QDialog(parent), kinds_(std::move(kinds)), taken_(std::move(takenLabels)) {
  setObjectName(QStringLiteral("FormMaterial"));
  setWindowTitle(title);
  kinds_.insert(kinds_.begin(), MaterialKind{QStringLiteral("bez przeliczenia"), 1.0});

  EditNazwa = new QLineEdit(this);
  EditNazwa->setObjectName(QStringLiteral("EditNazwa"));
  EditNazwa->setMaxLength(255);

  EditZrodlo = new QLineEdit(this);
  EditZrodlo->setObjectName(QStringLiteral("EditZrodlo"));
  EditZrodlo->setMaxLength(static_cast<int>(veltor::kMaxSourceLength));
  EditZrodlo->setPlaceholderText(QStringLiteral("np. DoP nr 12/2024, PN-EN ISO 10456 tablica 3, aprobata"));

  ComboBoxWypelnienie = new QComboBox(this);
  ComboBoxWypelnienie->setObjectName(QStringLiteral("ComboBoxWypelnienie"));
  ComboBoxWypelnienie->setIconSize(QSize(40, 18));
  for (const QString& pattern : patterns) {
    QIcon icon;
    try {
      // A piece of the hatch at its own scale, tiled as a layer shows it.
      if (hatches) {
        QPixmap sample(40, 18);
        QPainter painter(&sample);
        painter.fillRect(sample.rect(), QBrush(hatches(pattern)));
        painter.setPen(Qt::gray);
        painter.drawRect(sample.rect().adjusted(0, 0, -1, -1));
        painter.end();
        icon = QIcon(sample);
      }
    } catch (const veltor::Error&) {
      // The name alone still picks the pattern.
    }
    ComboBoxWypelnienie->addItem(icon, HatchWord(pattern), pattern);
  }

  ComboBoxRodzaj = new QComboBox(this);
  ComboBoxRodzaj->setObjectName(QStringLiteral("ComboBoxRodzaj"));
  for (const MaterialKind& kind : kinds_)
    ComboBoxRodzaj->addItem(QStringLiteral("%1 (λ wilgotne = %2 × λ średniowilgotne)")
                                .arg(kind.name, veltor::FormatGeneral(kind.moistureFactor, 4)));
  ComboBoxRodzaj->setToolTip(
      QStringLiteral("Przeliczenie wilgotnościowe katalogu dla tego rodzaju materiału; "
                     "proponuje λ dla warunków wilgotnych, którą można zmienić"));

  EditLambda1 = numberEdit(this, "EditLambda1");
  EditLambda2 = numberEdit(this, "EditLambda2");
  RadioMu = new QRadioButton(QStringLiteral("μ [–]"), this);
  RadioMu->setObjectName(QStringLiteral("RadioMu"));
  RadioSd = new QRadioButton(QStringLiteral("sd [m] przy grubości domyślnej"), this);
  RadioSd->setObjectName(QStringLiteral("RadioSd"));
  RadioBrakOporu = new QRadioButton(QStringLiteral("brak oporu"), this);
  RadioBrakOporu->setObjectName(QStringLiteral("RadioBrakOporu"));
  RadioBrakOporu->setToolTip(QStringLiteral("Obliczenia nie uwzględnią oporu dyfuzyjnego tej warstwy"));
  auto* vapourGroup = new QButtonGroup(this);
  for (QRadioButton* radio : {RadioMu, RadioSd, RadioBrakOporu}) vapourGroup->addButton(radio);
  RadioMu->setChecked(true);
  EditOpor = numberEdit(this, "EditOpor");
  EditGestosc = numberEdit(this, "EditGestosc");
  EditCieplo = numberEdit(this, "EditCieplo");
  EditGrubosc = numberEdit(this, "EditGrubosc");

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Nazwa"), EditNazwa);
  form->addRow(QStringLiteral("&Wypełnienie"), ComboBoxWypelnienie);
  form->addRow(QStringLiteral("&Rodzaj materiału"), ComboBoxRodzaj);
  form->addRow(QStringLiteral("λ, warunki średniowilgotne [W/(m·K)]"), EditLambda1);
  form->addRow(QStringLiteral("λ, warunki wilgotne [W/(m·K)]"), EditLambda2);
  auto* vapourRow = new QHBoxLayout;
  for (QRadioButton* radio : {RadioMu, RadioSd, RadioBrakOporu}) vapourRow->addWidget(radio);
  form->addRow(QStringLiteral("Opór dyfuzyjny"), vapourRow);
  form->addRow(QStringLiteral("Wartość μ lub sd"), EditOpor);
  form->addRow(QStringLiteral("Gęstość ρ [kg/m³]"), EditGestosc);
  form->addRow(QStringLiteral("Ciepło właściwe c [J/(kg·K)]"), EditCieplo);
  form->addRow(QStringLiteral("Grubość domyślna d [m]"), EditGrubosc);
  form->addRow(QStringLiteral("Ź&ródło wartości"), EditZrodlo);

  auto* buttons = new QDialogButtonBox(this);
  ButtonOK = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
  ButtonOK->setDefault(true);
  ButtonAnuluj = buttons->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole);
  ButtonAnuluj->setObjectName(QStringLiteral("ButtonAnuluj"));
  connect(ButtonOK, &QPushButton::clicked, this, &TFormMaterial::ButtonOKClick);
  connect(ButtonAnuluj, &QPushButton::clicked, this, &QDialog::reject);

  auto* top = new QVBoxLayout(this);
  top->addLayout(form);
  top->addWidget(buttons);

  connect(EditLambda1, &QLineEdit::textEdited, this, &TFormMaterial::proposeHumidLambda);
  connect(ComboBoxRodzaj, &QComboBox::currentIndexChanged, this, &TFormMaterial::proposeHumidLambda);
  // Emptied again, the box takes the proposal once more.
  connect(EditLambda2, &QLineEdit::textEdited, this,
          [this](const QString& text) { lambda2Typed_ = !text.trimmed().isEmpty(); });
  connect(vapourGroup, &QButtonGroup::buttonToggled, this, &TFormMaterial::vapourModeChanged);
  vapourModeChanged();
  EditNazwa->setFocus();
}

void TFormMaterial::proposeHumidLambda() {
  if (lambda2Typed_) return;
  // The proposal is the box's grey placeholder, taken when the box is left
  // empty: text put into the box while the user types would have the next
  // keystrokes land after it ("0,0310,031").
  const std::optional<double> lambda = ParseTypedNumber(EditLambda1->text());
  const int kind = ComboBoxRodzaj->currentIndex();
  EditLambda2->clear();
  EditLambda2->setPlaceholderText(
      lambda && kind >= 0 ? veltor::FormatGeneral(*lambda * kinds_[kind].moistureFactor, 4) : QString());
}

void TFormMaterial::vapourModeChanged() {
  EditOpor->setEnabled(!RadioBrakOporu->isChecked());
}

void TFormMaterial::setMaterial(const QString& label, const veltor::LayerRecord& record, int kind) {
  record_ = record;
  EditNazwa->setText(label);
  const QString pattern = record.fillPatternText();
  if (ComboBoxWypelnienie->findData(pattern) < 0) ComboBoxWypelnienie->addItem(HatchWord(pattern), pattern);
  ComboBoxWypelnienie->setCurrentIndex(ComboBoxWypelnienie->findData(pattern));
  EditLambda1->setText(shown(record.lambdaMedium));
  EditLambda2->setText(shown(record.lambdaHumid));
  if (kind >= 0) {
    ++kind;  // past "bez przeliczenia"
  } else {
    kind = 0;
    for (size_t i = 1; i < kinds_.size() && kind == 0; ++i)
      if (std::abs(record.lambdaMedium * kinds_[i].moistureFactor - record.lambdaHumid) <=
          1e-3 * record.lambdaHumid)
        kind = static_cast<int>(i);
  }
  {
    // The record's own humid value stays until the user changes λ or the kind.
    const QSignalBlocker blocker(ComboBoxRodzaj);
    ComboBoxRodzaj->setCurrentIndex(kind);
  }
  lambda2Typed_ = false;
  const double vapour = record.vapourCoefficient;
  if (std::isinf(vapour) && vapour < 0) {
    RadioBrakOporu->setChecked(true);
    EditOpor->clear();
  } else {
    RadioMu->setChecked(true);
    EditOpor->setText(vapour > 0 ? shown(veltor::kMuPermeability / vapour) : QString());
  }
  EditGestosc->setText(shown(record.density));
  EditCieplo->setText(shown(record.specificHeat));
  EditGrubosc->setText(shown(record.thickness));
}

QString TFormMaterial::label() const {
  return EditNazwa->text().trimmed();
}

void TFormMaterial::setSource(const QString& source) {
  EditZrodlo->setText(source);
}

QString TFormMaterial::source() const {
  return EditZrodlo->text().simplified();
}

QWidget* TFormMaterial::fieldWidget(int field) const {
  switch (static_cast<veltor::MaterialField>(field)) {
    case veltor::MaterialField::Name:
      return EditNazwa;
    case veltor::MaterialField::Pattern:
      return ComboBoxWypelnienie;
    case veltor::MaterialField::LambdaMedium:
      return EditLambda1;
    case veltor::MaterialField::LambdaHumid:
      return EditLambda2;
    case veltor::MaterialField::Vapour:
      return EditOpor;
    case veltor::MaterialField::Density:
      return EditGestosc;
    case veltor::MaterialField::SpecificHeat:
      return EditCieplo;
    case veltor::MaterialField::Thickness:
      return EditGrubosc;
  }
  return EditNazwa;
}

double TFormMaterial::numberIn(QLineEdit* edit, const QString& caption) const {
  const std::optional<double> value = ParseTypedNumber(edit->text());
  if (!value) {
    throw BoxProblem{edit, edit->text().trimmed().isEmpty()
                               ? QStringLiteral("Wpisz %1").arg(caption)
                               : QStringLiteral("„%1” nie jest liczbą (%2)")
                                     .arg(veltor::QuotedInput(edit->text().trimmed()), caption)};
  }
  return *value;
}

void TFormMaterial::ButtonOKClick() {
  veltor::LayerRecord record = record_;
  try {
    const QString name = label();
    record.name = veltor::ToCp1250(name).left(255);
    record.fillPattern = veltor::ToCp1250(ComboBoxWypelnienie->currentData().toString());
    record.lambdaMedium = numberIn(EditLambda1, QStringLiteral("λ dla warunków średniowilgotnych"));
    if (EditLambda2->text().trimmed().isEmpty() && !EditLambda2->placeholderText().isEmpty())
      EditLambda2->setText(EditLambda2->placeholderText());
    record.lambdaHumid = numberIn(EditLambda2, QStringLiteral("λ dla warunków wilgotnych"));
    record.density = numberIn(EditGestosc, QStringLiteral("gęstość ρ"));
    record.specificHeat = numberIn(EditCieplo, QStringLiteral("ciepło właściwe c"));
    record.thickness = numberIn(EditGrubosc, QStringLiteral("grubość domyślną d"));
    if (RadioBrakOporu->isChecked()) {
      record.vapourCoefficient = -INFINITY;
    } else {
      double mu = numberIn(EditOpor, RadioSd->isChecked() ? QStringLiteral("sd") : QStringLiteral("μ"));
      // sd is μ·d at the default thickness; a thickness out of range is told first.
      if (RadioSd->isChecked()) {
        if (!(record.thickness > 0 && record.thickness <= veltor::kMaxMaterialThickness))
          mu = veltor::kMinMu;
        else
          mu /= record.thickness;
      }
      record.vapourCoefficient = veltor::kMuPermeability / mu;
    }
    if (const auto fault = veltor::CheckMaterial(name, record))
      throw BoxProblem{fieldWidget(static_cast<int>(fault->field)), fault->message};
    for (const QString& taken : taken_)
      if (taken.trimmed().compare(name, Qt::CaseInsensitive) == 0)
        throw BoxProblem{EditNazwa,
                         QStringLiteral("Materiał „%1” już jest w grupie „Moje materiały”").arg(name)};
  } catch (const BoxProblem& problem) {
    ui::inform(ui::MessageKind::Warning, ui::WithFullStop(problem.message));
    problem.box->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(problem.box)) edit->selectAll();
    return;
  }
  record_ = record;
  accept();
}
