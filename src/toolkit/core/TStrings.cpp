#include "toolkit/core/TStrings.h"

#include <algorithm>

namespace {

// Windows-1252 lower-case mapping for the letters that have case.
unsigned char FoldCase(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  switch (c) {
    case 0x8A:
      return 0x9A;  // S caron
    case 0x8C:
      return 0x9C;  // OE
    case 0x8E:
      return 0x9E;  // Z caron
    case 0x9F:
      return 0xFF;  // Y diaeresis
    default:
      return c;
  }
}

}  // namespace

int AnsiCompareText(const std::string& a, const std::string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int d = int(FoldCase(uint8_t(a[i]))) - int(FoldCase(uint8_t(b[i])));
    if (d != 0) return d;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool AnsiSameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && AnsiCompareText(a, b) == 0;
}

// ---- TStrings

void TStrings::SetStrings(int index, const std::string& s) {
  TObject* object = Objects(index);
  BeginUpdate();
  Delete(index);
  InsertObject(index, s, object);
  EndUpdate();
}

int TStrings::AddObject(const std::string& s, TObject* object) {
  int index = Count();
  InsertObject(index, s, object);
  return index;
}

void TStrings::AddStrings(const TStrings& other) {
  BeginUpdate();
  for (int i = 0; i < other.Count(); ++i) AddObject(other.Strings(i), other.Objects(i));
  EndUpdate();
}

void TStrings::Exchange(int a, int b) {
  std::string sa = Strings(a), sb = Strings(b);
  TObject *oa = Objects(a), *ob = Objects(b);
  BeginUpdate();
  SetStrings(a, sb);
  SetObjects(a, ob);
  SetStrings(b, sa);
  SetObjects(b, oa);
  EndUpdate();
}

void TStrings::Move(int from, int to) {
  if (from == to) return;
  std::string s = Strings(from);
  TObject* o = Objects(from);
  if (to < 0 || to >= Count()) IndexError(to);
  BeginUpdate();
  Delete(from);
  InsertObject(to, s, o);
  EndUpdate();
}

int TStrings::IndexOf(const std::string& s) const {
  for (int i = 0; i < Count(); ++i)
    if (AnsiSameText(Strings(i), s)) return i;
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  for (int i = 0; i < Count(); ++i)
    if (Objects(i) == object) return i;
  return -1;
}

std::string TStrings::Text() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    out += Strings(i);
    out += "\r\n";
  }
  return out;
}

void TStrings::SetText(const std::string& text) {
  BeginUpdate();
  Clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      Add(text.substr(start));
      break;
    }
    Add(text.substr(start, end - start));
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  EndUpdate();
}

std::string TStrings::CommaText() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    if (i) out += ',';
    std::string s = Strings(i);
    bool quote = s.empty() || s.find_first_of(" ,\"") != std::string::npos;
    if (!quote) {
      out += s;
      continue;
    }
    out += '"';
    for (char c : s) {
      if (c == '"') out += '"';
      out += c;
    }
    out += '"';
  }
  return out;
}

void TStrings::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TStrings*>(source);
  if (!other) return TPersistent::Assign(source);
  if (other == this) return;
  BeginUpdate();
  Clear();
  AddStrings(*other);
  EndUpdate();
}

void TStrings::BeginUpdate() {
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount == 0) return;
  if (--FUpdateCount == 0 && FChangedInUpdate) {
    FChangedInUpdate = false;
    DoChange();
  }
}

void TStrings::Changed() {
  if (FUpdateCount > 0) {
    FChangedInUpdate = true;
    return;
  }
  DoChange();
}

void TStrings::DoChange() {
  if (OnChange) OnChange(this);
}

void TStrings::IndexError(int index) {
  throw Exception(Format("List index out of bounds (%d)", index));
}

// ---- TStringList

TStringList::TStringList(const TStringList& other)
    : TStrings(), Duplicates(other.Duplicates), FItems(other.FItems), FSorted(other.FSorted) {}

TStringList& TStringList::operator=(const TStringList& other) {
  if (this != &other) {
    FItems = other.FItems;
    FSorted = other.FSorted;
    Duplicates = other.Duplicates;
    Changed();
  }
  return *this;
}

std::string TStringList::Strings(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
  return FItems[size_t(index)].Text;
}

void TStringList::SetStrings(int index, const std::string& s) {
  if (FSorted) throw Exception("Operation not allowed on sorted list");
  if (index < 0 || index >= Count()) IndexError(index);
  FItems[size_t(index)].Text = s;
  Changed();
}

TObject* TStringList::Objects(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
  return FItems[size_t(index)].Object;
}

void TStringList::SetObjects(int index, TObject* object) {
  if (index < 0 || index >= Count()) IndexError(index);
  FItems[size_t(index)].Object = object;
  Changed();
}

int TStringList::AddObject(const std::string& s, TObject* object) {
  if (!FSorted) {
    FItems.push_back({s, object});
    Changed();
    return Count() - 1;
  }
  int index = 0;
  if (Find(s, index)) {
    if (Duplicates == dupIgnore) return index;
    if (Duplicates == dupError) throw Exception("String list does not allow duplicates");
  }
  FItems.insert(FItems.begin() + index, TItem{s, object});
  Changed();
  return index;
}

void TStringList::InsertObject(int index, const std::string& s, TObject* object) {
  if (FSorted) throw Exception("Operation not allowed on sorted list");
  if (index < 0 || index > Count()) IndexError(index);
  FItems.insert(FItems.begin() + index, TItem{s, object});
  Changed();
}

void TStringList::Delete(int index) {
  if (index < 0 || index >= Count()) IndexError(index);
  FItems.erase(FItems.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  FItems.clear();
  Changed();
}

int TStringList::IndexOf(const std::string& s) const {
  if (!FSorted) return TStrings::IndexOf(s);
  int index = 0;
  return Find(s, index) ? index : -1;
}

void TStringList::SetSorted(bool sorted) {
  if (sorted == FSorted) return;
  if (sorted) Sort();
  FSorted = sorted;
}

void TStringList::Sort() {
  std::stable_sort(FItems.begin(), FItems.end(),
                   [](const TItem& a, const TItem& b) { return AnsiCompareText(a.Text, b.Text) < 0; });
  Changed();
}

bool TStringList::Find(const std::string& s, int& index) const {
  // Lower bound: the first entry not less than s.
  auto it = std::lower_bound(FItems.begin(), FItems.end(), s, [](const TItem& item, const std::string& key) {
    return AnsiCompareText(item.Text, key) < 0;
  });
  index = int(it - FItems.begin());
  return it != FItems.end() && AnsiCompareText(it->Text, s) == 0;
}
