#pragma once

// Lists of 8-bit strings, each with an optional associated object.
// TStrings is the interface controls expose (a list box's Items); TStringList is
// the ordinary stand-alone list. Indexes outside the list raise
// Exception("List index out of bounds (%d)").

#include <string>
#include <vector>

#include "toolkit/core/TComponent.h"

enum TDuplicates : uint8_t { dupIgnore, dupAccept, dupError };

// Compares two Windows-1252 strings ignoring letter case (ASCII and the accented
// Latin letters fold); <0, 0 or >0 like strcmp.
int AnsiCompareText(const std::string& a, const std::string& b);
bool AnsiSameText(const std::string& a, const std::string& b);

class TStrings : public TPersistent {
public:
  const char* ClassName() const override { return "TStrings"; }

  virtual int Count() const = 0;
  // The string at index; raises "List index out of bounds (%d)" outside [0, Count).
  virtual std::string Strings(int index) const = 0;
  virtual void SetStrings(int index, const std::string& s);
  std::string operator[](int index) const { return Strings(index); }
  virtual TObject* Objects(int index) const = 0;
  virtual void SetObjects(int index, TObject* object) = 0;

  // Appends (or, in a sorted list, inserts in order) and returns the new index.
  virtual int Add(const std::string& s) { return AddObject(s, nullptr); }
  virtual int AddObject(const std::string& s, TObject* object);
  void AddStrings(const TStrings& other);
  virtual void Insert(int index, const std::string& s) { InsertObject(index, s, nullptr); }
  virtual void InsertObject(int index, const std::string& s, TObject* object) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  void Exchange(int a, int b);
  void Move(int from, int to);

  // First index of s, letter case ignored; -1 when absent.
  virtual int IndexOf(const std::string& s) const;
  int IndexOfObject(const TObject* object) const;

  // All strings, each followed by a line break ("\r\n"). Setting splits at
  // "\r\n", "\n" or "\r"; a final line without a break still counts.
  std::string Text() const;
  void SetText(const std::string& text);
  // Comma-separated; items containing spaces, commas or quotes are double-quoted.
  std::string CommaText() const;

  // Copies the strings and objects of another TStrings.
  void Assign(TPersistent* source) override;

  // Changes between BeginUpdate and the matching EndUpdate notify once, at the end.
  void BeginUpdate();
  void EndUpdate();

  // Runs after every change (not during an update).
  TNotifyEvent OnChange;

protected:
  // Subclasses call Changed() after each modification; it calls DoChange() unless updating.
  void Changed();
  virtual void DoChange();
  [[noreturn]] static void IndexError(int index);

private:
  int FUpdateCount = 0;
  bool FChangedInUpdate = false;
};

class TStringList : public TStrings {
public:
  TStringList() = default;
  TStringList(const TStringList& other);
  TStringList& operator=(const TStringList& other);
  const char* ClassName() const override { return "TStringList"; }

  int Count() const override { return int(FItems.size()); }
  std::string Strings(int index) const override;
  void SetStrings(int index, const std::string& s) override;
  TObject* Objects(int index) const override;
  void SetObjects(int index, TObject* object) override;
  int AddObject(const std::string& s, TObject* object) override;
  // Raises "Operation not allowed on sorted list" when Sorted.
  void InsertObject(int index, const std::string& s, TObject* object) override;
  void Delete(int index) override;
  void Clear() override;
  int IndexOf(const std::string& s) const override;

  // A sorted list keeps its strings in AnsiCompareText order; Add inserts in place.
  bool Sorted() const { return FSorted; }
  void SetSorted(bool sorted);
  // How Add treats a string already present in a sorted list (dupError raises
  // "String list does not allow duplicates").
  TDuplicates Duplicates = dupIgnore;
  void Sort();
  // Binary search of a sorted list: true when found; index is the match or the insertion point.
  bool Find(const std::string& s, int& index) const;

private:
  struct TItem {
    std::string Text;
    TObject* Object = nullptr;
  };
  std::vector<TItem> FItems;
  bool FSorted = false;
};
