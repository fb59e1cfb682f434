#pragma once

// A link: a label in blue, underlined, with the hand cursor, that asks the
// desktop's shell to open its URL (a web or "mailto:" address) as soon as the left
// mouse button is pressed on it. The press takes no mouse capture and raises no
// OnClick or OnMouseDown; releasing elsewhere does not cancel the opening.

#include <string>

#include "toolkit/stdctrls/TLabel.h"

class TURLStatic : public TLabel {
public:
  explicit TURLStatic(TComponent* owner);
  const char* ClassName() const override { return "TURLStatic"; }

  const std::string& GetURL() const { return FURL; }
  void SetURL(const std::string& url) { FURL = url; }

protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  // Hands URL to the shell; an empty URL is handed over too and the answer is not examined.
  void OpenURL();

  std::string FURL;
};
