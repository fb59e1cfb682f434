#pragma once

// Undoable edits. An application describes each edit as a record (JActionData, or a
// class derived from it) naming the action (JAction) that carries it out. Running a
// record performs the edit and yields a new record that describes its reversal.

#include <functional>
#include <string>

#include "toolkit/core/TComponent.h"

class JAction;

// A record of one edit. The first member is the action that carries it out; derived
// records add what the action needs. Buffers own the records they keep.
struct JActionData {
  JAction* Action = nullptr;
  explicit JActionData(JAction* action = nullptr) : Action(action) {}
  virtual ~JActionData() = default;
};
using pJActionData = JActionData**;

// Carries out actionData and stores a new record describing the reversal in
// *newActionData (or leaves it null when the edit cannot be undone).
using TJActionDoEvent = std::function<void(JActionData* actionData, pJActionData newActionData)>;

class JAction : public TComponent {
public:
  explicit JAction(TComponent* owner) : TComponent(owner) {}
  const char* ClassName() const override { return "JAction"; }

  // The action's display name, shown by an undo action after a record of it ran.
  std::string Caption;
  TJActionDoEvent OnDo;
};

// Runs record through its action's OnDo and returns the reversal it produced (the
// caller owns it). Raises when the record names no action or the action no handler.
JActionData* RunActionData(JActionData* record);
