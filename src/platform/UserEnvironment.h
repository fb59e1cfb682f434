#pragma once

// What the program asks about the user's own setup: where their application data lives
// and which languages they read. Each platform's files implement these.

#include <string>
#include <vector>

namespace platform {

// The folder for the user's own application data, without a trailing separator.
// POSIX: $XDG_DATA_HOME when it is an absolute path (a relative one is ignored, as the
// XDG base directory rules say), else $HOME/.local/share (the account's home folder
// when HOME is unset). Windows: the roaming application data folder.
std::string UserDataFolder();

// The user's languages for messages, most preferred first, as the system names them
// ("de_DE.UTF-8", "pt_BR", "sr_RS@latin", "C"); names are neither cleaned nor checked.
// POSIX: the entries of LANGUAGE (a colon-separated list), then the first of LC_ALL,
// LC_MESSAGES and LANG that is set and not empty. Windows: the user's display language
// (GetUserDefaultUILanguage) as a locale name such as "de-DE".
std::vector<std::string> UserLanguageNames();

}  // namespace platform
