#include <gtest/gtest.h>

#include <fstream>

#include "support/Golden.h"
#include "support/HeadlessFixture.h"
#include "toolkit/layout/ClassRegistry.h"
#include "toolkit/layout/LayoutReader.h"
#include "toolkit/rtf/TRichEdit.h"

namespace {

class TRichForm : public TForm {
public:
  explicit TRichForm(TComponent* owner) : TForm(owner) {}
  const char* ClassName() const override { return "TRichForm"; }
};

const char* const TestLayout = R"(object RichForm: TRichForm
  ClientWidth = 320
  ClientHeight = 240
  Color = 14796976
  object Page: TRichEdit
    Left = 10
    Top = 10
    Width = 300
    Height = 120
    Color = 14796976
    Font.Color = 9461808
    Enabled = False
    ReadOnly = True
    BorderStyle = bsNone
  end
end
)";

std::string CorpusFile(const char* name) {
  return std::string(POINTRIX_SOURCE_DIR) + "/tests/rtf/corpus/" + name;
}

class RichEditTest : public testsupport::HeadlessTest {
protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    RegisterStandardClasses();
    RegisterRichEdit();
    ClassRegistry().Register<TRichForm>("TRichForm", "TForm");
    Form = NewForm<TRichForm>();
    ReadLayout(Form, TestLayout);
    Page = dynamic_cast<TRichEdit*>(Form->FindComponent("Page"));
    ASSERT_NE(Page, nullptr);
    Form->Show();
    Run();
  }
  void Repaint() { Run(); }
  std::vector<uint32_t> Pixels(const TRect& r) {
    std::vector<uint32_t> out;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) out.push_back(Backend.PixelAt(x, y));
    return out;
  }
  TRect PageRect() const { return Bounds(Page->Left(), Page->Top(), Page->Width(), Page->Height()); }
  testsupport::TGoldenResult Golden(const std::string& name) {
    std::vector<uint32_t> p = Pixels(PageRect());
    return testsupport::CompareGolden(name, p.data(), Page->Width(), Page->Height(), Page->Width());
  }

  TRichForm* Form = nullptr;
  TRichEdit* Page = nullptr;
};

TEST_F(RichEditTest, MissingFileRaisesCannotOpenWithThePath) {
  try {
    Page->Lines().LoadFromFile("NoSuchLanguage\\3.rtf");
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot open file NoSuchLanguage\\3.rtf");
  }
}

TEST_F(RichEditTest, LoadsRichAndPlainFiles) {
  Page->Lines().LoadFromFile(CorpusFile("wordpad-01-welcome.rtf"));
  EXPECT_FALSE(Page->Document().PlainSource);
  ASSERT_GT(Page->Lines().Count(), 2);
  EXPECT_EQ(Page->Lines()[0].substr(0, 7), "Welcome");
  testsupport::TTempDir dir;
  std::string path = dir.Path() + "/plain.rtf";
  std::ofstream(path, std::ios::binary) << "Just text,\r\nnot rich caf\xE9.\r\n";
  Page->Lines().LoadFromFile(path);
  EXPECT_TRUE(Page->Document().PlainSource);
  ASSERT_EQ(Page->Lines().Count(), 2);
  EXPECT_EQ(Page->Lines()[1], "not rich caf\xE9.");
  EXPECT_THROW(Page->Lines()[2], Exception);
}

TEST_F(RichEditTest, DisabledPaintsLikeEnabledOnItsColour) {
  Page->Lines().LoadFromFile(CorpusFile("wordpad-02-bullets-colours.rtf"));
  Repaint();
  std::vector<uint32_t> disabled = Pixels(PageRect());
  EXPECT_EQ(PixelToColor(Backend.PixelAt(Page->Left() + 1, Page->Top() + 1)), 14796976);  // no frame
  int coloured = 0;
  for (uint32_t p : disabled) coloured += PixelToColor(p) != 14796976;
  EXPECT_GT(coloured, 500);
  Page->SetEnabled(true);
  Repaint();
  EXPECT_EQ(Pixels(PageRect()), disabled);
  Page->SetBorderStyle(bsSingle);
  Repaint();
  EXPECT_EQ(PixelToColor(Backend.PixelAt(Page->Left(), Page->Top())), ColorToRGB(clBtnShadow));
  EXPECT_NE(Pixels(PageRect()), disabled);
}

TEST_F(RichEditTest, WheelOverTheDisabledPageScrollsLongTextOnly) {
  // The page is disabled, as the program's page texts are; the wheel still reaches it.
  auto wheel = [this](int notches) {
    int before = Page->ScrollPos();
    Backend.Wheel(notches, Page->Left() + 20, Page->Top() + 20);
    Application->ProcessMessages();
    return Page->ScrollPos() != before;
  };
  Page->Lines().LoadFromFile(CorpusFile("pandoc-01-welcome.rtf"));
  EXPECT_FALSE(wheel(-1));  // it fits: nothing to scroll
  Page->Lines().LoadFromFile(CorpusFile("wordpad-02-bullets-colours.rtf"));
  Repaint();
  std::vector<uint32_t> top = Pixels(PageRect());
  int overflow = Page->TextHeight() - Page->TextRect().Height();
  ASSERT_GT(overflow, TRichEdit::WheelStep);
  EXPECT_TRUE(wheel(-1));
  EXPECT_EQ(Page->ScrollPos(), TRichEdit::WheelStep);
  EXPECT_NE(Pixels(PageRect()), top);
  for (int i = 0; i < 30; ++i) wheel(-1);
  EXPECT_EQ(Page->ScrollPos(), overflow);  // stops at the end of the text
  EXPECT_FALSE(wheel(-1));
  for (int i = 0; i < 30; ++i) wheel(1);
  EXPECT_EQ(Page->ScrollPos(), 0);
  EXPECT_EQ(Pixels(PageRect()), top);
  EXPECT_FALSE(wheel(1));
  Page->SetScrollPos(overflow);
  Page->Lines().LoadFromFile(CorpusFile("wordpad-01-welcome.rtf"));
  EXPECT_EQ(Page->ScrollPos(), 0);  // a new file shows its top
}

TEST_F(RichEditTest, AlignedControlLaysOutAtItsNewWidth) {
  Page->Lines().LoadFromFile(CorpusFile("lo-10-a-la-souris.rtf"));
  int narrowHeight = Page->TextHeight();
  Page->SetAlign(alClient);
  Repaint();
  EXPECT_EQ(Page->Width(), 320);
  EXPECT_EQ(Page->TextRect().Width(), 318);
  EXPECT_LT(Page->TextHeight(), narrowHeight);
}

TEST_F(RichEditTest, GoldenPages) {
  Page->SetBounds(10, 10, 300, 220);
  Page->Lines().LoadFromFile(CorpusFile("lo-02-meet-the-mouse.rtf"));
  Repaint();
  auto rich = Golden("rtf-mixed-page");
  EXPECT_TRUE(rich.Matched) << rich.Message;
  testsupport::TTempDir dir;
  std::string path = dir.Path() + "/plain.txt";
  std::ofstream(path, std::ios::binary)
      << "A plain text page.\r\n\r\nIt is shown in the control's own font, wrapped at the width of the control, "
         "with\ttabs and caf\xE9 accents.\r\n";
  Page->Lines().LoadFromFile(path);
  Repaint();
  auto plain = Golden("rtf-plain-page");
  EXPECT_TRUE(plain.Matched) << plain.Message;
}

}  // namespace
