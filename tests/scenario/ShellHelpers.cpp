#include "scenario/ShellHelpers.h"

#include <algorithm>
#include <regex>

#include "platform/Files.h"
#include "toolkit/rtf/TRichEdit.h"
#include "toolkit/stdctrls/TListBox.h"
#include "toolkit/stdctrls/TPageControl.h"
#include "toolkit/stdctrls/TTabSheet.h"
#ifdef _WIN32
#include "platform/win32/WindowsRegistry.h"
#endif

namespace shelltest {

#ifdef _WIN32
// On Windows the scenarios use the system's registry (a private Wine prefix in CI).
void SetUserText(const std::string& key, const std::string& name, const std::string& text) {
  platform::HKEY opened = platform::HKEY_NULL;
  ASSERT_EQ(platform::RegCreateKeyEx(platform::HKEY_CURRENT_USER, key, 0, platform::KEY_ALL_ACCESS, &opened),
            platform::ERROR_SUCCESS);
  const std::string data = text + '\0';
  platform::RegSetValueEx(opened, name, platform::REG_SZ, reinterpret_cast<const platform::BYTE*>(data.data()),
                          platform::DWORD(data.size()));
  platform::RegCloseKey(opened);
}

std::string UserText(const std::string& key, const std::string& name) {
  platform::HKEY opened = platform::HKEY_NULL;
  if (platform::RegOpenKeyEx(platform::HKEY_CURRENT_USER, key, platform::KEY_READ, &opened) != platform::ERROR_SUCCESS)
    return "<none>";
  char text[512] = {};
  platform::DWORD size = sizeof text - 1;
  const auto status = platform::RegQueryValueEx(opened, name, nullptr, reinterpret_cast<platform::BYTE*>(text), &size);
  platform::RegCloseKey(opened);
  return status == platform::ERROR_SUCCESS ? std::string(text) : "<none>";
}
#endif

namespace {

std::string HivePath(const TScenario& s) {
  return s.RegistryDir() + "/HKEY_CURRENT_USER.reg";
}

}  // namespace

void WriteHive(TScenario& s, const char* language, const char* swapMouseButtons) {
#ifdef _WIN32
  if (language) SetUserText("Software\\Quillaby Software\\Pointrix", "Language", language);
  if (swapMouseButtons) SetUserText("Control Panel\\Mouse", "SwapMouseButtons", swapMouseButtons);
  return;
#endif
  std::string text = "REGEDIT4\n\n";
  if (language)
    text += "[HKEY_CURRENT_USER\\Software\\Quillaby Software\\Pointrix]\n\"Language\"=\"" + std::string(language) +
            "\"\n\n";
  if (swapMouseButtons)
    text +=
        "[HKEY_CURRENT_USER\\Control Panel\\Mouse]\n\"SwapMouseButtons\"=\"" + std::string(swapMouseButtons) + "\"\n";
  ASSERT_TRUE(platform::WriteWholeFile(HivePath(s), text));
}

std::string HiveText(const TScenario& s) {
  std::string text;
  platform::ReadWholeFile(HivePath(s), text);
  return text;
}

std::string StoredLanguage(const TScenario& s) {
#ifdef _WIN32
  return UserText("Software\\Quillaby Software\\Pointrix", "Language");
#endif
  static const std::regex value(
      R"re(\[HKEY_CURRENT_USER\\Software\\Quillaby Software\\Pointrix\][^\[]*"Language"="([^"]*)")re");
  std::smatch match;
  std::string text = HiveText(s);
  return std::regex_search(text, match, value) ? match[1].str() : "<none>";
}

std::vector<std::string> TextLines(const std::string& tag, int count) {
  std::vector<std::string> lines;
  for (int i = 1; i <= count; ++i)
    lines.push_back(i <= 13 ? tag + " tab " + std::to_string(i) : tag + " text " + std::to_string(i - 14));
  return lines;
}

std::string Join(const std::vector<std::string>& lines, const std::string& lineEnd) {
  std::string text;
  for (const std::string& line : lines) text += line + lineEnd;
  return text;
}

void WriteLanguage(TScenario& s, const std::string& name, const std::string& text, TPageFiles files,
                   const std::vector<int>& missing) {
  for (int n = 1; n <= 12; ++n) {
    if (std::find(missing.begin(), missing.end(), n) != missing.end()) continue;
    std::string page = name + "/" + std::to_string(n);
    std::string words = name + " page " + std::to_string(n);
    if (files == pfCommon) {
      s.WriteProgramFile(page + ".rtf", words);
    } else {
      s.WriteProgramFile(page + "l.rtf", words + " left");
      s.WriteProgramFile(page + "r.rtf", words + " right");
    }
  }
  s.WriteProgramFile(name + "/" + name + ".txt", text);
}

std::string FirstLine(TRichEdit* edit) {
  return edit->Lines().Count() > 0 ? edit->Lines().Strings(0) : "";
}

TPoint CentreInForm(const TControl* control) {
  TPoint origin = control->OriginInForm();
  return {origin.X + control->Width() / 2, origin.Y + control->Height() / 2};
}

void ClickControl(TScenario& s, const TControl* control) {
  TPoint p = CentreInForm(control);
  s.Click(p.X, p.Y);
}

void ClickTab(TScenario& s, TPageControl* pages, int index) {
  TRect r = pages->TabRect(index);
  ASSERT_FALSE(r.IsEmpty()) << "tab " << index << " is not in view";
  TPoint origin = pages->OriginInForm();
  s.Click(origin.X + (r.Left + r.Right) / 2, origin.Y + (r.Top + r.Bottom) / 2);
}

void ClickItem(TScenario& s, TListBox* list, int index) {
  TRect r = list->ItemRect(index);
  TPoint origin = list->OriginInForm();
  s.Click(origin.X + r.Left + 10, origin.Y + (r.Top + r.Bottom) / 2);
}

std::vector<std::string> TabCaptions(TScenario& s) {
  std::vector<std::string> captions;
  for (int i = 0; i < s.Form().PageControl1->PageCount(); ++i)
    captions.push_back(s.Form().PageControl1->Pages(i)->Caption());
  return captions;
}

}  // namespace shelltest
