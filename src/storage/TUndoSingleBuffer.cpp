#include "storage/TUndoSingleBuffer.h"

#include "toolkit/stdctrls/TAction.h"

TUndoSingleBuffer::TUndoSingleBuffer(TComponent* owner) : TComponent(owner) {}

TUndoSingleBuffer::~TUndoSingleBuffer() = default;

void TUndoSingleBuffer::SetUndoAction(TAction* action) {
  if (action == FUndoAction) return;
  if (FUndoAction) FUndoAction->RemoveFreeNotification(this);
  FUndoAction = action;
  if (action) action->FreeNotification(this);
}

JActionData* TUndoSingleBuffer::Do(JActionData* record) {
  JActionData* reversal = RunActionData(record);
  if (FUndoAction) {
    FUndoAction->SetCaption(record->Action->Caption);
    FUndoAction->SetEnabled(true);
  }
  // The record just run may be the one kept until now (Undo): it goes only after its use.
  FStored.reset(reversal);
  return reversal;
}

void TUndoSingleBuffer::Undo() {
  // Do destroys the kept record only after running it; when its handler raises, the
  // record stays kept.
  if (GetCanUndo()) Do(FStored.get());
}

void TUndoSingleBuffer::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FUndoAction) FUndoAction = nullptr;
}
