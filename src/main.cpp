// Program entry: one window, one message loop. Exit code 0, or 1 when the program
// could not start (the error box has been shown and answered, or no display exists).
// The only arguments are --help and --version, answered without opening a window.

#include <cstdio>
#include <cstring>

#include "app/TMainForm.h"
#include "platform/DesktopSettings.h"
#include "platform/Platform.h"
#include "toolkit/forms/TApplication.h"

#ifndef POINTRIX_VERSION
#define POINTRIX_VERSION "unknown"
#endif

static bool IsOption(const char* arg, const char* shortName, const char* longName) {
  return std::strcmp(arg, shortName) == 0 || std::strcmp(arg, longName) == 0;
}

// Answers --help and --version on standard output, refuses anything else with one
// line on standard error; returns the exit code, or -1 to start the program.
static int AnswerCommandLine(int argc, char** argv) {
  if (argc < 2) return -1;
  const char* arg = argv[1];
  const bool help = IsOption(arg, "-h", "--help");
  const bool version = IsOption(arg, "-V", "--version");
  if (argc == 2 && (help || version)) {
    if (help)
      std::printf(
          "Usage: pointrix [--help | --version]\n"
          "Teaches beginners to use a mouse: point, click, double-click and drag.\n"
          "Started without arguments it opens its window; it takes no other arguments.\n"
          "\n"
          "  -h, --help     show this help and exit\n"
          "  -V, --version  show the version and exit\n"
          "\n"
          "Language folders are read beside the program, from <prefix>/share/pointrix/languages\n"
          "and from $XDG_DATA_HOME/pointrix/languages (default ~/.local/share/pointrix/languages).\n");
    else
      std::printf("Pointrix %s\n", POINTRIX_VERSION);
    // An answer that could not be written (a closed or full output) is a failure.
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
  }
  // The first argument not understood: the one after a known option, or the first.
  const char* bad = (help || version) ? argv[2] : arg;
  std::fprintf(stderr, "pointrix: %s '%s' (try 'pointrix --help')\n",
               bad[0] == '-' ? "unknown option" : "unexpected argument", bad);
  return 2;
}

int main(int argc, char** argv) {
  if (int code = AnswerCommandLine(argc, argv); code >= 0) return code;
  platform::PrepareDesktopSession();
  auto backend = platform::CreateSdlBackend();
  platform::SetBackend(backend.get());
  int exitCode = 0;
  try {
    Application->Initialize();
    Application->Title = "Pointrix";
    Application->CreateForm(MainForm);
    Application->Run();
  } catch (const Exception& error) {
    exitCode = Application->ShowStartupError(error);
  } catch (const std::exception& error) {
    exitCode = Application->ShowStartupError(error);
  }
  Application->DestroyForms();
  platform::SetBackend(nullptr);
  return exitCode;
}
