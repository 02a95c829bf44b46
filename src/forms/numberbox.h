// Number boxes as the designer types into them. A TNumberBox attached to a
// QLineEdit reads its text with either decimal separator; while the text is no
// value the box accepts (not yet a number, or outside the box's limits) the
// box turns red and its tip and the main window's status bar say why. Nothing
// is asked while typing: the window tells its message when the value is
// committed. The box reports the commits made in the box itself (Enter, or the
// user leaving it for another control) as Committed, after the key or the
// focus change is over, so that the window may show a message box then.
#pragma once

#include <QObject>
#include <QPalette>
#include <QString>
#include <functional>
#include <optional>

class QLineEdit;

class TNumberBox : public QObject {
  Q_OBJECT
 public:
  // Why a number is refused, in Polish; empty when it is accepted.
  using Rule = std::function<QString(double)>;

  // Attaches to `edit`, which owns it. `word`, when given, is a text accepted
  // as it is ("bez wymagań"); an empty box is accepted when `emptyAccepted`.
  TNumberBox(QLineEdit* edit, Rule rule = {}, bool emptyAccepted = true, const QString& word = {});
  static TNumberBox* Of(const QLineEdit* edit);

  // The number typed, when the text is one; the rule is not consulted.
  std::optional<double> Number() const;
  // Why the box's text is not accepted; empty when it is.
  QString Problem() const;
  bool Accepted() const { return Problem().isEmpty(); }
  // Commits what was typed now rather than after the event in progress (an
  // undo key must find the typed value already a step).
  void commitNow();

 Q_SIGNALS:
  // The user pressed Enter in the box, or left it for another control of its
  // window, after typing into it. `text` is what the box held then.
  void Committed(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void show();
  void commitLater();

  QLineEdit* edit_;
  Rule rule_;
  bool emptyAccepted_;
  QString word_;
  QPalette normalPalette_;
  QString normalTip_;
  bool marked_ = false;
  bool edited_ = false;  // typed into since the last commit
};

// The reason a text is no number at all, for a box's tip.
QString NotANumber(const QString& text);
