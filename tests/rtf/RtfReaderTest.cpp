#include <gtest/gtest.h>

#include "toolkit/rtf/RtfReader.h"

namespace {

TRtfDocument Read(const std::string& rtf) {
  return TRtfReader::Read(rtf);
}
std::string Text(const std::string& rtf) {
  return Read(rtf).PlainText();
}

// The run holding the first occurrence of text.
const TRtfRun& RunWith(const TRtfDocument& doc, const std::string& text) {
  for (const auto& p : doc.Paragraphs)
    for (const auto& r : p.Runs)
      if (r.Text.find(text) != std::string::npos) return r;
  static TRtfRun none;
  ADD_FAILURE() << "no run holds " << text;
  return none;
}

TEST(RtfReader, PlainTextSplitsLinesAtEveryLineEnd) {
  EXPECT_FALSE(TRtfReader::IsRtf("{\\rt"));
  EXPECT_EQ(Text("one\r\ntwo\nthree\rfour"), "one\ntwo\nthree\nfour\n");
  EXPECT_EQ(Text("a\r\n\r\nb\r\n"), "a\n\nb\n");                  // empty middle line kept, no empty last line
  EXPECT_EQ(Text("caf\xE9 \x80"), "caf\xC3\xA9 \xE2\x82\xAC\n");  // Windows-1252
  EXPECT_EQ(Text("\xEF\xBB\xBF"
                 "caf\xC3\xA9"),
            "caf\xC3\xA9\n");  // UTF-8 with its mark
  EXPECT_EQ(Text(""), "");
  EXPECT_EQ(Text(" {\\rtf1 x}"), " {\\rtf1 x}\n");  // not at the very start: plain text
}

TEST(RtfReader, CharacterFormattingFollowsGroupsAndPlain) {
  auto doc = Read(
      "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
      "{\\b bold {\\i both}} {\\ul under\\ulnone  not} {\\strike gone\\strike0  back} "
      "\\fs40 big\\fs24  {\\cf1 red} {\\highlight2 marked} {\\chcbpat1 shaded} "
      "\\b\\i\\cf2 x\\plain  plain {\\super 1}\\par}");
  EXPECT_TRUE(RunWith(doc, "bold").Format.Bold);
  EXPECT_FALSE(RunWith(doc, "bold").Format.Italic);
  EXPECT_TRUE(RunWith(doc, "both").Format.Bold && RunWith(doc, "both").Format.Italic);
  EXPECT_TRUE(RunWith(doc, "under").Format.Underline);
  EXPECT_FALSE(RunWith(doc, " not").Format.Underline);
  EXPECT_TRUE(RunWith(doc, "gone").Format.Strike);
  EXPECT_FALSE(RunWith(doc, " back").Format.Strike);
  EXPECT_EQ(RunWith(doc, "big").Format.Size, 40);
  EXPECT_EQ(RunWith(doc, "red").Format.Color, clRed);
  EXPECT_EQ(RunWith(doc, "big").Format.Color, clDefault);
  EXPECT_EQ(RunWith(doc, "marked").Format.Highlight, clBlue);
  EXPECT_EQ(RunWith(doc, "shaded").Format.Highlight, clRed);
  EXPECT_EQ(RunWith(doc, "plain").Format, TRtfCharFormat{});
  EXPECT_EQ(RunWith(doc, "1").Format.Vertical, rvSuper);
  EXPECT_EQ(doc.PlainText(), "bold both under not gone back big red marked shaded x plain 1\n");
}

TEST(RtfReader, FontTableGivesFamilyCharsetAndCodePage) {
  auto doc = Read(
      "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman\\fcharset204 Times New Roman;}"
      "{\\f2\\fmodern Courier New;}{\\f3\\fnil\\fcharset2 Symbol;}{\\f4\\fnil Georgia;}{\\f5\\fnil\\fcharset134 "
      "SimSun;}"
      "{\\f6\\fnil\\fcharset128 MS Gothic;}\\f7\\fnil\\fcharset0 Tahoma;}"
      "def\\'b9 {\\f1 \\'c4\\'e0} {\\f2 mono} {\\f3 \\'b7 a} {\\f4 serif} {\\f5 \\'d6\\'d0} "
      "{\\f6 \\'83\\'7d\\'81\\'46}{\\f7 \\'b9}\\par}");
  EXPECT_EQ(RunWith(doc, "def").Format.Family, rffSans);
  EXPECT_EQ(RunWith(doc, "\xD0\x94\xD0\xB0").Format.Family, rffSerif);  // Cyrillic from code page 1251
  EXPECT_EQ(RunWith(doc, "\xD0\x94\xD0\xB0").Format.Charset, 204);
  EXPECT_EQ(RunWith(doc, "mono").Format.Family, rffMono);
  EXPECT_EQ(RunWith(doc, "serif").Format.Family, rffSerif);
  EXPECT_EQ(doc.PlainText(),
            "def\xC4\x85 \xD0\x94\xD0\xB0 mono \xE2\x80\xA2 \xCE\xB1 serif \xE4\xB8\xAD "
            "\xE3\x83\x9E\xEF\xBC\x9A\xC2\xB9\n");  // ą; Да; • α; 中; マ：; ¹ (charset 0 is 1252)
}

TEST(RtfReader, DocumentCodePagesOfOldWriters) {
  EXPECT_EQ(Text("{\\rtf1\\mac \\'8e\\'d0}"), "\xC3\xA9\xE2\x80\x93\n");
  EXPECT_EQ(Text("{\\rtf1\\pc \\'82\\'e1}"), "\xC3\xA9\xC3\x9F\n");
  EXPECT_EQ(Text("{\\rtf1\\pca \\'82\\'d5}"), "\xC3\xA9\xC4\xB1\n");
  EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg1253 \\'e1}"), "\xCE\xB1\n");
  EXPECT_EQ(Text("{\\rtf1\\ansi\\ansicpg99999 \\'e9}"), "\xC3\xA9\n");  // unknown page: 1252 stays
}

TEST(RtfReader, UnicodeWithFallbackSkipping) {
  EXPECT_EQ(Text("{\\rtf1 caf\\u233\\'e9 \\u8364? 5}"), "caf\xC3\xA9 \xE2\x82\xAC 5\n");
  EXPECT_EQ(Text("{\\rtf1{\\uc2 a\\u916\\'c4\\'c4b}\\u916?c}"),
            "a\xCE\x94"
            "b\xCE\x94"
            "c\n");
  EXPECT_EQ(Text("{\\rtf1\\uc0 \\u8364 5}"),
            "\xE2\x82\xAC"
            "5\n");
  EXPECT_EQ(Text("{\\rtf1{\\uc3 \\u8364 E}xyz}"),
            "\xE2\x82\xAC"
            "xyz\n");  // the group end stops skipping
  EXPECT_EQ(Text("{\\rtf1 \\u-24800?\\u40736?}"), "\xE9\xBC\xA0\xE9\xBC\xA0\n");
  EXPECT_EQ(Text("{\\rtf1 \\u-10179?\\u-8783?}"), "\xF0\x9F\x96\xB1\n");  // surrogate pair joined
  EXPECT_EQ(Text("{\\rtf1 \\u-10179?x}"), "\xEF\xBF\xBDx\n");             // lone high surrogate
  EXPECT_EQ(Text("{\\rtf1 caf\\u233\r\n?!}"), "caf\xC3\xA9!\n");          // line ends are not characters
  EXPECT_EQ(Text("{\\rtf1 a\\u8211\\endash b}"),
            "a\xE2\x80\x93"
            "b\n");  // a control word is one character
}

TEST(RtfReader, ControlSymbolsAndUnknownWords) {
  EXPECT_EQ(Text("{\\rtf1 a\\~b\\-c\\_d \\{\\}\\\\ \\bullet\\emdash\\lquote\\rquote\\ldblquote\\rdblquote}"),
            "a\xC2\xA0"
            "b\xC2\xAD"
            "c\xE2\x80\x91"
            "d {}\\ \xE2\x80\xA2\xE2\x80\x94\xE2\x80\x98\xE2\x80\x99"
            "\xE2\x80\x9C\xE2\x80\x9D\n");
  EXPECT_EQ(Text("{\\rtf1 Point\\nope at \\zz-42 x\\weird2147483648 y\\|z\tt\\tab u\\line v}"),
            "Pointat xyz\tt\tu\nv\n");                          // a space after a word or its number is its delimiter
  EXPECT_EQ(Text("{\\rtf1 one\\\r\ntwo\\par}"), "one\ntwo\n");  // backslash + line end is a paragraph
}

TEST(RtfReader, DestinationsSkippedOrShown) {
  EXPECT_EQ(Text("{\\rtf1{\\info{\\title T}}{\\stylesheet{\\s1 Heading;}}{\\header H}{\\footer F}"
                 "a{\\*\\unknown hidden {\\b x} \\par y}b {\\*\\fldinst HYPERLINK}{\\xe idx}c{\\mystery shown}\\par}"),
            "ab cshown\n");
  EXPECT_EQ(Text("{\\rtf1 see{\\super\\chftn}{\\*\\footnote\\chftn  note} and{\\super\\chftn{\\footnote\\chftn  n}}.}"),
            "see1 and2.\n");
  EXPECT_EQ(Text("{\\rtf1{\\field{\\*\\fldinst{ HYPERLINK \"u\" }}{\\fldrslt{\\ul link}}} "
                 "{\\field{\\*\\fldinst SYMBOL 183 \\\\f \"Symbol\"}{\\fldrslt }}}"),
            "link \xC2\xB7\n");
  EXPECT_EQ(Text("{\\rtf1{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody{\\pntxta .}}one\\par"
                 "{\\listtext\\pard\\plain \\'95\\tab}two\\par}"),
            "1.\tone\n\xE2\x80\xA2\ttwo\n");
  EXPECT_EQ(Text("{\\rtf1{\\upr{ansi}{\\*\\ud{wide}}}}"), "wide\n");
  EXPECT_EQ(Text("{\\rtf1 a{\\v hidden}b}"), "ab\n");
  EXPECT_EQ(Text("{\\rtf1 x{\\*\\d\\bin5 }{\\}\\ab}y}"), "xy\n");   // \binN data is never markup
  EXPECT_EQ(Text("{\\rtf1 x\\u233\\bin3 {}\\y}"), "x\xC3\xA9y\n");  // nor when it is a fallback
}

TEST(RtfReader, TableCellsAreParagraphsThatKnowTheirRow) {
  auto doc = Read(
      "{\\rtf1\\trowd\\cellx1000\\cellx2500\\pard\\intbl A\\cell B\\cell\\row"
      "\\trowd\\cellx900\\pard\\intbl C\\par\\cell\\row\\pard after\\par}");
  EXPECT_EQ(doc.PlainText(), "A\nB\nC\n\nafter\n");
  ASSERT_EQ(doc.Paragraphs.size(), 5u);
  EXPECT_EQ(doc.Paragraphs[0].Cell, 0);
  EXPECT_EQ(doc.Paragraphs[1].Cell, 1);
  EXPECT_EQ(doc.Paragraphs[1].CellEdges, (std::vector<int>{1000, 2500}));
  EXPECT_FALSE(doc.Paragraphs[0].RowEnd);
  EXPECT_TRUE(doc.Paragraphs[1].RowEnd);
  EXPECT_EQ(doc.Paragraphs[2].Cell, -1);  // C ends with \\par inside its cell
  EXPECT_EQ(doc.Paragraphs[3].Cell, 0);
  EXPECT_EQ(doc.Paragraphs[3].CellEdges, (std::vector<int>{900}));
  EXPECT_EQ(doc.Paragraphs[4].Cell, -1);
}

TEST(RtfReader, ParagraphFormatting) {
  auto doc = Read(
      "{\\rtf1\\deftab360 \\pard\\qc\\li720\\ri360\\fi-240\\sb120\\sa240\\sl-300\\slmult0 "
      "\\tqr\\tldot\\tx4000\\tx1000\\tqc\\tx2000 centred\\par"
      "\\qj justified\\par\\pard\\qr\\sl360\\slmult1 right\\par"
      "{\\pard\\ql\\li100 in group\\par}\\pard plain\\par}");
  ASSERT_EQ(doc.Paragraphs.size(), 5u);
  EXPECT_EQ(doc.DefaultTab, 360);
  const TRtfParaFormat& p = doc.Paragraphs[0].Format;
  EXPECT_EQ(p.Alignment, raCenter);
  EXPECT_EQ(p.LeftIndent, 720);
  EXPECT_EQ(p.RightIndent, 360);
  EXPECT_EQ(p.FirstIndent, -240);
  EXPECT_EQ(p.SpaceBefore, 120);
  EXPECT_EQ(p.SpaceAfter, 240);
  EXPECT_EQ(p.LineSpacing, -300);
  EXPECT_FALSE(p.LineSpacingMultiple);
  std::vector<TRtfTabStop> tabs{{1000, rtkLeft, rtlNone}, {2000, rtkCenter, rtlNone}, {4000, rtkRight, rtlDots}};
  EXPECT_EQ(p.Tabs, tabs);
  EXPECT_EQ(doc.Paragraphs[1].Format.Alignment, raJustify);
  EXPECT_EQ(doc.Paragraphs[1].Format.LeftIndent, 720);  // kept until \pard
  EXPECT_EQ(doc.Paragraphs[2].Format.Alignment, raRight);
  EXPECT_TRUE(doc.Paragraphs[2].Format.LineSpacingMultiple);
  EXPECT_TRUE(doc.Paragraphs[2].Format.Tabs.empty());
  EXPECT_EQ(doc.Paragraphs[3].Format.LeftIndent, 100);
  EXPECT_EQ(doc.Paragraphs[4].Format.LeftIndent, 0);
}

TEST(RtfReader, RobustAgainstBrokenInput) {
  EXPECT_EQ(Text("{\\rtf1 no closing brace"), "no closing brace\n");
  EXPECT_EQ(Text("{\\rtf1 a}}}} trailing"), "a\n");
  EXPECT_EQ(Text("{\\rtf1 x\\"), "x\n");
  EXPECT_EQ(Text("{\\rtf1 \\'"), "");
  EXPECT_EQ(Text("{\\rtf1 {\\f99 unknown font}\\cf77 c\\highlight-5 h}"), "unknown fontch\n");
  std::string deep = "{\\rtf1 ";
  for (int i = 0; i < 100000; ++i) deep += "{\\b ";
  deep += "deep";
  for (int i = 0; i < 100000; ++i) deep += "}";
  deep += " top}";
  EXPECT_EQ(Text(deep), "deep top\n");
  EXPECT_EQ(Text("{\\rtf1{\\pict\\pngblip 89504e47}x{\\pict\\bin999999999 }"), "x\n");
}

}  // namespace
