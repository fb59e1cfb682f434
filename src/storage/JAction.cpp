#include "storage/JAction.h"

JActionData* RunActionData(JActionData* record) {
  if (!record || !record->Action) throw Exception("The undo record names no action");
  if (!record->Action->OnDo)
    throw Exception(Format("The action %s has no OnDo handler", record->Action->Caption.c_str()));
  JActionData* reversal = nullptr;
  record->Action->OnDo(record, &reversal);
  return reversal;
}
