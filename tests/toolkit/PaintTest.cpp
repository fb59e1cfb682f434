// Canvases as views of the form's framebuffer: clipping, reading back, painting order
// and presenting only what changed.

#include "ToolkitFixture.h"
#include "toolkit/graphics/TBitmap.h"

namespace {

TEST_F(ToolkitTest, GraphicControlIsClippedByAWindowedSiblingAboveItInPaintAndOutside) {
  TForm* form = ShowForm(200, 150, clWhite);
  auto* graphic = new TTestGraphic(form, form, Bounds(10, 10, 100, 100), clRed);
  auto* panel = new TTestPanel(form, form, Bounds(60, 60, 100, 60), clBlue);
  // Created after the panel, still below it: windowed controls cover graphic ones.
  auto* late = new TTestGraphic(form, form, Bounds(100, 20, 80, 80), clYellow);
  Application->ProcessMessages();
  EXPECT_EQ(Pixel(5, 5), clWhite);
  EXPECT_EQ(Pixel(20, 20), clRed);
  EXPECT_EQ(Pixel(70, 70), clBlue);
  EXPECT_EQ(Pixel(105, 30), clYellow);
  EXPECT_EQ(Pixel(105, 70), clBlue);

  // Drawing outside Paint changes the framebuffer at once, clipped the same way.
  graphic->Canvas().Brush().Color = clLime;
  graphic->Canvas().FillRect(graphic->ClientRect());
  EXPECT_EQ(Pixel(20, 20), clLime);
  EXPECT_EQ(Pixel(109, 59), clLime);
  EXPECT_EQ(Pixel(70, 70), clBlue);
  EXPECT_EQ(Pixel(110, 50), clYellow);                    // outside the graphic control: untouched
  EXPECT_EQ(graphic->Canvas().GetPixel(60, 60), clNone);  // under the panel: not visible

  // The view follows the control when it moves; nothing is drawn while it is hidden.
  graphic->SetBounds(0, 120, 30, 30);
  graphic->Canvas().FillRect(graphic->ClientRect());
  EXPECT_EQ(Pixel(5, 125), clLime);
  graphic->Hide();
  graphic->Canvas().Brush().Color = clFuchsia;
  graphic->Canvas().FillRect(graphic->ClientRect());
  EXPECT_EQ(Pixel(5, 125), clLime);
  (void)panel;
  (void)late;
}

TEST_F(ToolkitTest, WindowedControlIsClippedBySiblingsAboveAndItsOwnWindowedChildren) {
  TForm* form = ShowForm(200, 150, clWhite);
  auto* lower = new TTestPanel(form, form, Bounds(0, 0, 100, 100), clRed);
  auto* upper = new TTestPanel(form, form, Bounds(50, 50, 100, 100), clBlue);
  auto* child = new TTestPanel(form, lower, Bounds(10, 10, 20, 20), clYellow);
  Application->ProcessMessages();
  lower->Canvas().Brush().Color = clGreen;
  lower->Canvas().FillRect(lower->ClientRect());
  EXPECT_EQ(Pixel(5, 5), clGreen);
  EXPECT_EQ(Pixel(15, 15), clYellow);
  EXPECT_EQ(Pixel(60, 60), clBlue);
  upper->SendToBack();
  lower->Canvas().FillRect(lower->ClientRect());
  EXPECT_EQ(Pixel(60, 60), clGreen);
  EXPECT_EQ(Pixel(120, 120), clBlue);
  (void)child;
}

TEST_F(ToolkitTest, ARectangleDrawnThroughAControlCanvasReadsBackFromTheScreen) {
  TForm* form = ShowForm(200, 150, clWhite);
  auto* panel = new TTestPanel(form, form, Bounds(40, 30, 100, 80), clSilver);
  Application->ProcessMessages();
  panel->Canvas().Brush().Color = 0x336699;
  panel->Canvas().FillRect(Rect(10, 10, 30, 20));
  // The framebuffer holds it at the control's position in the form...
  EXPECT_EQ(Pixel(50, 40), 0x336699);
  EXPECT_EQ(Pixel(69, 49), 0x336699);
  EXPECT_EQ(Pixel(70, 49), clSilver);
  // ...and copying from any canvas over that area reads it back.
  TBitmap copy;
  copy.SetSize(22, 12);
  copy.Canvas().CopyRect(Rect(0, 0, 22, 12), panel->Canvas(), Rect(9, 9, 31, 21));
  EXPECT_EQ(copy.GetPixel(0, 0), clSilver);
  EXPECT_EQ(copy.GetPixel(1, 1), 0x336699);
  EXPECT_EQ(copy.GetPixel(20, 10), 0x336699);
  EXPECT_EQ(copy.GetPixel(21, 11), clSilver);
  TBitmap fromForm;
  fromForm.SetSize(1, 1);
  fromForm.Canvas().CopyRect(Rect(0, 0, 1, 1), form->Canvas(), Rect(55, 45, 56, 46));
  EXPECT_EQ(fromForm.GetPixel(0, 0), 0x336699);
}

TEST_F(ToolkitTest, PaintingErasesWithTheColourThenPaintsTheControlThenGraphicChildrenInOrder) {
  TLog log;
  TForm* form = ShowForm(200, 150, clWhite);
  auto* panel = new TTestPanel(form, form, Bounds(10, 10, 120, 100), clAqua, &log, "panel");
  new TTestGraphic(form, panel, Bounds(0, 0, 50, 50), clRed, &log, "a");
  new TTestGraphic(form, panel, Bounds(30, 30, 50, 50), clBlue, &log, "b");
  Application->ProcessMessages();
  log.clear();
  panel->Repaint();
  EXPECT_EQ(log, (TLog{"panel.Paint", "a.Paint", "b.Paint"}));
  EXPECT_EQ(Pixel(10 + 100, 10 + 90), clAqua);  // background: the panel's colour
  EXPECT_EQ(Pixel(10 + 40, 10 + 40), clBlue);   // the later graphic child is on top
  EXPECT_EQ(Pixel(10 + 5, 10 + 5), clRed);

  // Invalidate only marks; the loop paints once, however often it was asked.
  log.clear();
  panel->Invalidate();
  panel->Invalidate();
  EXPECT_TRUE(log.empty());
  Application->ProcessMessages();
  EXPECT_EQ(log, (TLog{"panel.Paint", "a.Paint", "b.Paint"}));
  // A hidden control is not painted.
  log.clear();
  panel->Hide();
  Application->ProcessMessages();
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(Pixel(15, 15), clWhite);
}

TEST_F(ToolkitTest, OnlyWhatChangedIsPresented) {
  TForm* form = ShowForm(200, 150, clWhite);
  auto* panel = new TTestPanel(form, form, Bounds(10, 10, 100, 100), clAqua);
  Application->ProcessMessages();
  Backend.ClearRecords();
  Application->ProcessMessages();
  EXPECT_EQ(Backend.PresentCount(), 0);
  panel->Canvas().Brush().Color = clRed;
  panel->Canvas().FillRect(Rect(0, 0, 5, 5));
  panel->Canvas().FillRect(Rect(2, 2, 8, 8));  // overlapping: merged into one rectangle
  panel->Canvas().FillRect(Rect(50, 50, 52, 52));
  Application->ProcessMessages();
  EXPECT_EQ(Backend.PresentCount(), 1);
  EXPECT_EQ(Backend.PresentedRectCount(), 2);
}

}  // namespace
