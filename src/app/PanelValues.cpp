#include "app/PanelValues.h"

#include <array>
#include <cstdlib>
#include <utility>

#include "app/TMainForm.h"
#include "toolkit/graphics/FontEngine.h"
#include "toolkit/stdctrls/TImage.h"
#include "toolkit/stdctrls/TLabel.h"

int PanelValueEdge(const TImage& panel) {
  return panel.Left() + PanelInnerBorderRight - PanelValueMargin;
}

void ShowPanelValue(TLabel& value, const TLabel& caption, const TImage& panel, const std::string& text) {
  const TFont& font = value.Font();
  const int full = caption.Font().Height();
  const int edge = PanelValueEdge(panel);
  const int room = edge - (caption.Left() + caption.Width() + PanelValueGap);
  const std::u32string glyphs = Cp1252ToUtf32(text);
  TFontEngine& engine = TFontEngine::Instance();

  // A negative height is the character height, a positive one the cell height: shrink
  // the magnitude either way, keeping the sign.
  const int sign = full < 0 ? -1 : 1;
  int size = std::abs(full);
  while (size > PanelValueMinHeight && engine.Get(font.Name(), sign * size, font.Style()).TextWidth(glyphs) > room)
    --size;

  // Name, style and colour stay the value label's own (the page's, as for the captions).
  value.Font().SetHeight(sign * size);
  value.SetCaption(text);
  // Same baseline as the caption whatever the size.
  const int lift = engine.Get(caption.Font()).Ascent() - engine.Get(font).Ascent();
  value.SetBounds(edge - value.Width(), caption.Top() + lift, value.Width(), value.Height());
}

void TMainForm::FitPanelValues() {
  // Captions change with the language: each shown value is fitted again to its caption.
  const std::array<std::pair<TLabel*, TLabel*>, 6> bugPanel = {{{TimeValue1Label, Time1Label},
                                                                {LevelValue1Label, Level1Label},
                                                                {HitsValue1Label, Hits1Label},
                                                                {MissValue1Label, Misses1Label},
                                                                {EscapedValue1Label, Escaped1Label},
                                                                {ScoreValue1Label, Score1Label}}};
  const std::array<std::pair<TLabel*, TLabel*>, 4> boxPanel = {{{TimeValue2Label, Time2Label},
                                                                {HitsValue2Label, Hits2Label},
                                                                {MissValue2Label, Misses2Label},
                                                                {ScoreValue2Label, Score2Label}}};
  for (auto [value, caption] : bugPanel) ShowPanelValue(*value, *caption, *InfoPanel1, value->Caption());
  for (auto [value, caption] : boxPanel) ShowPanelValue(*value, *caption, *InfoPanel2, value->Caption());
}
