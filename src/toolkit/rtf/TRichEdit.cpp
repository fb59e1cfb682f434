#include "toolkit/rtf/TRichEdit.h"

#include <algorithm>

#include "platform/Files.h"
#include "platform/Utf8.h"
#include "toolkit/forms/TControlCanvas.h"
#include "toolkit/graphics/FontEngine.h"
#include "toolkit/layout/ClassRegistry.h"
#include "toolkit/rtf/RtfCodePages.h"
#include "toolkit/rtf/RtfReader.h"
#include "toolkit/stdctrls/TPanel.h"

namespace {

// UTF-8 to the program's 8-bit code page; characters it lacks become '?'.
std::string ToCp1252(const std::string& utf8) {
  const TCodePageTable* table = FindCodePageTable(1252);
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    auto b = uint8_t(utf8[i]);
    int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    char32_t c = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; k < n && i + size_t(k) < utf8.size(); ++k) c = (c << 6) | (uint8_t(utf8[i + size_t(k)]) & 0x3F);
    i += size_t(n);
    char mapped = '?';
    if (c < 0x80 || (c >= 0xA0 && c < 0x100)) mapped = char(c);
    for (int k = 0; k < 32 && mapped == '?' && c != '?'; ++k)
      if (table->High[k] == c) mapped = char(0x80 + k);
    out += mapped;
  }
  return out;
}

std::string ToUtf8(const std::string& cp1252) {
  std::string out;
  for (char ch : cp1252) {
    platform::AppendUtf8(out, Cp1252ToUnicode(uint8_t(ch)));
  }
  return out;
}

}  // namespace

// ---- TRichEditLines ----

int TRichEditLines::Count() const {
  return int(FOwner.FDocument.Paragraphs.size());
}

std::string TRichEditLines::Strings(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
  std::string text;
  for (const TRtfRun& run : FOwner.FDocument.Paragraphs[size_t(index)].Runs) text += run.Text;
  return ToCp1252(text);
}

TObject* TRichEditLines::Objects(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
  return nullptr;
}

void TRichEditLines::SetObjects(int index, TObject*) {
  if (index < 0 || index >= Count()) IndexError(index);
}

void TRichEditLines::InsertObject(int index, const std::string& s, TObject*) {
  if (index < 0 || index > Count()) IndexError(index);
  TRtfDocument& doc = FOwner.FDocument;
  if (doc.Paragraphs.empty()) doc.PlainSource = true;
  TRtfParagraph paragraph;
  std::string text = ToUtf8(s);
  if (!text.empty()) paragraph.Runs.push_back(TRtfRun{TRtfCharFormat{}, std::move(text), -1});
  doc.Paragraphs.insert(doc.Paragraphs.begin() + index, std::move(paragraph));
  FOwner.DocumentChanged();
  Changed();
}

void TRichEditLines::Delete(int index) {
  if (index < 0 || index >= Count()) IndexError(index);
  TRtfDocument& doc = FOwner.FDocument;
  doc.Paragraphs.erase(doc.Paragraphs.begin() + index);
  FOwner.DocumentChanged();
  Changed();
}

void TRichEditLines::Clear() {
  FOwner.FDocument = TRtfDocument{};
  FOwner.FDocument.PlainSource = true;
  FOwner.DocumentChanged();
  Changed();
}

void TRichEditLines::LoadFromFile(const std::string& path) {
  std::string native = platform::NativePath(path);
  std::optional<uint64_t> size = platform::FileSize(native);
  std::string data;
  if (!size || *size > TRichEdit::MaxFileSize || !platform::ReadWholeFile(native, data))
    throw Exception(Format("Cannot open file %s", path.c_str()));
  FOwner.SetDocument(TRtfReader::Read(data));
  Changed();
}

// ---- TRichEdit ----

TRichEdit::TRichEdit(TComponent* owner) : TCustomControl(owner), FLines(std::make_unique<TRichEditLines>(*this)) {
  FDocument.PlainSource = true;
  SetColor(clWindow);
}

TRichEdit::~TRichEdit() = default;

void TRichEdit::SetDocument(TRtfDocument doc) {
  FDocument = std::move(doc);
  DocumentChanged();
}

void TRichEdit::DocumentChanged() {
  FLayoutValid = false;
  FScrollPos = 0;
  Invalidate();
}

void TRichEdit::SetBorderStyle(TFormBorderStyle style) {
  if (style == FBorderStyle) return;
  FBorderStyle = style;
  FLayoutValid = false;
  Invalidate();
}

void TRichEdit::SetWordWrap(bool wrap) {
  if (wrap == FWordWrap) return;
  FWordWrap = wrap;
  FLayoutValid = false;
  Invalidate();
}

TRect TRichEdit::TextRect() const {
  TRect r = ClientRect();
  int inset = (FBorderStyle == bsNone ? 0 : 2) + 1;
  return {r.Left + inset, r.Top + inset, std::max(r.Left + inset, r.Right - inset),
          std::max(r.Top + inset, r.Bottom - inset)};
}

void TRichEdit::EnsureLayout() {
  int width = TextRect().Width();
  if (FLayoutValid && FLayout.Width() == std::max(2, width)) return;
  FLayout.Layout(FDocument, width, &Font(), FWordWrap);
  FLayoutValid = true;
  FScrollPos = std::clamp(FScrollPos, 0, std::max(0, FLayout.Height() - TextRect().Height()));
}

int TRichEdit::TextHeight() {
  EnsureLayout();
  return FLayout.Height();
}

void TRichEdit::SetScrollPos(int pos) {
  EnsureLayout();
  pos = std::clamp(pos, 0, std::max(0, FLayout.Height() - TextRect().Height()));
  if (pos == FScrollPos) return;
  FScrollPos = pos;
  Invalidate();
}

bool TRichEdit::DoMouseWheel(TShiftState, int wheelDelta, TPoint) {
  int before = FScrollPos;
  SetScrollPos(FScrollPos - wheelDelta * WheelStep / 120);
  return FScrollPos != before;
}

void TRichEdit::SetBounds(int left, int top, int width, int height) {
  TCustomControl::SetBounds(left, top, width, height);
  FLayoutValid = FLayoutValid && FLayout.Width() == std::max(2, TextRect().Width());
}

void TRichEdit::FontChanged() {
  FLayoutValid = false;
  TCustomControl::FontChanged();
}

void TRichEdit::Paint() {
  TCanvas& canvas = Canvas();
  TRect frame = ClientRect();
  if (FBorderStyle != bsNone) {
    Frame3D(canvas, frame, clBtnShadow, clBtnHighlight, 1);
    Frame3D(canvas, frame, cl3DDkShadow, cl3DLight, 1);
  }
  canvas.Brush().Color = Color();
  canvas.Brush().Style = bsSolid;
  canvas.FillRect(frame);
  EnsureLayout();
  TRect text = TextRect();
  FLayout.Paint(canvas, text.Left, text.Top - FScrollPos, Font().Color(), &text);
}

void RegisterRichEdit() {
  static const TLayoutNames borderNames = {{"bsNone", bsNone}, {"bsSingle", bsSingle}};
  ClassRegistry()
      .Register<TRichEdit>("TRichEdit", "TCustomControl")
      .Enum("BorderStyle", borderNames, [](TRichEdit& r, int v) { r.SetBorderStyle(TFormBorderStyle(v)); })
      .Boolean("ReadOnly", [](TRichEdit& r, bool v) { r.ReadOnly = v; })
      .Boolean("WordWrap", [](TRichEdit& r, bool v) { r.SetWordWrap(v); })
      .Strings("Lines.Strings",
               [](TRichEdit& r, const std::vector<std::string>& lines) {
                 r.Lines().BeginUpdate();
                 r.Lines().Clear();
                 for (const std::string& s : lines) r.Lines().Add(s);
                 r.Lines().EndUpdate();
               })
      .Ignored("ScrollBars")
      .Ignored("PlainText")
      .Ignored("HideScrollBars");
}
