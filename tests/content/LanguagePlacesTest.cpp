// Where languages come from and how they are named: the places searched and their
// precedence, folder names in UTF-8 and in Windows-1252, the checks of a text file, the
// locale codes of locale.txt and their match against the user's locale, and the
// built-in English captions.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "content/LanguageFolder.h"
#include "content/LanguageLocale.h"
#include "content/LanguageTexts.h"
#include "content/TLineIterator.h"
#include "platform/Files.h"
#include "platform/UserEnvironment.h"
#include "support/Golden.h"

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// Sets environment variables for one test and puts them back afterwards.
class TEnvironment {
public:
  ~TEnvironment() {
    for (auto it = FSaved.rbegin(); it != FSaved.rend(); ++it) {
      if (it->second)
        setenv(it->first.c_str(), it->second->c_str(), 1);
      else
        unsetenv(it->first.c_str());
    }
  }
  void Set(const char* name, const char* value) {
    const char* old = std::getenv(name);
    FSaved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }

private:
  std::vector<std::pair<std::string, std::optional<std::string>>> FSaved;
};

class LanguagePlacesTest : public ::testing::Test {
protected:
  std::string Folder(const std::string& path) {
    fs::create_directories(FTemp.Path() + "/" + path);
    return FTemp.Path() + "/" + path;
  }
  std::string File(const std::string& path, const std::string& data = "x") {
    fs::create_directories(fs::path(FTemp.Path() + "/" + path).parent_path());
    EXPECT_TRUE(platform::WriteWholeFile(FTemp.Path() + "/" + path, data));
    return FTemp.Path() + "/" + path;
  }
  static Strings Names(const std::vector<TLanguageFolder>& languages) {
    Strings names;
    for (const TLanguageFolder& language : languages) names.push_back(language.Name);
    return names;
  }

  testsupport::TTempDir FTemp;
  TEnvironment FEnv;
};

TEST_F(LanguagePlacesTest, PlacesAreTheUsersFolderTheProgramFolderAndTheSharedFolder) {
  EXPECT_EQ(LanguagePlaces("/opt/px/bin", "/home/u/.local/share"),
            (Strings{"/home/u/.local/share/pointrix/languages", "/opt/px/bin", "/opt/px/share/pointrix/languages"}));
  EXPECT_EQ(LanguagePlaces("/usr/bin", "/usr/share"), (Strings{"/usr/share/pointrix/languages", "/usr/bin"}))
      << "a place named twice is searched once";
  EXPECT_EQ(LanguagePlaces("/", ""), (Strings{"/", "/share/pointrix/languages"}));
}

TEST_F(LanguagePlacesTest, UserDataFolderFollowsXdgDataHomeOnlyWhenItIsAbsolute) {
  FEnv.Set("HOME", "/home/learner");
  FEnv.Set("XDG_DATA_HOME", "/data/learner/");
  EXPECT_EQ(platform::UserDataFolder(), "/data/learner");
  FEnv.Set("XDG_DATA_HOME", "relative/data");
  EXPECT_EQ(platform::UserDataFolder(), "/home/learner/.local/share") << "a relative path is ignored";
  FEnv.Set("XDG_DATA_HOME", nullptr);
  EXPECT_EQ(platform::UserDataFolder(), "/home/learner/.local/share");
}

TEST_F(LanguagePlacesTest, AllPlacesAreListedTogetherAndTheUsersFolderWins) {
  const std::string user = Folder("user"), program = Folder("program"), shared = Folder("shared");
  for (const char* name : {"user/english", "user/Zulu", "program/English", "program/Deutsch", "program/Output",
                           "shared/deutsch", "shared/Svenska", "shared/.hidden", "program/Afrikaans"})
    Folder(name);
  std::vector<TLanguageFolder> listed = ListLanguages({user, program, shared});
  EXPECT_EQ(Names(listed), (Strings{"Afrikaans", "Deutsch", "english", "Svenska", "Zulu"}));
  EXPECT_EQ(listed[1].Path, program + "/Deutsch") << "the program folder wins over the shared one";
  EXPECT_EQ(listed[2].Path, user + "/english") << "the user's folder wins, letter case ignored";
  EXPECT_EQ(listed[3].Path, shared + "/Svenska");
  EXPECT_TRUE(ListLanguages({FTemp.Path() + "/absent"}).empty());
}

TEST_F(LanguagePlacesTest, FolderNamesInUtf8AreShownInTheProgramsCodePage) {
  EXPECT_EQ(ShownName("English"), "English");
  EXPECT_EQ(ShownName("Espa\xc3\xb1ol"), "Espa\xf1ol") << "UTF-8 decoded to Windows-1252";
  EXPECT_EQ(ShownName("Fran\xe7"
                      "ais"),
            "Fran\xe7"
            "ais")
      << "not UTF-8: the bytes as they are";
  EXPECT_EQ(ShownName("\xce\x95\xce\xbb\xce\xbb\xce\xb7\xce\xbd\xce\xb9\xce\xba\xce\xac"), "????????")
      << "Greek has no Windows-1252 bytes";
  EXPECT_EQ(ShownName("\xe2\x82\xac uro"), "\x80 uro") << "the euro sign has a byte";

  const std::string place = Folder("place");
  Folder("place/Espa\xc3\xb1ol");
  Folder(
      "place/Fran\xe7"
      "ais");
  std::vector<TLanguageFolder> listed = ListLanguages({place});
  ASSERT_EQ(Names(listed), (Strings{"Espa\xf1ol",
                                    "Fran\xe7"
                                    "ais"}));
  EXPECT_EQ(listed[0].Path, place + "/Espa\xc3\xb1ol") << "the folder on disk keeps its own bytes";
}

TEST_F(LanguagePlacesTest, TextFileIsLookedForUnderTheNameOnDiskThenTheShownName) {
  const std::string folder = Folder("Espa\xc3\xb1ol");
  TLanguageFolder language{"Espa\xf1ol", folder};
  std::string problem;
  EXPECT_EQ(FindTextFile(language, problem), "");
  EXPECT_EQ(problem,
            ShownPath(folder) +
                "/Espa\xf1ol.txt does not exist (neither under its UTF-8 name nor under its Windows-1252 name)")
      << "both names tried";
  File("Espa\xc3\xb1ol/Espa\xf1ol.txt", "Configure\r\n");
  EXPECT_EQ(FindTextFile(language, problem), folder + "/Espa\xf1ol.txt");
  File("Espa\xc3\xb1ol/Espa\xc3\xb1ol.txt", "Configure\r\n");
  EXPECT_EQ(FindTextFile(language, problem), folder + "/Espa\xc3\xb1ol.txt") << "the name on disk first";
  EXPECT_EQ(problem, "");
}

TEST_F(LanguagePlacesTest, TextFileProblemsNameThePath) {
  const std::string folder = Folder("L");
  TLanguageFolder language{"L", folder};
  const std::string path = folder + "/L.txt";
  std::string problem;
  auto check = [&]() {
    EXPECT_EQ(FindTextFile(language, problem), "");
    return problem;
  };
  EXPECT_EQ(check(), path + " does not exist");
  Folder("L/L.txt");
  EXPECT_EQ(check(), path + " is a folder, not a file");
  fs::remove(path);
  fs::create_symlink("L.txt", path);
  EXPECT_EQ(check(), path + " cannot be opened (Too many levels of symbolic links)");
  fs::remove(path);
  File("L/L.txt", std::string(TLineIterator::BufferSize + 1, 'a'));
  EXPECT_EQ(check(), path + " is larger than 50000 bytes");
  File("L/L.txt", std::string("Configure\r\nIntro\0\r\n", 18));
  EXPECT_EQ(check(), path + " is not a text file");
  File("L/L.txt", std::string(TLineIterator::BufferSize, 'a'));
  EXPECT_EQ(FindTextFile(language, problem), path) << "exactly the buffer's size";
  File("L/L.txt", "Caf\xe9\tBar\r\n\x1a");
  EXPECT_EQ(FindTextFile(language, problem), path) << "Windows-1252 text with a tab and an end-of-file mark";
  if (geteuid() != 0) {
    fs::permissions(path, fs::perms::none);
    EXPECT_EQ(check(), path + " cannot be read");
    fs::permissions(path, fs::perms::owner_all);
  }
}

TEST(LanguageLocale, LocaleNamesAreMadeComparable) {
  EXPECT_EQ(LocaleCode("de_DE.UTF-8"), "de_DE");
  EXPECT_EQ(LocaleCode("sr_RS@latin"), "sr_RS");
  EXPECT_EQ(LocaleCode("ca_ES.UTF-8@valencia"), "ca_ES");
  EXPECT_EQ(LocaleCode("pt-br"), "pt_BR") << "the form Windows names locales in";
  EXPECT_EQ(LocaleCode("SV"), "sv");
  EXPECT_EQ(LocaleCode("es_419"), "es_419");
  for (const char* none : {"C", "POSIX", "C.UTF-8", "", "e", "english", "de_", "1_DE"})
    EXPECT_EQ(LocaleCode(none), "") << none;
}

TEST(LanguageLocale, LocaleFileHasOneCodeALineWithComments) {
  EXPECT_EQ(ParseLocaleCodes("# Portuguese\r\npt_BR\r\n\r\n  pt   # every other country\r\nnot a code\nDE_at"),
            (Strings{"pt_BR", "pt", "de_AT"}));
  EXPECT_TRUE(ParseLocaleCodes("").empty());
}

TEST(LanguageLocale, TerritoryCodesMatchOneCountryAndBareCodesEvery) {
  const std::vector<Strings> codes = {{"de", "de_DE"}, {"en"}, {"pt_BR", "pt"}, {"pt_PT"}, {"fr_CA"}};
  EXPECT_EQ(MatchLocale(codes, {"de_CH.UTF-8"}), 0) << "a bare code matches every country";
  EXPECT_EQ(MatchLocale(codes, {"pt_PT.UTF-8"}), 3) << "the exact territory wins over a bare code";
  EXPECT_EQ(MatchLocale(codes, {"pt_AO"}), 2);
  EXPECT_EQ(MatchLocale(codes, {"fr_FR.UTF-8"}), -1) << "a code with a territory matches only that country";
  EXPECT_EQ(MatchLocale(codes, {"fr"}), -1);
  EXPECT_EQ(MatchLocale(codes, {"C", "fr_FR", "en_GB.UTF-8", "de_DE"}), 1) << "the first name that matches wins";
  EXPECT_EQ(MatchLocale(codes, {}), -1);
}

TEST(LanguageLocale, UserLanguagesComeFromLanguageThenTheMessagesLocale) {
  TEnvironment env;
  env.Set("LANGUAGE", "fr_CA:de::en");
  env.Set("LC_ALL", nullptr);
  env.Set("LC_MESSAGES", "sv_SE.UTF-8");
  env.Set("LANG", "nl_NL.UTF-8");
  EXPECT_EQ(platform::UserLanguageNames(), (Strings{"fr_CA", "de", "en", "sv_SE.UTF-8"}));
  env.Set("LC_ALL", "it_IT.UTF-8");
  env.Set("LANGUAGE", nullptr);
  EXPECT_EQ(platform::UserLanguageNames(), (Strings{"it_IT.UTF-8"})) << "LC_ALL overrides LC_MESSAGES and LANG";
  env.Set("LC_ALL", "");
  env.Set("LC_MESSAGES", nullptr);
  EXPECT_EQ(platform::UserLanguageNames(), (Strings{"nl_NL.UTF-8"}));
  env.Set("LANG", nullptr);
  EXPECT_TRUE(platform::UserLanguageNames().empty());
}

TEST(LanguageTexts, BuiltInCaptionsAreTheEnglishTextFile) {
  std::string text;
  ASSERT_TRUE(platform::ReadWholeFile(std::string(POINTRIX_SOURCE_DIR) + "/languages/English/English.txt", text));
  Strings lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end - start));
    start = end == std::string::npos ? text.size() : end + 2;
  }
  EXPECT_EQ(lines, Strings(BuiltInEnglishLines, BuiltInEnglishLines + LanguageLineCount));
  SetLanguageText(7, "Ende");
  ResetLanguageTexts();
  EXPECT_EQ(std::string(LanguageTexts[7]), "Exit");
  EXPECT_EQ(std::string(LanguageTexts[16]), "Well done!");
}

}  // namespace
