// TMRUCombo: loading from the registry, UpdateList and its saved layout, and the
// drop-down list on screen.

#include "library/LibraryFixture.h"
#include "storage/TMRUCombo.h"
#include "toolkit/stdctrls/TCustomEdit.h"
#include "toolkit/stdctrls/TListBox.h"

namespace {

const char* const MRUKey = "Software\\Quillaby Software\\Search";

class MRUComboTest : public LibraryTest {
protected:
  TMRUCombo* ReadCombo(const std::string& extra = "") {
    Form = Read(std::string(R"(object F: TLibraryForm
  object Search: TMRUCombo
    Left = 10
    Top = 10
    Width = 150
    Storage.Key = 'Software\Quillaby Software\Search'
    OnChange = ComboChange
)") + extra + "  end\nend\n");
    return Form->Find<TMRUCombo>("Search");
  }
  std::vector<std::string> Items(TMRUCombo& combo) {
    std::vector<std::string> result;
    for (int i = 0; i < combo.Items()->Count(); ++i) result.push_back(combo.Items()->Strings(i));
    return result;
  }
  TLibraryForm* Form = nullptr;
};

TEST_F(MRUComboTest, LoadingSkipsAGapAndShowsTheFirstEntry) {
  StoreDword(MRUKey, "Count", 3);
  StoreString(MRUKey, "0", "alpha");
  StoreString(MRUKey, "2", "gamma");
  TMRUCombo* combo = ReadCombo();
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(Items(*combo), (std::vector<std::string>{"alpha", "gamma"}));
  EXPECT_EQ(combo->Text(), "alpha");
  EXPECT_EQ(combo->EditField()->Text(), "alpha");
  EXPECT_FALSE(combo->GetStorage()->GetIsOpen());
  EXPECT_FALSE(combo->Sorted());
}

TEST_F(MRUComboTest, AnEmptyFirstValueLeavesTheEditEmpty) {
  StoreDword(MRUKey, "Count", 2);
  StoreString(MRUKey, "0", "");
  StoreString(MRUKey, "1", "beta");
  TMRUCombo* combo = ReadCombo("    Text = 'typed'\n");
  EXPECT_EQ(combo->Text(), "");
  EXPECT_EQ(Items(*combo), (std::vector<std::string>{"beta"}));
}

TEST_F(MRUComboTest, ShowLatestOffKeepsTheDeclaredText) {
  StoreDword(MRUKey, "Count", 1);
  StoreString(MRUKey, "0", "alpha");
  TMRUCombo* combo = ReadCombo("    ShowLatest = False\n    Text = 'typed'\n");
  EXPECT_EQ(combo->Text(), "typed");
  EXPECT_EQ(Items(*combo), (std::vector<std::string>{"alpha"}));
}

TEST_F(MRUComboTest, ABlankKeyStartsEmptyOnLoadAndRaisesOnUpdate) {
  Form = Read("object F: TLibraryForm\n  object Search: TMRUCombo\n  end\nend\n");
  auto* combo = Form->Find<TMRUCombo>("Search");
  EXPECT_EQ(combo->Items()->Count(), 0);
  combo->SetText("new");
  try {
    combo->UpdateList();
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot open registry because TJStorage.Key is blank");
  }
  EXPECT_EQ(Items(*combo), (std::vector<std::string>{"new"}));  // appended first
}

TEST_F(MRUComboTest, UpdateListIgnoresLetterCaseAndSavesTheList) {
  StoreDword(MRUKey, "Count", 1);
  StoreString(MRUKey, "0", "Alpha");
  TMRUCombo* combo = ReadCombo();
  combo->SetText("ALPHA");
  combo->UpdateList();
  EXPECT_EQ(Items(*combo), (std::vector<std::string>{"Alpha"}));
  EXPECT_EQ(StoredDword(MRUKey, "Count"), 1u);
  EXPECT_EQ(StoredString(MRUKey, "0"), "Alpha");

  combo->SetText("beta");
  combo->UpdateList();
  EXPECT_EQ(Items(*combo), (std::vector<std::string>{"Alpha", "beta"}));
  EXPECT_EQ(StoredDword(MRUKey, "Count"), 2u);
  EXPECT_EQ(StoredString(MRUKey, "1"), "beta");

  combo->SetText("");
  StoreString(MRUKey, "0", "changed outside");
  combo->UpdateList();  // only saves
  EXPECT_EQ(StoredString(MRUKey, "0"), "Alpha");
  EXPECT_FALSE(combo->GetStorage()->GetIsOpen());
}

TEST_F(MRUComboTest, TwelveEntriesSaveTen) {
  TMRUCombo* combo = ReadCombo();
  for (int i = 0; i < 12; ++i) combo->Items()->Add("entry" + std::to_string(i));
  combo->UpdateList();
  EXPECT_EQ(StoredDword(MRUKey, "Count"), 10u);
  EXPECT_EQ(StoredString(MRUKey, "9"), "entry9");
  EXPECT_FALSE(StoredValue(MRUKey, "10").has_value());
  EXPECT_FALSE(StoredValue(MRUKey, "11").has_value());
}

TEST_F(MRUComboTest, TheListDropsDownAndAChoiceFillsTheEdit) {
  StoreDword(MRUKey, "Count", 3);
  StoreString(MRUKey, "0", "red");
  StoreString(MRUKey, "1", "green");
  StoreString(MRUKey, "2", "blue");
  TMRUCombo* combo = ReadCombo();
  Form->SetClientSize(180, 110);
  Form->SetColor(clBtnFace);
  Form->Show();
  Run();
  Form->Log.clear();
  // A click on the button at the right edge opens the list below the box.
  Backend.Click(platform::TPButton::Left, 10 + 150 - 8, 20);
  Run();
  ASSERT_TRUE(combo->DroppedDown());
  TListBox* list = combo->DropDownList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Top(), 10 + combo->Height());
  EXPECT_EQ(list->ItemIndex(), 0);  // the item shown in the edit
  auto golden = Golden("mrucombo-open", {0, 0, 180, 110});
  EXPECT_TRUE(golden.Matched) << golden.Message;

  // Choosing "blue" puts it into the edit field and closes the list.
  TRect item = list->ItemRect(2);
  Backend.Click(platform::TPButton::Left, list->Left() + item.Left + 5, list->Top() + item.Top + 3);
  Run();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->Text(), "blue");
  EXPECT_EQ(Form->Log, (TLog{"ComboChange"}));

  // Typing goes to the edit field; UpdateList remembers the new text.
  combo->EditField()->SelectAll();
  Backend.Char("cyan");
  Run();
  EXPECT_EQ(combo->Text(), "cyan");
  combo->UpdateList();
  EXPECT_EQ(StoredString(MRUKey, "3"), "cyan");
}

}  // namespace
