// One drag step of the sprite engine against a full repaint of the surface, on a
// scene laid out like the jigsaw page: a 624 x 369 surface whose OnPaint fills it,
// draws the frame and two lines of text, with the nine pieces shown around the frame.
//
//   BM_DragStep/0   the widest piece (138 x 48) follows the mouse by 6 pixels
//   BM_DragStep/1   the piece of the largest area (89 x 104) follows the mouse by 6 pixels
//   BM_DragStep/2   the whole 300 x 136 picture follows the mouse by 6 pixels
//   BM_FullRepaint  the surface is repainted (OnPaint and the shown sprites)
//   BM_ZoomedDragStep/<factor x 100>  the widest piece's drag step with painting and
//                   presenting the window zoomed by the factor (the changed rectangles
//                   scaled into the window image, as the SDL display does)
// The target is a drag step under 10 % of a full repaint.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "platform/headless/HeadlessBackend.h"
#include "sprites/TSprite.h"
#include "sprites/TSprites.h"
#include "toolkit/forms/TApplication.h"
#include "toolkit/forms/TControlCanvas.h"
#include "toolkit/forms/TForm.h"
#include "toolkit/graphics/TBitmap.h"
#include "toolkit/graphics/TPicture.h"

namespace {

struct TPiece {
  int Width, Height, Left, Top;
};
const TPiece Pieces[] = {{73, 74, 170, 10},  {116, 62, 12, 10},  {138, 48, 12, 250},
                         {73, 84, 470, 130}, {70, 68, 170, 250}, {63, 88, 330, 250},
                         {92, 89, 470, 250}, {89, 104, 12, 130}, {65, 97, 330, 10}};

// A piece picture: opaque colour with red (transparent) notches on every side.
void MakePiece(TBitmap& b, int w, int h, TColor color) {
  b.SetSize(w, h);
  b.Canvas().Brush().Color = clRed;
  b.Canvas().FillRect(Rect(0, 0, w, h));
  b.Canvas().Brush().Color = color;
  b.Canvas().FillRect(Rect(10, 10, w - 10, h - 10));
  b.Canvas().FillRect(Rect(w / 2 - 6, 0, w / 2 + 6, h));
  b.Canvas().FillRect(Rect(0, h / 2 - 6, w, h / 2 + 6));
}

class TScene {
public:
  explicit TScene(double zoom = 1) {
    platform::SetBackend(&FBackend);
    FBackend.SetZoom(zoom);
    Application->CreateForm(FForm);
    FForm->SetClientSize(632, 453);
    Surface = new TSprites(FForm);
    Surface->SetBounds(4, 80, 624, 369);
    Surface->SetParent(FForm);
    Surface->Font().SetHeight(-19);
    Surface->OnPaint = [this](TObject*) { PaintBoard(); };
    for (int i = 0; i < 10; ++i) {
      TPiece p = i < 9 ? Pieces[i] : TPiece{300, 136, 150, 110};
      auto* s = new TSprite(FForm);
      TBitmap bitmap;
      MakePiece(bitmap, p.Width, p.Height, TColor(0x3070A0 + 0x0B1305 * i));
      TPicture picture;
      picture.SetBitmap(&bitmap);
      s->SetTransparentColor(clRed);
      s->SetPicture(&picture);
      s->SetLeft(p.Left);
      s->SetTop(p.Top);
      s->SetSpriteGroup(Surface);
      Sprites.push_back(s);
    }
    FForm->Show();
    Application->ProcessMessages();
    for (int i = 0; i < 9; ++i) Sprites[size_t(i)]->SetVisible(true);
  }
  ~TScene() {
    Application->DestroyForms();
    platform::SetBackend(nullptr);
  }

  void PaintBoard() {
    TCanvas& c = Surface->Canvas();
    c.Brush().Color = TColor(0xE1C8C8);
    c.FillRect(Surface->ClientRect());
    c.Rectangle(150, 110, 450, 246);
    c.Font().SetSize(12);
    c.TextOut(170, 150, "Drag the pieces into the frame");
    c.TextOut(170, 180, "to finish the picture.");
  }

  TSprites* Surface = nullptr;
  std::vector<TSprite*> Sprites;

private:
  platform::THeadlessBackend FBackend;
  TForm* FForm = nullptr;
};

void BM_DragStep(benchmark::State& state) {
  TScene scene;
  const size_t which[] = {2, 7, 9};
  TSprite* s = scene.Sprites[which[state.range(0)]];
  s->SetVisible(true);
  int x = s->Left() + 20, y = s->Top() + 20;
  scene.Surface->SpriteMouseDown(scene.Surface, mbLeft, 0, x, y);
  int step = 6;
  for (auto _ : state) {
    x += step;
    if (x > 400 || x < 60) step = -step;
    scene.Surface->SpriteMouseMove(scene.Surface, 0, x, y);
  }
  scene.Surface->SpriteMouseUp(scene.Surface, mbLeft, 0, x, y);
}
BENCHMARK(BM_DragStep)->Arg(0)->Arg(1)->Arg(2);

void BM_FullRepaint(benchmark::State& state) {
  TScene scene;
  for (auto _ : state) scene.Surface->Repaint();
}
BENCHMARK(BM_FullRepaint);

void BM_ZoomedDragStep(benchmark::State& state) {
  TScene scene(double(state.range(0)) / 100);
  TSprite* s = scene.Sprites[2];
  int x = s->Left() + 20, y = s->Top() + 20;
  scene.Surface->SpriteMouseDown(scene.Surface, mbLeft, 0, x, y);
  Application->ProcessMessages();
  int step = 6;
  for (auto _ : state) {
    x += step;
    if (x > 400 || x < 60) step = -step;
    scene.Surface->SpriteMouseMove(scene.Surface, 0, x, y);
    Application->ProcessMessages();
  }
  scene.Surface->SpriteMouseUp(scene.Surface, mbLeft, 0, x, y);
}
BENCHMARK(BM_ZoomedDragStep)->Arg(100)->Arg(150)->Arg(200)->Arg(300);

}  // namespace

BENCHMARK_MAIN();
