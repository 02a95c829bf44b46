// The editor of one own material. It is given the kinds of material of the
// catalogue (with their moisture factors), the hatch pictures and the labels
// already taken, and hands back a label and a template record only when every
// value is within the limits the own materials file keeps; otherwise it says
// which value is wrong, in Polish, and keeps the focus on that box.
//
// The humid conductivity follows the medium-humid one times the chosen kind's
// factor until the user types it; the vapour resistance is typed as μ or as sd
// at the default thickness, or marked as none, and stored as the file's 720/μ.
#pragma once

#include <QDialog>
#include <QStringList>
#include <optional>
#include <vector>

#include "calc/layer.h"
#include "draw/rysunek_draw.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

struct MaterialKind {
  QString name;  // "Mury / Ceramiczne"
  double moistureFactor = 1;
};

// A number typed by the user, with a comma or a point; empty for anything else.
std::optional<double> ParseTypedNumber(const QString& text);

class TFormMaterial : public QDialog {
  Q_OBJECT
 public:
  // `takenLabels`: the labels the material may not take (its own excluded).
  TFormMaterial(QWidget* parent, const QString& title, std::vector<MaterialKind> kinds,
                const QStringList& patterns, const chart::HatchLoader& hatches, QStringList takenLabels);

  // Fills the boxes from a material; `kind` indexes the kinds (-1: the one
  // whose factor the record's conductivities show, else none).
  void setMaterial(const QString& label, const veltor::LayerRecord& record, int kind = -1);
  QString label() const;
  veltor::LayerRecord record() const { return record_; }
  // Where the values come from (a DoP number, a standard's table), optional;
  // the designer's report prints it as the layer's source.
  void setSource(const QString& source);
  QString source() const;

  // OK: checks every value; accepts only when all are good.
  void ButtonOKClick();

  QLineEdit* EditNazwa = nullptr;
  QComboBox* ComboBoxWypelnienie = nullptr;
  QComboBox* ComboBoxRodzaj = nullptr;
  QLineEdit* EditLambda1 = nullptr;
  QLineEdit* EditLambda2 = nullptr;
  QRadioButton* RadioMu = nullptr;
  QRadioButton* RadioSd = nullptr;
  QRadioButton* RadioBrakOporu = nullptr;
  QLineEdit* EditOpor = nullptr;
  QLineEdit* EditGestosc = nullptr;
  QLineEdit* EditCieplo = nullptr;
  QLineEdit* EditGrubosc = nullptr;
  QLineEdit* EditZrodlo = nullptr;
  QPushButton* ButtonOK = nullptr;
  QPushButton* ButtonAnuluj = nullptr;

 private:
  void proposeHumidLambda();
  void vapourModeChanged();
  // The value of a number box, or a refusal naming its caption.
  double numberIn(QLineEdit* edit, const QString& caption) const;
  QWidget* fieldWidget(int field) const;

  std::vector<MaterialKind> kinds_;
  QStringList taken_;
  bool lambda2Typed_ = false;
  veltor::LayerRecord record_;
};
