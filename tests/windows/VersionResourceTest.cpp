// The version label reads the VERSIONINFO resource linked into the running module. This
// test program carries a resource with its own version (9.8.7.6), so a label that read
// the embedded copy of resources/version.ver (1.2.1.0) would fail here.

#include <gtest/gtest.h>

#include "controls/TVersionLabel.h"
#include "platform/Files.h"
#include "platform/Version.h"
#include "toolkit/core/VersionInfo.h"

TEST(WindowsVersionResource, TheRunningModulesBlockIsRead) {
  std::vector<uint8_t> block;
  ASSERT_TRUE(platform::RunningModuleVersionBlock(block));
  platform::TPVersionValue value;
  ASSERT_TRUE(
      platform::QueryVersionValue(block.data(), block.size(), "\\StringFileInfo\\040904E4\\FileVersion", value));
  EXPECT_EQ(value.Text, "9.8.7.6");
  ASSERT_TRUE(
      platform::QueryVersionValue(block.data(), block.size(), "\\StringFileInfo\\040904E4\\CompanyName", value));
  EXPECT_EQ(value.Text, "Quillaby Software");

  const std::string self = platform::ExecutablePath();
  EXPECT_EQ(GetFileVersionInfoSize(self), block.size());
  EXPECT_EQ(GetFileVersionInfoSize(self + ".other"), 0u);

  TComponent owner(nullptr);
  TVersionLabel* label = new TVersionLabel(&owner);
  EXPECT_EQ(label->GetVersion(), "9.8.7.6");
}
