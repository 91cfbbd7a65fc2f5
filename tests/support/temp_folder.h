// A fresh working folder for a test that writes files; the previous working directory is
// restored and the folder removed afterwards.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "text/sinks.h"

namespace zephyrion::testing_support {

inline std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class TempFolder {
 public:
  // Named after the running test, or after `purpose` outside a test (in a suite's set-up).
  explicit TempFolder(std::string purpose = {}) : previous_(std::filesystem::current_path()) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (info) purpose = std::string(info->test_suite_name()) + "-" + info->name();
    std::string leaf = "zephyrion-" + purpose + "-" + std::to_string(::getpid());
    for (char& c : leaf) {
      if (c == '/') c = '_';
    }
    path_ = std::filesystem::temp_directory_path() / leaf;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    std::filesystem::current_path(path_);
  }
  ~TempFolder() {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(path_);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

// Runs `write` with file slot `slot` open on a fresh file and returns the bytes it wrote.
template <class Write>
std::string bytesWrittenBy(int slot, Write write) {
  TempFolder folder;
  EXPECT_EQ(fileOpenOutput("written", slot), kFileOk);
  write(slot);
  fileClose(slot);
  return readFile(folder.path() / "written");
}

}  // namespace zephyrion::testing_support
