#pragma once

// The figures on the score panels of the training games. Each value label sits to
// the right of its caption on the panel picture; values end a few pixels inside the
// picture's inner border whatever their length, and a value too long for the room
// between its caption and that edge is drawn in a smaller size of the caption's font.

#include <string>

class TImage;
class TLabel;

// Column of the panel picture's inner (dark) border line on its right side; the
// frame outside it is drawn in the picture, the light area inside runs to column 140.
constexpr int PanelInnerBorderRight = 141;
// Free pixels kept between a value's last column and that border line.
constexpr int PanelValueMargin = 3;
// Least room between the end of a caption and the start of its value.
constexpr int PanelValueGap = 4;
// The smallest character height (pixels) a value is shrunk to.
constexpr int PanelValueMinHeight = 11;

// The first column right of the value area, in the coordinates of the panel's parent.
int PanelValueEdge(const TImage& panel);

// Shows text in value, right-aligned to the panel's value edge and on the caption's
// baseline, in the caption's font; when it would come closer than PanelValueGap to the
// caption, the font is made smaller one pixel at a time until it fits or reaches
// PanelValueMinHeight (a value too long even then stays right-aligned at that size).
// value, caption and panel share one parent.
void ShowPanelValue(TLabel& value, const TLabel& caption, const TImage& panel, const std::string& text);
