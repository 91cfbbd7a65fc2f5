#include "run_files.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "text/sinks.h"

namespace zephyrion::cli {
namespace {

namespace fs = std::filesystem;

// The path with every folder resolved as far as it exists, so that two spellings of one file
// compare equal.
fs::path resolved(const std::string& name) {
  std::error_code error;
  fs::path path = fs::weakly_canonical(fs::absolute(name, error), error);
  return error ? fs::path(name).lexically_normal() : path;
}

}  // namespace

InputText readInputFile(const std::string& name) {
  std::error_code error;
  fs::file_status status = fs::status(name, error);
  if (error || !fs::exists(status)) return {std::nullopt, "cannot read " + name + ": there is no such file"};
  if (fs::is_directory(status)) return {std::nullopt, "cannot read " + name + ": it is a folder"};
  // A pipe or a device could block the run or never end.
  if (!fs::is_regular_file(status))
    return {std::nullopt, "cannot read " + name + ": it is not a regular file"};
  std::FILE* file = std::fopen(name.c_str(), "rb");
  if (!file) return {std::nullopt, "cannot read " + name};
  std::string text(kLargestInputBytes + 1, '\0');
  std::size_t read = std::fread(text.data(), 1, text.size(), file);
  bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return {std::nullopt, "cannot read " + name};
  if (read > kLargestInputBytes)
    return {std::nullopt, "cannot read " + name + ": it is larger than " +
                              std::to_string(kLargestInputBytes >> 20) + " MiB"};
  text.resize(read);
  return {std::move(text), {}};
}

std::optional<std::string> findOutputPathProblem(const std::string& name,
                                                 const std::vector<std::string>& taken,
                                                 const std::string& folderTheRunMakes) {
  for (const std::string& other : taken) {
    if (namesSameFile(name, other))
      return "cannot write " + name + ": the run writes " + other + " there already";
  }
  std::error_code error;
  if (fs::is_directory(name, error)) return "cannot write " + name + ": it is a folder";
  fs::path folder = resolved(name).parent_path();
  if (!fs::is_directory(folder, error) && folder != resolved(folderTheRunMakes))
    return "cannot write " + name + ": its folder does not exist";
  return std::nullopt;
}

bool namesSameFile(const std::string& first, const std::string& second) {
  return resolved(first) == resolved(second);
}

std::string designFolderOf(const std::string& outputName) {
  std::string host = hostFileName(outputName);
  return fs::path(host).parent_path().string();
}

std::vector<std::string> designFilesOf(const std::string& outputName) {
  return {hostFileName(outputName + ".stl"), hostFileName(outputName + ".xls"),
          hostFileName(outputName + ".txt")};
}

WrittenFiles::~WrittenFiles() {
  if (kept_) return;
  for (const std::string& name : names_) {
    std::error_code ignored;
    fs::remove(name, ignored);
  }
}

bool WrittenFiles::write(const std::string& name, const std::string& bytes) {
  std::FILE* file = std::fopen(name.c_str(), "wb");
  if (!file) return false;
  // Only a file the run made is taken back: never a device or a pipe it wrote to.
  std::error_code error;
  if (fs::is_regular_file(name, error)) add(name);
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace zephyrion::cli
