#include <gmock/gmock.h>

#include "stdctrls/StdFixture.h"
#include "toolkit/stdctrls/TPaintBox.h"

namespace {

const char* const TestLayout = R"(object TestForm: TTestForm
  ClientWidth = 400
  ClientHeight = 300
  Color = clWhite
  Font.Name = 'Tahoma'
  Font.Height = -19
  Font.Color = clBlack
  object Wrapped: TLabel
    Left = 10
    Top = 10
    Width = 60
    Caption = 'Press the Enter key to continue.'
    WordWrap = True
  end
  object Single: TLabel
    Left = 10
    Top = 150
    Caption = 'Press the Enter key'
  end
  object Coloured: TLabel
    Left = 10
    Top = 260
    Caption = 'x'
    Font.Color = clRed
  end
  object Centred: TLabel
    Left = 100
    Top = 200
    Width = 200
    Height = 30
    Alignment = taCenter
    AutoSize = False
    Caption = 'Hi'
  end
  object Picture: TImage
    Left = 300
    Top = 10
    AutoSize = True
    Transparent = True
  end
  object Bevelled: TPanel
    Left = 300
    Top = 200
    Width = 50
    Height = 50
    Color = clWhite
  end
  object Flat: TPanel
    Left = 350
    Top = 200
    Width = 50
    Height = 50
    BevelOuter = bvNone
    Color = clWhite
  end
end
)";

class LabelImageTest : public StdControlsTest {
protected:
  void SetUp() override {
    StdControlsTest::SetUp();
    Form = Build(TestLayout);
  }
  // The columns of [left, right) at row y whose pixel is not white.
  std::vector<int> InkColumns(int left, int right, int top, int bottom) {
    std::vector<int> cols;
    for (int x = left; x < right; ++x)
      for (int y = top; y < bottom; ++y)
        if (Pixel(x, y) != clWhite) {
          cols.push_back(x);
          break;
        }
    return cols;
  }
  TTestForm* Form = nullptr;
};

TEST_F(LabelImageTest, AutoSizeWrapsToTheWidthOrGrowsInOneLine) {
  auto* wrapped = Form->Find<TLabel>("Wrapped");
  auto* single = Form->Find<TLabel>("Single");
  EXPECT_EQ(wrapped->Width(), 60);
  EXPECT_GT(wrapped->Height(), 3 * single->Height());
  EXPECT_GT(single->Width(), 100);
  EXPECT_LT(single->Height(), 30);
  // The wrapped text stays inside its width.
  std::vector<int> ink = InkColumns(0, 200, wrapped->Top(), wrapped->Top() + wrapped->Height());
  ASSERT_FALSE(ink.empty());
  EXPECT_GE(ink.front(), 10);
  EXPECT_LT(ink.back(), 70);
  // A longer caption makes a single-line label wider.
  int width = single->Width();
  single->SetCaption("Press the Enter key to continue.");
  EXPECT_GT(single->Width(), width);
}

TEST_F(LabelImageTest, AFontPropertyInTheLayoutChangesTheParentsFont) {
  auto* label = Form->Find<TLabel>("Coloured");
  EXPECT_FALSE(label->ParentFont());
  EXPECT_EQ(label->Font().Color(), clRed);
  EXPECT_EQ(label->Font().Height(), -19);
  EXPECT_TRUE(Form->Find<TLabel>("Single")->ParentFont());
}

TEST_F(LabelImageTest, ACentredLabelCentresItsText) {
  std::vector<int> ink = InkColumns(100, 300, 200, 230);
  ASSERT_FALSE(ink.empty());
  int leftMargin = ink.front() - 100, rightMargin = 300 - 1 - ink.back();
  EXPECT_NEAR(leftMargin, rightMargin, 2);
  EXPECT_GT(leftMargin, 80);
}

TEST_F(LabelImageTest, AnAutoSizedLabelKeepsItsCentreOrRightEdge) {
  auto* label = Form->Find<TLabel>("Single");
  label->SetAutoSize(false);
  label->SetBounds(100, 150, 251, 48);
  label->SetAlignment(taCenter);
  label->SetAutoSize(true);
  EXPECT_LT(label->Width(), 251);
  EXPECT_NEAR(label->Left() + label->Width() / 2, 100 + 251 / 2, 1);
  label->SetAutoSize(false);
  label->SetBounds(100, 150, 251, 48);
  label->SetAlignment(taRightJustify);
  label->SetAutoSize(true);
  EXPECT_EQ(label->Left() + label->Width(), 351);
}

TEST_F(LabelImageTest, AnImageSizesItselfToItsPictureAndDropsTheTransparentColour) {
  auto* image = Form->Find<TImage>("Picture");
  TBitmap bitmap;
  bitmap.SetSize(30, 20);
  bitmap.Canvas().Brush().Color = clBlue;
  bitmap.Canvas().FillRect({0, 0, 30, 20});
  bitmap.Canvas().Brush().Color = clRed;
  bitmap.Canvas().FillRect({10, 5, 20, 15});
  image->Picture()->Assign(&bitmap);
  EXPECT_EQ(image->Width(), 30);
  EXPECT_EQ(image->Height(), 20);
  EXPECT_TRUE(image->Picture()->Bitmap()->Transparent);
  Application->ProcessMessages();
  EXPECT_EQ(Pixel(300 + 2, 10 + 2), clWhite);  // blue was the bottom-left colour
  EXPECT_EQ(Pixel(300 + 15, 10 + 10), clRed);
  // Drawing on the picture's bitmap repaints the image.
  image->Picture()->Bitmap()->Canvas().Brush().Color = clLime;
  image->Picture()->Bitmap()->Canvas().FillRect({0, 0, 5, 5});
  Application->ProcessMessages();
  EXPECT_EQ(Pixel(301, 11), clLime);
  // Loading straight into the picture's bitmap resizes the image too.
  image->Picture()->Bitmap()->LoadFromResourceName("Box");
  EXPECT_EQ(image->Width(), 20);
  // Without AutoSize the control keeps its size.
  image->SetAutoSize(false);
  bitmap.SetSize(50, 50);
  image->Picture()->Assign(&bitmap);
  EXPECT_EQ(image->Width(), 20);
}

TEST_F(LabelImageTest, PanelsDrawTheirBevelsOnlyWhenAsked) {
  EXPECT_EQ(Pixel(300, 200), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(Pixel(349, 249), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Pixel(350, 200), clWhite);
  EXPECT_EQ(Pixel(399, 249), clWhite);
}

TEST_F(StdControlsTest, APaintBoxPaintsThroughOnPaint) {
  TTestForm* form = Build("object F: TTestForm\n  ClientWidth = 100\n  ClientHeight = 100\n  Color = clWhite\nend\n");
  auto* box = new TPaintBox(form);
  box->SetBounds(10, 10, 20, 20);
  int paints = 0;
  box->OnPaint = [&](TObject* sender) {
    ++paints;
    auto* self = static_cast<TPaintBox*>(sender);
    self->Canvas().Brush().Color = clRed;
    self->Canvas().FillRect({0, 0, 20, 20});
  };
  box->SetParent(form);
  Application->ProcessMessages();
  EXPECT_GE(paints, 1);
  EXPECT_EQ(Pixel(15, 15), clRed);
  EXPECT_EQ(Pixel(35, 15), clWhite);
}

}  // namespace

namespace {

// A 2 x 1 BMP file (24 bits per pixel) as the hex digits a layout writes.
std::string TinyBmpHex() {
  std::vector<uint8_t> b = {'B', 'M', 62,  0, 0,   0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header
                            40,  0,   0,   0, 2,   0, 0, 0, 1, 0, 0,  0, 1, 0, 24, 0, 0, 0, 0, 0,
                            8,   0,   0,   0, 0,   0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0,  // info header
                            0,   0,   255, 0, 255, 0, 0, 0};  // red, green, padding
  std::string hex;
  for (uint8_t v : b) hex += Format("%02X", v);
  return hex;
}

std::string ImageLayout(const std::string& pictureLine) {
  return "object F: TTestForm\n  ClientWidth = 50\n  ClientHeight = 50\n  object I: TImage\n    AutoSize = True\n    " +
         pictureLine + "\n  end\nend\n";
}

TEST_F(StdControlsTest, ImagePicturesComeFromResourcesOrBinaryData) {
  TTestForm* form = Build(ImageLayout("Picture.Resource = 'box'"));
  auto* image = form->Find<TImage>("I");
  EXPECT_EQ(image->Width(), 20);  // the embedded "Box" bitmap, found without regard to case
  EXPECT_EQ(image->Height(), 20);
  // A BMP file alone, after a 4-byte length, and after the class name as designers write it.
  std::string hex = TinyBmpHex();
  for (const std::string& data : {hex, "3E000000" + hex, "07544269746D61703E000000" + hex}) {
    TTestForm* f = nullptr;
    Application->CreateForm(f);
    ReadLayout(f, ImageLayout("Picture.Data = {" + data + "}"));
    auto* i = f->Find<TImage>("I");
    EXPECT_EQ(i->Width(), 2) << data;
    EXPECT_EQ(i->Picture()->Bitmap()->GetPixel(0, 0), clRed) << data;
  }
  TTestForm* bad = nullptr;
  Application->CreateForm(bad);
  try {
    ReadLayout(bad, ImageLayout("Picture.Data = {0000}"));
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Layout line 6: property 'Picture.Data' of TImage: picture data is not a BMP image");
  }
  Application->CreateForm(bad);
  try {
    ReadLayout(bad, ImageLayout("Picture.Resource = 'NoSuchPicture'"));
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_THAT(e.Message(), ::testing::StartsWith("Layout line 6: property 'Picture.Resource' of TImage: "));
  }
}

}  // namespace
