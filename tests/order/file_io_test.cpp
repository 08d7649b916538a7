// Writers replace their file through a temporary file and report every failure.
#include <gtest/gtest.h>

#include <filesystem>

#include "order/order_file.h"
#include "order/reference_files.h"
#include "rtl/exception.h"
#include "support/process_limits.h"
#include "support/temp_dir.h"

using testing_support::FileSizeLimit;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

// The three writers, each writing `bytes`-sized content to `path`.
struct Writer {
  const char* name;
  std::function<void(const std::string& path)> write;
};

std::vector<Writer> Writers() {
  return {
      {"SaveListText",
       [](const std::string& p) { order::SaveListText(p, std::string(100000, 'x')); }},
      {"WriteOrderFile",
       [](const std::string& p) {
         order::Sheet sheet;
         sheet.SetRowCount(10000);
         for (int r = 1; r < 10000; ++r) sheet.SetCell(0, r, "name");
         order::WriteOrderFile(sheet, p);
       }},
  };
}

TEST(SafeWrite, NoFileLeftBehindAndModeKept) {
  TempDir dir;
  WriteBytes("list.txt", "old");
  std::filesystem::permissions("list.txt", std::filesystem::perms(0640));
  order::SaveListText("list.txt", "new");
  EXPECT_EQ(ReadBytes("list.txt"), "new");
  EXPECT_EQ(std::filesystem::status("list.txt").permissions(), std::filesystem::perms(0640));
  size_t files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 1u) << "the temporary file is gone";
}

TEST(SafeWrite, WritesThroughASymlink) {
  TempDir dir;
  WriteBytes("real.txt", "old");
  std::filesystem::create_symlink("real.txt", "link.txt");
  order::SaveListText("link.txt", "new");
  EXPECT_TRUE(std::filesystem::is_symlink("link.txt"));
  EXPECT_EQ(ReadBytes("real.txt"), "new");
}

TEST(SafeWrite, CannotCreateIsReportedWithTheNameAsGiven) {
  TempDir dir;
  WriteBytes("plain", "a file, not a folder");
  std::filesystem::create_directory("folder");
  for (const std::string path : {"no/such/folder/x.txt", "plain/x.txt", "folder"}) {
    for (const Writer& w : Writers()) {
      try {
        w.write(path);
        ADD_FAILURE() << w.name << " " << path << ": no error";
      } catch (const rtl::EFCreateError& e) {
        EXPECT_EQ(e.Message, "ﾌｧｲﾙ " + path + " を作成できません") << w.name;
      }
    }
  }
}

TEST(SafeWrite, ADeviceThatIsFullIsAWriteError) {
  for (const Writer& w : Writers()) {
    try {
      w.write("/dev/full");
      ADD_FAILURE() << w.name << ": no error";
    } catch (const rtl::EWriteError& e) {
      EXPECT_EQ(e.Message, "ｽﾄﾘｰﾑへの書き込みｴﾗｰ");
    }
  }
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full")) << "the device is still a device";
}

TEST(SafeWrite, AShortWriteKeepsTheOldFileWhole) {
  TempDir dir;
  for (const Writer& w : Writers()) {
    WriteBytes("target.txt", "the old file");
    {
      FileSizeLimit limit(4096);
      EXPECT_THROW(w.write("target.txt"), rtl::EWriteError) << w.name;
    }
    EXPECT_EQ(ReadBytes("target.txt"), "the old file") << w.name;
    size_t files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
    EXPECT_EQ(files, 1u) << w.name << ": the temporary file is gone";
  }
}

// A read-only file is refused, not replaced behind its back. Root may write anything, so as root
// the check runs in a child process that has given up root.
TEST(SafeWrite, AReadOnlyFileIsNotReplaced) {
  TempDir dir;
  std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
  WriteBytes("locked.txt", "keep me");
  std::filesystem::permissions("locked.txt", std::filesystem::perms(0444));
  const auto attempt = [] {
    try {
      order::SaveListText("locked.txt", "new");
    } catch (const rtl::EFCreateError&) {
      return true;
    }
    return false;
  };
  EXPECT_TRUE(testing_support::AsUnprivilegedUser(attempt));
  EXPECT_EQ(ReadBytes("locked.txt"), "keep me");
}

TEST(SafeWrite, UnitPriceFailuresAreReported) {
  TempDir dir;
  std::filesystem::create_directory("nedan.txt");
  EXPECT_THROW(order::WriteUnitPrice("50"), rtl::EFCreateError);
}

}  // namespace
