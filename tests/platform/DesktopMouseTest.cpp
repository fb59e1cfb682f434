// The desktop's mouse settings: the XSETTINGS parser on well-formed, truncated and
// mutated blobs, the pointer mapping, how sources combine, and each real source
// against a private server fed known answers (an Xvfb with a settings manager played by
// the test, a private bus with a fake Settings portal).

#include <dbus/dbus.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <random>
#include <thread>

#include "TempFolder.h"
#include "platform/posix/DesktopMouse.h"

extern char** environ;

using namespace platform;
using namespace std::chrono_literals;

namespace {

// Builds an XSETTINGS property in either byte order.
class TXSettingsBlob {
public:
  explicit TXSettingsBlob(bool bigEndian) : FBigEndian(bigEndian) {}
  TXSettingsBlob& Integer(const std::string& name, int32_t value) {
    Header(0, name);
    Card(uint32_t(value), 4);
    return *this;
  }
  TXSettingsBlob& String(const std::string& name, const std::string& value) {
    Header(1, name);
    Card(uint32_t(value.size()), 4);
    Padded(value);
    return *this;
  }
  TXSettingsBlob& Colour(const std::string& name) {
    Header(2, name);
    FBody.append(8, '\x7f');
    return *this;
  }
  std::string Bytes() const {
    std::string blob(1, FBigEndian ? '\1' : '\0');
    blob.append(3, '\0');
    TXSettingsBlob header(FBigEndian);
    header.Card(7, 4);  // serial
    header.Card(FCount, 4);
    return blob + header.FBody + FBody;
  }

private:
  void Header(uint8_t type, const std::string& name) {
    FBody += char(type);
    FBody += '\0';
    Card(uint32_t(name.size()), 2);
    Padded(name);
    Card(1, 4);  // serial of the last change
    ++FCount;
  }
  void Card(uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
      const int shift = 8 * (FBigEndian ? bytes - 1 - i : i);
      FBody += char((value >> shift) & 0xFF);
    }
  }
  void Padded(const std::string& text) {
    FBody += text;
    FBody.append((4 - text.size() % 4) % 4, '\0');
  }

  bool FBigEndian;
  uint32_t FCount = 0;
  std::string FBody;
};

std::string TypicalSettings(bool bigEndian, int32_t doubleClick) {
  return TXSettingsBlob(bigEndian)
      .String("Net/ThemeName", "Adwaita")
      .Colour("Gtk/Colour")
      .Integer("Net/DoubleClickDistance", 5)
      .Integer("Net/DoubleClickTime", doubleClick)
      .Integer("Xft/DPI", 98304)
      .Bytes();
}

// Sets (or with nullptr removes) an environment variable for one scope.
class TScopedEnv {
public:
  TScopedEnv(const char* name, const char* value) : FName(name) {
    if (const char* old = std::getenv(name)) FOld = old;
    if (value)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~TScopedEnv() {
    if (FOld)
      setenv(FName.c_str(), FOld->c_str(), 1);
    else
      unsetenv(FName.c_str());
  }

private:
  std::string FName;
  std::optional<std::string> FOld;
};

// A server started for one test that prints its address on a pipe; ended on scope exit.
class TServerProcess {
public:
  // `arguments` may contain "{fd}", replaced by the number of the pipe's write end.
  explicit TServerProcess(std::vector<std::string> arguments) {
    int fds[2];
    if (pipe(fds) != 0) return;
    for (auto& argument : arguments)
      if (size_t at = argument.find("{fd}"); at != std::string::npos) argument.replace(at, 4, std::to_string(fds[1]));
    std::vector<char*> argv;
    for (auto& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    if (posix_spawnp(&FPid, argv[0], &actions, nullptr, argv.data(), environ) != 0) FPid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    char buffer[512];
    ssize_t n;
    while (FPid > 0 && (n = read(fds[0], buffer, sizeof buffer)) > 0) {
      FOutput.append(buffer, size_t(n));
      if (FOutput.find('\n') != std::string::npos) break;
    }
    close(fds[0]);
    FOutput = FOutput.substr(0, FOutput.find('\n'));
  }
  ~TServerProcess() {
    if (FPid <= 0) return;
    kill(FPid, SIGTERM);
    waitpid(FPid, nullptr, 0);
  }
  // The first line the server printed (its display number or bus address).
  const std::string& Output() const { return FOutput; }

private:
  pid_t FPid = -1;
  std::string FOutput;
};

TDesktopMouseAnswer Answer(std::optional<bool> leftHanded, std::optional<uint32_t> doubleClick) {
  return TDesktopMouseAnswer{leftHanded, doubleClick, std::nullopt};
}

class TCountingSource : public TDesktopMouseSource {
public:
  TCountingSource(TDesktopMouseAnswer answer, int& asked) : FAnswer(answer), FAsked(asked) {}
  TDesktopMouseAnswer Read(std::chrono::milliseconds) override {
    ++FAsked;
    return FAnswer;
  }

private:
  TDesktopMouseAnswer FAnswer;
  int& FAsked;
};

}  // namespace

TEST(DesktopMouse, XSettingsDoubleClickTimeInEitherByteOrderAmongOtherSettings) {
  for (bool bigEndian : {false, true}) {
    EXPECT_EQ(XSettingsDoubleClickTime(TypicalSettings(bigEndian, 321)), 321u) << bigEndian;
    // Out of the plausible range: the default applies.
    EXPECT_EQ(XSettingsDoubleClickTime(TypicalSettings(bigEndian, 50)), std::nullopt);
    EXPECT_EQ(XSettingsDoubleClickTime(TypicalSettings(bigEndian, 9000)), std::nullopt);
    EXPECT_EQ(XSettingsDoubleClickTime(TypicalSettings(bigEndian, -400)), std::nullopt);
  }
  EXPECT_EQ(XSettingsDoubleClickTime(TXSettingsBlob(false).Integer("Net/DoubleClickTimeout", 400).Bytes()),
            std::nullopt);
  EXPECT_EQ(XSettingsDoubleClickTime(TXSettingsBlob(false).String("Net/DoubleClickTime", "400").Bytes()), std::nullopt);
  EXPECT_EQ(XSettingsDoubleClickTime(TXSettingsBlob(true).Bytes()), std::nullopt);
  EXPECT_EQ(XSettingsDoubleClickTime(""), std::nullopt);
}

TEST(DesktopMouse, MalformedXSettingsNeverReadPastTheBlob) {
  const std::string good = TypicalSettings(false, 400);
  // Cut anywhere: the value is found only once its four bytes are all there.
  const size_t valueEnd = good.size() - 20;  // Xft/DPI (4 + 8 + 4 + 4 bytes) follows it
  for (size_t length = 0; length < good.size(); ++length) {
    const auto found = XSettingsDoubleClickTime(std::string_view(good).substr(0, length));
    EXPECT_EQ(found, length >= valueEnd ? std::optional<uint32_t>(400) : std::nullopt) << length;
  }
  std::string wrongOrder = good;
  wrongOrder[0] = 2;
  EXPECT_EQ(XSettingsDoubleClickTime(wrongOrder), std::nullopt);
  std::string unknownType = good;
  unknownType[12] = 9;  // the first setting's type
  EXPECT_EQ(XSettingsDoubleClickTime(unknownType), std::nullopt);
  std::string hugeCount = TXSettingsBlob(false).Bytes();
  hugeCount.replace(8, 4, "\xff\xff\xff\xff");
  EXPECT_EQ(XSettingsDoubleClickTime(hugeCount), std::nullopt);
  std::string hugeString = good;
  hugeString.replace(12 + 4 + 16 + 4, 4, "\xfc\xff\xff\xff");  // the theme name's length
  EXPECT_EQ(XSettingsDoubleClickTime(hugeString), std::nullopt);

  // Random damage (a fixed seed, so every run checks the same blobs): under the
  // sanitizers any read outside the blob fails the test.
  std::mt19937 random(20261208);
  for (int round = 0; round < 20000; ++round) {
    std::string blob = TypicalSettings(round % 2, 400);
    const int hits = 1 + int(random() % 4);
    for (int i = 0; i < hits; ++i) blob[random() % blob.size()] = char(random());
    if (round % 3 == 0) blob.resize(random() % blob.size());
    const auto found = XSettingsDoubleClickTime(blob);
    if (found) {
      EXPECT_TRUE(*found >= 100 && *found <= 5000);
    }
  }
}

TEST(DesktopMouse, FontDpiFromTheXResourcesOnlyWhenPlausible) {
  EXPECT_EQ(XResourcesFontDpi("Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n"), 192.0);
  EXPECT_EQ(XResourcesFontDpi("Xft.dpi: 144.5"), 144.5) << "the last line needs no line end";
  EXPECT_EQ(XResourcesFontDpi("*Xft.dpi:\t192\n"), std::nullopt) << "only the exact resource name";
  EXPECT_EQ(XResourcesFontDpi("Xft.dpi:\tlarge\n"), std::nullopt);
  EXPECT_EQ(XResourcesFontDpi("Xft.dpi:\t9600\n"), std::nullopt);
  EXPECT_EQ(XResourcesFontDpi(""), std::nullopt);
  TDesktopMouseAnswer withDpi;
  withDpi.FontDpi = 120;
  EXPECT_EQ(CombineMouseAnswers({TDesktopMouseAnswer{}, withDpi}).FontDpi, 120.0);
}

TEST(DesktopMouse, PointerMappingSwappedWhenTheFirstButtonSendsTheThird) {
  const uint8_t usual[] = {1, 2, 3, 4, 5}, swapped[] = {3, 2, 1, 4, 5};
  EXPECT_EQ(PointerMappingSwapped(usual, 5), false);
  EXPECT_EQ(PointerMappingSwapped(swapped, 5), true);
  EXPECT_EQ(PointerMappingSwapped(usual, 0), std::nullopt);
}

TEST(DesktopMouse, SourcesCombineAndAreAskedOncePerLifetime) {
  EXPECT_EQ(CombineMouseAnswers({}).LeftHanded, std::nullopt);
  EXPECT_EQ(CombineMouseAnswers({}).DoubleClickMs, std::nullopt);
  // Left-handed when any says so; the first known double-click time wins.
  auto combined = CombineMouseAnswers({Answer(false, std::nullopt), Answer(true, 400), Answer(std::nullopt, 600)});
  EXPECT_EQ(combined.LeftHanded, true);
  EXPECT_EQ(combined.DoubleClickMs, 400u);
  combined = CombineMouseAnswers({Answer(std::nullopt, std::nullopt), Answer(false, std::nullopt)});
  EXPECT_EQ(combined.LeftHanded, false);

  int asked = 0;
  std::vector<std::unique_ptr<TDesktopMouseSource>> sources;
  sources.push_back(std::make_unique<TCountingSource>(Answer(true, 250), asked));
  TDesktopMouseReader remembering(std::move(sources), 50ms, std::chrono::hours(1));
  EXPECT_EQ(remembering.Current().DoubleClickMs, 250u);
  EXPECT_EQ(remembering.Current().LeftHanded, true);
  EXPECT_EQ(asked, 1);
  sources.clear();
  sources.push_back(std::make_unique<TCountingSource>(Answer(true, 250), asked));
  TDesktopMouseReader forgetting(std::move(sources), 50ms, 0ms);
  forgetting.Current();
  forgetting.Current();
  EXPECT_EQ(asked, 3);
}

TEST(DesktopMouse, SessionBusIsOnlyEverASocketAndNeverStartedForUs) {
  TTempFolder folder;
  TScopedEnv runtime("XDG_RUNTIME_DIR", folder.Path().c_str());
  {
    TScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", "autolaunch:;unix:path=/run/bus;unixexec:path=/bin/sh;tcp:host=x");
    EXPECT_EQ(SessionBusAddress(), "unix:path=/run/bus;tcp:host=x");
  }
  {
    TScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", "autolaunch:");
    EXPECT_EQ(SessionBusAddress(), "");
    PreventSessionBusAutolaunch();
    EXPECT_STREQ(std::getenv("DBUS_SESSION_BUS_ADDRESS"), "autolaunch:") << "a configured address is kept";
  }
  TScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", nullptr);
  EXPECT_EQ(SessionBusAddress(), "");
  PreventSessionBusAutolaunch();
  EXPECT_STREQ(std::getenv("DBUS_SESSION_BUS_ADDRESS"), "disabled:");
  unsetenv("DBUS_SESSION_BUS_ADDRESS");

  // The runtime folder's bus socket, as libdbus would find it.
  const std::string path = folder / "bus";
  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  EXPECT_EQ(SessionBusAddress(), "unix:path=" + path);
  PreventSessionBusAutolaunch();
  EXPECT_EQ(std::getenv("DBUS_SESSION_BUS_ADDRESS"), nullptr);
  close(listener);
}

// Plays an XSETTINGS manager on a private Xvfb and swaps the pointer buttons there.
TEST(DesktopMouse, X11SourceReadsThePointerMappingAndTheSettingsManager) {
  TServerProcess xvfb({"Xvfb", "-displayfd", "{fd}", "-noreset", "-nolisten", "tcp", "-screen", "0", "640x480x24"});
  if (xvfb.Output().empty()) GTEST_SKIP() << "no Xvfb";
  const std::string display = ":" + xvfb.Output();
  auto source = CreateX11MouseSource(display);
  TDesktopMouseAnswer plain = source->Read(2s);
  EXPECT_EQ(plain.LeftHanded, false);
  EXPECT_EQ(plain.DoubleClickMs, std::nullopt) << "no settings manager runs";

  xcb_connection_t* manager = xcb_connect(display.c_str(), nullptr);
  ASSERT_FALSE(xcb_connection_has_error(manager));
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(manager)).data;
  auto atom = [&](const char* name) {
    auto* reply =
        xcb_intern_atom_reply(manager, xcb_intern_atom(manager, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t value = reply->atom;
    std::free(reply);
    return value;
  };
  const xcb_atom_t selection = atom("_XSETTINGS_S0"), settings = atom("_XSETTINGS_SETTINGS");
  const xcb_window_t window = xcb_generate_id(manager);
  xcb_create_window(manager, 0, window, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, screen->root_visual,
                    0, nullptr);
  const std::string blob = TypicalSettings(true, 321);
  xcb_change_property(manager, XCB_PROP_MODE_REPLACE, window, settings, settings, 8, uint32_t(blob.size()),
                      blob.data());
  xcb_set_selection_owner(manager, window, selection, XCB_CURRENT_TIME);
  // The mapping must keep the server's number of buttons.
  auto* mapping = xcb_get_pointer_mapping_reply(manager, xcb_get_pointer_mapping(manager), nullptr);
  std::vector<uint8_t> swapped(xcb_get_pointer_mapping_map(mapping),
                               xcb_get_pointer_mapping_map(mapping) + xcb_get_pointer_mapping_map_length(mapping));
  std::free(mapping);
  ASSERT_GE(swapped.size(), 3u);
  std::swap(swapped[0], swapped[2]);
  auto* set = xcb_set_pointer_mapping_reply(
      manager, xcb_set_pointer_mapping(manager, uint8_t(swapped.size()), swapped.data()), nullptr);
  ASSERT_TRUE(set && set->status == XCB_MAPPING_STATUS_SUCCESS);
  std::free(set);

  TDesktopMouseAnswer managed = source->Read(2s);
  EXPECT_EQ(managed.LeftHanded, true);
  EXPECT_EQ(managed.DoubleClickMs, 321u);
  xcb_disconnect(manager);  // the manager window goes with its connection

  EXPECT_EQ(source->Read(2s).DoubleClickMs, std::nullopt);
  TDesktopMouseAnswer none = CreateX11MouseSource(":4095")->Read(2s);
  EXPECT_EQ(none.LeftHanded, std::nullopt);
  EXPECT_EQ(none.DoubleClickMs, std::nullopt);
}

namespace {

// A Settings portal on a private bus: answers Read with the values it was given, in
// one or two variants, or never answers at all.
class TFakePortal {
public:
  enum TMode { fpNested, fpPlain, fpSilent };

  TFakePortal(const std::string& address, TMode mode) : FMode(mode) {
    DBusError error;
    dbus_error_init(&error);
    FConnection = dbus_connection_open_private(address.c_str(), &error);
    if (FConnection && dbus_bus_register(FConnection, &error) &&
        dbus_bus_request_name(FConnection, "org.freedesktop.portal.Desktop", 0, &error) ==
            DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER)
      FThread = std::thread([this] { Serve(); });
    dbus_error_free(&error);
  }
  ~TFakePortal() {
    FStop = true;
    if (FThread.joinable()) FThread.join();
    if (FConnection) {
      dbus_connection_close(FConnection);
      dbus_connection_unref(FConnection);
    }
  }
  bool Running() const { return FThread.joinable(); }
  int Questions() const { return FQuestions; }

private:
  void Serve() {
    while (!FStop && dbus_connection_read_write(FConnection, 10)) {
      while (DBusMessage* message = dbus_connection_pop_message(FConnection)) {
        if (dbus_message_is_method_call(message, "org.freedesktop.portal.Settings", "Read")) Answer(message);
        dbus_message_unref(message);
      }
    }
  }
  void Answer(DBusMessage* call) {
    ++FQuestions;
    const char *space = "", *key = "";
    dbus_message_get_args(call, nullptr, DBUS_TYPE_STRING, &space, DBUS_TYPE_STRING, &key, DBUS_TYPE_INVALID);
    if (FMode == fpSilent) return;
    DBusMessage* reply;
    if (std::strcmp(space, "org.gnome.desktop.peripherals.mouse") != 0)
      reply = dbus_message_new_error(call, "org.freedesktop.portal.Error.NotFound", "no such namespace");
    else if (std::strcmp(key, "left-handed") == 0)
      reply = Value(call, DBUS_TYPE_BOOLEAN, DBUS_TYPE_BOOLEAN_AS_STRING, dbus_bool_t(TRUE));
    else if (std::strcmp(key, "double-click") == 0)
      reply = Value(call, DBUS_TYPE_INT32, DBUS_TYPE_INT32_AS_STRING, int32_t(444));
    else
      reply = dbus_message_new_error(call, "org.freedesktop.portal.Error.NotFound", "no such key");
    dbus_connection_send(FConnection, reply, nullptr);
    dbus_message_unref(reply);
  }
  template <typename T>
  DBusMessage* Value(DBusMessage* call, int type, const char* signature, T value) {
    DBusMessage* reply = dbus_message_new_method_return(call);
    DBusMessageIter top, outer, inner;
    dbus_message_iter_init_append(reply, &top);
    if (FMode == fpNested) {
      const std::string wrapped = std::string("v");
      dbus_message_iter_open_container(&top, DBUS_TYPE_VARIANT, wrapped.c_str(), &outer);
      dbus_message_iter_open_container(&outer, DBUS_TYPE_VARIANT, signature, &inner);
      dbus_message_iter_append_basic(&inner, type, &value);
      dbus_message_iter_close_container(&outer, &inner);
      dbus_message_iter_close_container(&top, &outer);
    } else {
      dbus_message_iter_open_container(&top, DBUS_TYPE_VARIANT, signature, &outer);
      dbus_message_iter_append_basic(&outer, type, &value);
      dbus_message_iter_close_container(&top, &outer);
    }
    return reply;
  }

  TMode FMode;
  DBusConnection* FConnection = nullptr;
  std::atomic<bool> FStop{false};
  std::atomic<int> FQuestions{0};
  std::thread FThread;
};

}  // namespace

TEST(DesktopMouse, PortalSourceReadsARunningPortalAndNeverWaitsLongerThanItsBudget) {
  TServerProcess daemon({"dbus-daemon", "--session", "--nofork", "--print-address={fd}"});
  if (daemon.Output().empty()) GTEST_SKIP() << "no dbus-daemon";
  dbus_threads_init_default();
  auto source = CreatePortalMouseSource(daemon.Output());

  TDesktopMouseAnswer none = source->Read(2s);
  EXPECT_EQ(none.LeftHanded, std::nullopt) << "no portal runs on this bus";
  EXPECT_EQ(none.DoubleClickMs, std::nullopt);

  for (auto mode : {TFakePortal::fpNested, TFakePortal::fpPlain}) {
    TFakePortal portal(daemon.Output(), mode);
    ASSERT_TRUE(portal.Running());
    TDesktopMouseAnswer answer = source->Read(5s);
    EXPECT_EQ(answer.LeftHanded, true) << mode;
    EXPECT_EQ(answer.DoubleClickMs, 444u) << mode;
  }

  TFakePortal silent(daemon.Output(), TFakePortal::fpSilent);
  ASSERT_TRUE(silent.Running());
  const auto started = std::chrono::steady_clock::now();
  TDesktopMouseAnswer unanswered = source->Read(300ms);
  EXPECT_EQ(unanswered.LeftHanded, std::nullopt);
  EXPECT_EQ(unanswered.DoubleClickMs, std::nullopt);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 10s) << "the budget was not kept";

  EXPECT_EQ(CreatePortalMouseSource("unix:path=/nonexistent/bus")->Read(2s).LeftHanded, std::nullopt);
}
