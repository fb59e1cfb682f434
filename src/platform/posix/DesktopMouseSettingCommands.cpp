#include "platform/posix/DesktopMouseSettingCommands.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <sstream>

namespace platform {

namespace {

constexpr int kCommandTimeoutMs = 1000;
constexpr auto kAnswerLifetime = std::chrono::seconds(5);
constexpr size_t kMaxOutput = 64 * 1024;

// Runs in the forked child: only calls that are safe between fork and exec.
void RunChild(char* const* argv, int outputFd) {
  int devNull = open("/dev/null", O_RDWR);
  if (devNull >= 0) {
    dup2(devNull, STDIN_FILENO);
    dup2(devNull, STDERR_FILENO);
  }
  dup2(outputFd, STDOUT_FILENO);
  execvp(argv[0], argv);
  _exit(127);
}

}  // namespace

std::optional<std::string> RunCommand(const std::vector<std::string>& arguments, int timeoutMs) {
  if (arguments.empty()) return std::nullopt;
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return std::nullopt;
  pid_t child = fork();
  if (child < 0) {
    close(pipeFds[0]);
    close(pipeFds[1]);
    return std::nullopt;
  }
  if (child == 0) RunChild(argv.data(), pipeFds[1]);
  close(pipeFds[1]);
  std::string output;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  bool finished = false;
  while (true) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd pfd{pipeFds[0], POLLIN, 0};
    int ready = poll(&pfd, 1, int(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) break;
    char buffer[4096];
    ssize_t n = read(pipeFds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      finished = true;  // end of output: the program closed its side
      break;
    }
    if (output.size() < kMaxOutput) output.append(buffer, size_t(n));
  }
  close(pipeFds[0]);
  if (!finished) kill(child, SIGKILL);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!finished || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return output;
}

std::optional<bool> ParseGsettingsBoolean(const std::string& output) {
  std::string word;
  std::istringstream(output) >> word;
  if (word == "true") return true;
  if (word == "false") return false;
  return std::nullopt;
}

std::optional<bool> ParseXmodmapSwapped(const std::string& output) {
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    int physical = 0, code = 0;
    std::string rest;
    // Table rows are "<physical> <code>"; the header lines do not start with numbers.
    if (fields >> physical >> code && !(fields >> rest) && physical == 1) return code == 3;
  }
  return std::nullopt;
}

std::optional<bool> TDesktopMouseSettingCommands::LeftHanded() {
  auto now = std::chrono::steady_clock::now();
  if (FAsked && now - FAskedAt < kAnswerLifetime) return FAnswer;
  std::optional<bool> gnome, x11;
  if (auto output =
          RunCommand({"gsettings", "get", "org.gnome.desktop.peripherals.mouse", "left-handed"}, kCommandTimeoutMs))
    gnome = ParseGsettingsBoolean(*output);
  if (auto output = RunCommand({"xmodmap", "-pp"}, kCommandTimeoutMs)) x11 = ParseXmodmapSwapped(*output);
  if (gnome.value_or(false) || x11.value_or(false))
    FAnswer = true;
  else if (gnome || x11)
    FAnswer = false;
  else
    FAnswer = std::nullopt;
  FAsked = true;
  FAskedAt = std::chrono::steady_clock::now();
  return FAnswer;
}

std::unique_ptr<TDesktopMouseSetting> CreateDesktopMouseSetting() {
  return std::make_unique<TDesktopMouseSettingCommands>();
}

}  // namespace platform
