#include "controls/TGlyphCache.h"

#include <algorithm>

namespace {
std::unique_ptr<TGlyphCache> gSharedGlyphCache;
}  // namespace

TGlyphCache* SharedGlyphCache() {
  return gSharedGlyphCache.get();
}

TGlyphCache& EnsureSharedGlyphCache() {
  if (!gSharedGlyphCache) gSharedGlyphCache = std::make_unique<TGlyphCache>();
  return *gSharedGlyphCache;
}

void FreeSharedGlyphCacheIfEmpty() {
  if (gSharedGlyphCache && gSharedGlyphCache->IsEmpty()) gSharedGlyphCache.reset();
}

// --- TGlyphList

TGlyphList::TGlyphList(int width, int height) : TImageList(width, height) {}

int TGlyphList::AllocateSlot() {
  int slot = FUsed.OpenBit();
  if (slot >= Count()) {
    slot = Add(nullptr, nullptr);
    FUsed.SetSize(slot + 1);
  }
  FUsed.SetBit(slot, true);
  ++FUsedCount;
  return slot;
}

int TGlyphList::AddImage(const TBitmap& image, TColor maskColor) {
  int slot = AllocateSlot();
  ReplaceMasked(slot, image, maskColor);
  return slot;
}

void TGlyphList::ReleaseSlot(int index) {
  if (!SlotUsed(index)) return;
  --FUsedCount;
  FUsed.SetBit(index, false);
}

// --- TGlyphCache

TGlyphCache::TGlyphCache() = default;
TGlyphCache::~TGlyphCache() = default;

TGlyphList* TGlyphCache::ListForSize(int width, int height) {
  for (auto it = FLists.rbegin(); it != FLists.rend(); ++it)
    if ((*it)->Width() == width && (*it)->Height() == height) return it->get();
  FLists.push_back(std::make_unique<TGlyphList>(width, height));
  return FLists.back().get();
}

void TGlyphCache::ReleaseList(TGlyphList* list) {
  if (!list || list->UsedCount() != 0) return;
  auto it = std::find_if(FLists.begin(), FLists.end(), [list](const auto& p) { return p.get() == list; });
  if (it != FLists.end()) FLists.erase(it);
}
