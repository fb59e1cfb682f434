#pragma once

// Undo without a depth limit: the buffer keeps a stack of the reversals of the records
// it ran and undoes them last first. Undoing keeps no redo.

#include <deque>
#include <memory>

#include "storage/JAction.h"

class TAction;

// Last in, first out; the stack owns its records.
class TUndoStack {
public:
  bool Empty() const { return FItems.empty(); }
  size_t Size() const { return FItems.size(); }
  void Push(std::unique_ptr<JActionData> record) { FItems.push_back(std::move(record)); }
  std::unique_ptr<JActionData> Pop();
  void Clear() { FItems.clear(); }

private:
  std::deque<std::unique_ptr<JActionData>> FItems;
};

class TUndoMultiBuffer : public TComponent {
public:
  explicit TUndoMultiBuffer(TComponent* owner);
  ~TUndoMultiBuffer() override;
  const char* ClassName() const override { return "TUndoMultiBuffer"; }

  // Runs record (which stays the caller's) and pushes its reversal; an edit without a
  // reversal pushes nothing. Returns the reversal (owned by the buffer) or null.
  JActionData* Do(JActionData* record);
  bool GetCanUndo() const { return !FStack.Empty(); }
  // Pops the last reversal and runs it; after the last one UndoAction reads
  // "Can't undo" and is disabled.
  void Undo();
  // Destroys every kept record; UndoAction is not touched.
  void Flush() { FStack.Clear(); }
  size_t Depth() const { return FStack.Size(); }

  TAction* GetUndoAction() const { return FUndoAction; }
  void SetUndoAction(TAction* action);
  void Notification(TComponent* component, TOperation operation) override;

private:
  TUndoStack FStack;
  TAction* FUndoAction = nullptr;
};
