// The toolkit pieces the library stands on: menu items, actions, static text, the
// edit's keys, and the combo box's search, sorting and keys, declared in a layout.

#include "library/LibraryFixture.h"
#include "toolkit/graphics/TImageList.h"
#include "toolkit/stdctrls/TAction.h"
#include "toolkit/stdctrls/TCustomComboBox.h"
#include "toolkit/stdctrls/TCustomEdit.h"
#include "toolkit/stdctrls/TMenuItem.h"
#include "toolkit/stdctrls/TStaticText.h"

namespace {

TEST(MenuItem, SubmenusInsertRemoveAndIndex) {
  TComponent owner(nullptr);
  auto* menu = new TMenuItem(&owner);
  auto* a = new TMenuItem(&owner);
  auto* b = new TMenuItem(&owner);
  auto* c = new TMenuItem(&owner);
  menu->Add(a);
  menu->Add(c);
  menu->Insert(1, b);
  EXPECT_EQ(menu->IndexOf(b), 1);
  EXPECT_EQ(c->MenuIndex(), 2);
  EXPECT_EQ(b->Parent(), menu);
  EXPECT_THROW(menu->Add(b), Exception);  // already in a menu
  EXPECT_THROW(b->Add(menu), Exception);  // its own ancestor
  EXPECT_THROW(menu->Insert(9, new TMenuItem(&owner)), Exception);
  c->SetMenuIndex(0);
  EXPECT_EQ(menu->Items(0), c);
  menu->Remove(a);
  EXPECT_EQ(a->Parent(), nullptr);
  EXPECT_EQ(menu->Count(), 2);
  EXPECT_THROW(menu->Items(2), Exception);

  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  b->Click();
  b->SetEnabled(false);
  b->Click();
  EXPECT_EQ(clicks, 1);
  // A destroyed menu takes the entries still in it; an entry destroyed alone leaves it.
  delete c;
  EXPECT_EQ(menu->Count(), 1);
  delete menu;
  EXPECT_EQ(owner.ComponentCount(), 2);  // a and the stray item
}

class PiecesTest : public LibraryTest {
protected:
  void SetUp() override {
    LibraryTest::SetUp();
    Application->CreateForm(Form);
    // The image list comes from code: the action's reference finds it by name.
    (new TImageList(Form))->SetName("Images");
    ReadLayout(Form, R"(object F: TLibraryForm
  Color = clBtnFace
  object Save: TAction
    Caption = '&Save'
    ImageIndex = 3
    Images = Images
    Enabled = False
  end
  object Note: TStaticText
    Left = 8
    Top = 8
    Width = 60
    Height = 17
    Caption = 'Name:'
    Alignment = taRightJustify
    BorderStyle = sbsSunken
  end
  object Name: TCustomEdit
    Left = 8
    Top = 30
    Width = 100
    Height = 21
    Text = 'abc'
    MaxLength = 5
    CharCase = ecUpperCase
    OnChange = ComboChange
  end
  object Fruit: TCustomComboBox
    Left = 8
    Top = 60
    Width = 120
    Sorted = True
    Items.Strings = (
      'pear'
      'Apple'
      'fig')
    ItemIndex = 1
  end
end
)");
    Form->SetClientSize(200, 140);
  }
  TLibraryForm* Form = nullptr;
};

TEST_F(PiecesTest, LayoutDeclaresActionsStaticTextEditAndCombo) {
  auto* save = Form->Find<TAction>("Save");
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(save->Caption(), "&Save");
  EXPECT_EQ(save->ImageIndex(), 3);
  EXPECT_EQ(save->Images(), Form->Find<TImageList>("Images"));
  EXPECT_FALSE(save->Execute());
  auto* note = Form->Find<TStaticText>("Note");
  EXPECT_EQ(note->Alignment(), taRightJustify);
  EXPECT_EQ(note->BorderStyle(), sbsSunken);
  EXPECT_EQ(note->Width(), 60);
  auto* name = Form->Find<TCustomEdit>("Name");
  EXPECT_EQ(name->Text(), "ABC");
  EXPECT_EQ(name->MaxLength(), 5);
  auto* fruit = Form->Find<TCustomComboBox>("Fruit");
  EXPECT_EQ(fruit->Items()->CommaText(), "Apple,fig,pear");
  EXPECT_EQ(fruit->Text(), "fig");  // ItemIndex 1 of the sorted items
  EXPECT_EQ(fruit->IndexOf("APPLE"), 0);
  EXPECT_EQ(fruit->IndexOf("App"), -1);  // whole text only
  EXPECT_EQ(fruit->ItemIndex(), 1);
  fruit->SetSorted(false);
  fruit->Items()->Add("banana");
  EXPECT_EQ(fruit->Items()->Strings(3), "banana");
  // Destroying the image list leaves the action without one.
  delete Form->Find<TImageList>("Images");
  EXPECT_EQ(save->Images(), nullptr);
}

TEST_F(PiecesTest, EditKeysAndCharCase) {
  Form->Show();
  auto* name = Form->Find<TCustomEdit>("Name");
  name->SetFocus();
  Backend.Key(VK_END);
  Backend.Char("de");
  Run();
  EXPECT_EQ(name->Text(), "ABCDE");
  Backend.Char("f");  // MaxLength 5
  Run();
  EXPECT_EQ(name->Text(), "ABCDE");
  Backend.Key(VK_HOME);
  Backend.Key(VK_RIGHT, platform::psShift);
  Backend.Key(VK_RIGHT, platform::psShift);
  Run();
  EXPECT_EQ(name->SelText(), "AB");
  Backend.Key(VK_DELETE);
  Run();
  EXPECT_EQ(name->Text(), "CDE");
  EXPECT_EQ(name->CaretPos(), 0);
  Backend.Key(VK_BACK);  // nothing before the caret
  Run();
  EXPECT_EQ(name->Text(), "CDE");
  name->SetReadOnly(true);
  Backend.Char("x");
  Run();
  EXPECT_EQ(name->Text(), "CDE");
  EXPECT_TRUE(name->WindowParams().Style & ES_READONLY);
}

TEST_F(PiecesTest, ComboKeysChooseItemsAndTheListCloses) {
  Form->Show();
  auto* fruit = Form->Find<TCustomComboBox>("Fruit");
  TLog events;
  fruit->OnSelect = [&](TObject*) { events.push_back("Select " + fruit->Text()); };
  fruit->OnDropDown = [&](TObject*) { events.push_back("DropDown"); };
  fruit->OnCloseUp = [&](TObject*) { events.push_back("CloseUp"); };
  fruit->SetFocus();
  Backend.Key(VK_DOWN);  // fig -> pear
  Run();
  EXPECT_EQ(fruit->Text(), "pear");
  Backend.Key(VK_DOWN, platform::psAlt);  // opens
  Run();
  ASSERT_TRUE(fruit->DroppedDown());
  Backend.Key(VK_UP);
  Backend.Key(VK_RETURN);
  Run();
  EXPECT_FALSE(fruit->DroppedDown());
  EXPECT_EQ(fruit->Text(), "fig");
  fruit->SetDroppedDown(true);
  Backend.Key(VK_ESCAPE);
  Run();
  EXPECT_FALSE(fruit->DroppedDown());
  EXPECT_EQ(events, (TLog{"Select pear", "DropDown", "Select fig", "CloseUp", "DropDown", "CloseUp"}));
  // Losing the focus closes the list.
  fruit->SetDroppedDown(true);
  Form->Find<TCustomEdit>("Name")->SetFocus();
  EXPECT_FALSE(fruit->DroppedDown());
}

}  // namespace
