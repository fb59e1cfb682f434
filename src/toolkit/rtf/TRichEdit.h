#pragma once

// A read-only rich-text view: loads a file (rich text, or plain text when it is
// not) through Lines.LoadFromFile, lays it out with word wrap in its client area
// and paints it on its colour. A disabled control paints its text as an enabled
// one does. When the text is longer than the control, the mouse wheel scrolls it.

#include <memory>
#include <string>

#include "toolkit/core/TStrings.h"
#include "toolkit/forms/TCustomControl.h"
#include "toolkit/forms/TForm.h"
#include "toolkit/rtf/RtfDocument.h"
#include "toolkit/rtf/RtfLayout.h"

class TRichEdit;

// The paragraphs of a rich edit as lines of 8-bit text (characters the program's
// code page lacks read as '?'). Changing them replaces the document with plain
// text in the control's font.
class TRichEditLines : public TStrings {
public:
  explicit TRichEditLines(TRichEdit& owner) : FOwner(owner) {}
  const char* ClassName() const override { return "TRichEditLines"; }

  int Count() const override;
  std::string Strings(int index) const override;
  TObject* Objects(int index) const override;
  void SetObjects(int index, TObject* object) override;
  void InsertObject(int index, const std::string& s, TObject* object) override;
  void Delete(int index) override;
  void Clear() override;

  // Replaces the document with the file's contents; raises Exception
  // "Cannot open file %s" (with path) when it cannot be read.
  void LoadFromFile(const std::string& path);

private:
  TRichEdit& FOwner;
};

class TRichEdit : public TCustomControl {
public:
  // The largest file LoadFromFile reads; larger files raise "Cannot open file".
  static constexpr uint64_t MaxFileSize = 64u << 20;
  // Pixels the text moves per wheel notch (120 units of wheel delta).
  static constexpr int WheelStep = 48;

  explicit TRichEdit(TComponent* owner);
  ~TRichEdit() override;
  const char* ClassName() const override { return "TRichEdit"; }

  TRichEditLines& Lines() { return *FLines; }
  const TRtfDocument& Document() const { return FDocument; }
  // Shows doc (replacing what was shown) from its top.
  void SetDocument(TRtfDocument doc);

  // bsSingle draws a 2-pixel sunken frame; bsNone none (other values count as bsSingle).
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle style);
  bool ReadOnly = false;  // the view never edits; kept for layouts that set it
  // Without word wrap, lines break only where the text breaks them.
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool wrap);

  // The area the text is laid out in (client coordinates): inside the frame, with
  // a one-pixel margin.
  TRect TextRect() const;
  // Height of the laid-out text, and how far it is scrolled (0 at the top).
  int TextHeight();
  int ScrollPos() const { return FScrollPos; }
  void SetScrollPos(int pos);
  // A turn of the wheel over the control (wheelDelta +120 per notch away from the
  // user scrolls up). True when the control scrolled.
  bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;

  void SetBounds(int left, int top, int width, int height) override;

protected:
  void Paint() override;
  void FontChanged() override;

private:
  friend class TRichEditLines;
  void DocumentChanged();
  // Lays the document out again when the width or the document changed.
  void EnsureLayout();

  std::unique_ptr<TRichEditLines> FLines;
  TRtfDocument FDocument;
  TRtfLayout FLayout;
  bool FLayoutValid = false;
  TFormBorderStyle FBorderStyle = bsSingle;
  bool FWordWrap = true;
  int FScrollPos = 0;
};

// Makes TRichEdit known to the layout reader (BorderStyle, ReadOnly, WordWrap,
// ScrollBars and the Lines' designed strings besides the control properties).
void RegisterRichEdit();
