#include "platform/posix/DesktopMouse.h"

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>

#include "platform/DesktopMouseSetting.h"
#include "platform/DesktopSettings.h"

namespace platform {

namespace {

constexpr auto ReadBudget = std::chrono::milliseconds(50);
constexpr auto AnswerLifetime = std::chrono::seconds(5);

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Reads a CARD16/CARD32 in the blob's byte order.
uint32_t ReadCard(std::string_view blob, size_t at, size_t bytes, bool bigEndian) {
  uint32_t value = 0;
  for (size_t i = 0; i < bytes; ++i) {
    const uint32_t byte = uint8_t(blob[at + (bigEndian ? i : bytes - 1 - i)]);
    value = value << 8 | byte;
  }
  return value;
}

size_t Padded(size_t length) {
  return (length + 3) & ~size_t(3);
}

class TMouseSettingFromDesktop : public TDesktopMouseSetting {
public:
  std::optional<bool> LeftHanded() override { return DesktopMouseSettings().LeftHanded; }
};

}  // namespace

std::optional<uint32_t> PlausibleDoubleClickTime(int64_t ms) {
  if (ms < 100 || ms > 5000) return std::nullopt;
  return uint32_t(ms);
}

std::optional<uint32_t> XSettingsDoubleClickTime(std::string_view blob) {
  // Header: byte order, 3 unused, serial, number of settings.
  if (blob.size() < 12) return std::nullopt;
  const uint8_t order = uint8_t(blob[0]);
  if (order > 1) return std::nullopt;
  const bool bigEndian = order == 1;
  const uint32_t count = ReadCard(blob, 8, 4, bigEndian);
  size_t at = 12;
  // Every setting takes at least 12 bytes, so a count the blob cannot hold ends the
  // loop by running out of bytes, never by counting.
  for (uint32_t i = 0; i < count; ++i) {
    if (blob.size() - at < 4) return std::nullopt;
    const uint8_t type = uint8_t(blob[at]);
    const size_t nameLength = ReadCard(blob, at + 2, 2, bigEndian);
    at += 4;
    if (blob.size() - at < Padded(nameLength) + 4) return std::nullopt;
    const std::string_view name = blob.substr(at, nameLength);
    at += Padded(nameLength) + 4;  // the name and the serial of its last change
    size_t valueLength = 0;
    switch (type) {
      case 0:  // integer
        valueLength = 4;
        break;
      case 1: {  // string: length, bytes, padding
        if (blob.size() - at < 4) return std::nullopt;
        const size_t length = ReadCard(blob, at, 4, bigEndian);
        if (length > blob.size()) return std::nullopt;
        valueLength = 4 + Padded(length);
        break;
      }
      case 2:  // colour: four CARD16
        valueLength = 8;
        break;
      default:
        return std::nullopt;  // an unknown type has an unknown length
    }
    if (blob.size() - at < valueLength) return std::nullopt;
    if (name == "Net/DoubleClickTime") {
      if (type != 0) return std::nullopt;
      return PlausibleDoubleClickTime(int32_t(ReadCard(blob, at, 4, bigEndian)));
    }
    at += valueLength;
  }
  return std::nullopt;
}

std::optional<bool> PointerMappingSwapped(const uint8_t* map, size_t count) {
  if (count == 0) return std::nullopt;
  return map[0] == 3;
}

TDesktopMouseAnswer CombineMouseAnswers(const std::vector<TDesktopMouseAnswer>& answers) {
  TDesktopMouseAnswer combined;
  for (const TDesktopMouseAnswer& answer : answers) {
    if (answer.LeftHanded) combined.LeftHanded = combined.LeftHanded.value_or(false) || *answer.LeftHanded;
    if (!combined.DoubleClickMs) combined.DoubleClickMs = answer.DoubleClickMs;
    if (!combined.FontDpi) combined.FontDpi = answer.FontDpi;
  }
  return combined;
}

TDesktopMouseReader::TDesktopMouseReader(std::vector<std::unique_ptr<TDesktopMouseSource>> sources,
                                         std::chrono::milliseconds budget, std::chrono::milliseconds lifetime)
    : FSources(std::move(sources)), FBudget(budget), FLifetime(lifetime) {}

TDesktopMouseAnswer TDesktopMouseReader::Current() {
  std::lock_guard<std::mutex> guard(FMutex);
  const auto now = std::chrono::steady_clock::now();
  if (FAskedAt && now - *FAskedAt < FLifetime) return FAnswer;
  std::vector<TDesktopMouseAnswer> answers;
  for (auto& source : FSources) answers.push_back(source->Read(FBudget));
  FAnswer = CombineMouseAnswers(answers);
  FAskedAt = std::chrono::steady_clock::now();
  return FAnswer;
}

std::vector<std::unique_ptr<TDesktopMouseSource>> SessionMouseSources() {
  std::vector<std::unique_ptr<TDesktopMouseSource>> sources;
  const std::string display = Environment("DISPLAY");
  if (!display.empty() && Environment("SDL_VIDEODRIVER") != "wayland") sources.push_back(CreateX11MouseSource(display));
  const std::string bus = SessionBusAddress();
  if (!bus.empty()) sources.push_back(CreatePortalMouseSource(bus));
  return sources;
}

TDesktopMouseAnswer DesktopMouseSettings() {
  static TDesktopMouseReader reader(SessionMouseSources(), ReadBudget, AnswerLifetime);
  return reader.Current();
}

std::string SessionBusAddress() {
  // Only transports that connect to a socket; "autolaunch:" and "unixexec:" would
  // start a program.
  std::string address;
  const std::string configured = Environment("DBUS_SESSION_BUS_ADDRESS");
  size_t start = 0;
  while (start < configured.size()) {
    size_t end = configured.find(';', start);
    if (end == std::string::npos) end = configured.size();
    const std::string_view entry = std::string_view(configured).substr(start, end - start);
    if (StartsWith(entry, "unix:") || StartsWith(entry, "tcp:") || StartsWith(entry, "nonce-tcp:"))
      address += (address.empty() ? "" : ";") + std::string(entry);
    start = end + 1;
  }
  if (!address.empty() || !configured.empty()) return address;
  const std::string runtime = Environment("XDG_RUNTIME_DIR");
  if (runtime.empty()) return "";
  const std::string socket = runtime + "/bus";
  struct stat info {};
  if (stat(socket.c_str(), &info) != 0 || !S_ISSOCK(info.st_mode)) return "";
  return "unix:path=" + socket;
}

void PreventSessionBusAutolaunch() {
  if (!std::getenv("DBUS_SESSION_BUS_ADDRESS") && SessionBusAddress().empty())
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}

std::unique_ptr<TDesktopMouseSetting> CreateDesktopMouseSetting() {
  return std::make_unique<TMouseSettingFromDesktop>();
}

}  // namespace platform

namespace platform {

std::optional<uint32_t> DesktopDoubleClickTime() {
  return DesktopMouseSettings().DoubleClickMs;
}

void PrepareDesktopSession() {
  PreventSessionBusAutolaunch();
}

std::optional<double> DesktopFontDpi() {
  return DesktopMouseSettings().FontDpi;
}

std::optional<double> XResourcesFontDpi(std::string_view resources) {
  constexpr std::string_view Name = "Xft.dpi:";
  size_t start = 0;
  while (start < resources.size()) {
    size_t end = resources.find('\n', start);
    if (end == std::string_view::npos) end = resources.size();
    std::string_view line = resources.substr(start, end - start);
    start = end + 1;
    if (line.substr(0, Name.size()) != Name) continue;
    line.remove_prefix(Name.size());
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    const std::string digits(line.substr(0, 16));
    char* stop = nullptr;
    const double dpi = std::strtod(digits.c_str(), &stop);
    if (stop == digits.c_str() || !(dpi >= 48 && dpi <= 960)) return std::nullopt;
    return dpi;
  }
  return std::nullopt;
}

}  // namespace platform
