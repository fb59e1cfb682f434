// Side-by-side start-up of two programs on the X server in DISPLAY (run it on a private
// Xvfb: bench/startup/compare_xvfb.sh). Runs alternate between the programs; each run
// measures launch to the first top-level window being mapped (viewable: without a
// window manager a mapped child of the root is viewable) and launch to the program's
// "pointrix: first frame" line, then RSS and thread count 2 s after launch, and for
// the first few runs the CPU time used over the following idle seconds.
//
//   bench_startup_compare <runs> <idle-runs> <idle-seconds> <program-a> <program-b>
//
// Each program keeps one POINTRIX_REGISTRY_DIR under TMPDIR, filled by a warm-up run
// that is not counted, so runs are the everyday start with a stored language. With
// POINTRIX_BENCH_FIRST_START=1 every run gets a fresh one instead (a first start, which
// also writes the registry).

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using TClock = std::chrono::steady_clock;

struct TRun {
  double ViewableMs = -1, FrameMs = -1, RssMb = -1, Threads = -1, CpuPercent = -1;
};

double Ms(TClock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// A field of /proc/<pid>/status, e.g. "VmRSS:" in kB or "Threads:".
double StatusField(pid_t pid, const std::string& name) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(name, 0) == 0) return std::strtod(line.c_str() + name.size(), nullptr);
  return -1;
}

// User plus system CPU time of a process, in clock ticks.
double CpuTicks(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const size_t close = text.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(text.substr(close + 2));
  std::string field;
  double utime = 0, stime = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14) utime = std::strtod(field.c_str(), nullptr);
    if (i == 15) stime = std::strtod(field.c_str(), nullptr);
  }
  return utime + stime;
}

TRun RunOnce(Display* display, const std::string& program, const std::string& registry, bool measureIdle,
             int idleSeconds) {
  TRun run;
  setenv("POINTRIX_REGISTRY_DIR", registry.c_str(), 1);
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) return run;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  const std::string folder = std::filesystem::path(program).parent_path();
  posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
  XSync(display, True);  // forget notifications from earlier runs
  const auto start = TClock::now();
  pid_t pid = -1;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (pid < 0) return run;

  std::string output;
  const auto give_up = start + std::chrono::seconds(20);
  while ((run.ViewableMs < 0 || run.FrameMs < 0) && TClock::now() < give_up) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && run.ViewableMs < 0 && !event.xmap.override_redirect)
        run.ViewableMs = Ms(TClock::now() - start);
    }
    pollfd fds[2] = {{ConnectionNumber(display), POLLIN, 0}, {out[0], POLLIN, 0}};
    poll(fds, run.FrameMs < 0 ? 2 : 1, 50);
    if (fds[1].revents & (POLLIN | POLLHUP)) {
      char buffer[256];
      const ssize_t n = read(out[0], buffer, sizeof buffer);
      if (n > 0) output.append(buffer, size_t(n));
      if (output.find("pointrix: first frame") != std::string::npos && run.FrameMs < 0)
        run.FrameMs = Ms(TClock::now() - start);
      if (n <= 0 && run.FrameMs < 0) break;  // the program ended
    }
  }
  std::this_thread::sleep_until(start + std::chrono::seconds(2));
  run.RssMb = StatusField(pid, "VmRSS:") / 1024.0;
  run.Threads = StatusField(pid, "Threads:");
  if (measureIdle) {
    const double before = CpuTicks(pid);
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    run.CpuPercent = (CpuTicks(pid) - before) / double(sysconf(_SC_CLK_TCK)) / idleSeconds * 100.0;
  }
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  close(out[0]);
  return run;
}

double Median(std::vector<double> values) {
  values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return v < 0; }), values.end());
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template <typename F>
std::vector<double> Column(const std::vector<TRun>& runs, F field) {
  std::vector<double> values;
  for (const TRun& run : runs) values.push_back(field(run));
  return values;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: %s <runs> <idle-runs> <idle-seconds> <program-a> <program-b>\n", argv[0]);
    return 2;
  }
  const int runs = std::atoi(argv[1]), idleRuns = std::atoi(argv[2]), idleSeconds = std::atoi(argv[3]);
  const std::string programs[2] = {std::filesystem::absolute(argv[4]), std::filesystem::absolute(argv[5])};
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "no X display\n");
    return 1;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  setenv("POINTRIX_REPORT_FRAME", "1", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);

  const bool firstStart = std::getenv("POINTRIX_BENCH_FIRST_START") != nullptr;
  const std::string base = std::filesystem::temp_directory_path() / ("px-startup-" + std::to_string(getpid()));
  auto registry = [&](int program, int run) {
    return base + "-" + std::to_string(program) + (firstStart ? "-" + std::to_string(run) : "");
  };
  if (!firstStart)
    for (int p = 0; p < 2; ++p) RunOnce(display, programs[p], registry(p, 0), false, 0);
  std::vector<TRun> results[2];
  for (int i = 0; i < runs; ++i)
    for (int p = 0; p < 2; ++p) {
      // Alternate which program goes first, so neither always follows the other.
      const int which = (i % 2) ? 1 - p : p;
      TRun run = RunOnce(display, programs[which], registry(which, i), i < idleRuns, idleSeconds);
      results[which].push_back(run);
      std::printf("run %2d %-12s viewable %6.1f ms  first frame %6.1f ms  RSS %5.1f MB  threads %2.0f", i + 1,
                  std::filesystem::path(programs[which]).filename().c_str(), run.ViewableMs, run.FrameMs, run.RssMb,
                  run.Threads);
      if (run.CpuPercent >= 0) std::printf("  idle CPU %.2f %%", run.CpuPercent);
      std::printf("\n");
      std::fflush(stdout);
    }

  std::printf("\n| program | viewable (median) | first frame (median) | RSS at 2 s | threads | idle CPU |\n");
  std::printf("|---|---|---|---|---|---|\n");
  double viewable[2], frame[2];
  for (int p = 0; p < 2; ++p) {
    viewable[p] = Median(Column(results[p], [](const TRun& r) { return r.ViewableMs; }));
    frame[p] = Median(Column(results[p], [](const TRun& r) { return r.FrameMs; }));
    std::printf("| %s | %.1f ms | %.1f ms | %.1f MB | %.0f | %.2f %% |\n",
                std::filesystem::path(programs[p]).filename().c_str(), viewable[p], frame[p],
                Median(Column(results[p], [](const TRun& r) { return r.RssMb; })),
                Median(Column(results[p], [](const TRun& r) { return r.Threads; })),
                Median(Column(results[p], [](const TRun& r) { return r.CpuPercent; })));
  }
  std::printf("\nratio %s / %s: viewable %.2f, first frame %.2f (%d runs each)\n",
              std::filesystem::path(programs[0]).filename().c_str(),
              std::filesystem::path(programs[1]).filename().c_str(), viewable[0] / viewable[1], frame[0] / frame[1],
              runs);
  XCloseDisplay(display);
  for (int p = 0; p < 2; ++p)
    for (int i = 0; i < runs; ++i) std::filesystem::remove_all(registry(p, i));
  return 0;
}
