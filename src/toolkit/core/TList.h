#pragma once

// An ordered list of untyped pointers that owns nothing. Indexes outside the list
// raise Exception("List index out of bounds (%d)").

#include <vector>

class TList {
public:
  int Count() const { return int(FItems.size()); }
  void* Items(int index) const;
  void SetItems(int index, void* item);
  int Add(void* item);
  void Insert(int index, void* item);
  void Delete(int index);
  // Removes the first occurrence of item and returns its former index, or -1.
  int Remove(void* item);
  int IndexOf(const void* item) const;
  void Clear() { FItems.clear(); }
  void* First() const { return Items(0); }
  void* Last() const { return Items(Count() - 1); }

private:
  std::vector<void*> FItems;
};
