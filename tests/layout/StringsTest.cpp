#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "toolkit/core/TList.h"
#include "toolkit/core/TStrings.h"

namespace {

using ::testing::HasSubstr;

TEST(StringList, AddInsertDeleteAndIndexOfIgnoringCase) {
  TStringList list;
  EXPECT_EQ(list.Add("English"), 0);
  EXPECT_EQ(list.Add("Deutsch"), 1);
  list.Insert(0, "\xC9spa\xF1ol");  // Windows-1252 "Español"
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.IndexOf("ENGLISH"), 1);
  EXPECT_EQ(list.IndexOf("\xE9SPA\xD1OL"), 0);  // accented letters fold too
  EXPECT_EQ(list.IndexOf("Output"), -1);
  list.Delete(0);
  EXPECT_EQ(list.Strings(0), "English");
  EXPECT_EQ(list.Text(), "English\r\nDeutsch\r\n");
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(StringList, OutOfBoundsIndexesRaiseTheListMessage) {
  TStringList list;
  list.Add("a");
  try {
    (void)list.Strings(-1);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (-1)");
  }
  EXPECT_THROW(list.Strings(1), Exception);
  EXPECT_THROW(list.Delete(1), Exception);
  EXPECT_THROW(list.Insert(3, "x"), Exception);
  EXPECT_THROW(list.Objects(5), Exception);
  TList pointers;
  EXPECT_THROW(pointers.Items(0), Exception);
}

TEST(StringList, SortedListsKeepOrderAndRefuseInsert) {
  TStringList list;
  list.SetSorted(true);
  list.Add("pear");
  list.Add("Apple");
  list.Add("banana");
  EXPECT_EQ(list.Text(), "Apple\r\nbanana\r\npear\r\n");
  EXPECT_EQ(list.Add("APPLE"), 0);  // duplicates ignored by default
  EXPECT_EQ(list.Count(), 3);
  list.Duplicates = dupError;
  EXPECT_THAT([&] { list.Add("pear"); }, ::testing::Throws<Exception>());
  EXPECT_THROW(list.Insert(0, "x"), Exception);
  EXPECT_EQ(list.IndexOf("BANANA"), 1);
}

TEST(StringList, TextSplitsEveryLineBreakAndObjectsTravel) {
  TStringList list;
  list.SetText("a\r\nb\nc\rd");
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Strings(3), "d");
  TStringList other;
  other.AddObject("x", &list);
  list.Assign(&other);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Objects(0), &list);
  EXPECT_EQ(list.IndexOfObject(&list), 0);
}

TEST(StringList, ChangeEventsFireOncePerUpdate) {
  TStringList list;
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  list.Add("a");
  EXPECT_EQ(changes, 1);
  list.BeginUpdate();
  list.Add("b");
  list.Add("c");
  list.Delete(0);
  EXPECT_EQ(changes, 1);
  list.EndUpdate();
  EXPECT_EQ(changes, 2);
  list.SetText("x\ny");
  EXPECT_EQ(changes, 3);
  list.Exchange(0, 1);
  EXPECT_EQ(list.Text(), "y\r\nx\r\n");
  EXPECT_EQ(changes, 4);
}

}  // namespace
