#pragma once

// A label that animates its caption with a timer it owns: the caption blinks
// (atFlash), scrolls from right to left across the label (atFly) or fades between the
// label's background colour and the font colour (atFade). With atNone it paints like
// a plain label. The frame counter is the timer's Tag: 0 at creation, one more on
// every tick; every phase depends only on it, so changing Interval changes the speed
// without restarting the animation.

#include <cstdint>

#include "toolkit/stdctrls/TLabel.h"

class TTimer;

enum TAnimationType : uint8_t { atNone, atFlash, atFly, atFade };

class TAnimatedLabel : public TLabel {
public:
  explicit TAnimatedLabel(TComponent* owner);
  ~TAnimatedLabel() override;
  const char* ClassName() const override { return "TAnimatedLabel"; }

  TAnimationType AnimationType() const { return FAnimationType; }
  void SetAnimationType(TAnimationType type);
  // The timer's interval in milliseconds (100 at creation).
  int GetInterval() const;
  void SetInterval(int interval);
  // The frame counter F.
  int32_t Frame() const;
  void SetFrame(int32_t frame);
  TTimer* Timer() const { return FTimer; }

  // The timer's tick: repaint soon, then count the frame.
  void OnTimer(TObject* sender);

  // The colours of an atFade frame: the font colour at frame F, and the background it
  // fades from (black for a label colour 0, else the label's colour resolved).
  TColor FadeColor(int32_t frame) const;
  TColor FadeBackground() const;
  // The x of the caption in an atFly frame (W - 2 * (F mod W)).
  int FlyX(int32_t frame) const;

protected:
  void Paint() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  TTimer* FTimer = nullptr;  // owned as a component
  TAnimationType FAnimationType = atNone;
};
