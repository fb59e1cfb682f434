#pragma once

// Helpers shared by the shell scenario tests: stored settings written before a
// start, language folders made of plain-text page files, and clicks on named
// controls.

#include <string>
#include <vector>

#include "support/Scenario.h"
#include "toolkit/forms/TControl.h"

class TRichEdit;
class TPageControl;
class TListBox;

namespace shelltest {

using testsupport::TScenario;

// Writes the current user's hive as it is before a start: the stored Language value
// and the system's SwapMouseButtons value, each left out when empty is passed as
// nullptr. SwapMouseButtons is always given by the shell tests so that the desktop
// of the machine running them has no say.
void WriteHive(TScenario& s, const char* language, const char* swapMouseButtons);
// The text of the hive file (empty when there is none).
std::string HiveText(const TScenario& s);
#ifdef _WIN32
// On Windows the scenarios use the system's registry: a text value of the current user,
// and its value or "<none>".
void SetUserText(const std::string& key, const std::string& name, const std::string& text);
std::string UserText(const std::string& key, const std::string& name);
#endif
// The Language value on disk, or "<none>".
std::string StoredLanguage(const TScenario& s);

// Thirty distinct lines for a language text file: "<tag> tab 1" .. "<tag> tab 13", then
// "<tag> text 0" .. "<tag> text 16".
std::vector<std::string> TextLines(const std::string& tag, int count = 30);
// Joins lines with a line end after each one.
std::string Join(const std::vector<std::string>& lines, const std::string& lineEnd = "\r\n");

enum TPageFiles : uint8_t { pfCommon, pfVariants };
// A language folder <name> beside the program: page file n holds the plain text
// "<name> page <n>" (pfCommon) or, in <n>l.rtf and <n>r.rtf, "<name> page <n> left|right".
// Pages listed in missing are not written. The text file gets text.
void WriteLanguage(TScenario& s, const std::string& name, const std::string& text, TPageFiles files = pfCommon,
                   const std::vector<int>& missing = {});

// The first paragraph of a rich-text control.
std::string FirstLine(TRichEdit* edit);
// The centre of a control in window client coordinates.
TPoint CentreInForm(const TControl* control);
void ClickControl(TScenario& s, const TControl* control);
// Clicks the tab of page index (it must be scrolled into view).
void ClickTab(TScenario& s, TPageControl* pages, int index);
// Clicks item index of a list box.
void ClickItem(TScenario& s, TListBox* list, int index);
// The page captions in page order.
std::vector<std::string> TabCaptions(TScenario& s);

}  // namespace shelltest
