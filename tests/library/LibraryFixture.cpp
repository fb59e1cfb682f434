#include "library/LibraryFixture.h"

namespace {
// A record of typed text; its reversal removes the same text again.
struct TTypeData : JActionData {
  TTypeData(JAction* action, std::string text, bool remove)
      : JActionData(action), Text(std::move(text)), Remove(remove) {}
  std::string Text;
  bool Remove;
};
}  // namespace

void TLibraryForm::TypeDo(JActionData* data, pJActionData reversal) {
  auto* typed = static_cast<TTypeData*>(data);
  if (typed->Remove)
    Document.erase(Document.size() - typed->Text.size());
  else
    Document += typed->Text;
  *reversal = new TTypeData(data->Action, typed->Text, !typed->Remove);
}

JActionData* MakeTypeData(JAction* action, const std::string& text) {
  return new TTypeData(action, text, false);
}
