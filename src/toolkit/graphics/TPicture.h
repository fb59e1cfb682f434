#pragma once

// The picture of a TImage: holds at most one bitmap and tells its owner when it
// changed (assigned, loaded, or drawn on through the bitmap's canvas).

#include <memory>
#include <string>

#include "toolkit/graphics/TBitmap.h"

class TPicture : public TPersistent {
public:
  TPicture();
  ~TPicture() override;
  const char* ClassName() const override { return "TPicture"; }

  // The bitmap, created empty on first use.
  TBitmap* Bitmap();
  // Replaces the picture with a copy of bitmap (null clears it).
  void SetBitmap(const TBitmap* bitmap);
  bool HasGraphic() const { return FBitmap && !FBitmap->Empty(); }
  int Width() const { return FBitmap ? FBitmap->Width() : 0; }
  int Height() const { return FBitmap ? FBitmap->Height() : 0; }

  // Copies a TPicture or a TBitmap (null clears).
  void Assign(TPersistent* source) override;
  // Loads an embedded bitmap resource (name case ignored); raises when it is missing.
  void LoadFromResourceName(const std::string& name);
  void Clear() { SetBitmap(nullptr); }

  // Tells OnChange that the bitmap changed (done automatically for the calls above
  // and for drawing on the bitmap's canvas).
  void Changed();
  std::function<void()> OnChange;

private:
  void Hook();
  std::unique_ptr<TBitmap> FBitmap;
};
