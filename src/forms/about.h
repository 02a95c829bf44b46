// The About box, shown modally from the main window: the program's title and
// version, the maker's address with links to its site and mailboxes, the
// developer's link, and a picture at the bottom that closes the box.
#pragma once

#include <QDialog>
#include <QLabel>

#include "forms/picturelabel.h"

// A label that opens its target with the shell's "open" verb when clicked,
// underlined while the mouse is over it.
class TLinkLabel : public QLabel {
  Q_OBJECT
 public:
  TLinkLabel(const QString& text, const QString& target, const QString& hint, QWidget* parent);
  QString target() const { return target_; }

 protected:
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  void setUnderline(bool on);
  QString target_;
};

// A picture that reports a click.
class TClickableImage : public TPictureLabel {
  Q_OBJECT
 public:
  using TPictureLabel::TPictureLabel;
 Q_SIGNALS:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override;
};

// "wersja: <the program's version> dla <the running system> (<processor>)".
QString VersionText();

class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutBox(QWidget* mainWindow);
  ~TAboutBox() override;

  void FormCreate() {}

  // The pictures are read and scaled when the box is first shown.
  TPictureLabel* ProgramIcon = nullptr;
  QLabel* ProductName = nullptr;
  QLabel* Version = nullptr;
  QLabel* LabelFirma = nullptr;
  TLinkLabel* LabelWWW = nullptr;
  TLinkLabel* LabelMail1 = nullptr;
  TLinkLabel* LabelMail2 = nullptr;
  TLinkLabel* LabelWWW1 = nullptr;
  TClickableImage* ImageZamknij = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;
};

extern TAboutBox* AboutBox;
