#pragma once

// One level of undo: the buffer keeps the reversal of the last record it ran. Undo
// runs it and keeps its reversal in turn, so a second Undo redoes the edit.

#include <memory>

#include "storage/JAction.h"

class TAction;

class TUndoSingleBuffer : public TComponent {
public:
  explicit TUndoSingleBuffer(TComponent* owner);
  ~TUndoSingleBuffer() override;
  const char* ClassName() const override { return "TUndoSingleBuffer"; }

  // Runs record (which stays the caller's), keeps its reversal in place of the one
  // kept before and returns it (null when the edit has none).
  JActionData* Do(JActionData* record);
  bool GetCanUndo() const { return FStored != nullptr; }
  // Runs the kept reversal, if any.
  void Undo();

  // Shows the caption of the action last run and is enabled by Do (not owned).
  TAction* GetUndoAction() const { return FUndoAction; }
  void SetUndoAction(TAction* action);
  void Notification(TComponent* component, TOperation operation) override;

private:
  std::unique_ptr<JActionData> FStored;
  TAction* FUndoAction = nullptr;
};
