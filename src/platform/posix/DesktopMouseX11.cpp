// The X server's side of the desktop's mouse settings: the core pointer mapping and the
// XSETTINGS manager's Net/DoubleClickTime. Requests go out together and every reply is
// awaited with poll() against one deadline, so a slow server cannot hold start-up.

#include <poll.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <cstdlib>
#include <cstring>

#include "platform/posix/DesktopMouse.h"

namespace platform {

namespace {

using TClock = std::chrono::steady_clock;

// Largest XSETTINGS property read, in 32-bit units (64 KB).
constexpr uint32_t MaxSettingsWords = 16384;

struct TFreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using TReply = std::unique_ptr<T, TFreeDeleter>;

// The reply to request `sequence`, or nullptr on an error, a broken connection or when
// the deadline passes first.
template <typename T>
TReply<T> AwaitReply(xcb_connection_t* connection, unsigned sequence, TClock::time_point deadline) {
  xcb_flush(connection);
  while (true) {
    void* reply = nullptr;
    xcb_generic_error_t* error = nullptr;
    if (xcb_poll_for_reply(connection, sequence, &reply, &error)) {
      std::free(error);
      return TReply<T>(static_cast<T*>(reply));
    }
    if (xcb_connection_has_error(connection)) return nullptr;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now()).count();
    if (left <= 0) return nullptr;
    pollfd ready{xcb_get_file_descriptor(connection), POLLIN, 0};
    poll(&ready, 1, int(left) + 1);
  }
}

class TX11MouseSource : public TDesktopMouseSource {
public:
  explicit TX11MouseSource(std::string display) : FDisplay(std::move(display)) {}

  TDesktopMouseAnswer Read(std::chrono::milliseconds budget) override {
    TDesktopMouseAnswer answer;
    const auto deadline = TClock::now() + budget;
    int screen = 0;
    xcb_connection_t* connection = xcb_connect(FDisplay.c_str(), &screen);
    if (xcb_connection_has_error(connection)) {
      xcb_disconnect(connection);
      return answer;
    }
    const std::string managerName = "_XSETTINGS_S" + std::to_string(screen);
    const char* settingsName = "_XSETTINGS_SETTINGS";
    auto mappingCookie = xcb_get_pointer_mapping(connection);
    auto managerCookie = xcb_intern_atom(connection, 1, uint16_t(managerName.size()), managerName.c_str());
    auto settingsCookie = xcb_intern_atom(connection, 1, uint16_t(std::strlen(settingsName)), settingsName);
    // The X resources (RESOURCE_MANAGER, a predefined atom of type STRING) on the root window.
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    auto resourcesCookie =
        xcb_get_property(connection, 0, root, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 0, MaxSettingsWords);

    if (auto mapping = AwaitReply<xcb_get_pointer_mapping_reply_t>(connection, mappingCookie.sequence, deadline))
      answer.LeftHanded = PointerMappingSwapped(xcb_get_pointer_mapping_map(mapping.get()),
                                                size_t(xcb_get_pointer_mapping_map_length(mapping.get())));
    if (auto resources = AwaitReply<xcb_get_property_reply_t>(connection, resourcesCookie.sequence, deadline);
        resources && resources->format == 8) {
      const auto* bytes = static_cast<const char*>(xcb_get_property_value(resources.get()));
      answer.FontDpi =
          XResourcesFontDpi(std::string_view(bytes, size_t(xcb_get_property_value_length(resources.get()))));
    }
    auto manager = AwaitReply<xcb_intern_atom_reply_t>(connection, managerCookie.sequence, deadline);
    auto settings = AwaitReply<xcb_intern_atom_reply_t>(connection, settingsCookie.sequence, deadline);
    // Atoms that do not exist yet mean no settings manager ever ran on this server.
    if (manager && settings && manager->atom && settings->atom) {
      auto ownerCookie = xcb_get_selection_owner(connection, manager->atom);
      auto owner = AwaitReply<xcb_get_selection_owner_reply_t>(connection, ownerCookie.sequence, deadline);
      if (owner && owner->owner) {
        auto propertyCookie =
            xcb_get_property(connection, 0, owner->owner, settings->atom, settings->atom, 0, MaxSettingsWords);
        auto property = AwaitReply<xcb_get_property_reply_t>(connection, propertyCookie.sequence, deadline);
        if (property && property->type == settings->atom && property->format == 8) {
          const auto* bytes = static_cast<const char*>(xcb_get_property_value(property.get()));
          answer.DoubleClickMs =
              XSettingsDoubleClickTime(std::string_view(bytes, size_t(xcb_get_property_value_length(property.get()))));
        }
      }
    }
    xcb_disconnect(connection);
    return answer;
  }

private:
  std::string FDisplay;
};

}  // namespace

std::unique_ptr<TDesktopMouseSource> CreateX11MouseSource(std::string display) {
  return std::make_unique<TX11MouseSource>(std::move(display));
}

}  // namespace platform
