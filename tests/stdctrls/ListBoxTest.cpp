#include <gmock/gmock.h>

#include "stdctrls/StdFixture.h"
#include "toolkit/forms/TWinControl.h"

namespace {

using ::testing::ElementsAre;

const char* const ListLayout = R"(object TestForm: TTestForm
  ClientWidth = 300
  ClientHeight = 200
  Color = clWhite
  object List: TListBox
    Left = 10
    Top = 10
    Width = 120
    Height = 50
    ItemHeight = 23
    Items.Strings = (
      'Deutsch'
      'English'
      'Fran'#231'ais'
      'Italiano')
    OnClick = ListClick
  end
end
)";

class ListBoxTest : public StdControlsTest {
protected:
  void SetUp() override {
    StdControlsTest::SetUp();
    Form = Build(ListLayout);
    List = Form->Find<TListBox>("List");
  }
  // Form coordinates of the middle of an item.
  TPoint ItemPoint(int index) {
    TRect r = List->ItemRect(index);
    return {List->Left() + (r.Left + r.Right) / 2, List->Top() + (r.Top + r.Bottom) / 2};
  }
  TTestForm* Form = nullptr;
  TListBox* List = nullptr;
};

TEST_F(ListBoxTest, ReadsItsItemsFromTheLayout) {
  ASSERT_EQ(List->Items()->Count(), 4);
  EXPECT_EQ(List->Items()->Strings(2),
            "Fran\xE7"
            "ais");
  EXPECT_EQ(List->Items()->IndexOf("english"), 1);
  EXPECT_EQ(List->ItemIndex(), -1);
  EXPECT_EQ(List->VisibleItemCount(), 2);  // 46 px inside the frame, 23 px items
  EXPECT_TRUE(List->ScrollBarShown());
}

TEST_F(ListBoxTest, ArrowKeysSelectAndClickOnEveryChange) {
  List->SetFocus();
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(List->ItemIndex(), 2);
  EXPECT_EQ(List->TopIndex(), 1);  // scrolled to keep the selection in view
  Key(VK_END);
  Key(VK_DOWN);  // already on the last item: no change, no click
  Key(VK_UP);
  Key(VK_HOME);
  EXPECT_THAT(Form->Log, ElementsAre("Click 0", "Click 1", "Click 2", "Click 3", "Click 2", "Click 0"));
  EXPECT_EQ(List->TopIndex(), 0);
  // The program's own selection does not click.
  Form->Log.clear();
  List->SetItemIndex(3);
  EXPECT_TRUE(Form->Log.empty());
  EXPECT_EQ(List->TopIndex(), 2);
}

TEST_F(ListBoxTest, AMouseClickSelectsFocusesAndClicks) {
  TPoint p = ItemPoint(1);
  Click(p.X, p.Y);
  EXPECT_EQ(List->ItemIndex(), 1);
  EXPECT_TRUE(List->Focused());
  EXPECT_THAT(Form->Log, ElementsAre("Click 1"));
  // The selected item is drawn in the highlight colours.
  int x = List->Left() + 98;  // right of the text, left of the scroll bar
  EXPECT_EQ(Pixel(x, p.Y), ColorToRGB(clHighlight));
  EXPECT_EQ(Pixel(x, ItemPoint(0).Y), ColorToRGB(clWindow));
  // A click on the scroll bar's lower arrow scrolls without selecting.
  Form->Log.clear();
  Click(List->Left() + List->Width() - 4, List->Top() + List->Height() - 5);
  EXPECT_EQ(List->TopIndex(), 1);
  EXPECT_EQ(List->ItemIndex(), 1);
  EXPECT_TRUE(Form->Log.empty());
}

TEST_F(ListBoxTest, DraggingOverItemsClicksForEachNewItem) {
  TPoint a = ItemPoint(0), b = ItemPoint(1);
  Backend.MouseDown(platform::TPButton::Left, a.X, a.Y);
  Backend.MouseMove(b.X, b.Y);
  Backend.MouseMove(b.X, b.Y + 2);
  Backend.MouseUp(platform::TPButton::Left, b.X, b.Y + 2);
  Application->ProcessMessages();
  EXPECT_THAT(Form->Log, ElementsAre("Click 0", "Click 1"));
}

TEST_F(ListBoxTest, ChangingTheItemsKeepsTheSelectionInRange) {
  List->SetItemIndex(3);
  List->Items()->Delete(3);
  EXPECT_EQ(List->ItemIndex(), -1);
  List->Items()->Clear();
  EXPECT_FALSE(List->ScrollBarShown());
  EXPECT_EQ(List->TopIndex(), 0);
  List->SetFocus();
  Key(VK_DOWN);  // nothing to select
  EXPECT_TRUE(Form->Log.empty());
  EXPECT_THROW(List->Items()->Strings(-1), Exception);
}

}  // namespace
