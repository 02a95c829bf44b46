// The splash window, shown at start-up before any other window while its
// animation plays once.
#pragma once

#include <QWidget>

class AnimationPlayer;

class TFormIntro : public QWidget {
  Q_OBJECT
 public:
  TFormIntro();
  ~TFormIntro() override;

  // Points the player at the animation under the working directory.
  void FormCreate();
  AnimationPlayer* ShockwaveFlash1 = nullptr;
};

// Start-up steps 2 to 5: create, show, play until the player stops, destroy.
void RunSplash();
