#include "toolkit/graphics/TPicture.h"

TPicture::TPicture() = default;
TPicture::~TPicture() {
  if (FBitmap) FBitmap->OnChange = nullptr;
}

TBitmap* TPicture::Bitmap() {
  if (!FBitmap) {
    FBitmap = std::make_unique<TBitmap>();
    Hook();
  }
  return FBitmap.get();
}

void TPicture::Hook() {
  // The bitmap reports loading, resizing and drawing on its canvas.
  FBitmap->OnChange = [this](TObject*) { Changed(); };
}

void TPicture::SetBitmap(const TBitmap* bitmap) {
  if (!bitmap) {
    if (FBitmap) FBitmap->OnChange = nullptr;
    FBitmap.reset();
  } else if (bitmap != FBitmap.get()) {
    Bitmap()->Assign(const_cast<TBitmap*>(bitmap));
    Hook();
  }
  Changed();
}

void TPicture::Assign(TPersistent* source) {
  if (!source) return SetBitmap(nullptr);
  if (auto* bitmap = dynamic_cast<TBitmap*>(source)) return SetBitmap(bitmap);
  if (auto* picture = dynamic_cast<TPicture*>(source)) {
    if (picture == this) return;
    return SetBitmap(picture->FBitmap.get());
  }
  TPersistent::Assign(source);
}

void TPicture::LoadFromResourceName(const std::string& name) {
  TBitmap loaded;
  loaded.LoadFromResourceName(name);
  SetBitmap(&loaded);
}

void TPicture::Changed() {
  if (OnChange) OnChange();
}
