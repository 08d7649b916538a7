// Writers replace their file through a temporary file and report every failure.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>

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

// A folder that takes no new file (mode 555) may hold files the user may write (mode 666): each
// writer then writes the file itself, and a write that stops short puts the old bytes back. Root
// may write anywhere, so the writers run as a user without that right.
class InPlace : public testing::Test {
 protected:
  struct Target {
    const char* name;  // in the folder "locked"; nedan.txt is the unit price file
    std::function<void(const std::string& bytes)> write;
  };
  static std::vector<Target> Targets() {
    return {
        {"list.txt", [](const std::string& b) { order::SaveListText("list.txt", b); }},
        {"order.txt",
         [](const std::string& b) {
           order::Sheet sheet;
           sheet.SetCell(0, 1, b);  // the name field holds the bytes; the line ends "\t\r\n"
           sheet.SetRowCount(2);
           order::WriteOrderFile(sheet, "order.txt");
         }},
        {"nedan.txt", [](const std::string& b) { order::WriteUnitPrice(b); }},
    };
  }
  // The folder "locked" (mode 555) with each target holding `old` (mode 666).
  void Lock(const std::function<std::string(const char* name)>& old) {
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
    std::filesystem::create_directory("locked");
    for (const Target& t : Targets()) {
      const std::string path = std::string("locked/") + t.name;
      WriteBytes(path, old(t.name));
      std::filesystem::permissions(path, std::filesystem::perms(0666));
    }
    std::filesystem::permissions("locked", std::filesystem::perms(0555));
  }
  // The names in "locked".
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path() / "locked"))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  // Runs `each` for every target inside "locked", as a user without privileges; true when every
  // call returned true.
  static bool InLockedFolder(const std::function<bool(const Target&)>& each) {
    return testing_support::AsUnprivilegedUser([&] {
      std::filesystem::current_path("locked");
      bool all = true;
      for (const Target& t : Targets()) all = each(t) && all;
      std::filesystem::current_path("..");
      return all;
    });
  }

  static ino_t Inode(const char* path) {
    struct stat st {};
    return ::stat(path, &st) == 0 ? st.st_ino : 0;
  }

  TempDir dir;
};

TEST_F(InPlace, AWritableFileInAFolderThatTakesNoNewFileIsWrittenItself) {
  // Both a longer and a shorter text than the old one: the file ends where the new bytes end.
  for (const size_t oldSize : {3u, 5000u}) {
    Lock([&](const char*) { return std::string(oldSize, 'o'); });
    const ino_t inode = Inode("locked/list.txt");
    EXPECT_TRUE(InLockedFolder([](const Target& t) {
      try {
        t.write("new 80");
        return true;
      } catch (const rtl::Exception& e) {
        ADD_FAILURE() << t.name << ": " << e.Message;
        return false;
      }
    })) << oldSize;
    EXPECT_EQ(ReadBytes("locked/list.txt"), "new 80");
    EXPECT_EQ(ReadBytes("locked/order.txt"), "new 80\t\r\n");
    EXPECT_EQ(ReadBytes("locked/nedan.txt"), "new 80");
    EXPECT_EQ(Files(), (std::vector<std::string>{"list.txt", "nedan.txt", "order.txt"}))
        << "no temporary file";
    EXPECT_EQ(std::filesystem::status("locked/list.txt").permissions(),
              std::filesystem::perms(0666));
    EXPECT_EQ(Inode("locked/list.txt"), inode) << "the same file, not a new one";
    std::filesystem::permissions("locked", std::filesystem::perms::all);
    std::filesystem::remove_all("locked");
  }
}

TEST_F(InPlace, AShortWriteInPlaceWritesTheOldBytesBackAndIsAWriteError) {
  // Old files shorter and longer than the limit: both come back whole.
  const auto old = [](const char* name) {
    return std::string(name) == "order.txt" ? std::string(10000, 'x')
                                            : "the old " + std::string(name);
  };
  Lock(old);
  EXPECT_TRUE(InLockedFolder([](const Target& t) {
    FileSizeLimit limit(4096);
    try {
      t.write(std::string(20000, 'n'));
    } catch (const rtl::Exception& e) {
      EXPECT_EQ(e.Message, "ｽﾄﾘｰﾑへの書き込みｴﾗｰ") << t.name;
      return e.Message == "ｽﾄﾘｰﾑへの書き込みｴﾗｰ";
    }
    ADD_FAILURE() << t.name << ": no error";
    return false;
  }));
  for (const Target& t : Targets())
    EXPECT_EQ(ReadBytes(std::string("locked/") + t.name), old(t.name)) << t.name;
  EXPECT_EQ(Files(), (std::vector<std::string>{"list.txt", "nedan.txt", "order.txt"}));
}

// Without its old bytes in memory a failed write could not be undone: a file that may be written
// but not read is left alone.
TEST_F(InPlace, AFileThatCannotBeReadIsNotWrittenInPlace) {
  Lock([](const char*) { return std::string("keep me"); });
  std::filesystem::permissions("locked", std::filesystem::perms::all);
  std::filesystem::permissions("locked/list.txt", std::filesystem::perms(0222));
  std::filesystem::permissions("locked", std::filesystem::perms(0555));
  EXPECT_TRUE(testing_support::AsUnprivilegedUser([] {
    try {
      order::SaveListText("locked/list.txt", "new");
    } catch (const rtl::EFCreateError& e) {
      return e.Message == "ﾌｧｲﾙ locked/list.txt を作成できません";
    }
    return false;
  }));
  EXPECT_EQ(ReadBytes("locked/list.txt"), "keep me");
}

TEST(SafeWrite, UnitPriceFailuresAreReported) {
  TempDir dir;
  std::filesystem::create_directory("nedan.txt");
  EXPECT_THROW(order::WriteUnitPrice("50"), rtl::EFCreateError);
}

}  // namespace
