#include "forms/followproject.h"

#include <QWidget>

ProjectFollower::ProjectFollower(QWidget* window, Project& project, std::function<void()> redraw)
    : QObject(window), window_(window), redraw_(std::move(redraw)) {
  setObjectName(QStringLiteral("ProjectFollower"));
  connect(&project, &Project::changed, this, &ProjectFollower::schedule);
}

void ProjectFollower::schedule() {
  if (pending_ || !window_->isVisible()) return;
  pending_ = true;
  // Queued, so that a thickness typed key by key, or a change that touches
  // several parts, costs one drawing however many notices it brings.
  QMetaObject::invokeMethod(this, &ProjectFollower::run, Qt::QueuedConnection);
}

void ProjectFollower::run() {
  pending_ = false;
  if (window_->isVisible()) redraw_();
}
