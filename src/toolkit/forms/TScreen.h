#pragma once

// The screen-wide state of the pointer: an override cursor for the whole screen
// and the table of cursor shapes by number (standard shapes at 0 and below, the
// program's own images at positive numbers).

#include <map>
#include <string>

#include "platform/Platform.h"
#include "toolkit/core/TComponent.h"

class TScreen : public TComponent {
public:
  explicit TScreen(TComponent* owner);
  const char* ClassName() const override { return "TScreen"; }

  // While not crDefault, this shape shows everywhere, whatever control is under the pointer.
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor cursor);

  // Puts a custom pointer image into slot number (positive numbers).
  void SetCursorImage(TCursor slot, const platform::TPCursorImage& image);
  // Loads slot from an embedded cursor resource ("cur", name case ignored); raises
  // Exception when it is missing or malformed.
  void LoadCursorFromResource(TCursor slot, const std::string& name);
  // The custom image in slot, or null when the slot has none.
  const platform::TPCursorImage* CursorImage(TCursor slot) const;
  // The standard platform shape used for a cursor number (Arrow for unknown numbers and custom slots).
  static platform::TPStdCursor StandardShape(TCursor cursor);

  // Sets the display's pointer to cursor (crDefault shows the arrow); does nothing
  // when that shape is already set.
  void ApplyCursor(TCursor cursor);

  // Forgets which shape the display shows (a new window starts with its own).
  void ForgetAppliedCursor() { FApplied = false; }

  // The pointer position in screen coordinates.
  TPoint CursorPos() const;

private:
  TCursor FCursor = crDefault;
  std::map<TCursor, platform::TPCursorImage> FImages;
  bool FApplied = false;
  TCursor FAppliedCursor = crDefault;
  const platform::TPCursorImage* FAppliedImage = nullptr;
};

// The one screen object of the program.
extern TScreen* Screen;
