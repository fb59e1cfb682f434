// The number conversions, the edit beneath TNumberEdit, TNumberEdit and TUnitEdit.

#include "controls/TNumberEdit.h"
#include "controls/TUnitEdit.h"
#include "library/LibraryFixture.h"
#include "toolkit/core/FloatFormat.h"
#include "toolkit/stdctrls/TStaticText.h"

namespace {

TEST(FloatFormat, GeneralFormatWithSevenDigits) {
  EXPECT_EQ(FloatToStrGeneral(1.5f, 7, 0), "1.5");
  EXPECT_EQ(FloatToStrGeneral(1234567.8f, 7, 0), "1234568");
  EXPECT_EQ(FloatToStrGeneral(-2.25, 7, 0), "-2.25");
  EXPECT_EQ(FloatToStrGeneral(0, 7, 0), "0");
  EXPECT_EQ(FloatToStrGeneral(100, 7, 0), "100");
  EXPECT_EQ(FloatToStrGeneral(0.1f, 7, 0), "0.1");
  EXPECT_EQ(FloatToStrGeneral(12345678, 7, 0), "1.234568E7");
  EXPECT_EQ(FloatToStrGeneral(9999999.6, 7, 0), "1E7");  // rounding adds a digit
  EXPECT_EQ(FloatToStrGeneral(0.00001, 7, 0), "0.00001");
  EXPECT_EQ(FloatToStrGeneral(0.0000015, 7, 0), "1.5E-6");
  EXPECT_EQ(FloatToStrGeneral(1e20, 7, 2), "1E20");
  EXPECT_EQ(FloatToStrGeneral(1e5, 2, 3), "1E005");
}

TEST(FloatFormat, TextToNumber) {
  EXPECT_DOUBLE_EQ(StrToFloat(" 1.5 "), 1.5);
  EXPECT_DOUBLE_EQ(StrToFloat("-1e3"), -1000);
  EXPECT_DOUBLE_EQ(StrToFloat(".5"), 0.5);
  EXPECT_DOUBLE_EQ(StrToFloat("+2."), 2);
  for (const char* bad : {"", "abc", "1,5", "1e", "1.2.3", "--1", ".", "1e99999", "12abc"}) {
    double v = 42;
    EXPECT_FALSE(TryStrToFloat(bad, v)) << bad;
    EXPECT_EQ(v, 42);
  }
  try {
    StrToFloat("abc");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid floating point value");
  }
}

class EditTest : public LibraryTest {
protected:
  void SetUp() override {
    LibraryTest::SetUp();
    Form = Read(R"(object F: TLibraryForm
  Color = clBtnFace
  object Amount: TNumberEdit
    Left = 10
    Top = 10
    Width = 80
    Height = 20
    Value = 1.5
    NumberType = ntFloat
    OnChange = ComboChange
  end
  object Width1: TUnitEdit
    Left = 10
    Top = 40
    Width = 100
    Unit = 'cm'
    Value = 12.25
    EditColor = clWhite
    UnitColor = clBtnFace
  end
end
)");
    Form->SetClientSize(130, 70);
    Amount = Form->Find<TNumberEdit>("Amount");
    Unit = Form->Find<TUnitEdit>("Width1");
  }
  TLibraryForm* Form = nullptr;
  TNumberEdit* Amount = nullptr;
  TUnitEdit* Unit = nullptr;
};

TEST_F(EditTest, NumberEditReadsAndWritesItsText) {
  ASSERT_NE(Amount, nullptr);
  EXPECT_EQ(Amount->Text(), "1.5");
  EXPECT_EQ(Amount->NumberType, ntFloat);
  EXPECT_FLOAT_EQ(Amount->GetValue(), 1.5f);
  Amount->SetValue(1234567.8f);
  EXPECT_EQ(Amount->Text(), "1234568");
  Amount->SetText("abc");
  EXPECT_FALSE(Amount->Validate());
  EXPECT_EQ(Amount->GetValue(), 0.0f);
  Amount->SetText("");
  EXPECT_FALSE(Amount->Validate());
  EXPECT_EQ(Amount->GetValue(), 0.0f);
  // Its window is a right-aligned standard edit.
  EXPECT_TRUE(Amount->HandleAllocated());
  EXPECT_EQ(Amount->WindowParams().WinClassName, "EDIT");
  EXPECT_TRUE(Amount->WindowParams().Style & ES_RIGHT);
}

TEST_F(EditTest, TypingEditingAndSelecting) {
  Form->Show();
  Amount->SetFocus();  // selects all
  EXPECT_EQ(Amount->SelLength(), 3);
  Form->Log.clear();
  Backend.Char("12.5");
  Run();
  EXPECT_EQ(Amount->Text(), "12.5");
  EXPECT_FLOAT_EQ(Amount->GetValue(), 12.5f);
  EXPECT_EQ(Form->Log.size(), 4u);  // OnChange per character
  Backend.Key(VK_BACK);
  Backend.Key(VK_HOME);
  Backend.Key(VK_DELETE);
  Run();
  EXPECT_EQ(Amount->Text(), "2.");
  Backend.Key(VK_END);
  Backend.Key(VK_LEFT, platform::psShift);
  Run();
  EXPECT_EQ(Amount->SelText(), ".");
  Backend.Char("7");
  Run();
  EXPECT_EQ(Amount->Text(), "27");
  EXPECT_EQ(Amount->CaretPos(), 2);
  // A press puts the caret at the nearest gap; dragging selects.
  const int left = Amount->Left();
  Backend.MouseDown(platform::TPButton::Left, left + Amount->XFromPos(0), 20);
  Backend.MouseMove(left + Amount->XFromPos(2), 20);
  Backend.MouseUp(platform::TPButton::Left, left + Amount->XFromPos(2), 20);
  Run();
  EXPECT_EQ(Amount->SelStart(), 0);
  EXPECT_EQ(Amount->SelLength(), 2);
  Amount->SetMaxLength(3);
  Backend.Char("9999");
  Run();
  EXPECT_EQ(Amount->Text(), "999");
}

TEST_F(EditTest, RightAlignedTextSitsAtTheRightEdge) {
  Amount->SetValue(7);
  Form->Show();
  Run();
  auto inkInColumns = [&](int from, int to) {
    int ink = 0;
    for (int x = Amount->Left() + from; x < Amount->Left() + to; ++x)
      for (int y = Amount->Top() + 3; y < Amount->Top() + 17; ++y)
        if (Pixel(x, y) != ColorToRGB(clWindow)) ++ink;
    return ink;
  };
  EXPECT_EQ(inkInColumns(3, 60), 0);
  EXPECT_GT(inkInColumns(60, 77), 0);
}

TEST_F(EditTest, UnitEditPartsTakeTheirBoundsAndKeptValues) {
  ASSERT_NE(Unit, nullptr);
  ASSERT_NE(Unit->Edit(), nullptr);
  ASSERT_NE(Unit->UnitText(), nullptr);
  EXPECT_EQ(Unit->Height(), 20);
  EXPECT_EQ(Unit->Edit()->BoundsRect(), Bounds(0, 0, 70, 20));
  EXPECT_EQ(Unit->UnitText()->BoundsRect(), Bounds(72, 2, 30, 18));
  EXPECT_EQ(Unit->UnitText()->Caption(), "cm");
  // Set while the layout was read, before the parts existed.
  EXPECT_FLOAT_EQ(Unit->GetValue(), 12.25f);
  EXPECT_EQ(Unit->Edit()->Text(), "12.25");
  EXPECT_EQ(Unit->Edit()->Color(), clWhite);
  EXPECT_EQ(Unit->Color(), clBtnFace);
  EXPECT_EQ(Unit->ControlCount(), 2);
  Unit->CreateWnd();  // the parts exist: nothing more is created
  EXPECT_EQ(Unit->ControlCount(), 2);
  Unit->SetWidth(200);  // not resized later
  EXPECT_EQ(Unit->Edit()->Width(), 70);
  Unit->SetUnit("mm");
  EXPECT_EQ(Unit->UnitText()->Caption(), "mm");
  Unit->SetValue(3);
  EXPECT_EQ(Unit->Edit()->Text(), "3");
}

TEST_F(EditTest, UnitEditMadeInCodeCreatesItsPartsWhenPlaced) {
  auto* made = new TUnitEdit(Form);
  EXPECT_EQ(made->Edit(), nullptr);
  made->SetUnit("kg");
  made->SetValue(2.5f);
  made->SetEditColor(clYellow);
  EXPECT_FLOAT_EQ(made->GetValue(), 2.5f);
  made->SetBounds(0, 0, 60, 20);
  made->SetParent(Form);
  ASSERT_NE(made->Edit(), nullptr);
  EXPECT_EQ(made->Edit()->Width(), 30);
  EXPECT_EQ(made->UnitText()->Caption(), "kg");
  EXPECT_EQ(made->Edit()->Text(), "2.5");
  EXPECT_EQ(made->Edit()->Color(), clYellow);
}

TEST_F(EditTest, GoldenUnitEdit) {
  Form->Show();
  Run();
  auto golden = Golden("unitedit", Unit->BoundsRect());
  EXPECT_TRUE(golden.Matched) << golden.Message;
}

}  // namespace
