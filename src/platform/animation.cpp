#include "platform/animation.h"

#include <QFileInfo>
#include <QMovie>
#include <QPainter>

AnimationPlayer::AnimationPlayer(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("AnimationPlayer"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

AnimationPlayer::~AnimationPlayer() = default;

void AnimationPlayer::setMovie(const QString& path) {
  delete movie_;
  movie_ = nullptr;
  shown_ = QPixmap();
  lastFrame_ = -1;
  path_ = path;
  if (!QFileInfo(path).isFile()) return;
  auto* m = new QMovie(path, QByteArray(), this);
  if (!m->isValid()) {
    delete m;
    return;
  }
  // Frames are painted as they come; the whole file is not kept in memory.
  m->setCacheMode(QMovie::CacheNone);
  connect(m, &QMovie::frameChanged, this, &AnimationPlayer::frameChanged);
  movie_ = m;
}

void AnimationPlayer::play() {
  if (!movie_) return;
  movie_->stop();
  lastFrame_ = -1;
  shown_ = QPixmap();
  movie_->start();
}

void AnimationPlayer::frameChanged(int frame) {
  // A file that asks to be looped would keep start-up waiting for ever: back at
  // an earlier frame, the one round is over and the last frame stays shown.
  if (frame <= lastFrame_) {
    movie_->stop();
    return;
  }
  lastFrame_ = frame;
  shown_ = movie_->currentPixmap();
  update();
}

bool AnimationPlayer::isPlaying() const {
  return movie_ && movie_->state() == QMovie::Running;
}

int AnimationPlayer::frameCount() const {
  return movie_ ? movie_->frameCount() : 0;
}

void AnimationPlayer::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  if (!movie_) return;
  const QPixmap& frame = shown_;
  if (frame.isNull()) return;
  // The whole animation fits the widget, centred, its proportions kept.
  QSize size = frame.size();
  size.scale(this->size(), Qt::KeepAspectRatio);
  QRect target(QPoint(), size);
  target.moveCenter(rect().center());
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawPixmap(target, frame);
}
