#include "forms/undokeys.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "forms/numberbox.h"

TUndoKeys::TUndoKeys(QObject* owner, QAction* undo, QAction* redo)
    : QObject(owner), undo_(undo), redo_(redo) {
  setObjectName(QStringLiteral("UndoKeys"));
  qApp->installEventFilter(this);
}

TUndoKeys::~TUndoKeys() {
  qApp->removeEventFilter(this);
}

bool TUndoKeys::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() != QEvent::ShortcutOverride) return false;
  auto* edit = qobject_cast<QLineEdit*>(watched);
  if (!edit || edit->isReadOnly()) return false;
  const auto* key = static_cast<QKeyEvent*>(e);
  const QKeySequence pressed(key->keyCombination());
  const auto matches = [&pressed](const QAction* action) {
    if (!action) return false;
    for (const QKeySequence& s : action->shortcuts())
      if (s.matches(pressed) == QKeySequence::ExactMatch) return true;
    return false;
  };
  if (!matches(undo_) && !matches(redo_)) return false;
  // What was typed becomes its step first, so the undo takes back the typing
  // and not the step before it.
  if (TNumberBox* box = TNumberBox::Of(edit)) {
    box->commitNow();
  } else if (QWidget* viewport = edit->parentWidget();
             viewport && qobject_cast<QAbstractItemView*>(viewport->parentWidget())) {
    // A table cell being edited: its delegate commits the cell when the
    // editor loses the focus.
    edit->clearFocus();
  }
  // Left unaccepted, the override lets the key reach the project's action.
  e->ignore();
  return true;
}
