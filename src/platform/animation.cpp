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
  path_ = path;
  if (!QFileInfo(path).isFile()) return;
  auto* m = new QMovie(path, QByteArray(), this);
  if (!m->isValid()) {
    delete m;
    return;
  }
  // Frames are painted as they come; the whole file is not kept in memory.
  m->setCacheMode(QMovie::CacheNone);
  connect(m, &QMovie::frameChanged, this, [this] { update(); });
  movie_ = m;
}

void AnimationPlayer::play() {
  if (!movie_) return;
  movie_->stop();
  movie_->start();
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
  const QPixmap frame = movie_->currentPixmap();
  if (frame.isNull()) return;
  // The whole animation fits the widget, centred, its proportions kept.
  QSize size = frame.size();
  size.scale(this->size(), Qt::KeepAspectRatio);
  QRect target(QPoint(), size);
  target.moveCenter(rect().center());
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawPixmap(target, frame);
}
