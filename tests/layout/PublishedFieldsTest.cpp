// A form's published fields bound by name from one table: every field set, and a
// missing component or one of another class named in the error.

#include <gtest/gtest.h>

#include "toolkit/layout/TPublishedFields.h"
#include "toolkit/stdctrls/TLabel.h"
#include "toolkit/stdctrls/TPanel.h"

namespace {

class TFieldsRoot : public TComponent {
public:
  using TComponent::TComponent;
  TPanel* Panel1 = nullptr;
  TLabel* Caption = nullptr;
  TLabel* Note = nullptr;
};

using TFields = TPublishedFields<TFieldsRoot, TPanel, TLabel>;
constexpr TFields::TEntry Fields[] = {
    {"Panel1", &TFieldsRoot::Panel1},
    {"Caption", &TFieldsRoot::Caption},
    {"Note", &TFieldsRoot::Note},
};

template <class T>
T* Make(TComponent* owner, const char* name) {
  auto* c = new T(owner);
  c->SetName(name);
  return c;
}

std::string BindError(TFieldsRoot& root) {
  try {
    TFields::Bind(root, Fields);
  } catch (const Exception& e) {
    return e.Message();
  }
  return "no error";
}

}  // namespace

TEST(PublishedFields, EveryFieldPointsAtTheComponentOfItsNameIgnoringCase) {
  TFieldsRoot root(nullptr);
  TPanel* panel = Make<TPanel>(&root, "PANEL1");
  TLabel* caption = Make<TLabel>(&root, "Caption");
  TLabel* note = Make<TLabel>(&root, "note");
  EXPECT_EQ(BindError(root), "no error");
  EXPECT_EQ(root.Panel1, panel);
  EXPECT_EQ(root.Caption, caption);
  EXPECT_EQ(root.Note, note);
  EXPECT_EQ(TFields::Find<TLabel>(root, "Note"), note);
}

TEST(PublishedFields, AMissingComponentOrOneOfAnotherClassIsNamed) {
  TFieldsRoot missing(nullptr);
  Make<TPanel>(&missing, "Panel1");
  Make<TLabel>(&missing, "Note");
  EXPECT_EQ(BindError(missing), "The window layout has no Caption");
  EXPECT_NE(missing.Panel1, nullptr) << "the fields before the missing one are set";
  EXPECT_EQ(missing.Note, nullptr);

  TFieldsRoot wrongClass(nullptr);
  Make<TPanel>(&wrongClass, "Panel1");
  Make<TPanel>(&wrongClass, "Caption");
  Make<TLabel>(&wrongClass, "Note");
  EXPECT_EQ(BindError(wrongClass), "The window layout has no Caption");
  EXPECT_THROW(TFields::Find<TLabel>(wrongClass, "Panel1"), Exception);
}
