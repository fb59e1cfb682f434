#include <gmock/gmock.h>

#include "stdctrls/StdFixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

const char* const PagesLayout = R"(object TestForm: TTestForm
  ClientWidth = 632
  ClientHeight = 453
  Color = $00E1C8C8
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 632
    Height = 397
    Align = alTop
    BevelOuter = bvNone
    ParentColor = True
    object PageControl1: TPageControl
      Left = 0
      Top = 0
      Width = 632
      Height = 397
      ActivePage = Sheet1
      Align = alClient
      Font.Height = -11
      OwnerDraw = True
      OnChange = PagesChange
      OnChanging = PagesChanging
      OnDrawTab = PagesDrawTab
      object Sheet1: TTabSheet
        Caption = 'First'
        OnShow = SheetShow
        OnHide = SheetHide
      end
      object Sheet2: TTabSheet
        Caption = 'Second'
        OnShow = SheetShow
        OnHide = SheetHide
      end
      object Sheet3: TTabSheet
        Caption = 'Third'
        OnHide = SheetHide
      end
    end
  end
end
)";

class PageControlTest : public StdControlsTest {
protected:
  void SetUp() override {
    StdControlsTest::SetUp();
    Form = Build(PagesLayout);
    Pages = Form->Find<TPageControl>("PageControl1");
    Form->Log.clear();
  }
  void ClickTab(int tab) {
    TRect r = Pages->TabRect(tab);
    ASSERT_FALSE(r.IsEmpty());
    TPoint p = Pages->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    TPoint origin = Form->ClientOrigin();
    Click(p.X - origin.X, p.Y - origin.Y);
  }
  TTestForm* Form = nullptr;
  TPageControl* Pages = nullptr;
};

TEST_F(PageControlTest, ATabClickAsksThenHidesShowsAndChanges) {
  ClickTab(1);
  EXPECT_THAT(Form->Log, ElementsAre("Changing", "Sheet1.Hide", "Sheet2.Show", "Change"));
  EXPECT_EQ(Pages->ActivePage(), Form->Find<TTabSheet>("Sheet2"));
  EXPECT_EQ(Pages->TabIndex(), 1);
  EXPECT_FALSE(Form->Find<TTabSheet>("Sheet1")->Visible());
  EXPECT_TRUE(Form->Find<TTabSheet>("Sheet2")->Visible());
  // A click on the selected tab changes nothing and asks nothing.
  Form->Log.clear();
  ClickTab(1);
  EXPECT_TRUE(Form->Log.empty());
}

TEST_F(PageControlTest, AVetoedChangeLeavesEverythingAsItWas) {
  Form->Veto = true;
  ClickTab(2);
  EXPECT_THAT(Form->Log, ElementsAre("Changing"));
  EXPECT_EQ(Pages->ActivePageIndex(), 0);
  EXPECT_TRUE(Form->Find<TTabSheet>("Sheet1")->Visible());
  EXPECT_EQ(Pages->TabRect(0).Top, 0);  // still the raised one
  Form->Veto = false;
  EXPECT_TRUE(Pages->SelectTab(2));
  EXPECT_THAT(Form->Log, ElementsAre("Changing", "Changing", "Sheet1.Hide", "Change"));
}

TEST_F(PageControlTest, ArrowKeysOnTheFocusedTabsTakeTheUsersPath) {
  Pages->SetFocus();
  Key(VK_RIGHT);
  EXPECT_THAT(Form->Log, ElementsAre("Changing", "Sheet1.Hide", "Sheet2.Show", "Change"));
  Form->Veto = true;
  Form->Log.clear();
  Key(VK_LEFT);
  EXPECT_THAT(Form->Log, ElementsAre("Changing"));
  EXPECT_EQ(Pages->ActivePageIndex(), 1);
}

TEST_F(PageControlTest, AProgramChangeShowsAndHidesWithoutAskingOrChanging) {
  Pages->SetActivePage(Form->Find<TTabSheet>("Sheet2"));
  EXPECT_THAT(Form->Log, ElementsAre("Sheet1.Hide", "Sheet2.Show"));
  Form->Log.clear();
  Pages->SetActivePageIndex(2);
  EXPECT_THAT(Form->Log, ElementsAre("Sheet2.Hide"));
  EXPECT_EQ(Pages->FindNextPage(Pages->ActivePage(), true), Form->Find<TTabSheet>("Sheet1"));
  EXPECT_EQ(Pages->FindNextPage(Form->Find<TTabSheet>("Sheet1"), false), Form->Find<TTabSheet>("Sheet3"));
}

TEST_F(PageControlTest, PagesFillTheDisplayAreaInPageOrder) {
  ASSERT_EQ(Pages->PageCount(), 3);
  EXPECT_EQ(Pages->Pages(2)->Name(), "Sheet3");
  EXPECT_EQ(Pages->Pages(1)->PageIndex(), 1);
  TTabSheet* sheet = Form->Find<TTabSheet>("Sheet1");
  EXPECT_EQ(sheet->Parent(), Pages);
  // The design geometry: a 632 x 397 page control shows 624 x 369 pages at 4, 24.
  EXPECT_EQ(sheet->BoundsRect(), Bounds(4, 24, 624, 369));
  Pages->Pages(1)->SetPageIndex(0);
  EXPECT_EQ(Pages->Pages(0)->Name(), "Sheet2");
  EXPECT_EQ(Form->Find<TTabSheet>("Sheet1")->TabIndex(), 1);
}

TEST_F(PageControlTest, TheSelectedTabIsDrawnRaisedAndOwnerDrawnTabsAreFilled) {
  TRect selected = Pages->TabRect(0), other = Pages->TabRect(1);
  EXPECT_EQ(selected.Top + 2, other.Top);
  EXPECT_EQ(selected.Height(), other.Height() + 4);  // 2 px higher, and open into the page below
  EXPECT_EQ(selected.Right, other.Left + 2);         // and 2 px wider on each side
  EXPECT_THAT(Form->DrawnTabs, ::testing::IsSupersetOf({0, 1, 2}));
  // Above the unselected tab the row's background shows; the raised tab's top edge is lit.
  EXPECT_EQ(Pixel(other.Left + 8, 0), 0xE1C8C8);
  EXPECT_EQ(Pixel(selected.Left + 8, selected.Top), ColorToRGB(clBtnHighlight));
  // The owner-draw handler filled the inside of every tab.
  EXPECT_EQ(Pixel(other.Right - 4, other.Bottom - 2), 0xE2C7C7);
  ClickTab(1);
  EXPECT_EQ(Pages->TabRect(1).Top, 0);
  EXPECT_EQ(Pixel(Pages->TabRect(0).Left + 8, 0), 0xE1C8C8);
}

TEST_F(PageControlTest, TabsThatDoNotFitScrollInOneRow) {
  EXPECT_FALSE(Pages->ScrollArrowsShown());
  for (int i = 0; i < 12; ++i) {
    auto* sheet = new TTabSheet(Form);
    sheet->SetCaption("A rather long caption " + std::to_string(i));
    sheet->SetPageControl(Pages);
  }
  ASSERT_TRUE(Pages->ScrollArrowsShown());
  int last = Pages->PageCount() - 1;
  EXPECT_TRUE(Pages->TabRect(last).IsEmpty());
  ASSERT_TRUE(Pages->SelectTab(last));
  EXPECT_GT(Pages->FirstVisibleTab(), 0);
  TRect r = Pages->TabRect(last);
  ASSERT_FALSE(r.IsEmpty());
  EXPECT_LE(r.Right, Pages->Width() - 2 * TPageControl::ArrowWidth);
  // The left arrow scrolls back by one tab.
  int first = Pages->FirstVisibleTab();
  int arrowY = Pages->TabHeight() + 2 - TPageControl::ArrowWidth / 2;
  Click(Pages->Width() - 2 * TPageControl::ArrowWidth + 4, arrowY);
  EXPECT_EQ(Pages->FirstVisibleTab(), first - 1);
  EXPECT_EQ(Pages->ActivePageIndex(), last);
}

TEST_F(PageControlTest, ACaptionChangeRedrawsAndResizesItsTab) {
  int width = Pages->TabRect(1).Width();
  Form->DrawnTabs.clear();
  Form->Find<TTabSheet>("Sheet2")->SetCaption("Second, and longer");
  Application->ProcessMessages();
  EXPECT_GT(Pages->TabRect(1).Width(), width);
  EXPECT_THAT(Form->DrawnTabs, ::testing::Contains(1));
  Form->Find<TTabSheet>("Sheet2")->SetTabVisible(false);
  EXPECT_EQ(Form->Find<TTabSheet>("Sheet3")->TabIndex(), 1);
  EXPECT_EQ(Form->Find<TTabSheet>("Sheet2")->TabIndex(), -1);
}

TEST_F(StdControlsTest, ASheetOutsideAPageControlIsALayoutError) {
  TTestForm* form = nullptr;
  Application->CreateForm(form);
  try {
    ReadLayout(form, "object F: TTestForm\n  object P: TPanel\n    object S: TTabSheet\n    end\n  end\nend\n");
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_THAT(e.Message(), HasSubstr("Layout line 3: the sheet S must be placed on a TPageControl"));
  }
}

}  // namespace
