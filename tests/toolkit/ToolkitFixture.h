#pragma once

// A headless display, a clean application object and a few recording controls for
// the toolkit's tests.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/HeadlessFixture.h"
#include "toolkit/forms/TControlCanvas.h"
#include "toolkit/forms/TCustomControl.h"
#include "toolkit/forms/TGraphicControl.h"

using TLog = std::vector<std::string>;

using ToolkitTest = testsupport::HeadlessTest;

// A windowed control that paints itself in one colour and logs what happens to it.
class TTestPanel : public TCustomControl {
public:
  TTestPanel(TComponent* owner, TWinControl* parent, TRect bounds, TColor color, TLog* log = nullptr,
             std::string id = "panel")
      : TCustomControl(owner), Log(log), Id(std::move(id)) {
    SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    SetColor(color);
    SetParent(parent);
  }
  TLog* Log;
  std::string Id;
  TColor PaintColor = clNone;  // when set, Paint fills the client area with it

protected:
  void Paint() override {
    if (Log) Log->push_back(Id + ".Paint");
    if (PaintColor != clNone) {
      Canvas().Brush().Color = PaintColor;
      Canvas().FillRect(ClientRect());
    }
  }
  void MouseEnter() override {
    if (Log) Log->push_back(Id + ".Enter");
    TCustomControl::MouseEnter();
  }
  void MouseLeave() override {
    if (Log) Log->push_back(Id + ".Leave");
    TCustomControl::MouseLeave();
  }
};

// A window-less control that fills itself with one colour when painted.
class TTestGraphic : public TGraphicControl {
public:
  TTestGraphic(TComponent* owner, TWinControl* parent, TRect bounds, TColor color, TLog* log = nullptr,
               std::string id = "graphic")
      : TGraphicControl(owner), Fill(color), Log(log), Id(std::move(id)) {
    SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    SetParent(parent);
  }
  TColor Fill;
  TLog* Log;
  std::string Id;

protected:
  void Paint() override {
    if (Log) Log->push_back(Id + ".Paint");
    Canvas().Brush().Color = Fill;
    Canvas().FillRect(ClientRect());
  }
};

// Logs a control's mouse events as "tag.Event" (with " double" for presses marked ssDouble).
inline void LogMouse(TControl* c, TLog& log, const std::string& tag) {
  c->OnMouseDown = [&log, tag](TObject*, TMouseButton b, TShiftState s, int x, int y) {
    log.push_back(tag + ".Down" + (s & ssDouble ? " double" : "") + (b == mbRight ? " right" : ""));
  };
  c->OnMouseUp = [&log, tag](TObject*, TMouseButton, TShiftState, int, int) { log.push_back(tag + ".Up"); };
  c->OnClick = [&log, tag](TObject*) { log.push_back(tag + ".Click"); };
  c->OnDblClick = [&log, tag](TObject*) { log.push_back(tag + ".DblClick"); };
}
