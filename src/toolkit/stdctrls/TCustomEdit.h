#pragma once

// A single-line text entry: a caret, typing, Backspace and Delete, the Left, Right,
// Home and End keys, selection with Shift and with the mouse, horizontal scrolling
// that keeps the caret in view, and OnChange after every change of the text.
//
// Like a native edit window, its look is fixed when its window is created from its
// creation parameters (CreateParams): the style bits ES_CENTER / ES_RIGHT align the
// text, WS_EX_CLIENTEDGE gives the sunken frame. The window is created when the edit
// first gets a parent outside layout loading, when its loading completes, or when it
// is first painted; changing Alignment or BorderStyle afterwards re-creates it.

#include <cstdint>
#include <string>

#include "toolkit/forms/TCustomControl.h"

// Window style bits an edit understands.
constexpr uint32_t ES_LEFT = 0x0000, ES_CENTER = 0x0001, ES_RIGHT = 0x0002, ES_UPPERCASE = 0x0008,
                   ES_LOWERCASE = 0x0010, ES_PASSWORD = 0x0020, ES_AUTOHSCROLL = 0x0080, ES_READONLY = 0x0800;
constexpr uint32_t WS_CHILD = 0x40000000, WS_VISIBLE = 0x10000000, WS_TABSTOP = 0x00010000, WS_BORDER = 0x00800000;
constexpr uint32_t WS_EX_CLIENTEDGE = 0x00000200;

// What a windowed control's window is made from.
struct TCreateParams {
  std::string WinClassName;  // the window class ("EDIT" for an edit)
  uint32_t Style = 0;
  uint32_t ExStyle = 0;
};

enum TEditBorderStyle : uint8_t { ebsNone, ebsSingle };
enum TEditCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TCustomControl {
public:
  explicit TCustomEdit(TComponent* owner);
  const char* ClassName() const override { return "TCustomEdit"; }

  // --- The window.
  bool HandleAllocated() const { return FHandleAllocated; }
  // Creates the window now when it does not exist yet.
  void HandleNeeded();
  // The parameters the window was created from (valid once HandleAllocated).
  const TCreateParams& WindowParams() const { return FParams; }

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment);
  TEditBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TEditBorderStyle style);

  // --- Editing.
  // The most characters typing may enter (0: no limit); text set by the program is not cut.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int maxLength) { FMaxLength = maxLength < 0 ? 0 : maxLength; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool readOnly);
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase charCase);
  // Shown instead of every character when not 0.
  char PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char c);
  // Selects the whole text when the edit gets the focus.
  bool AutoSelect = true;
  // Hides the selection while the edit does not have the focus.
  bool HideSelection = true;
  bool Modified = false;

  // The selection: SelStart is where it begins, SelLength how long it is. The caret
  // stands at one of its ends (CaretPos).
  int SelStart() const;
  int SelLength() const;
  void SetSelStart(int start);
  void SetSelLength(int length);
  int CaretPos() const { return FCaret; }
  std::string SelText() const;
  // Replaces the selection with text (as typing or pasting does).
  void SetSelText(const std::string& text);
  void SelectAll();

  // The character position nearest to a client x (0..length).
  int PosFromX(int x);
  // The client x of the gap before character position pos.
  int XFromPos(int pos);

  TNotifyEvent OnChange;

  // Creates the window once the edit is placed outside layout loading.
  void SetParent(TWinControl* parent) override;

protected:
  // Fills params for the window; subclasses add their own style bits.
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  void RecreateWnd();
  // Runs OnChange.
  virtual void Change();

  void Loaded() override;
  void Paint() override;
  void TextChanged() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void DoEnter() override;
  void DoExit() override;

private:
  // The area inside the frame where text goes.
  TRect TextRect() const;
  std::string DisplayText() const;
  // Sets the text as an edit of the user's: the caret goes to caret afterwards.
  void SetTextInternal(const std::string& text, int caret);
  int TextWidth(const std::string& text);
  void MoveCaret(int pos, bool extend);
  // Keeps the caret inside the visible part of the text.
  void ScrollToCaret();
  int TextStartX();

  TCreateParams FParams;
  bool FHandleAllocated = false;
  TAlignment FAlignment = taLeftJustify;
  TEditBorderStyle FBorderStyle = ebsSingle;
  int FMaxLength = 0;
  bool FReadOnly = false;
  TEditCharCase FCharCase = ecNormal;
  char FPasswordChar = 0;
  int FCaret = 0;
  int FAnchor = 0;
  int FScroll = 0;  // pixels of text scrolled out at the left
  bool FEditing = false;
  int FPendingCaret = 0;
  bool FSelecting = false;
};
