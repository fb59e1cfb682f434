// The Settings portal's side of the desktop's mouse settings (GNOME's
// org.gnome.desktop.peripherals.mouse keys, on X11 and Wayland alike). The question runs
// on a short-lived thread of its own so that a bus that accepts the connection but never
// answers costs the caller no more than its budget.

#include <dbus/dbus.h>

#include <condition_variable>
#include <thread>

#include "platform/posix/DesktopMouse.h"

namespace platform {

namespace {

using TClock = std::chrono::steady_clock;

constexpr const char* PortalName = "org.freedesktop.portal.Desktop";
constexpr const char* PortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* SettingsInterface = "org.freedesktop.portal.Settings";
constexpr const char* MouseNamespace = "org.gnome.desktop.peripherals.mouse";
// Read() wraps the value in one variant, older portals in two.
constexpr int MaxVariantDepth = 4;

struct TPortalValue {
  std::optional<bool> Boolean;
  std::optional<int64_t> Number;
};

TPortalValue ValueOf(DBusMessageIter iter) {
  for (int depth = 0; depth < MaxVariantDepth && dbus_message_iter_get_arg_type(&iter) == DBUS_TYPE_VARIANT; ++depth) {
    DBusMessageIter inner;
    dbus_message_iter_recurse(&iter, &inner);
    iter = inner;
  }
  TPortalValue value;
  DBusBasicValue basic{};
  switch (dbus_message_iter_get_arg_type(&iter)) {
    case DBUS_TYPE_BOOLEAN:
      dbus_message_iter_get_basic(&iter, &basic);
      value.Boolean = basic.bool_val != 0;
      break;
    case DBUS_TYPE_INT32:
      dbus_message_iter_get_basic(&iter, &basic);
      value.Number = basic.i32;
      break;
    case DBUS_TYPE_UINT32:
      dbus_message_iter_get_basic(&iter, &basic);
      value.Number = basic.u32;
      break;
    case DBUS_TYPE_INT64:
      dbus_message_iter_get_basic(&iter, &basic);
      value.Number = basic.i64;
      break;
    default:
      break;
  }
  return value;
}

// Asks the portal for one key of the mouse namespace; nothing when the portal is not
// running (it is never started for this), does not know the key, or is too slow.
std::optional<TPortalValue> ReadSetting(DBusConnection* connection, const char* key, TClock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now()).count();
  if (left <= 0) return std::nullopt;
  DBusMessage* call = dbus_message_new_method_call(PortalName, PortalPath, SettingsInterface, "Read");
  if (!call) return std::nullopt;
  dbus_message_set_auto_start(call, FALSE);
  const char* space = MouseNamespace;
  dbus_message_append_args(call, DBUS_TYPE_STRING, &space, DBUS_TYPE_STRING, &key, DBUS_TYPE_INVALID);
  DBusError error;
  dbus_error_init(&error);
  DBusMessage* reply = dbus_connection_send_with_reply_and_block(connection, call, int(left), &error);
  dbus_message_unref(call);
  dbus_error_free(&error);
  if (!reply) return std::nullopt;
  std::optional<TPortalValue> value;
  DBusMessageIter iter;
  if (dbus_message_iter_init(reply, &iter)) value = ValueOf(iter);
  dbus_message_unref(reply);
  return value;
}

TDesktopMouseAnswer AskPortal(const std::string& address, TClock::time_point deadline) {
  TDesktopMouseAnswer answer;
  dbus_threads_init_default();
  DBusError error;
  dbus_error_init(&error);
  DBusConnection* connection = dbus_connection_open_private(address.c_str(), &error);
  if (!connection) {
    dbus_error_free(&error);
    return answer;
  }
  dbus_connection_set_exit_on_disconnect(connection, FALSE);
  if (dbus_bus_register(connection, &error)) {
    if (auto value = ReadSetting(connection, "left-handed", deadline)) answer.LeftHanded = value->Boolean;
    if (auto value = ReadSetting(connection, "double-click", deadline); value && value->Number)
      answer.DoubleClickMs = PlausibleDoubleClickTime(*value->Number);
  }
  dbus_error_free(&error);
  dbus_connection_close(connection);
  dbus_connection_unref(connection);
  return answer;
}

class TPortalMouseSource : public TDesktopMouseSource {
public:
  explicit TPortalMouseSource(std::string address) : FAddress(std::move(address)) {}

  TDesktopMouseAnswer Read(std::chrono::milliseconds budget) override {
    // Shared with the asking thread, which may outlive this call when the bus is slow.
    struct TShared {
      std::mutex Mutex;
      std::condition_variable Done;
      std::optional<TDesktopMouseAnswer> Answer;
    };
    auto shared = std::make_shared<TShared>();
    const auto deadline = TClock::now() + budget;
    std::thread([shared, address = FAddress, deadline] {
      TDesktopMouseAnswer answer = AskPortal(address, deadline);
      std::lock_guard<std::mutex> guard(shared->Mutex);
      shared->Answer = answer;
      shared->Done.notify_all();
    }).detach();
    std::unique_lock<std::mutex> lock(shared->Mutex);
    shared->Done.wait_until(lock, deadline + std::chrono::milliseconds(5), [&] { return shared->Answer.has_value(); });
    return shared->Answer.value_or(TDesktopMouseAnswer{});
  }

private:
  std::string FAddress;
};

}  // namespace

std::unique_ptr<TDesktopMouseSource> CreatePortalMouseSource(std::string busAddress) {
  return std::make_unique<TPortalMouseSource>(std::move(busAddress));
}

}  // namespace platform
