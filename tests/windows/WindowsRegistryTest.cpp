// The registry calls against the real Windows registry (run under Wine in CI): text is
// converted between Windows-1252 and the system's UTF-16 both ways, sizes follow the
// 8-bit text, and HKEY_CURRENT_USER\Software\Quillaby Software\Pointrix is where the
// program's setting lands.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/win32/SystemRegistry.h"
#include "platform/win32/WindowsRegistry.h"
#include "storage/TJSetting.h"

using namespace platform;

namespace {

const std::string TestKey = "Software\\Pointrix Tests";

class TFakeMouse : public TDesktopMouseSetting {
public:
  explicit TFakeMouse(std::optional<bool> answer) : FAnswer(answer) {}
  std::optional<bool> LeftHanded() override { return FAnswer; }

private:
  std::optional<bool> FAnswer;
};

class WindowsRegistry : public ::testing::Test {
protected:
  void SetUp() override { platform::RegDeleteTree(HKEY_CURRENT_USER, TestKey); }
  void TearDown() override {
    platform::RegDeleteTree(HKEY_CURRENT_USER, TestKey);
    SetDesktopMouseSetting(nullptr);
  }

  HKEY Create(const std::string& path, DWORD* disposition = nullptr) {
    HKEY key = HKEY_NULL;
    EXPECT_EQ(platform::RegCreateKeyEx(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS, &key, disposition), ERROR_SUCCESS);
    return key;
  }

  // The value as the system itself holds it, read with the wide calls.
  static std::wstring SystemText(const std::wstring& path, const std::wstring& name) {
    uintptr_t key = 0;
    if (win32::SystemCreateKey(uintptr_t(HKEY_CURRENT_USER), path, 0, KEY_READ, false, &key, nullptr) != ERROR_SUCCESS)
      return L"<missing key>";
    uint32_t type = 0;
    std::vector<uint8_t> raw;
    const int32_t status = win32::SystemQueryValue(key, name, &type, raw);
    win32::SystemCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ) return L"<missing value>";
    std::wstring text(raw.size() / 2, L'\0');
    std::memcpy(text.data(), raw.data(), text.size() * 2);
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
  }
};

TEST_F(WindowsRegistry, CreatesOpensAndClosesKeys) {
  DWORD disposition = 0;
  HKEY key = Create("\\" + TestKey + "\\A\\B", &disposition);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  EXPECT_EQ(platform::RegCloseKey(key), ERROR_SUCCESS);
  key = Create(TestKey + "\\a\\b", &disposition);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  EXPECT_EQ(platform::RegCloseKey(key), ERROR_SUCCESS);

  HKEY opened = HKEY_NULL;
  EXPECT_EQ(platform::RegOpenKeyEx(HKEY_CURRENT_USER, TestKey + "\\Missing", KEY_READ, &opened), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(opened, HKEY_NULL);
  EXPECT_EQ(platform::RegOpenKeyEx(HKEY_NULL, TestKey, KEY_READ, &opened), ERROR_INVALID_HANDLE);
  EXPECT_EQ(platform::RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
}

TEST_F(WindowsRegistry, TextIsWindows1252HereAndUtf16InTheSystem) {
  HKEY key = Create(TestKey);
  const std::string text =
      "Fran\xE7"
      "ais \x80";  // "Français €" in Windows-1252
  const std::string stored = text + '\0';
  ASSERT_EQ(platform::RegSetValueEx(key, "Sprache \xC4", REG_SZ, reinterpret_cast<const BYTE*>(stored.data()),
                                    DWORD(stored.size())),
            ERROR_SUCCESS);
  EXPECT_EQ(platform::RegFlushKey(key), ERROR_SUCCESS);
  EXPECT_EQ(SystemText(L"Software\\Pointrix Tests", L"Sprache \u00C4"), L"Fran\u00E7ais \u20AC");

  // The size counts 8-bit characters and the terminating zero.
  DWORD type = 0, size = 0;
  ASSERT_EQ(platform::RegQueryValueEx(key, "SPRACHE \xC4", &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, stored.size());
  std::string small(3, '\0');
  DWORD smallSize = 3;
  EXPECT_EQ(platform::RegQueryValueEx(key, "Sprache \xC4", nullptr, reinterpret_cast<BYTE*>(small.data()), &smallSize),
            ERROR_MORE_DATA);
  EXPECT_EQ(smallSize, stored.size());
  std::string read(size, '\0');
  ASSERT_EQ(platform::RegQueryValueEx(key, "Sprache \xC4", nullptr, reinterpret_cast<BYTE*>(read.data()), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(read, stored);
  platform::RegCloseKey(key);
}

TEST_F(WindowsRegistry, NumbersAndBinaryValuesKeepTheirBytes) {
  HKEY key = Create(TestKey);
  const DWORD number = 0x2A;
  ASSERT_EQ(platform::RegSetValueEx(key, "Count", REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4), ERROR_SUCCESS);
  const BYTE bytes[] = {0, 0xFF, 0x80, 7};
  ASSERT_EQ(platform::RegSetValueEx(key, "", REG_BINARY, bytes, sizeof bytes), ERROR_SUCCESS);
  DWORD type = 0, read = 0, size = 4;
  ASSERT_EQ(platform::RegQueryValueEx(key, "count", &type, reinterpret_cast<BYTE*>(&read), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(read, 0x2Au);
  BYTE back[8] = {};
  size = sizeof back;
  ASSERT_EQ(platform::RegQueryValueEx(key, "", &type, back, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_BINARY);
  ASSERT_EQ(size, sizeof bytes);
  EXPECT_EQ(std::string(back, back + size), std::string(bytes, bytes + sizeof bytes));

  EXPECT_EQ(platform::RegQueryValueEx(key, "Missing", nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(platform::RegSetValueEx(key, "Bad\nName", REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(platform::RegQueryValueEx(key, "Count", nullptr, back, nullptr), ERROR_INVALID_PARAMETER);
  platform::RegCloseKey(key);

  // A key opened for reading only cannot be written.
  HKEY readOnly = HKEY_NULL;
  ASSERT_EQ(platform::RegOpenKeyEx(HKEY_CURRENT_USER, TestKey, KEY_READ, &readOnly), ERROR_SUCCESS);
  EXPECT_EQ(platform::RegSetValueEx(readOnly, "Count", REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4),
            ERROR_ACCESS_DENIED);
  platform::RegCloseKey(readOnly);
}

TEST_F(WindowsRegistry, SwapMouseButtonsComesFromTheSystemWhenNotStored) {
  SetDesktopMouseSetting(std::make_unique<TFakeMouse>(true));
  HKEY key = Create(TestKey + "\\Control Panel\\Mouse");
  DWORD size = 0;
  // Only HKEY_CURRENT_USER\Control Panel\Mouse answers from the system.
  EXPECT_EQ(platform::RegQueryValueEx(key, "SwapMouseButtons", nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  platform::RegCloseKey(key);

  HKEY mouse = HKEY_NULL;
  ASSERT_EQ(platform::RegOpenKeyEx(HKEY_CURRENT_USER, "control panel\\MOUSE", KEY_READ, &mouse), ERROR_SUCCESS);
  char text[8] = {};
  size = sizeof text;
  DWORD type = 0;
  ASSERT_EQ(platform::RegQueryValueEx(mouse, "SwapMouseButtons", &type, reinterpret_cast<BYTE*>(text), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  // Wine and Windows store the value themselves ("0"); the system's answer is used only
  // where it is missing.
  EXPECT_TRUE(std::string(text) == "0" || std::string(text) == "1") << text;
  platform::RegCloseKey(mouse);
}

TEST_F(WindowsRegistry, TheLanguageSettingLandsInTheUsersSoftwareKey) {
  platform::RegDeleteTree(HKEY_CURRENT_USER, "Software\\Quillaby Software\\Pointrix");
  TComponent form(nullptr);
  auto* setting = new TJSetting(&form);  // owned by the form
  setting->GetStorage()->SetKey("Software\\Quillaby Software\\Pointrix");
  setting->GetStorage()->SetRegistryRootKey(atrkCurrentUser);
  setting->SetKeyName("Language");
  setting->SetValue("Deutsch");
  EXPECT_EQ(SystemText(L"Software\\Quillaby Software\\Pointrix", L"Language"), L"Deutsch");
  EXPECT_EQ(setting->GetValue(), "Deutsch");
  platform::RegDeleteTree(HKEY_CURRENT_USER, "Software\\Quillaby Software\\Pointrix");
}

}  // namespace
