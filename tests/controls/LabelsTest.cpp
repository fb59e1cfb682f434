// The link and version labels, the version block reader behind the version label,
// and the custom controls as a declared layout creates them.

#include <cstring>

#include "ControlsFixture.h"
#include "VersionBlockBuilder.h"
#include "controls/ControlsRegistration.h"
#include "controls/TFancyButton.h"
#include "controls/TURLStatic.h"
#include "controls/TVersionLabel.h"
#include "platform/Files.h"
#include "toolkit/core/Resources.h"
#include "toolkit/core/VersionInfo.h"
#include "toolkit/layout/LayoutReader.h"

namespace {

using platform::TPButton;
using versiontest::TBytes;

// --- Links

class URLStaticTest : public ControlsTest {
protected:
  void SetUp() override {
    ControlsTest::SetUp();
    Form = ShowForm(300, 200, clWhite);
    Link = new TURLStatic(Form);
    Link->SetAutoSize(false);
    Link->SetBounds(20, 20, 150, 25);
    Link->SetCaption("Visit the homepage");
    Link->SetURL("https://example.org/pointrix");
    Link->SetParent(Form);
    Link->OnClick = [this](TObject*) { Log.push_back("click"); };
    Link->OnMouseDown = [this](TObject*, TMouseButton b, TShiftState, int, int) {
      Log.push_back(b == mbLeft ? "down" : "right down");
    };
    Run();
  }
  TForm* Form = nullptr;
  TURLStatic* Link = nullptr;
  std::vector<std::string> Log;
};

TEST_F(URLStaticTest, LeftPressOpensAtOnceWithoutCaptureOrClick) {
  Backend.MouseMove(30, 30);
  Backend.MouseDown(TPButton::Left, 30, 30);
  Run();
  EXPECT_EQ(Backend.Urls(), (std::vector<std::string>{"https://example.org/pointrix"}));
  EXPECT_EQ(GetCaptureControl(), nullptr);
  Backend.MouseMove(250, 150);
  Backend.MouseUp(TPButton::Left, 250, 150);  // releasing elsewhere cancels nothing
  Run();
  EXPECT_EQ(Backend.Urls().size(), 1u);
  Backend.Advance(1000);
  Backend.Click(TPButton::Left, 30, 30);  // released inside: still no click
  Run();
  EXPECT_EQ(Backend.Urls().size(), 2u);
  EXPECT_TRUE(Log.empty());

  Backend.Advance(1000);
  Backend.Click(TPButton::Right, 30, 30);
  Run();
  EXPECT_EQ(Backend.Urls().size(), 2u);
  EXPECT_EQ(Log, (std::vector<std::string>{"right down"}));

  // The second press of a double click does not open the link again; an empty URL is still handed over.
  Link->SetURL("");
  Backend.Advance(1000);
  Backend.Click(TPButton::Left, 30, 30);
  Backend.Advance(100);
  Backend.Click(TPButton::Left, 30, 30);
  Run();
  EXPECT_EQ(Backend.Urls(),
            (std::vector<std::string>{"https://example.org/pointrix", "https://example.org/pointrix", ""}));
}

// --- Version information

class VersionTest : public ControlsTest {
protected:
  void TearDown() override {
    SetVersionBlockSource(nullptr);
    ControlsTest::TearDown();
  }
  // Serves block as the running executable's version information.
  void Serve(const TBytes& block) {
    SetVersionBlockSource([block](const std::string& file, std::vector<uint8_t>& out) {
      if (file != platform::ExecutablePath()) return false;
      out = block;
      return true;
    });
  }
  void ServeNothing() {
    SetVersionBlockSource([](const std::string&, std::vector<uint8_t>&) { return false; });
  }
  static std::string Query(const TBytes& block, const std::string& path) {
    TVersionValue value;
    if (!VerQueryValue(block.data(), block.size(), path, value)) return "<none>";
    return value.IsText ? value.Text : "<binary " + std::to_string(value.Bytes.size()) + ">";
  }
};

TEST_F(VersionTest, TheProgramsEmbeddedBlockHoldsItsVersion) {
  const std::string exe = platform::ExecutablePath();
  const uint32_t size = GetFileVersionInfoSize(exe);
  ASSERT_GT(size, 0u);
  EXPECT_EQ(GetFileVersionInfoSize("/bin/sh"), 0u);  // only the running program carries one
  TBytes block(size + 1, 0xAA);
  ASSERT_TRUE(GetFileVersionInfo(exe, size + 1, block.data()));
  EXPECT_EQ(block[size], 0);
  EXPECT_EQ(Query(block, "\\StringFileInfo\\040904E4\\FileVersion"), "1.2.1.0");
  EXPECT_EQ(Query(block, "\\StringFileInfo\\040904e4\\productversion"), "1.2.1");
  EXPECT_EQ(Query(block, "\\StringFileInfo\\040904E4\\ProductName"), "Pointrix");
  EXPECT_EQ(Query(block, "\\StringFileInfo\\040904E4\\FileDescription"), "Pointrix");
  EXPECT_EQ(Query(block, "\\StringFileInfo\\040904E4\\CompanyName"), "Quillaby Software");
  EXPECT_EQ(Query(block, "\\StringFileInfo\\040904E4\\Comments"), "<none>");
  TVersionValue fixed;
  ASSERT_TRUE(VerQueryValue(block.data(), block.size(), "\\", fixed));
  ASSERT_EQ(fixed.Bytes.size(), 52u);
  uint32_t words[13];
  std::memcpy(words, fixed.Bytes.data(), sizeof words);
  EXPECT_EQ(words[0], 0xFEEF04BDu);
  EXPECT_EQ(words[2], 0x00010002u);  // file version 1.2 . 1.0
  EXPECT_EQ(words[3], 0x00010000u);
  EXPECT_EQ(words[4], 0x00010002u);  // product version
  EXPECT_EQ(words[5], 0x00010000u);

  TVersionLabel label(nullptr);
  EXPECT_EQ(label.GetVersion(), "1.2.1.0");
}

TEST_F(VersionTest, TheFirstTranslationNamesTheStringTableInLowerCaseHex) {
  // The decoy table carries the code page first; only language-first is right.
  Serve(versiontest::VersionBlock(0x0409, 0x04E4, {{"04e40409", "9.9.9.9"}, {"040904e4", "3.1.4.1"}}));
  TVersionLabel label(nullptr);
  EXPECT_EQ(label.GetVersion(), "3.1.4.1");
  // Read once: a changed resource is not looked at again.
  Serve(versiontest::VersionBlock(0x0409, 0x04E4, {{"040904e4", "5.0.0.0"}}));
  EXPECT_EQ(label.GetVersion(), "3.1.4.1");
  // Too long a version is cut to the room the label has.
  Serve(versiontest::VersionBlock(0x0407, 0x04B0, {{"040704b0", "1.2.3.4 built on a very long day"}}));
  TVersionLabel other(nullptr);
  EXPECT_EQ(other.GetVersion(), "1.2.3.4 built on a very");
}

TEST_F(VersionTest, MissingPiecesLeaveTheVersionEmptyAndAreRetried) {
  TVersionLabel label(nullptr);
  ServeNothing();
  EXPECT_EQ(label.GetVersion(), "");
  Serve(versiontest::VersionBlock(0x0409, 0x04E4, {{"040704b0", "1.0"}}));  // no table for the translation
  EXPECT_EQ(label.GetVersion(), "");
  TBytes noTranslation = versiontest::Block("VS_VERSION_INFO", TBytes(52, 0), 52, false);
  Serve(noTranslation);
  EXPECT_EQ(label.GetVersion(), "");
  Serve(versiontest::VersionBlock(0x0409, 0x04E4, {{"040904e4", "2.0"}}));
  EXPECT_EQ(label.GetVersion(), "2.0");
}

TEST_F(VersionTest, MalformedBlocksAreRejectedWithoutReadingPastTheirEnd) {
  const TBytes good = versiontest::VersionBlock(0x0409, 0x04E4, {{"040904e4", "1.2.1.0"}});
  const std::string path = "\\StringFileInfo\\040904e4\\FileVersion";
  ASSERT_EQ(Query(good, path), "1.2.1.0");
  // Every truncation: the root claims more bytes than there are.
  for (size_t n = 0; n < good.size(); ++n) {
    TBytes cut(good.begin(), good.begin() + long(n));
    cut.shrink_to_fit();
    EXPECT_EQ(Query(cut, path), "<none>") << n;
  }
  // Every byte overwritten with extremes: never a crash, never text from outside the block.
  for (size_t i = 0; i < good.size(); ++i)
    for (uint8_t v : {uint8_t(0x00), uint8_t(0xFF), uint8_t(0x07)}) {
      TBytes bad = good;
      bad[i] = v;
      std::string result = Query(bad, path);
      EXPECT_LE(result.size(), good.size()) << i;
    }
  TVersionValue value;
  EXPECT_FALSE(VerQueryValue(nullptr, 0, "\\", value));
}

// --- Declared layouts

TEST_F(VersionTest, LayoutCreatesTheControlsWithTheirProperties) {
  RegisterControlsClasses();
  TForm* form = nullptr;
  Application->CreateForm(form);
  ReadLayout(form, R"(object AboutForm: TForm
  object BackBtn: TFancyButton
    Left = 304
    Top = 400
    Width = 100
    Height = 48
    Caption = 'Back'
    Font.Name = 'Tahoma'
    Font.Height = -16
    Font.Style = [fsItalic]
    Font.Color = $FFFF80
    Glyph.Resource = 'BackBtn'
    NumGlyphs = 5
    TextOffsetLeft = 17
    TextOffsetTop = -2
    TextShadowColor = clBlack
    State = fbsDisabled
    ModalResult = mrCancel
    GroupIndex = 3
    AllowAllUp = True
  end
  object VersionLabel1: TVersionLabel
    Caption = 'Version x'
  end
  object URLStatic2: TURLStatic
    Caption = 'mail us'
    URL = 'mailto:hello@example.org'
    Font.Name = 'Tahoma'
    Font.Height = -19
  end
end
)");
  auto* back = dynamic_cast<TFancyButton*>(form->FindComponent("BackBtn"));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->Width(), 100);
  EXPECT_EQ(back->Height(), 48);
  EXPECT_EQ(back->GetNumGlyphs(), 5);
  EXPECT_EQ(back->TextOffsetLeft(), 17);
  EXPECT_EQ(back->TextOffsetTop(), -2);
  EXPECT_EQ(back->TextShadowColor(), clBlack);
  EXPECT_EQ(back->State(), fbsDisabled);
  EXPECT_FALSE(back->Enabled());
  EXPECT_EQ(back->ModalResult(), 2);
  EXPECT_EQ(back->GroupIndex(), 3);
  EXPECT_TRUE(back->AllowAllUp());
  EXPECT_NE(back->ButtonGlyph().Slot(fbsDisabled), -1);  // built when loaded
  auto* version = dynamic_cast<TVersionLabel*>(form->FindComponent("VersionLabel1"));
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(version->Caption(), "Version 1.2.1.0");
  auto* link = dynamic_cast<TURLStatic*>(form->FindComponent("URLStatic2"));
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->GetURL(), "mailto:hello@example.org");
  EXPECT_EQ(link->Font().Name(), "Tahoma");
  EXPECT_EQ(link->Cursor(), crHandPoint);

  // Without version information the caption is "Version " and nothing after it.
  ServeNothing();
  TForm* bare = nullptr;
  Application->CreateForm(bare);
  ReadLayout(bare, "object Bare: TForm\n  object V: TVersionLabel\n    Caption = 'old'\n  end\nend\n");
  EXPECT_EQ(dynamic_cast<TVersionLabel*>(bare->FindComponent("V"))->Caption(), "Version ");
}

}  // namespace
