#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "toolkit/layout/LayoutParser.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::string ErrorOf(const std::string& text) {
  try {
    ParseLayout(text);
  } catch (const Exception& e) {
    return e.Message();
  }
  return "no error";
}

const TLayoutValue& ValueOf(const TLayoutObject& obj, const std::string& name) {
  for (const auto& p : obj.Properties)
    if (p.Name == name) return p.Value;
  throw Exception("no property " + name);
}

TEST(LayoutParser, ReadsEveryKindOfValue) {
  TLayoutObject top = ParseLayout(
      "object Form1: TForm\n"
      "  Left = 12\n"
      "  Font.Height = -19\n"
      "  Color = $00E1C8C8\n"
      "  Ratio = -2.5E2\n"
      "  Caption = 'It''s '#13#10'two' +\n"
      "    ' lines'#$41\n"
      "  Align = alClient\n"
      "  Style = [fsBold, fsItalic]\n"
      "  Empty = []\n"
      "  Items.Strings = (\n"
      "    'English'\n"
      "    'French')\n"
      "  Data = {\n"
      "    0A1b FF\n"
      "    00}\n"
      "  Panels = <\n"
      "    item\n"
      "      Width = 50\n"
      "    end\n"
      "    item\n"
      "    end>\n"
      "  Euro = #8364\n"
      "end\n");
  EXPECT_EQ(top.Name, "Form1");
  EXPECT_EQ(top.ClassName, "TForm");
  EXPECT_EQ(ValueOf(top, "Left").AsInteger(), 12);
  EXPECT_EQ(ValueOf(top, "Font.Height").AsInteger(), -19);
  EXPECT_EQ(ValueOf(top, "Color").AsInteger(), 0xE1C8C8);
  EXPECT_DOUBLE_EQ(ValueOf(top, "Ratio").AsFloat(), -250.0);
  EXPECT_EQ(ValueOf(top, "Caption").AsString(), "It's \r\ntwo linesA");
  EXPECT_EQ(ValueOf(top, "Align").AsIdent(), "alClient");
  EXPECT_THAT(ValueOf(top, "Style").SetItems, ElementsAre("fsBold", "fsItalic"));
  EXPECT_EQ(ValueOf(top, "Empty").Kind, lvSet);
  EXPECT_TRUE(ValueOf(top, "Empty").SetItems.empty());
  const TLayoutValue& items = ValueOf(top, "Items.Strings");
  ASSERT_EQ(items.Items.size(), 2u);
  EXPECT_EQ(items.Items[1].AsString(), "French");
  EXPECT_THAT(ValueOf(top, "Data").Bytes, ElementsAre(0x0A, 0x1B, 0xFF, 0x00));
  const TLayoutValue& panels = ValueOf(top, "Panels");
  ASSERT_EQ(panels.Collection.size(), 2u);
  EXPECT_EQ(panels.Collection[0][0].Name, "Width");
  EXPECT_TRUE(panels.Collection[1].empty());
  EXPECT_EQ(ValueOf(top, "Euro").AsString(), "\x80");
  // Line numbers are kept for messages.
  EXPECT_EQ(top.Properties[1].Line, 3);
}

TEST(LayoutParser, NestsObjectsInOrderAndKnowsTheirKinds) {
  TLayoutObject top = ParseLayout(
      "inherited MainForm: TMainForm\n"
      "  object Panel1: TPanel\n"
      "    object Label1: TLabel\n"
      "    end\n"
      "  end\n"
      "  inline Frame1: TFrame [2]\n"
      "  end\n"
      "  object TTimer\n"
      "  end\n"
      "end");
  EXPECT_EQ(top.Kind, lokInherited);
  ASSERT_EQ(top.Children.size(), 3u);
  EXPECT_EQ(top.Children[0].Children[0].Name, "Label1");
  EXPECT_EQ(top.Children[0].Children[0].Line, 3);
  EXPECT_EQ(top.Children[1].Kind, lokInline);
  EXPECT_EQ(top.Children[2].Name, "");
  EXPECT_EQ(top.Children[2].ClassName, "TTimer");
}

TEST(LayoutParser, ValueConversionsRejectOtherKinds) {
  TLayoutObject top = ParseLayout("object A: TA\n B = 'x'\n C = True\n D = $FFFFFFFF\n E = 99999999999\nend");
  EXPECT_THROW(ValueOf(top, "B").AsInteger(), Exception);
  EXPECT_THROW(ValueOf(top, "B").AsBoolean(), Exception);
  EXPECT_TRUE(ValueOf(top, "C").AsBoolean());
  EXPECT_THROW(ValueOf(top, "C").AsString(), Exception);
  EXPECT_EQ(ValueOf(top, "D").AsInteger(), -1);  // hex colours wrap to 32 bits
  EXPECT_THROW(ValueOf(top, "E").AsInteger(), Exception);
}

TEST(LayoutParser, SyntaxErrorsNameTheLine) {
  EXPECT_THAT(ErrorOf("object A: TA\n  Caption = 'open\nend"), HasSubstr("Layout line 2: unterminated string"));
  EXPECT_THAT(ErrorOf("object A: TA\n  Data = {0A1}\nend"), HasSubstr("Layout line 2: binary data has an odd"));
  EXPECT_THAT(ErrorOf("object A: TA\n  Left = 1\n"), HasSubstr("Layout line 3: 'end' expected"));
  EXPECT_THAT(ErrorOf("object A: TA\n\n  Left 1\nend"), HasSubstr("Layout line 3: '=' expected"));
  EXPECT_THAT(ErrorOf("object A: TA\nend\nobject B: TB\nend"), HasSubstr("Layout line 3: text after"));
  EXPECT_THAT(ErrorOf("thing A: TA\nend"), HasSubstr("Layout line 1: 'object' expected"));
  EXPECT_THAT(ErrorOf("object A: TA\n  S = [a b]\nend"), HasSubstr("Layout line 2: ',' or ']'"));
  EXPECT_THAT(ErrorOf("object A: TA\n  N = 12abc\nend"), HasSubstr("Layout line 2: invalid number"));
  EXPECT_THAT(ErrorOf("object A: TA\n  N = 'a' +\n  12\nend"), HasSubstr("Layout line 3: string expected"));
  EXPECT_THAT(ErrorOf("object A: TA\n  N = -$8000000000000000\nend"), HasSubstr("Layout line 2: number out of range"));
  EXPECT_THAT(ErrorOf("object A: TA\n  N = 1234567890123456789012\nend"),
              HasSubstr("Layout line 2: number out of range"));
  EXPECT_THAT(ErrorOf(""), HasSubstr("Layout line 1"));
}

TEST(LayoutParser, DeepNestingIsRejectedNotOverflowed) {
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "object A: TA\n";
  EXPECT_THAT(ErrorOf(deep), HasSubstr("nested too deeply"));
  std::string lists = "object A: TA\n  L = " + std::string(100000, '(');
  EXPECT_THAT(ErrorOf(lists), HasSubstr("nested too deeply"));
}

TEST(LayoutParser, SurvivesEveryPrefixOfAValidLayout) {
  const std::string text =
      "object F: TForm\n  Caption = 'a'#13 + 'b'\n  S = [x, y]\n  L = ('a' 1 2.5)\n  D = {00FF}\n"
      "  C = <item\n A = 1\n end>\n  object P: TPanel\n  end\nend\n";
  for (size_t n = 0; n + 1 < text.size(); ++n) {
    std::string prefix = text.substr(0, n);
    EXPECT_THROW(ParseLayout(prefix), Exception) << prefix;
  }
  EXPECT_NO_THROW(ParseLayout(text));
}

}  // namespace
