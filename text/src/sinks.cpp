#include "text/sinks.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "text/number_forms.h"

#if defined(_WIN32)
#include <direct.h>
#else
#include <sys/stat.h>
#endif

namespace zephyrion {
namespace {

constexpr int kFirstSlot = 1;
constexpr int kLastSlot = 254;
constexpr std::size_t kBufferBytes = 8192;
constexpr std::string_view kLineEnd = "\r\n";

struct FileSlot {
  std::FILE* file = nullptr;
  std::unique_ptr<char[]> buffer;
  bool writeFailed = false;
};

std::array<FileSlot, kLastSlot + 1>& slots() {
  static std::array<FileSlot, kLastSlot + 1> table;
  return table;
}

ScreenTextReceiver screenReceiver = nullptr;

bool isSlotNumber(int fileNumber) {
  return fileNumber >= kFirstSlot && fileNumber <= kLastSlot;
}

FileSlot* openSlot(int fileNumber) {
  if (!isSlotNumber(fileNumber)) return nullptr;
  FileSlot& slot = slots()[static_cast<std::size_t>(fileNumber)];
  return slot.file ? &slot : nullptr;
}

void writeToStandardOutput(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

void writeToSink(int fileNumber, std::string_view bytes) {
  if (bytes.empty()) return;
  if (fileNumber == 0) {
    (screenReceiver ? screenReceiver : writeToStandardOutput)(bytes);
    return;
  }
  if (FileSlot* slot = openSlot(fileNumber)) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), slot->file) != bytes.size()) slot->writeFailed = true;
  }
}

void endItem(int fileNumber, std::uint32_t flags) {
  if (flags & kNewlineFlag) writeToSink(fileNumber, kLineEnd);
}

int closeSlot(FileSlot& slot) {
  bool failed = slot.writeFailed;
  if (std::fclose(slot.file) != 0) failed = true;
  slot = FileSlot{};
  return failed ? kFileWriteFailed : kFileOk;
}

void closeAllAtExit() {
  fileClose(0);
}

bool isSeparator(char c) {
  return c == '/' || c == '\\';
}

bool startsWithDrivePrefix(std::string_view name) {
  if (name.size() < 2 || name[1] != ':') return false;
  char letter = name[0];
  return (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z');
}

}  // namespace

void setScreenTextReceiver(ScreenTextReceiver receiver) {
  screenReceiver = receiver;
}

void printText(int fileNumber, std::string_view text, std::uint32_t flags) {
  writeToSink(fileNumber, text);
  endItem(fileNumber, flags);
}

void printNumber(int fileNumber, double value, std::uint32_t flags) {
  printText(fileNumber, printForm(value), flags);
}

void printInteger(int fileNumber, std::int32_t value, std::uint32_t flags) {
  std::string text = integerToText(value);
  if (value >= 0) text.insert(0, " ");
  printText(fileNumber, text, flags);
}

std::string hostFileName(std::string_view name) {
#if defined(_WIN32)
  return std::string(name);
#else
  if (startsWithDrivePrefix(name)) {
    name.remove_prefix(2);
    if (!name.empty() && isSeparator(name.front())) name.remove_prefix(1);
  }
  std::string host(name);
  for (char& c : host) {
    if (c == '\\') c = '/';
  }
  return host;
#endif
}

int fileOpenOutput(std::string_view name, int fileNumber) {
  if (!isSlotNumber(fileNumber)) return kFileBadCall;
  FileSlot& slot = slots()[static_cast<std::size_t>(fileNumber)];
  if (slot.file) return kFileBadCall;
  std::string host = hostFileName(name);
  std::FILE* file = std::fopen(host.c_str(), "wb");
  if (!file) return kFileNotOpenable;
  static const bool flushedAtExit = std::atexit(closeAllAtExit) == 0;
  (void)flushedAtExit;
  slot.buffer = std::make_unique<char[]>(kBufferBytes);
  std::setvbuf(file, slot.buffer.get(), _IOFBF, kBufferBytes);
  slot.file = file;
  return kFileOk;
}

int fileClose(int fileNumber) {
  if (fileNumber == 0) {
    int result = kFileOk;
    for (FileSlot& slot : slots()) {
      if (slot.file && closeSlot(slot) != kFileOk) result = kFileWriteFailed;
    }
    return result;
  }
  FileSlot* slot = openSlot(fileNumber);
  return slot ? closeSlot(*slot) : kFileBadCall;
}

bool fileHasWriteError(int fileNumber) {
  FileSlot* slot = openSlot(fileNumber);
  return slot && slot->writeFailed;
}

int makeDirectory(std::string_view path) {
  std::string host = hostFileName(path);
  while (host.size() > 1 && isSeparator(host.back()))
    host.pop_back();
#if defined(_WIN32)
  int result = _mkdir(host.c_str());
#else
  int result = mkdir(host.c_str(), 0777);
#endif
  return result == 0 ? 0 : -1;
}

int removeFile(std::string_view name) {
  return std::remove(hostFileName(name).c_str()) == 0 ? 0 : -1;
}

}  // namespace zephyrion
