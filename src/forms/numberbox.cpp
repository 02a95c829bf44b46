#include "forms/numberbox.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStatusTipEvent>

#include "calc/errors.h"
#include "calc/numbers.h"

namespace {

const QColor kRefusedText(Qt::red);
const QColor kRefusedBase(255, 224, 224);

}  // namespace

QString NotANumber(const QString& text) {
  return QStringLiteral("„%1” nie jest liczbą – wpisz np. 0,18 lub 0.18").arg(veltor::QuotedInput(text));
}

TNumberBox::TNumberBox(QLineEdit* edit, Rule rule, bool emptyAccepted, const QString& word)
    : QObject(edit),
      edit_(edit),
      rule_(std::move(rule)),
      emptyAccepted_(emptyAccepted),
      word_(word),
      normalPalette_(edit->palette()),
      normalTip_(edit->toolTip()) {
  setObjectName(edit->objectName() + QStringLiteral("Number"));
  edit->installEventFilter(this);
  connect(edit, &QLineEdit::textChanged, this, &TNumberBox::show);
  connect(edit, &QLineEdit::textEdited, this, [this] { edited_ = true; });
  show();
}

TNumberBox* TNumberBox::Of(const QLineEdit* edit) {
  return edit ? edit->findChild<TNumberBox*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

std::optional<double> TNumberBox::Number() const {
  return veltor::ParseTypedNumber(edit_->text());
}

QString TNumberBox::Problem() const {
  const QString text = edit_->text();
  if (text.trimmed().isEmpty()) return emptyAccepted_ ? QString() : QStringLiteral("Wpisz liczbę");
  if (!word_.isEmpty() && text == word_) return {};
  const std::optional<double> value = Number();
  if (!value) return NotANumber(text);
  return rule_ ? rule_(*value) : QString();
}

void TNumberBox::show() {
  const QString problem = Problem();
  const bool refused = !problem.isEmpty();
  QPalette p = normalPalette_;
  if (refused) {
    p.setColor(QPalette::Text, kRefusedText);
    p.setColor(QPalette::Base, kRefusedBase);
  }
  edit_->setPalette(p);
  edit_->setToolTip(refused ? problem : normalTip_);
  // The status bar speaks of the box being typed into, and is cleared only
  // of what this box put there.
  if (edit_->hasFocus() && (refused || marked_)) {
    QStatusTipEvent tip(problem);
    QApplication::sendEvent(edit_, &tip);
  }
  marked_ = refused;
}

void TNumberBox::commitNow() {
  if (!edited_) return;
  edited_ = false;
  Q_EMIT Committed(edit_->text());
}

void TNumberBox::commitLater() {
  if (!edited_) return;
  edited_ = false;
  QMetaObject::invokeMethod(
      this, [this, text = edit_->text()] { Q_EMIT Committed(text); }, Qt::QueuedConnection);
}

bool TNumberBox::eventFilter(QObject* watched, QEvent* e) {
  if (watched == edit_) {
    if (e->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(e)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) commitLater();
    } else if (e->type() == QEvent::FocusOut) {
      // Another window taking the activation (a message box, a menu) is not
      // the user leaving the box.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && edit_->isVisible())
        commitLater();
    }
  }
  return QObject::eventFilter(watched, e);
}
