#pragma once

// A control that shows a picture. With AutoSize it takes the picture's size
// whenever the picture changes; Stretch scales the picture to the control, Center
// centres it. Transparent is handed to the bitmap whenever the picture changes:
// its transparent colour (the bottom-left pixel unless the bitmap fixes one) then
// lets the parent show through. The control paints no background of its own.

#include "toolkit/forms/TGraphicControl.h"
#include "toolkit/graphics/TPicture.h"

class TImage : public TGraphicControl {
public:
  explicit TImage(TComponent* owner);
  ~TImage() override;
  const char* ClassName() const override { return "TImage"; }

  TPicture* Picture() { return &FPicture; }
  // Copies picture (a TPicture or TBitmap) into this image.
  void SetPicture(TPersistent* picture) { FPicture.Assign(picture); }

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool transparent);
  bool Center() const { return FCenter; }
  void SetCenter(bool center);
  bool Stretch() const { return FStretch; }
  void SetStretch(bool stretch);
  // With Stretch: keeps the picture's aspect ratio.
  bool Proportional() const { return FProportional; }
  void SetProportional(bool proportional);

  // Where the picture is drawn, in client coordinates.
  TRect DestRect();

protected:
  void Paint() override;
  void Loaded() override;

private:
  void PictureChanged();

  TPicture FPicture;
  bool FAutoSize = false;
  bool FTransparent = false;
  bool FCenter = false;
  bool FStretch = false;
  bool FProportional = false;
};
