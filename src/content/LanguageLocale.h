#pragma once

// Which language folder suits the user's locale. Each language folder may hold a
// "locale.txt": one code a line, a language ("de") or a language and territory
// ("pt_BR"); empty lines are ignored and "#" starts a comment. A code with a territory
// matches only that country; a bare language code matches every country.

#include <string>
#include <vector>

#include "content/LanguageFolder.h"

// A locale name made comparable: "de_DE.UTF-8" -> "de_DE", "sr_RS@latin" -> "sr_RS",
// "pt-br" -> "pt_BR", "DE" -> "de". Empty for "C", "POSIX" and names that are no
// locale code (a language of two or three letters, optionally a territory).
std::string LocaleCode(const std::string& name);

// The codes of a locale file's text, made comparable as above; lines that are no code
// are skipped.
std::vector<std::string> ParseLocaleCodes(const std::string& text);

// The codes in <folder>/locale.txt (letter case of the file name ignored); none when
// the file is missing or unreadable.
std::vector<std::string> ReadLocaleCodes(const std::string& folder);

// The index of the language that suits the user's locale names (most preferred
// first, as platform::UserLanguageNames gives them), or -1 when none does. For each
// name in turn, a folder that lists its exact language and territory wins over one
// that lists the bare language; among equals the first in the list wins.
int MatchLocale(const std::vector<std::vector<std::string>>& codesPerLanguage,
                const std::vector<std::string>& userLocaleNames);

// MatchLocale over the folders' locale files and the user's languages.
int LanguageForUserLocale(const std::vector<TLanguageFolder>& languages);
