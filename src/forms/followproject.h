// Keeps a result window (a chart, the report, the moisture check) in step
// with the project: after any number of changes within one turn of the event
// loop the window redraws once, at the start of the next turn, and only while
// it is shown; a hidden window redraws when it is shown, by its own handler.
// Changes to parts the window does not show (`parts`) cost it nothing.
#pragma once

#include <QObject>
#include <functional>

#include "model/project.h"

class QWidget;

class ProjectFollower : public QObject {
  Q_OBJECT
 public:
  ProjectFollower(QWidget* window, Project& project, std::function<void()> redraw,
                  Project::Parts parts = Project::kEverything);

 private:
  void schedule(Project::Parts changed);
  void run();

  QWidget* window_;
  std::function<void()> redraw_;
  Project::Parts parts_;
  bool pending_ = false;
};
