#pragma once

// A list of equally sized images, each with a one-bit mask that says which of its
// pixels are transparent. Images are added with an explicit mask or with a mask
// made from a key colour, and drawn transparently through their masks (a pixel is
// either drawn or skipped; there is no blending).
//
// Masks follow the usual convention: white mask pixels are transparent, black ones
// opaque. An image is always stored at the list's Width x Height: a larger picture
// contributes its top-left part, and pixels a smaller one lacks are transparent.

#include <memory>
#include <vector>

#include "toolkit/core/TComponent.h"
#include "toolkit/graphics/TBitmap.h"

class TImageList : public TComponent {
public:
  explicit TImageList(TComponent* owner);
  // An unowned list with the given image size.
  TImageList(int width, int height);
  ~TImageList() override;
  const char* ClassName() const override { return "TImageList"; }

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Changing the image size deletes every image.
  void SetSize(int width, int height);
  void SetWidth(int width) { SetSize(width, FHeight); }
  void SetHeight(int height) { SetSize(FWidth, height); }
  int Count() const { return int(FImages.size()); }

  // Appends an image with its mask (null: all opaque) and returns its index. A null
  // image appends an empty, fully transparent one.
  int Add(const TBitmap* image, const TBitmap* mask);
  // Appends an image whose pixels of maskColor are transparent; clDefault takes the
  // image's bottom-left pixel as that colour and clNone makes every pixel opaque.
  int AddMasked(const TBitmap& image, TColor maskColor);
  // Replaces the image at index in place; raise Exception for a bad index.
  void Replace(int index, const TBitmap* image, const TBitmap* mask);
  void ReplaceMasked(int index, const TBitmap& image, TColor maskColor);
  // Removes the image at index; the following ones move down.
  void Delete(int index);
  void Clear();

  // Draws image index with its top-left corner at (x, y), skipping its transparent
  // pixels. A bad index draws nothing.
  void Draw(TCanvas& canvas, int x, int y, int index) const;

  // Copies the stored colours (transparent pixels included) of image index into the
  // given bitmap; raises Exception for a bad index.
  void GetImage(int index, TBitmap& image) const;

  // Called after images were added, replaced or deleted.
  TNotifyEvent OnChange;

private:
  struct TEntry {
    TBitmap Image;     // the colours as given
    TBitmap Mask;      // white: transparent
    TBitmap Prepared;  // the colours with transparent pixels black, for drawing
  };
  void CheckIndex(int index) const;
  void Store(TEntry& entry, const TBitmap* image, const TBitmap* mask);
  // Fills mask from image and maskColor; false when every pixel is opaque.
  static bool MakeMask(TBitmap& mask, const TBitmap& image, TColor maskColor);
  void Changed();

  int FWidth = 16, FHeight = 16;
  std::vector<std::unique_ptr<TEntry>> FImages;
};
