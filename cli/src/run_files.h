// The files a command-line run reads and writes besides the design's own: a polar it reads, and
// the analyses' files it writes once the design files are complete. Every path is checked before
// the run writes anything, and a run that fails takes back every file it wrote.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zephyrion::cli {

// The largest input file read whole: a polar of a few thousand rows is far smaller.
inline constexpr std::size_t kLargestInputBytes = 4 << 20;

struct InputText {
  std::optional<std::string> text;  // the file's bytes
  std::string problem;              // why there are none, naming the file
};

// Reads a regular file of at most kLargestInputBytes bytes. A folder, a device, a pipe, a file
// too large or one that cannot be read is named with the reason; none of them blocks or throws.
InputText readInputFile(const std::string& name);

// Why an analysis file cannot be written where it is asked for: it is one of the `taken` files
// (the design's own and the other analyses'), it is a folder, or its folder is missing and is not
// the one the design run makes. Nothing when it can.
std::optional<std::string> findOutputPathProblem(const std::string& name,
                                                 const std::vector<std::string>& taken,
                                                 const std::string& folderTheRunMakes);

// Whether the two names lead to one file, however spelt.
bool namesSameFile(const std::string& first, const std::string& second);

// The design files a run with this output name writes, as the host names them, and their folder.
std::vector<std::string> designFilesOf(const std::string& outputName);
std::string designFolderOf(const std::string& outputName);

// The files written so far, removed again unless the run keeps them.
class WrittenFiles {
 public:
  WrittenFiles() = default;
  WrittenFiles(const WrittenFiles&) = delete;
  WrittenFiles& operator=(const WrittenFiles&) = delete;
  ~WrittenFiles();

  void add(const std::string& name) { names_.push_back(name); }
  // Writes `bytes` to the file `name`, adding it when it is a regular file; false when any byte
  // did not reach it.
  bool write(const std::string& name, const std::string& bytes);
  void keep() { kept_ = true; }

 private:
  std::vector<std::string> names_;
  bool kept_ = false;
};

}  // namespace zephyrion::cli
