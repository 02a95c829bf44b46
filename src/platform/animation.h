// The splash animation's player: a widget that shows an animated picture
// (a GIF) scaled to fit inside it with its proportions kept. Start-up only
// points it at a file, starts it and asks whether it still plays; a file that is
// missing or unreadable leaves it not playing, so start-up goes straight on.
#pragma once

#include <QPixmap>
#include <QWidget>

class QMovie;

class AnimationPlayer : public QWidget {
  Q_OBJECT
 public:
  explicit AnimationPlayer(QWidget* parent = nullptr);
  ~AnimationPlayer() override;

  // Loads the animation from `path`; a failure is not an error, the player just
  // has nothing to play.
  void setMovie(const QString& path);
  QString movie() const { return path_; }
  // Plays the animation once from its first frame, whatever loop count the
  // file asks for.
  void play();
  bool isPlaying() const;
  int frameCount() const;

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  void frameChanged(int frame);
  QMovie* movie_ = nullptr;
  QPixmap shown_;       // the frame on the screen
  int lastFrame_ = -1;  // its number in this round
  QString path_;
};
