#pragma once

// The standard message box, drawn by the toolkit itself so that it appears wherever
// the program's own window can: an icon, the text (word-wrapped) and an OK button.
// The box is modal through the application's one loop (see TApplication): it either
// opens as the window itself (no other window is open) or floats, with a frame and a
// caption bar of its own, above the open window, which then receives no input.

#include <memory>
#include <string>

#include "platform/Platform.h"
#include "toolkit/forms/TForm.h"

class TButton;

class TMessageForm : public TForm {
public:
  // The box for text with caption as its title; its size follows from the text.
  TMessageForm(TComponent* owner, const std::string& text, const std::string& caption, platform::TPMessageIcon icon);
  const char* ClassName() const override { return "TMessageForm"; }

  const std::string& Text() const { return FText; }
  platform::TPMessageIcon Icon() const { return FIcon; }
  TButton* OKButton() const { return FOKButton; }
  // The box has been answered (OK, Esc, Enter or the window's close box).
  bool Answered() const { return ModalResult != 0; }

  // --- Floating above another window.
  // Makes the box paint into its own framebuffer without opening a window.
  void ShowFloating();
  bool Floating() const { return FFloating; }
  // Frame and caption bar around the client area when floating.
  static constexpr int FrameWidth = 3, CaptionHeight = 18;
  // Where the client area sits inside the floating picture.
  static TPoint ClientOffset() { return {FrameWidth, FrameWidth + CaptionHeight}; }
  // The floating picture: frame, caption bar and the painted client area.
  platform::TPImage FloatingImage();

protected:
  void PaintWindow(TCanvas& canvas) override;
  void KeyPress(char& key) override;

private:
  std::string FText;
  platform::TPMessageIcon FIcon;
  TRect FTextRect;
  TButton* FOKButton = nullptr;
  bool FFloating = false;
};
