#include "controls/TURLStatic.h"

#include "platform/Platform.h"

TURLStatic::TURLStatic(TComponent* owner) : TLabel(owner) {
  // The link reacts to the press itself; a release must not raise a click as well.
  ControlStyle &= ~csClickEvents;
  SetCursor(crHandPoint);
  Font().SetColor(clBlue);
  Font().SetName("Arial");
  Font().SetStyle(fsUnderline);
  SetTransparent(true);
}

void TURLStatic::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  // The second press of a double click is an ordinary label press: the link opened on the first.
  if (button != mbLeft || (shift & ssDouble)) return TLabel::MouseDown(button, shift, x, y);
  SetMouseCapture(false);
  OpenURL();
}

void TURLStatic::OpenURL() {
  if (platform::HasBackend()) platform::Backend().Shell().OpenURL(FURL);
}
