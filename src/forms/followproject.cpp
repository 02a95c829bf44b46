#include "forms/followproject.h"

#include <QWidget>

ProjectFollower::ProjectFollower(QWidget* window, Project& project, std::function<void()> redraw,
                                 Project::Parts parts)
    : QObject(window), window_(window), redraw_(std::move(redraw)), parts_(parts) {
  setObjectName(QStringLiteral("ProjectFollower"));
  connect(&project, &Project::changed, this, &ProjectFollower::schedule);
}

void ProjectFollower::schedule(Project::Parts changed) {
  if (pending_ || !(changed & parts_) || !window_->isVisible()) return;
  pending_ = true;
  // Queued, so that a thickness typed key by key, or a change that touches
  // several parts, costs one drawing however many notices it brings.
  QMetaObject::invokeMethod(this, &ProjectFollower::run, Qt::QueuedConnection);
}

void ProjectFollower::run() {
  pending_ = false;
  if (window_->isVisible()) redraw_();
}
