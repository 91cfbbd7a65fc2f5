#include "text/sinks.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "captured_screen_text.h"
#include "temp_folder.h"

namespace zephyrion {
namespace {

namespace fs = std::filesystem;

using testing_support::readFile;

// Each test works in a fresh folder and leaves every slot closed.
class FileSlots : public testing::Test {
 protected:
  void TearDown() override { fileClose(0); }
  std::string name(const std::string& leaf) const { return (folder / leaf).string(); }

  testing_support::TempFolder temp;
  fs::path folder = temp.path();
};

TEST_F(FileSlots, WriteLinesWithCrLf) {
  ASSERT_EQ(fileOpenOutput(name("a.txt"), 1), kFileOk);
  printText(1, "Radius [mm]", 0);
  printText(1, "\t", 0);
  printNumber(1, 500, kNewlineFlag);
  printInteger(1, 800, 0);
  printInteger(1, -5, kNewlineFlag);
  printText(1, "", kNewlineFlag);
  EXPECT_EQ(fileClose(1), kFileOk);
  EXPECT_EQ(readFile(folder / "a.txt"), "Radius [mm]\t 500\r\n 800-5\r\n\r\n");
}

TEST_F(FileSlots, TruncateAnExistingFile) {
  std::ofstream(folder / "old.xls") << "old content that must go";
  ASSERT_EQ(fileOpenOutput(name("old.xls"), 2), kFileOk);
  EXPECT_EQ(fs::file_size(folder / "old.xls"), 0u);
  printText(2, "new", 0);
  fileClose(2);
  EXPECT_EQ(readFile(folder / "old.xls"), "new");
}

TEST_F(FileSlots, RefuseBadNumbersAndBusySlots) {
  EXPECT_EQ(fileOpenOutput(name("x"), 0), kFileBadCall);
  EXPECT_EQ(fileOpenOutput(name("x"), 255), kFileBadCall);
  EXPECT_EQ(fileOpenOutput(name("x"), -1), kFileBadCall);
  ASSERT_EQ(fileOpenOutput(name("x"), 254), kFileOk);
  EXPECT_EQ(fileOpenOutput(name("y"), 254), kFileBadCall);
  EXPECT_FALSE(fs::exists(folder / "y"));
}

TEST_F(FileSlots, ReportAFileThatCannotBeCreated) {
  EXPECT_EQ(fileOpenOutput(name("missing/dir/a.xls"), 2), kFileNotOpenable);
  printText(2, "dropped", kNewlineFlag);  // a closed slot writes nothing and reports nothing
  EXPECT_EQ(fileClose(2), kFileBadCall);
}

TEST_F(FileSlots, CloseOfAClosedSlotChangesNothing) {
  EXPECT_EQ(fileClose(7), kFileBadCall);
  EXPECT_EQ(fileClose(0), kFileOk);
}

TEST_F(FileSlots, CloseZeroFlushesEveryOpenSlot) {
  ASSERT_EQ(fileOpenOutput(name("one"), 1), kFileOk);
  ASSERT_EQ(fileOpenOutput(name("five"), 5), kFileOk);
  printText(1, "1", 0);
  printText(5, "5", 0);
  EXPECT_EQ(readFile(folder / "one"), "");  // still in the buffer
  EXPECT_EQ(fileClose(0), kFileOk);
  EXPECT_EQ(readFile(folder / "one"), "1");
  EXPECT_EQ(readFile(folder / "five"), "5");
  EXPECT_EQ(fileClose(5), kFileBadCall);
}

TEST_F(FileSlots, BufferEightKilobytesBeforeWriting) {
  ASSERT_EQ(fileOpenOutput(name("big"), 3), kFileOk);
  std::string block(8192, 'x');
  printText(3, block, 0);
  printText(3, "y", 0);
  EXPECT_GE(fs::file_size(folder / "big"), 8192u);
  fileClose(3);
  EXPECT_EQ(fs::file_size(folder / "big"), 8193u);
}

TEST_F(FileSlots, ReportAFailedWriteAtClose) {
  if (!fs::exists("/dev/full")) GTEST_FAIL() << "/dev/full is needed to simulate a full disk";
  ASSERT_EQ(fileOpenOutput("/dev/full", 4), kFileOk);
  printText(4, std::string(10000, 'x'), 0);
  EXPECT_TRUE(fileHasWriteError(4));
  EXPECT_EQ(fileClose(4), kFileWriteFailed);
}

TEST_F(FileSlots, MakeOneDirectoryLevel) {
  EXPECT_EQ(makeDirectory(name("new") + "\\"), 0);
  EXPECT_TRUE(fs::is_directory(folder / "new"));
  EXPECT_EQ(makeDirectory(name("new")), -1);  // exists already
  EXPECT_EQ(makeDirectory(name("a/b")), -1);  // parent missing
}

TEST_F(FileSlots, BackslashSeparatesDirectories) {
  ASSERT_EQ(makeDirectory(name("sub") + "\\"), 0);
  ASSERT_EQ(fileOpenOutput(name("sub") + "\\Blade.txt", 5), kFileOk);
  fileClose(5);
  EXPECT_TRUE(fs::exists(folder / "sub" / "Blade.txt"));
}

struct HostNameCase {
  const char* formName;
  const char* hostName;
};

class HostFileNameTest : public testing::TestWithParam<HostNameCase> {};

TEST_P(HostFileNameTest, DropsTheDrivePrefixAndMapsSeparators) {
  EXPECT_EQ(hostFileName(GetParam().formName), GetParam().hostName);
}

INSTANTIATE_TEST_SUITE_P(
    Names, HostFileNameTest,
    testing::Values(HostNameCase{"d:\\xx\\Blade", "xx/Blade"}, HostNameCase{"d:\\xx\\", "xx/"},
                    HostNameCase{"D:/xx/Blade", "xx/Blade"}, HostNameCase{"d:Blade", "Blade"},
                    HostNameCase{"Blade", "Blade"}, HostNameCase{"", ""}, HostNameCase{"\\tmp\\b", "/tmp/b"},
                    HostNameCase{"1:\\x", "1:/x"}, HostNameCase{"Bad file name", "Bad file name"},
                    HostNameCase{"a\\b/c", "a/b/c"}));

TEST(ScreenText, GoesToTheInstalledReceiver) {
  CapturedScreenText screen;
  printInteger(0, 800, 0);
  printText(0, " X ", 0);
  printInteger(0, 600, kNewlineFlag);
  EXPECT_EQ(screen.text(), " 800 X  600\r\n");
}

TEST(ScreenText, NumbersOutsideEverySinkWriteNothing) {
  CapturedScreenText screen;
  printText(-1, "lost", kNewlineFlag);
  printText(255, "lost", kNewlineFlag);
  printNumber(9, 1.5, kNewlineFlag);
  EXPECT_EQ(screen.text(), "");
}

}  // namespace
}  // namespace zephyrion
