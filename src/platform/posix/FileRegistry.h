#pragma once

// The file-backed registry behind the calls of platform/Registry.h on systems without a
// registry of their own.
//
// Each root is one hive file in the REGEDIT4 format, named after the root
// ("HKEY_CURRENT_USER.reg"). The current user's roots (HKEY_CURRENT_USER and
// HKEY_CLASSES_ROOT) live in UserRegistryFolder() and can be changed; the machine-wide
// roots (HKEY_LOCAL_MACHINE, HKEY_USERS, HKEY_CURRENT_CONFIG, HKEY_DYN_DATA) live in
// MachineRegistryFolder() and are read-only: creating a key or setting a value there
// fails with ERROR_ACCESS_DENIED, as for a user without rights. Every call is safe from
// any thread. Pending changes are written at RegFlushKey and when the program ends.
// Reading never takes the hive's lock (a writer replaces the file at once, so a reader
// always sees a whole file). A write whose lock another program holds for about a second
// keeps its changes in memory (RegFlushKey answers ERROR_WRITE_FAULT) and they are written
// by a later flush or, waiting a quarter of a second at most, when the program ends.
//
// HKEY_CURRENT_USER\Control Panel\Mouse\SwapMouseButtons, when the hive has no such value,
// is answered from the desktop's own left-handed setting as the text "1" or "0" (and is
// absent when the desktop's setting cannot be read). It is never written.

#include <memory>
#include <string>

#include "platform/DesktopMouseSetting.h"
#include "platform/Registry.h"

namespace platform {

// $POINTRIX_REGISTRY_DIR when set, else $XDG_CONFIG_HOME/pointrix/registry, else
// ~/.config/pointrix/registry.
std::string UserRegistryFolder();
// $POINTRIX_REGISTRY_DIR/machine when that variable is set, else /etc/xdg/pointrix/registry.
std::string MachineRegistryFolder();

// The root's name as written in hive files ("HKEY_CURRENT_USER"); empty for other handles.
std::string RegistryRootName(HKEY root);
// The full path of the root's hive file, as the environment says now; empty for other handles.
std::string RegistryHivePath(HKEY root);

// Replaces where the SwapMouseButtons answer comes from (tests fake the desktop);
// null restores the desktop's own setting.
void SetDesktopMouseSetting(std::unique_ptr<TDesktopMouseSetting> source);

// Writes every hive's pending changes.
void FlushRegistry();

}  // namespace platform
