#pragma once

// The Windows registry's own calls with the program's handle values, kept apart from
// platform/Registry.h because <windows.h> defines macros of the same names. Handles
// are passed as numbers: the predefined roots use the values of platform/Registry.h
// (0x80000000 ...), opened keys are the system's handles. Results are Windows error
// codes. Names and text are UTF-16.

#include <cstdint>
#include <string>
#include <vector>

namespace platform::win32 {

int32_t SystemCreateKey(uintptr_t key, const std::wstring& subKey, uint32_t options, uint32_t access, bool create,
                        uintptr_t* result, uint32_t* disposition);
// Reads a value whole: its type and its bytes as stored.
int32_t SystemQueryValue(uintptr_t key, const std::wstring& name, uint32_t* type, std::vector<uint8_t>& data);
int32_t SystemSetValue(uintptr_t key, const std::wstring& name, uint32_t type, const uint8_t* data, uint32_t size);
int32_t SystemFlushKey(uintptr_t key);
int32_t SystemCloseKey(uintptr_t key);
// Deletes a key with everything below it.
int32_t SystemDeleteTree(uintptr_t key, const std::wstring& subKey);

// The desktop's mouse settings.
bool SystemSwapsMouseButtons();
uint32_t SystemDoubleClickTime();

}  // namespace platform::win32
