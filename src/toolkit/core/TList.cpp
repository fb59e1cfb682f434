#include "toolkit/core/TList.h"

#include <algorithm>

#include "toolkit/core/Types.h"

namespace {
[[noreturn]] void IndexError(int index) {
  throw Exception(Format("List index out of bounds (%d)", index));
}
}  // namespace

void* TList::Items(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
  return FItems[size_t(index)];
}

void TList::SetItems(int index, void* item) {
  if (index < 0 || index >= Count()) IndexError(index);
  FItems[size_t(index)] = item;
}

int TList::Add(void* item) {
  FItems.push_back(item);
  return Count() - 1;
}

void TList::Insert(int index, void* item) {
  if (index < 0 || index > Count()) IndexError(index);
  FItems.insert(FItems.begin() + index, item);
}

void TList::Delete(int index) {
  if (index < 0 || index >= Count()) IndexError(index);
  FItems.erase(FItems.begin() + index);
}

int TList::Remove(void* item) {
  int index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

int TList::IndexOf(const void* item) const {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : int(it - FItems.begin());
}
