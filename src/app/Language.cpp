// The language list, loading a language's page files and text file, the choice of
// the language at start-up, and the handedness picture of the Holding page.

#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>

#include "app/TMainForm.h"
#include "content/LanguageFolder.h"
#include "content/LanguageLocale.h"
#include "content/LanguageTexts.h"
#include "content/TLineIterator.h"
#include "controls/TFancyButton.h"
#include "platform/Cp1252.h"
#include "platform/Files.h"
#include "storage/TJSetting.h"
#include "toolkit/graphics/TBitmap.h"
#include "toolkit/rtf/TRichEdit.h"
#include "toolkit/stdctrls/TImage.h"
#include "toolkit/stdctrls/TLabel.h"
#include "toolkit/stdctrls/TListBox.h"
#include "toolkit/stdctrls/TPageControl.h"
#include "toolkit/stdctrls/TTabSheet.h"

namespace {

constexpr int PageFileCount = 12;
constexpr int CaptionLines = 13;
constexpr int FirstTextLine = 14;
constexpr size_t MaxLineLength = 99;

std::string Cut(const char* line) {
  std::string text(line);
  if (text.size() > MaxLineLength) text.resize(MaxLineLength);
  return text;
}

// One line on standard error for a problem with the language files; each problem is
// told once per run, however often the language is loaded.
void Note(const std::string& text) {
  static std::set<std::string> told;
  if (!told.insert(text).second) return;
  std::fprintf(stderr, "Pointrix: %s\n", platform::Cp1252ToUtf8(text).c_str());
  std::fflush(stderr);
}

// Loads page file n into page: the common file when there is one, else the variant of
// the hand. A file that cannot be read (missing, a folder, unreadable, a link loop)
// moves on to the next; when none can, the page shows which files were tried.
void LoadPage(TRichEdit* page, const TLanguageFolder& language, int n, bool leftHanded) {
  const std::string common = PathIgnoringCase(language.Path, std::to_string(n) + ".rtf");
  const std::string variant = PathIgnoringCase(language.Path, std::to_string(n) + (leftHanded ? "l.rtf" : "r.rtf"));
  for (const std::string& path : {common, variant}) {
    // A common file that is missing is no fault; the variant is then the page.
    if (path == common && !platform::FileExists(path)) continue;
    try {
      page->Lines().LoadFromFile(path);
      return;
    } catch (const std::exception&) {
    }
  }
  page->Lines().SetText("This page could not be loaded. Pointrix looked for\n" + ShownPath(common) + "\n" +
                        ShownPath(variant));
  Note("page " + std::to_string(n) + " of " + language.Name + " cannot be read: neither " + ShownPath(common) +
       " nor " + ShownPath(variant) + " can be opened");
}

}  // namespace

int TMainForm::FindLanguage(const std::string& name) const {
  if (name.empty()) return -1;
  for (size_t i = 0; i < LanguageFolders.size(); ++i)
    if (strcasecmp(LanguageFolders[i].Name.c_str(), name.c_str()) == 0) return int(i);
  for (size_t i = 0; i < LanguageFolders.size(); ++i)
    if (strcasecmp(BaseName(LanguageFolders[i].Path).c_str(), name.c_str()) == 0) return int(i);
  return -1;
}

void TMainForm::LanguageListClick(TObject*) {
  const int index = LanguageList->ItemIndex();
  std::string name = LanguageList->Items()->Strings(index);
  if (index < int(LanguageFolders.size()))
    LoadLanguageFolder(LanguageFolders[size_t(index)]);
  else
    LoadLanguage(name);
  LanguageSetting->SetValue(name);
}

void TMainForm::LoadLanguage(const std::string& name) {
  const int index = FindLanguage(name);
  if (index >= 0) {
    LoadLanguageFolder(LanguageFolders[size_t(index)]);
    return;
  }
  // Not listed: a folder of that name in the first place that has one.
  std::vector<std::string> places = LanguagePlaces();
  TLanguageFolder language{name, PathIgnoringCase(places.front(), name)};
  for (const std::string& place : places) {
    std::string path = PathIgnoringCase(place, name);
    if (platform::FolderExists(path)) {
      language.Path = path;
      break;
    }
  }
  LoadLanguageFolder(language);
}

void TMainForm::LoadLanguageFolder(const TLanguageFolder& language) {
  // The text file first: a language whose captions cannot be read is not loaded at all,
  // so nothing of the language shown before changes.
  std::string problem;
  const std::string textFile = FindTextFile(language, problem);
  if (textFile.empty()) throw Exception("The language \"" + language.Name + "\" cannot be loaded: " + problem + ".");

  TRichEdit* const pages[PageFileCount] = {ConfigureRE,      IntroRE,     OverviewRE,      HoldingRE,
                                           UsageRE,          SelectingRE, SelectingGameRE, ActivatingRE,
                                           ActivatingGameRE, MovingRE,    MovingGameRE,    OutroRE};
  for (int n = 1; n <= PageFileCount; ++n) {
    // The handedness setting is read afresh for each page that has variants, so a change
    // of the system's setting shows in pages loaded later.
    const bool needsHand = !platform::FileExists(PathIgnoringCase(language.Path, std::to_string(n) + ".rtf"));
    LoadPage(pages[n - 1], language, n, needsHand && HandSetting->GetValue() == "1");
  }

  TLineIterator lines(textFile);
  for (int number = 1; lines.valid() && number <= LanguageLineCount; ++number, lines.advance()) {
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

std::string TMainForm::StartLanguage() {
  const std::vector<std::string> places = LanguagePlaces();
  LanguageFolders = ListLanguages(places);
  LanguageList->Items()->Clear();
  for (const TLanguageFolder& language : LanguageFolders) LanguageList->Items()->Add(language.Name);
  if (LanguageFolders.empty()) {
    std::string searched;
    for (size_t i = 0; i < places.size(); ++i)
      searched += (i == 0                   ? ""
                   : i + 1 == places.size() ? " or "
                                            : ", ") +
                  (places[i].empty() ? std::string("the current folder") : ShownPath(places[i]));
    throw Exception("No language folder was found in " + searched +
                    ". Each language needs a folder there, for example \"English\" with its page files and "
                    "English.txt.");
  }

  // The languages to try, in order: the stored one, the one of the user's locale,
  // English, then every language in the list.
  const std::string stored = LanguageSetting->GetValue();
  const int storedIndex = FindLanguage(stored);
  std::vector<int> order{storedIndex, LanguageForUserLocale(LanguageFolders),
                         LanguageList->Items()->IndexOf("English")};
  for (int i = 0; i < int(LanguageFolders.size()); ++i) order.push_back(i);

  std::vector<int> tried;
  std::string problems;
  for (int index : order) {
    if (index < 0 || std::find(tried.begin(), tried.end(), index) != tried.end()) continue;
    tried.push_back(index);
    std::string problem;
    if (FindTextFile(LanguageFolders[size_t(index)], problem).empty()) {
      const std::string text =
          "the language \"" + LanguageFolders[size_t(index)].Name + "\" cannot be loaded: " + problem;
      Note(text + (tried.size() < LanguageFolders.size() ? "; trying the next one" : ""));
      problems += "\n" + problem + ".";
      continue;
    }
    LanguageList->SetItemIndex(index);
    if (index == storedIndex) {
      LoadLanguage(LanguageFolders[size_t(index)].Name);
      PageControl1->SetActivePage(IntroSheet);
      return {};
    }
    // As on the first day: the language is chosen on the Configure page.
    LanguageListClick(nullptr);
    PageControl1->SetActivePage(ConfigSheet);
    return storedIndex >= 0 ? stored : std::string();
  }
  throw Exception("No language could be loaded." + problems);
}

void TMainForm::SetHandedness(bool leftHanded) {
  TBitmap picture;
  picture.LoadFromResourceName(leftHanded ? "Holdingl" : "Holdingr");
  picture.Transparent = true;
  HoldingImage->SetPicture(&picture);
}
