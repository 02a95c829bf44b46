// Keeps a result window (a chart, the report, the moisture check) in step
// with the project: after any number of changes within one turn of the event
// loop the window redraws once, at the start of the next turn, and only while
// it is shown; a hidden window redraws when it is shown, by its own handler.
#pragma once

#include <QObject>
#include <functional>

#include "model/project.h"

class QWidget;

class ProjectFollower : public QObject {
  Q_OBJECT
 public:
  ProjectFollower(QWidget* window, Project& project, std::function<void()> redraw);
  // A redraw is due at the next turn of the event loop.
  bool pending() const { return pending_; }

 private:
  void schedule();
  void run();

  QWidget* window_;
  std::function<void()> redraw_;
  bool pending_ = false;
};
