#pragma once

// The system registry: a tree of keys below a few predefined roots, each key holding
// named, typed values. The calls keep the Windows names, constants and error codes, so
// code written against the Windows registry reads the same here. On Windows they are
// the system's; elsewhere a file-backed registry answers them (posix/FileRegistry.h).
//
// Names of keys and values are 8-bit text compared without regard to ASCII letter case
// and kept in the case they were first given. The empty value name addresses the key's
// unnamed (default) value. Key paths use '\' between keys.

#include <cstdint>
#include <string>

namespace platform {

using LONG = int32_t;
using DWORD = uint32_t;
using REGSAM = uint32_t;
using BYTE = uint8_t;

// A registry key handle: one of the predefined roots, or a key opened below one.
enum class HKEY : uintptr_t {};

// The handle that names no key. Every call given it fails with ERROR_INVALID_HANDLE.
constexpr HKEY HKEY_NULL = HKEY(0);
constexpr HKEY HKEY_CLASSES_ROOT = HKEY(0x80000000u);
constexpr HKEY HKEY_CURRENT_USER = HKEY(0x80000001u);
constexpr HKEY HKEY_LOCAL_MACHINE = HKEY(0x80000002u);
constexpr HKEY HKEY_USERS = HKEY(0x80000003u);
constexpr HKEY HKEY_PERFORMANCE_DATA = HKEY(0x80000004u);
constexpr HKEY HKEY_CURRENT_CONFIG = HKEY(0x80000005u);
constexpr HKEY HKEY_DYN_DATA = HKEY(0x80000006u);

// Results of the calls.
constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;  // no such key or value
constexpr LONG ERROR_ACCESS_DENIED = 5;   // read-only root, or a handle without the right
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_WRITE_FAULT = 29;  // the hive could not be written back
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_MORE_DATA = 234;  // the caller's buffer is too small
constexpr LONG ERROR_BADKEY = 1010;

// Value types.
constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;         // text ending in a zero byte
constexpr DWORD REG_EXPAND_SZ = 2;  // text with %VARIABLE% references, stored unexpanded
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;  // 32-bit number, little-endian
constexpr DWORD REG_DWORD_BIG_ENDIAN = 5;
constexpr DWORD REG_LINK = 6;
constexpr DWORD REG_MULTI_SZ = 7;
constexpr DWORD REG_QWORD = 11;

// Options of RegCreateKeyEx. Every key of the file-backed registry is non-volatile.
constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_OPTION_VOLATILE = 1;

// Dispositions reported by RegCreateKeyEx.
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Access rights.
constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM KEY_CREATE_LINK = 0x0020;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

// Opens the key subKey below key (a root or an open key), creating it and any missing
// parents when it does not exist. A leading '\' is ignored. On success *result is a new
// handle to close with RegCloseKey, and *disposition (when given) tells whether the key
// was created. A key below a read-only root can be opened when it exists, but not created
// (ERROR_ACCESS_DENIED), and its values cannot be set.
LONG RegCreateKeyEx(HKEY key, const std::string& subKey, DWORD options, REGSAM samDesired, HKEY* result,
                    DWORD* disposition = nullptr);

// Opens an existing key; ERROR_FILE_NOT_FOUND when it does not exist.
LONG RegOpenKeyEx(HKEY key, const std::string& subKey, REGSAM samDesired, HKEY* result);

// Reads a value. *type (when given) receives its type. When data is null only its size is
// reported in *dataSize; otherwise *dataSize holds the buffer size on entry and the value's
// size on return, and ERROR_MORE_DATA means the buffer was too small (nothing is copied).
LONG RegQueryValueEx(HKEY key, const std::string& valueName, DWORD* type, BYTE* data, DWORD* dataSize);

// Stores a value of the given type. A REG_SZ or REG_EXPAND_SZ value's size counts its
// terminating zero. Value names may not contain line breaks or zero bytes
// (ERROR_INVALID_PARAMETER).
LONG RegSetValueEx(HKEY key, const std::string& valueName, DWORD type, const BYTE* data, DWORD dataSize);

// Writes the key's hive through to disk before returning. Without it, changes reach the
// disk at the next flush or when the program ends.
LONG RegFlushKey(HKEY key);

// Releases a handle returned by RegCreateKeyEx or RegOpenKeyEx. Closing a root is allowed
// and does nothing.
LONG RegCloseKey(HKEY key);

}  // namespace platform
