#pragma once

// The process-wide store of built button images. Images of one cell size live in
// one image list (TGlyphList); the cache (TGlyphCache) hands out the list for a
// size, so every glyph object whose cells have the same width and height shares it.
// Lists free their slots for reuse and never shrink; a list is destroyed when its
// last slot is released and the cache is asked to let it go.
//
// GUI thread only: the shared cache and its lists are not synchronised.

#include <memory>
#include <vector>

#include "toolkit/core/TBits.h"
#include "toolkit/graphics/TImageList.h"

class TGlyphList : public TImageList {
public:
  TGlyphList(int width, int height);
  const char* ClassName() const override { return "TGlyphList"; }

  // The lowest free slot, marked used and counted in UsedCount; the list grows by one
  // empty image when none is free.
  int AllocateSlot();
  // Stores image in a newly allocated slot with a mask made from maskColor (see
  // TImageList::AddMasked) and returns the slot.
  int AddImage(const TBitmap& image, TColor maskColor);
  // Frees a used slot (its image stays until the slot is reused); a free slot is ignored.
  void ReleaseSlot(int index);
  // The number of slots in use.
  int UsedCount() const { return FUsedCount; }
  bool SlotUsed(int index) const { return index >= 0 && FUsed.Bits(index); }

private:
  TBits FUsed;
  int FUsedCount = 0;
};

class TGlyphCache {
public:
  TGlyphCache();
  ~TGlyphCache();
  TGlyphCache(const TGlyphCache&) = delete;
  TGlyphCache& operator=(const TGlyphCache&) = delete;

  // The list for images of this size, created and kept when there is none yet.
  TGlyphList* ListForSize(int width, int height);
  // Destroys list when no slot of it is in use; a null list or one still in use stays.
  void ReleaseList(TGlyphList* list);
  bool IsEmpty() const { return FLists.empty(); }
  int ListCount() const { return int(FLists.size()); }

private:
  std::vector<std::unique_ptr<TGlyphList>> FLists;
};

// The one shared cache, or null while there is none. Glyph objects create it on
// demand and destroy it when they find it empty as they are destroyed.
TGlyphCache* SharedGlyphCache();
// The shared cache, created first when missing.
TGlyphCache& EnsureSharedGlyphCache();
// Destroys the shared cache when it holds no lists.
void FreeSharedGlyphCacheIfEmpty();
