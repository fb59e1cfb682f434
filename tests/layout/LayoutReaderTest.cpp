#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "toolkit/forms/TWinControl.h"
#include "toolkit/layout/ClassRegistry.h"
#include "toolkit/layout/LayoutReader.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::vector<std::string>* gLoadedLog = nullptr;

// A component with one property of every kind, recording what it was given.
class TThing : public TComponent {
public:
  using TComponent::TComponent;
  const char* ClassName() const override { return "TThing"; }
  int Number = 0;
  double Ratio = 0;
  bool Flag = false;
  std::string Text;
  TColor Colour = clNone;
  TCursor Pointer = 0;
  int Mode = -1;
  uint32_t Bits = 0;
  std::vector<std::string> Lines;
  TFont Font;
  TNotifyEvent OnPing;
  TMouseEvent OnPoke;
  TThing* Buddy = nullptr;
  bool LoadingWhileSet = false;
  void Loaded() override {
    TComponent::Loaded();
    if (gLoadedLog) gLoadedLog->push_back(Name());
  }
};

class TThingHolder : public TThing {
public:
  using TThing::TThing;
  const char* ClassName() const override { return "TThingHolder"; }
  int Extra = 0;
};

class TRoot : public TComponent, public TPublishedMethods {
public:
  explicit TRoot(TComponent* owner = nullptr) : TComponent(owner) {
    PublishMethod("PingHandler", this, &TRoot::PingHandler);
    PublishMethod("PokeHandler", this, &TRoot::PokeHandler);
  }
  const char* ClassName() const override { return "TRoot"; }
  void PingHandler(TObject* sender) { Pings.push_back(sender); }
  void PokeHandler(TObject*, TMouseButton, TShiftState, int x, int y) { Pokes += x + y; }
  void Loaded() override {
    TComponent::Loaded();
    if (gLoadedLog) gLoadedLog->push_back("root");
  }
  std::vector<TObject*> Pings;
  int Pokes = 0;
};

const TLayoutNames Modes = {{"mdOne", 1}, {"mdTwo", 2}};
const TLayoutNames BitNames = {{"bA", 1}, {"bB", 2}, {"bC", 4}};

void RegisterTestClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterStandardClasses();
  ClassRegistry().Register<TRoot>("TRoot", "TComponent");
  ClassRegistry()
      .Register<TThing>("TThing", "TComponent")
      .Integer("Number",
               [](TThing& t, int v) {
                 t.Number = v;
                 t.LoadingWhileSet = t.IsLoading();
               })
      .Float("Ratio", [](TThing& t, double v) { t.Ratio = v; })
      .Boolean("Flag", [](TThing& t, bool v) { t.Flag = v; })
      .String("Text", [](TThing& t, const std::string& v) { t.Text = v; })
      .Color("Colour", [](TThing& t, TColor v) { t.Colour = v; })
      .Cursor("Pointer", [](TThing& t, TCursor v) { t.Pointer = v; })
      .Enum("Mode", Modes, [](TThing& t, int v) { t.Mode = v; })
      .Set("Bits", BitNames, [](TThing& t, uint32_t v) { t.Bits = v; })
      .Strings("Lines.Strings", [](TThing& t, const std::vector<std::string>& v) { t.Lines = v; })
      .Font("Font", [](TThing& t) -> TFont& { return t.Font; })
      .Event<TNotifyEvent>("OnPing", [](TThing& t, TNotifyEvent e) { t.OnPing = e; })
      .Event<TMouseEvent>("OnPoke", [](TThing& t, TMouseEvent e) { t.OnPoke = e; })
      .Reference<TThing>("Buddy", [](TThing& t, TThing* b) { t.Buddy = b; });
  ClassRegistry().Register<TThingHolder>("TThingHolder", "TThing").Integer("Extra", [](TThingHolder& t, int v) {
    t.Extra = v;
  });
}

class LayoutReader : public ::testing::Test {
protected:
  void SetUp() override { RegisterTestClasses(); }
  std::string ErrorOf(const std::string& text) {
    TRoot root;
    try {
      ReadLayout(&root, text);
    } catch (const Exception& e) {
      return e.Message();
    }
    return "no error";
  }
  TThing* Thing(TRoot& root, const char* name) { return dynamic_cast<TThing*>(root.FindComponent(name)); }
};

TEST_F(LayoutReader, SetsValuesOfEveryKind) {
  TRoot root;
  ReadLayout(&root,
             "object Root1: TRoot\n"
             "  object A: TThingHolder\n"
             "    Number = -42\n"
             "    Ratio = 0.5\n"
             "    Flag = True\n"
             "    Text = 'Hello ' +\n"
             "      'there'\n"
             "    Colour = clBtnFace\n"
             "    Pointer = crHandPoint\n"
             "    Mode = mdTwo\n"
             "    Bits = [bA, bC]\n"
             "    Lines.Strings = (\n"
             "      'one'\n"
             "      'two')\n"
             "    Font.Name = 'Tahoma'\n"
             "    Font.Height = -19\n"
             "    Font.Color = $004080FF\n"
             "    Font.Style = [fsBold, fsItalic]\n"
             "    Extra = 7\n"
             "  end\n"
             "end\n");
  EXPECT_EQ(root.Name(), "Root1");
  TThing* a = Thing(root, "A");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->Owner(), &root);
  EXPECT_EQ(a->Number, -42);
  EXPECT_DOUBLE_EQ(a->Ratio, 0.5);
  EXPECT_TRUE(a->Flag);
  EXPECT_EQ(a->Text, "Hello there");
  EXPECT_EQ(a->Colour, clBtnFace);
  EXPECT_EQ(a->Pointer, crHandPoint);
  EXPECT_EQ(a->Mode, 2);
  EXPECT_EQ(a->Bits, 5u);
  EXPECT_THAT(a->Lines, ElementsAre("one", "two"));
  EXPECT_EQ(a->Font.Height(), -19);
  EXPECT_EQ(a->Font.Color(), 0x4080FF);
  EXPECT_EQ(a->Font.Style(), fsBold | fsItalic);
  EXPECT_EQ(static_cast<TThingHolder*>(a)->Extra, 7);
}

TEST_F(LayoutReader, ErrorsNameTheLineAndTheProperty) {
  EXPECT_EQ(ErrorOf("object R: TRoot\n  object A: TThing\n    Number = 1\n    Foo = 2\n  end\nend"),
            "Layout line 4: unknown property 'Foo' of TThing");
  EXPECT_EQ(ErrorOf("object R: TRoot\n  object A: TThing\n\n    Number = 'x'\n  end\nend"),
            "Layout line 4: property 'Number' of TThing: integer expected");
  EXPECT_EQ(ErrorOf("object R: TRoot\n  object A: TThing\n    Mode = mdThree\n  end\nend"),
            "Layout line 3: property 'Mode' of TThing: unknown value 'mdThree'");
  EXPECT_EQ(ErrorOf("object R: TRoot\n  object A: TThing\n    Colour = clPink\n  end\nend"),
            "Layout line 3: property 'Colour' of TThing: unknown colour 'clPink'");
  EXPECT_EQ(ErrorOf("object R: TRoot\n  object A: TThing\n    Bits = [bA, bZ]\n  end\nend"),
            "Layout line 3: property 'Bits' of TThing: unknown set element 'bZ'");
  EXPECT_EQ(ErrorOf("object R: TRoot\n  object A: TWidget\n  end\nend"), "Layout line 2: unknown class TWidget");
  EXPECT_EQ(ErrorOf("object R: TRoot\n  object A: TThing\n  end\n  object a: TThing\n  end\nend"),
            "Layout line 4: A component named a already exists");
  // The root must be of the declared class.
  EXPECT_THAT(ErrorOf("object R: TThing\nend"), HasSubstr("Layout line 1: the root component is a TRoot"));
  // Properties of a subclass are not known to its parent class.
  EXPECT_EQ(ErrorOf("object R: TRoot\n  object A: TThing\n    Extra = 1\n  end\nend"),
            "Layout line 3: unknown property 'Extra' of TThing");
}

TEST_F(LayoutReader, BindsEventsToPublishedHandlersByName) {
  TRoot root;
  ReadLayout(&root,
             "object R: TRoot\n"
             "  object A: TThing\n"
             "    OnPing = PingHandler\n"
             "    OnPoke = pokehandler\n"  // letter case ignored, as for component names
             "  end\n"
             "end\n");
  TThing* a = Thing(root, "A");
  ASSERT_TRUE(a->OnPing);
  a->OnPing(a);
  EXPECT_THAT(root.Pings, ElementsAre(a));
  a->OnPoke(a, mbLeft, 0, 3, 4);
  EXPECT_EQ(root.Pokes, 7);

  EXPECT_EQ(ErrorOf("object R: TRoot\n  object A: TThing\n    OnPing = Missing\n  end\nend"),
            "Layout line 3: property 'OnPing' of TThing: unknown handler 'Missing'");
  EXPECT_EQ(ErrorOf("object R: TRoot\n  object A: TThing\n    OnPing = PokeHandler\n  end\nend"),
            "Layout line 3: property 'OnPing' of TThing: handler 'PokeHandler' does not fit this event");
  EXPECT_THAT(ErrorOf("object R: TRoot\n  object A: TThing\n    OnPing = 'PingHandler'\n  end\nend"),
              HasSubstr("identifier expected"));
}

TEST_F(LayoutReader, ComponentsAreLoadingWhileReadAndLoadedAfterwardsInOrder) {
  std::vector<std::string> log;
  gLoadedLog = &log;
  TRoot root;
  ReadLayout(&root,
             "object R: TRoot\n"
             "  object B: TThing\n"
             "    Number = 1\n"
             "    object C: TThing\n"
             "      Number = 2\n"
             "    end\n"
             "  end\n"
             "  object A: TThing\n"
             "    Number = 3\n"
             "  end\n"
             "end\n");
  gLoadedLog = nullptr;
  EXPECT_THAT(log, ElementsAre("root", "B", "C", "A"));
  for (const char* name : {"A", "B", "C"}) {
    EXPECT_TRUE(Thing(root, name)->LoadingWhileSet) << name;
    EXPECT_FALSE(Thing(root, name)->IsLoading()) << name;
  }
  EXPECT_FALSE(root.IsLoading());
}

TEST_F(LayoutReader, AFailedReadLeavesNoComponentLoading) {
  TRoot root;
  EXPECT_THROW(ReadLayout(&root, "object R: TRoot\n  object A: TThing\n  end\n  object B: TThing\n  Foo = 1\nend\nend"),
               Exception);
  ASSERT_NE(Thing(root, "A"), nullptr);
  EXPECT_FALSE(Thing(root, "A")->IsLoading());
  EXPECT_FALSE(root.IsLoading());
}

TEST_F(LayoutReader, ReferencesResolveAfterTheLastObject) {
  TRoot root;
  ReadLayout(&root,
             "object R: TRoot\n"
             "  object A: TThing\n"
             "    Buddy = B\n"
             "  end\n"
             "  object B: TThing\n"
             "  end\n"
             "end\n");
  EXPECT_EQ(Thing(root, "A")->Buddy, Thing(root, "B"));
  EXPECT_EQ(ErrorOf("object R: TRoot\n  object A: TThing\n    Buddy = Nobody\n  end\nend"),
            "Layout line 3: property 'Buddy' of TThing: unknown component 'Nobody'");
  EXPECT_EQ(ErrorOf("object R: TRoot\n  object A: TThing\n    Buddy = R\n  end\nend"),
            "Layout line 3: property 'Buddy' of TThing: component 'R' is a TRoot");
}

TEST_F(LayoutReader, InheritedObjectsChangeExistingComponents) {
  TRoot root;
  auto* existing = new TThing(&root);
  existing->SetName("Old");
  ReadLayout(&root, "inherited R: TRoot\n  inherited Old: TThing\n    Number = 5\n  end\nend\n");
  EXPECT_EQ(existing->Number, 5);
  EXPECT_EQ(root.ComponentCount(), 1);
  EXPECT_EQ(ErrorOf("inherited R: TRoot\n  inherited Gone: TThing\n  end\nend"),
            "Layout line 2: inherited component 'Gone' does not exist");
}

TEST_F(LayoutReader, ControlsNestedInWindowedControlsGetThatParent) {
  TRoot root;
  ReadLayout(&root,
             "object R: TRoot\n"
             "  object Outer: TWinControl\n"
             "    Left = 10\n"
             "    Width = 200\n"
             "    Align = alNone\n"
             "    object Inner: TControl\n"
             "      Left = 3\n"
             "      Cursor = crCross\n"
             "    end\n"
             "    object Stray: TThing\n"  // not a control: only owned
             "    end\n"
             "  end\n"
             "end\n");
  auto* outer = dynamic_cast<TWinControl*>(root.FindComponent("Outer"));
  auto* inner = dynamic_cast<TControl*>(root.FindComponent("Inner"));
  ASSERT_TRUE(outer && inner);
  EXPECT_EQ(inner->Parent(), outer);
  EXPECT_EQ(inner->Owner(), &root);
  EXPECT_EQ(inner->Left(), 3);
  EXPECT_EQ(inner->Cursor(), crCross);
  EXPECT_EQ(outer->Width(), 200);
  EXPECT_EQ(Thing(root, "Stray")->Owner(), &root);
  EXPECT_THAT(ErrorOf("object R: TRoot\n  object C: TControl\n    object D: TControl\n    end\n  end\nend"),
              HasSubstr("Layout line 3: a TControl cannot hold the control D"));
}

}  // namespace
