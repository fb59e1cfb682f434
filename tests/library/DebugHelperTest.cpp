// TDebugHelper: the registry switch, the fixed modes, the log file beside the
// executable and the exact bytes of a line.

#include "library/LibraryFixture.h"
#include "platform/Files.h"
#include "storage/TDebugHelper.h"

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

namespace {

class DebugHelperTest : public LibraryTest {
protected:
  void SetUp() override {
    LibraryTest::SetUp();
    platform::SetExecutablePathOverride(Folder.Path() + "/App.exe");
  }
  void TearDown() override {
    platform::SetExecutablePathOverride("");
    LibraryTest::TearDown();
  }
  std::string LogPath() const { return Folder.Path() + "/App.log"; }
  std::optional<std::string> Log() const {
    std::string data;
    if (!platform::ReadWholeFile(LogPath(), data)) return std::nullopt;
    return data;
  }

  testsupport::TTempDir Folder;
  TComponent Owner{nullptr};
};

TEST_F(DebugHelperTest, WithTheSwitchAbsentNothingIsLoggedAndTheSwitchIsCreatedOff) {
  auto* debug = new TDebugHelper(&Owner);
  EXPECT_EQ(debug->GetStorage()->GetKey(), "Software");
  EXPECT_EQ(debug->GetStorage()->GetOwnerComponent(), debug);
  CaptureStderr();
  debug->Output("hello");
  EXPECT_EQ(GetCapturedStderr(), "");
  EXPECT_FALSE(debug->IsStarted());
  EXPECT_FALSE(platform::FileExists(LogPath()));
  EXPECT_EQ(StoredDword("Software", "debug"), 0u);
  EXPECT_FALSE(debug->GetStorage()->GetIsOpen());
}

TEST_F(DebugHelperTest, TheSwitchTurnsLoggingOnAndOffWhileTheFileStaysOpen) {
  platform::WriteWholeFile(LogPath(), "an old log\r\n");
  StoreDword("Software", "debug", 1);
  auto* debug = new TDebugHelper(&Owner);
  Backend.Advance(1234);
  CaptureStderr();
  debug->Output("hello");
  EXPECT_EQ(GetCapturedStderr(), "hello\n");  // the text alone, no stamp
  // Six blanks, the digits, "ms", a blank, the colon, the text and CR LF: nothing else.
  EXPECT_EQ(Log(), "      1234ms :hello\r\n");

  debug->SetActive(false);  // through the registry
  EXPECT_EQ(StoredDword("Software", "debug"), 0u);
  CaptureStderr();
  debug->Output("skipped");
  EXPECT_EQ(GetCapturedStderr(), "");
  EXPECT_TRUE(debug->IsStarted());

  StoreDword("Software", "debug", 7);  // any non-zero number is on
  Backend.Advance(1);
  CaptureStderr();
  debug->Output("again");
  GetCapturedStderr();
  EXPECT_EQ(Log(), "      1234ms :hello\r\n      1235ms :again\r\n");
}

TEST_F(DebugHelperTest, StopThenOutputStartsAnEmptyLog) {
  auto* debug = new TDebugHelper(&Owner);
  debug->SetActiveOnCreation(aocYes);
  CaptureStderr();
  debug->Output("one");
  debug->Stop();
  EXPECT_FALSE(debug->IsStarted());
  debug->Output("two");
  GetCapturedStderr();
  EXPECT_EQ(Log(), "         0ms :two\r\n");
}

TEST_F(DebugHelperTest, FixedModesNeedNoRegistryAndOverrideSetActive) {
  auto* yes = new TDebugHelper(&Owner);
  yes->SetActiveOnCreation(aocYes);
  yes->GetStorage()->SetKey("");  // a blank key would raise if the registry were asked
  CaptureStderr();
  yes->Output("logged");
  GetCapturedStderr();
  EXPECT_EQ(Log(), "         0ms :logged\r\n");
  EXPECT_FALSE(StoredValue("Software", "debug").has_value());
  yes->Stop();

  auto* no = new TDebugHelper(&Owner);
  no->SetActiveOnCreation(aocNo);
  no->SetActive(true);
  EXPECT_TRUE(no->GetActive());
  CaptureStderr();
  no->Output("not logged");
  EXPECT_EQ(GetCapturedStderr(), "");
  EXPECT_FALSE(no->GetActive());
  EXPECT_FALSE(no->IsStarted());
  EXPECT_FALSE(StoredValue("Software", "debug").has_value());
}

TEST_F(DebugHelperTest, WhileDesignedNothingTouchesTheRegistryOrTheDisk) {
  auto* debug = new TDebugHelper(&Owner);
  Owner.SetDesigning(true);
  StoreDword("Software", "debug", 1);
  debug->SetActive(false);
  EXPECT_FALSE(debug->GetActive());  // the flag, not the switch
  EXPECT_EQ(StoredDword("Software", "debug"), 1u);
  debug->SetActiveOnCreation(aocYes);
  debug->Output("x");
  EXPECT_FALSE(debug->IsStarted());
  EXPECT_FALSE(platform::FileExists(LogPath()));
}

TEST_F(DebugHelperTest, ABlankKeyInRegistryModeRaisesToTheCaller) {
  auto* debug = new TDebugHelper(&Owner);
  debug->GetStorage()->SetKey("");
  try {
    debug->Output("x");
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot open registry because TJStorage.Key is blank");
  }
  EXPECT_THROW(debug->SetActive(true), Exception);
  EXPECT_FALSE(debug->GetStorage()->GetIsOpen());
}

TEST_F(DebugHelperTest, StampsAreSignedTenColumnMilliseconds) {
  EXPECT_EQ(TDebugHelper::FormatStamp(0), "         0ms ");
  EXPECT_EQ(TDebugHelper::FormatStamp(1234567890), "1234567890ms ");
  // More than 2^31 ms after creation the difference prints as a negative number.
  EXPECT_EQ(TDebugHelper::FormatStamp(0x80000005u), "-2147483643ms ");
}

TEST_F(DebugHelperTest, TheLogIsNamedAfterTheExecutable) {
  EXPECT_EQ(TDebugHelper::LogFilePath(), LogPath());
  platform::SetExecutablePathOverride("/opt/pointrix.d/bin/tutor");
  EXPECT_EQ(TDebugHelper::LogFilePath(), "/opt/pointrix.d/bin/tutor.log");
  platform::SetExecutablePathOverride("/opt/app.v2.exe");
  EXPECT_EQ(TDebugHelper::LogFilePath(), "/opt/app.v2.log");
}

TEST_F(DebugHelperTest, ALayoutPointsTheSwitchElsewhere) {
  StoreDword("Software\\Quillaby Software\\Trace", "debug", 1);
  TLibraryForm* form = Read(R"(object F: TLibraryForm
  object Trace: TDebugHelper
    Storage.Key = 'Software\Quillaby Software\Trace'
    Storage.RegistryRootKey = atrkCurrentUser
    ActiveOnCreation = aocFromRegistry
  end
end
)");
  auto* trace = form->Find<TDebugHelper>("Trace");
  ASSERT_NE(trace, nullptr);
  EXPECT_TRUE(trace->GetActive());
  CaptureStderr();
  trace->Output("from the layout");
  GetCapturedStderr();
  EXPECT_EQ(Log(), "         0ms :from the layout\r\n");
  EXPECT_FALSE(StoredValue("Software", "debug").has_value());
}

}  // namespace
