// Ctrl+Z and Ctrl+Y (Ctrl+Shift+Z) belong to the project wherever the cursor
// is. A text box would take the keys for its own text undo, and the designer
// would see "Edycja" offer "Cofnij grubość warstwy" while the key did nothing.
// TUndoKeys watches the application's shortcut overrides: in an editable box
// it first commits what was typed there (as leaving the box would), then
// leaves the key to the project's undo or redo action.
#pragma once

#include <QObject>

class QAction;

class TUndoKeys : public QObject {
  Q_OBJECT
 public:
  // Installs itself on the application; `undo` and `redo` stay the owner's.
  TUndoKeys(QObject* owner, QAction* undo, QAction* redo);
  ~TUndoKeys() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  QAction* undo_;
  QAction* redo_;
};
