// Round trips of the persistent setting over the file-backed registry: each GetValue and
// SetValue opens the key, reads or writes one value and closes (flushes) it again.
// The registry lives in a fresh folder under $POINTRIX_BENCH_DIR (default /tmp), so the
// numbers include the file system's cost of a durable write.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/Registry.h"
#include "storage/TJSetting.h"

namespace {

class TBenchRegistry {
public:
  TBenchRegistry() {
    const char* base = getenv("POINTRIX_BENCH_DIR");
    std::string pattern = std::string(base ? base : "/tmp") + "/px-registry-bench-XXXXXX";
    FPath = mkdtemp(pattern.data());
    setenv("POINTRIX_REGISTRY_DIR", FPath.c_str(), 1);
  }
  ~TBenchRegistry() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
  }

private:
  std::string FPath;
};

void ConfigureLanguage(TJSetting& setting) {
  setting.GetStorage()->SetKey("Software\\Quillaby Software\\Pointrix");
  setting.SetKeyName("Language");
}

void BM_SettingGetValue(benchmark::State& state) {
  TBenchRegistry registry;
  TJSetting setting(nullptr);
  ConfigureLanguage(setting);
  setting.SetValue("English");
  for (auto _ : state) benchmark::DoNotOptimize(setting.GetValue());
}
BENCHMARK(BM_SettingGetValue);

// Every call stores a different text, so every call replaces the file.
void BM_SettingSetValueChanged(benchmark::State& state) {
  TBenchRegistry registry;
  TJSetting setting(nullptr);
  ConfigureLanguage(setting);
  const std::string texts[2] = {"English", "Deutsch"};
  size_t i = 0;
  for (auto _ : state) setting.SetValue(texts[i++ & 1]);
}
BENCHMARK(BM_SettingSetValueChanged);

// Storing the text already stored writes nothing.
void BM_SettingSetValueUnchanged(benchmark::State& state) {
  TBenchRegistry registry;
  TJSetting setting(nullptr);
  ConfigureLanguage(setting);
  setting.SetValue("English");
  for (auto _ : state) setting.SetValue("English");
}
BENCHMARK(BM_SettingSetValueUnchanged);

void BM_SettingSetThenGet(benchmark::State& state) {
  TBenchRegistry registry;
  TJSetting setting(nullptr);
  ConfigureLanguage(setting);
  const std::string texts[2] = {"English", "Deutsch"};
  size_t i = 0;
  for (auto _ : state) {
    setting.SetValue(texts[i++ & 1]);
    benchmark::DoNotOptimize(setting.GetValue());
  }
}
BENCHMARK(BM_SettingSetThenGet);

// The raw query of an open key, for comparison with the whole round trip.
void BM_RegQueryValueEx(benchmark::State& state) {
  TBenchRegistry registry;
  using namespace platform;
  HKEY key = HKEY_NULL;
  RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Test", 0, KEY_ALL_ACCESS, &key);
  const char text[] = "English";
  RegSetValueEx(key, "Language", REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text);
  BYTE buffer[64];
  for (auto _ : state) {
    DWORD type = 0, size = sizeof buffer;
    benchmark::DoNotOptimize(RegQueryValueEx(key, "Language", &type, buffer, &size));
  }
  RegFlushKey(key);  // before the folder goes away with the registry object
  RegCloseKey(key);
}
BENCHMARK(BM_RegQueryValueEx);

}  // namespace

BENCHMARK_MAIN();
