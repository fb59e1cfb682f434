#include "storage/TUndoMultiBuffer.h"

#include "toolkit/stdctrls/TAction.h"

std::unique_ptr<JActionData> TUndoStack::Pop() {
  if (FItems.empty()) return nullptr;
  std::unique_ptr<JActionData> top = std::move(FItems.back());
  FItems.pop_back();
  return top;
}

TUndoMultiBuffer::TUndoMultiBuffer(TComponent* owner) : TComponent(owner) {}

TUndoMultiBuffer::~TUndoMultiBuffer() {
  Flush();
}

void TUndoMultiBuffer::SetUndoAction(TAction* action) {
  if (action == FUndoAction) return;
  if (FUndoAction) FUndoAction->RemoveFreeNotification(this);
  FUndoAction = action;
  if (action) action->FreeNotification(this);
}

JActionData* TUndoMultiBuffer::Do(JActionData* record) {
  JActionData* reversal = RunActionData(record);
  if (FUndoAction) {
    FUndoAction->SetCaption(record->Action->Caption);
    FUndoAction->SetEnabled(true);
  }
  if (reversal) FStack.Push(std::unique_ptr<JActionData>(reversal));
  return reversal;
}

void TUndoMultiBuffer::Undo() {
  if (FStack.Empty()) return;
  // Taken off first: when its handler raises, the record is gone, not put back.
  std::unique_ptr<JActionData> record = FStack.Pop();
  std::unique_ptr<JActionData> reversal(RunActionData(record.get()));
  if (FUndoAction) {
    FUndoAction->SetCaption(record->Action->Caption);
    FUndoAction->SetEnabled(true);
  }
  if (FStack.Empty() && FUndoAction) {
    FUndoAction->SetCaption("Can't undo");
    FUndoAction->SetEnabled(false);
  }
}

void TUndoMultiBuffer::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FUndoAction) FUndoAction = nullptr;
}
