// Playing embedded sounds through the platform's audio.

#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "toolkit/core/ResourceTable.h"
#include "toolkit/forms/Sound.h"

namespace {

using namespace platform;

// A backend whose audio records what it was asked to play; nothing else is used.
class TRecordingBackend : public IBackend, private IAudio {
public:
  std::vector<std::pair<std::string, size_t>> Played;
  IDisplay& Display() override { throw std::logic_error("no display"); }
  IClock& Clock() override { throw std::logic_error("no clock"); }
  IAudio& Audio() override { return *this; }
  IShell& Shell() override { throw std::logic_error("no shell"); }
  IDialogs& Dialogs() override { throw std::logic_error("no dialogs"); }

private:
  void Play(const std::string& name, const TPSound& sound) override { Played.emplace_back(name, sound.Data.size()); }
  void Stop() override {}
};

struct SoundTest : ::testing::Test {
  TRecordingBackend Backend;
  SoundTest() {
    SetBackend(&Backend);
    ClearSoundCache();
  }
  ~SoundTest() override { SetBackend(nullptr); }
};

TEST_F(SoundTest, MissingSoundPlaysNothing) {
  PlaySoundResource("no-such-sound");
  PlaySoundResource("");
  EXPECT_TRUE(Backend.Played.empty());
}

TEST_F(SoundTest, EmbeddedSoundsPlayByNameIgnoringCase) {
  const TResourceEntry* wav = nullptr;
  for (const TResourceEntry* e = PointrixResourceEntries; e->Name && !wav; ++e)
    if (std::string(e->Kind) == "wav") wav = e;
  if (!wav) GTEST_SKIP() << "no sounds embedded yet";
  std::string upper = wav->Name;
  for (char& c : upper) c = char(std::toupper(static_cast<unsigned char>(c)));
  PlaySoundResource(upper);
  PlaySoundResource(wav->Name);
  ASSERT_EQ(Backend.Played.size(), 2u);
  EXPECT_EQ(Backend.Played[0].first, upper);
  EXPECT_GT(Backend.Played[0].second, 0u);
  EXPECT_EQ(Backend.Played[1].second, Backend.Played[0].second);
}

}  // namespace
