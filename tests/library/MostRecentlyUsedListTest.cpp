// TJMostRecentlyUsedList: order, limits, letter case, menu kinds, clicks and the
// registry layout.

#include "library/LibraryFixture.h"
#include "storage/TJMostRecentlyUsedList.h"
#include "toolkit/stdctrls/TMenuItem.h"

namespace {

class MRUListTest : public LibraryTest {
protected:
  std::vector<std::string> Entries(const TJMostRecentlyUsedList& list) {
    std::vector<std::string> result;
    for (int i = 0; i < list.GetCount(); ++i) result.push_back(list.GetItem(i));
    return result;
  }
  std::vector<std::string> Captions(const TMenuItem& menu) {
    std::vector<std::string> result;
    for (int i = 0; i < menu.Count(); ++i) result.push_back(menu.Items(i)->Caption());
    return result;
  }
  // A File menu: Open, Recent (the anchor), Exit; the list anchored at Recent.
  void MakeMenu(TJMRUMenuKind kind) {
    File = new TMenuItem(&Owner);
    Open = new TMenuItem(&Owner);
    Open->SetCaption("&Open");
    Recent = new TMenuItem(&Owner);
    Recent->SetCaption("&Recent");
    Exit = new TMenuItem(&Owner);
    Exit->SetCaption("E&xit");
    File->Add(Open);
    File->Add(Recent);
    File->Add(Exit);
    List = new TJMostRecentlyUsedList(&Owner);
    List->AutoSave = false;
    List->SetMenuKind(kind);
    List->SetRootMenuItem(Recent);
    List->Init();
  }

  TComponent Owner{nullptr};
  TMenuItem *File = nullptr, *Open = nullptr, *Recent = nullptr, *Exit = nullptr;
  TJMostRecentlyUsedList* List = nullptr;
};

TEST_F(MRUListTest, MostRecentOrderAndUsed) {
  TJMostRecentlyUsedList list(nullptr);
  list.AutoSave = false;
  list.Add("A");
  list.Add("B");
  list.Add("C");
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"C", "B", "A"}));
  EXPECT_TRUE(list.Used("A"));
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"A", "C", "B"}));
  EXPECT_FALSE(list.Used("D"));
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"D", "A", "C", "B"}));
  list.Add("");
  EXPECT_EQ(list.GetCount(), 4);
}

TEST_F(MRUListTest, TheEleventhAddDropsTheOldestAndItsMenuItem) {
  MakeMenu(mkSubMenu);
  for (int i = 0; i < 10; ++i) List->Add("file" + std::to_string(i));
  TMenuItem* oldest = List->GetMenuItem("file0");
  ASSERT_NE(oldest, nullptr);
  std::string oldestName = "oldest";
  oldest->SetName(oldestName);
  List->Add("file10");
  EXPECT_EQ(List->GetCount(), 10);
  EXPECT_EQ(List->GetItem(0), "file10");
  EXPECT_EQ(List->IndexOf("file0"), -1);
  EXPECT_EQ(List->FindComponent("oldest"), nullptr);  // destroyed
  EXPECT_EQ(Recent->Count(), 10);
}

TEST_F(MRUListTest, AFullNameOrderedListKeepsItsEntries) {
  TJMostRecentlyUsedList list(nullptr);
  list.AutoSave = false;
  list.MaxItems = 3;
  list.SetSortBy(skName);
  for (const char* s : {"pear", "Apple", "fig"}) list.Add(s);
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"Apple", "fig", "pear"}));
  list.Add("banana");  // appended last, trimmed at once
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"Apple", "fig", "pear"}));
  list.BringToTop("pear");  // does nothing in name order
  list.BringToTop("absent");
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"Apple", "fig", "pear"}));
}

TEST_F(MRUListTest, ReAddingInAnotherCaseKeepsTheStoredCase) {
  TJMostRecentlyUsedList list(nullptr);
  list.AutoSave = false;
  list.Add("C:\\Docs\\Report.TXT");
  list.Add("other");
  list.Add("c:\\docs\\report.txt");
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"C:\\Docs\\Report.TXT", "other"}));
  // Only ASCII letters fold: an accented letter in another case is another entry.
  list.Add("\xC9t\xE9");  // Été
  list.Add("\xE9t\xE9");  // été
  EXPECT_EQ(list.GetCount(), 4);
}

TEST_F(MRUListTest, BringToTopOfAnAbsentItemNamesIt) {
  TJMostRecentlyUsedList list(nullptr);
  list.AutoSave = false;
  list.Add("A");
  try {
    list.BringToTop("missing.txt");
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot move missing.txt to top of MRU - it is not in the MRU");
  }
}

TEST_F(MRUListTest, AcceleratorsFromOffsetThirtyRunOutAfterZ) {
  MakeMenu(mkSubMenu);
  List->NumberOffset = 30;
  for (int i = 7; i >= 0; --i) List->Add("C:\\Data\\file" + std::to_string(i) + ".txt");
  EXPECT_EQ(Captions(*Recent),
            (std::vector<std::string>{"&U file0.txt", "&V file1.txt", "&W file2.txt", "&X file3.txt", "&Y file4.txt",
                                      "&Z file5.txt", "C:\\Data\\file6.txt", "C:\\Data\\file7.txt"}));
  List->NumberAccelerators = false;
  List->RefreshMenu();
  EXPECT_EQ(Recent->Items(0)->Caption(), "C:\\Data\\file0.txt");
  // A caption longer than any fixed buffer is shown whole.
  List->NumberAccelerators = true;
  List->NumberOffset = 0;
  std::string longName(400, 'n');
  List->Add("/home/user/" + longName);
  EXPECT_EQ(Recent->Items(0)->Caption(), "&0 " + longName);
}

TEST_F(MRUListTest, SubMenuDisablesOnlyAnAnchorItDisabledItself) {
  MakeMenu(mkSubMenu);
  EXPECT_FALSE(Recent->Enabled());  // empty
  List->Add("a.txt");
  EXPECT_TRUE(Recent->Enabled());
  EXPECT_EQ(Captions(*Recent), (std::vector<std::string>{"&0 a.txt"}));
  List->Clear();
  EXPECT_FALSE(Recent->Enabled());
  EXPECT_EQ(Recent->Count(), 0);

  // The application disables the anchor: the list leaves it so.
  List->Add("b.txt");
  Recent->SetEnabled(false);
  List->Clear();
  List->Add("c.txt");
  EXPECT_FALSE(Recent->Enabled());
}

TEST_F(MRUListTest, SeparatorLivesWhileThereAreEntries) {
  MakeMenu(mkInsertWithSeparator);
  EXPECT_EQ(Captions(*File), (std::vector<std::string>{"&Open", "&Recent", "E&xit"}));
  List->Add("a.txt");
  List->Add("b.txt");
  EXPECT_EQ(Captions(*File), (std::vector<std::string>{"&Open", "&Recent", "-", "&0 b.txt", "&1 a.txt", "E&xit"}));
  EXPECT_NE(List->GetRootMenuItem(), Recent);  // the separator stands in for the anchor
  List->Clear();
  EXPECT_EQ(Captions(*File), (std::vector<std::string>{"&Open", "&Recent", "E&xit"}));
  EXPECT_EQ(List->GetRootMenuItem(), Recent);
  List->Add("c.txt");
  List->SetMenuKind(mkInsertAfter);  // the separator goes, the entries stay after the anchor
  EXPECT_EQ(Captions(*File), (std::vector<std::string>{"&Open", "&Recent", "&0 c.txt", "E&xit"}));
  EXPECT_EQ(List->GetRootMenuItem(), Recent);
}

TEST_F(MRUListTest, InsertBeforeAndAfterKeepListOrder) {
  MakeMenu(mkInsertBefore);
  List->Add("a.txt");
  List->Add("b.txt");
  List->Add("c.txt");
  EXPECT_EQ(Captions(*File),
            (std::vector<std::string>{"&Open", "&0 c.txt", "&1 b.txt", "&2 a.txt", "&Recent", "E&xit"}));
  List->Used("a.txt");
  EXPECT_EQ(Captions(*File),
            (std::vector<std::string>{"&Open", "&0 a.txt", "&1 c.txt", "&2 b.txt", "&Recent", "E&xit"}));
  List->SetMenuKind(mkInsertAfter);
  EXPECT_EQ(Captions(*File),
            (std::vector<std::string>{"&Open", "&Recent", "&0 a.txt", "&1 c.txt", "&2 b.txt", "E&xit"}));
  List->SetMenuKind(mkSubMenu);
  EXPECT_EQ(Captions(*File), (std::vector<std::string>{"&Open", "&Recent", "E&xit"}));
  EXPECT_EQ(Recent->Count(), 3);
}

TEST_F(MRUListTest, ClickingAnEntryReportsItAndHidesItWhenOpened) {
  TLibraryForm* form = Read(R"(object F: TLibraryForm
  object FileMenu: TMenuItem
    Caption = '&File'
    object RecentMenu: TMenuItem
      Caption = '&Recent'
    end
  end
  object Recent: TJMostRecentlyUsedList
    AutoSave = False
    RootMenuItem = RecentMenu
    OnSelect = RecentSelect
  end
end
)");
  auto* list = form->Find<TJMostRecentlyUsedList>("Recent");
  auto* anchor = form->Find<TMenuItem>("RecentMenu");
  ASSERT_TRUE(list && anchor);
  EXPECT_EQ(anchor->Parent(), form->Find<TMenuItem>("FileMenu"));
  list->Add("a.txt");
  list->Add("b.txt");
  form->KeepSelected = true;  // the handler did not open it: the entry stays
  list->GetMenuItem("a.txt")->Click();
  EXPECT_EQ(list->GetCount(), 2);
  form->KeepSelected = false;
  list->GetMenuItem("a.txt")->Click();
  EXPECT_EQ(form->Log, (TLog{"Select a.txt", "Select a.txt"}));
  EXPECT_EQ(list->IndexOf("a.txt"), -1);
  EXPECT_EQ(anchor->Count(), 1);

  list->HideInUse = false;
  list->GetMenuItem("b.txt")->Click();
  EXPECT_EQ(list->GetCount(), 1);
}

TEST_F(MRUListTest, SaveAndLoadRoundTripInTheRegistryLayout) {
  const std::string key = "Software\\Quillaby Software\\Recent";
  {
    TJMostRecentlyUsedList list(nullptr);
    list.GetStorage()->SetKey(key);
    list.Add("A");
    list.Add("B");
    list.Add("C");
  }  // saved on destruction (AutoSave)
  EXPECT_EQ(StoredDword(key, "Count"), 3u);
  EXPECT_EQ(StoredString(key, "0"), "C");
  EXPECT_EQ(StoredString(key, "1"), "B");
  EXPECT_EQ(StoredString(key, "2"), "A");

  TLibraryForm* form = Read(R"(object F: TLibraryForm
  object Recent: TJMostRecentlyUsedList
    Storage.Key = 'Software\Quillaby Software\Recent'
    Storage.RegistryRootKey = atrkCurrentUser
    MaxItems = 5
    OnChange = RecentChange
  end
end
)");
  auto* list = form->Find<TJMostRecentlyUsedList>("Recent");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(Entries(*list), (std::vector<std::string>{"C", "B", "A"}));
  EXPECT_FALSE(list->GetStorage()->GetIsOpen());
  EXPECT_FALSE(form->Log.empty());  // OnChange ran once the list was loaded
}

TEST_F(MRUListTest, LoadSkipsGapsAndSurvivesDamage) {
  const std::string key = "Software\\Damaged";
  StoreDword(key, "Count", 4);
  StoreString(key, "0", "first");
  StoreString(key, "2", "third");
  StoreDword(key, "3", 12);  // not text: read as empty and skipped
  TJMostRecentlyUsedList list(nullptr);
  list.AutoSave = false;
  list.GetStorage()->SetKey(key);
  list.Load();
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"first", "third"}));

  StoreDword(key, "Count", 0x7FFFFFFF);  // a huge count ends in reasonable time
  list.Load();
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"first", "third"}));
}

TEST_F(MRUListTest, AnEntryWithoutMenuItemUnderAnAnchorIsReported) {
  TJMostRecentlyUsedList list(nullptr);
  list.AutoSave = false;
  list.Add("early");
  TMenuItem anchor(nullptr);
  list.SetRootMenuItem(&anchor);
  try {
    list.RefreshMenu();
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "AddAt: src or dest is nil");
  }
  list.SetRootMenuItem(nullptr);
}

TEST_F(MRUListTest, ADestroyedAnchorIsForgotten) {
  MakeMenu(mkSubMenu);
  List->Add("a.txt");
  delete File;  // takes Recent and its submenu (the list's menu items) with it
  Recent = nullptr;
  EXPECT_EQ(List->GetMenuItem("a.txt"), nullptr);
  List->Add("b.txt");  // no anchor any more: no menu item
  EXPECT_EQ(List->GetCount(), 2);
}

}  // namespace
