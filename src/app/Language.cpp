// The language list, loading a language's page files and text file, and the
// handedness picture of the Holding page.

#include <string>

#include "app/TMainForm.h"
#include "content/LanguageFolder.h"
#include "content/LanguageTexts.h"
#include "content/TLineIterator.h"
#include "controls/TFancyButton.h"
#include "platform/Files.h"
#include "storage/TJSetting.h"
#include "toolkit/graphics/TBitmap.h"
#include "toolkit/stdctrls/TImage.h"
#include "toolkit/stdctrls/TLabel.h"
#include "toolkit/stdctrls/TListBox.h"
#include "toolkit/stdctrls/TPageControl.h"
#include "toolkit/rtf/TRichEdit.h"
#include "toolkit/stdctrls/TTabSheet.h"

namespace {

constexpr int PageFileCount = 12;
constexpr int CaptionLines = 13;
constexpr int FirstTextLine = 14;
constexpr int LastUsedLine = 30;
constexpr size_t MaxLineLength = 99;

std::string Cut(const char* line) {
  std::string text(line);
  if (text.size() > MaxLineLength) text.resize(MaxLineLength);
  return text;
}

}  // namespace

void TMainForm::LanguageListClick(TObject*) {
  std::string name = LanguageList->Items()->Strings(LanguageList->ItemIndex());
  LoadLanguage(name);
  LanguageSetting->SetValue(name);
}

void TMainForm::LoadLanguage(const std::string& name) {
  // Files are looked up beside the executable, whatever the current folder is.
  const std::string folder = PathIgnoringCase(ProgramFolder(), name);
  TRichEdit* const pages[PageFileCount] = {ConfigureRE,      IntroRE,     OverviewRE,      HoldingRE,
                                           UsageRE,          SelectingRE, SelectingGameRE, ActivatingRE,
                                           ActivatingGameRE, MovingRE,    MovingGameRE,    OutroRE};
  for (int n = 1; n <= PageFileCount; ++n) {
    // A common file wins; only without one is the handedness setting read (afresh, so a
    // change of the system's setting shows in pages loaded later) to pick the variant.
    std::string path = PathIgnoringCase(folder, std::to_string(n) + ".rtf");
    if (!platform::FileExists(path)) path = PageFilePath(folder, n, HandSetting->GetValue() == "1");
    pages[n - 1]->Lines().LoadFromFile(path);
  }

  TLineIterator lines(PathIgnoringCase(folder, name + ".txt"));
  for (int number = 1; lines.valid() && number <= LastUsedLine; ++number, lines.advance()) {
    if (number <= CaptionLines)
      PageControl1->Pages(number - 1)->SetCaption(Cut(lines.current()));
    else
      SetLanguageText(number - FirstTextLine, lines.current());
  }

  BackBtn->SetCaption(LanguageTexts[5]);
  NextBtn->SetCaption(LanguageTexts[6]);
  ExitBtn->SetCaption(LanguageTexts[7]);
  New1Btn->SetCaption(LanguageTexts[8]);
  New2Btn->SetCaption(LanguageTexts[8]);
  New3Btn->SetCaption(LanguageTexts[8]);
  ResetBtn->SetCaption(LanguageTexts[9]);
  Time1Label->SetCaption(LanguageTexts[10]);
  Time2Label->SetCaption(LanguageTexts[10]);
  Level1Label->SetCaption(LanguageTexts[11]);
  Hits1Label->SetCaption(LanguageTexts[12]);
  Hits2Label->SetCaption(LanguageTexts[12]);
  Misses1Label->SetCaption(LanguageTexts[13]);
  Misses2Label->SetCaption(LanguageTexts[13]);
  Escaped1Label->SetCaption(LanguageTexts[14]);
  Score1Label->SetCaption(LanguageTexts[15]);
  Score2Label->SetCaption(LanguageTexts[15]);
}

void TMainForm::SetHandedness(bool leftHanded) {
  TBitmap picture;
  picture.LoadFromResourceName(leftHanded ? "Holdingl" : "Holdingr");
  picture.Transparent = true;
  HoldingImage->SetPicture(&picture);
  LanguageListClick(nullptr);
}
