// Text sinks: the screen's text output (file number 0) and the numbered output file slots
// (1..254), with the print operations that write numbers and texts into them.
//
// Every line end written here is CR LF. File writes are buffered (8192 bytes) and reach the
// disk no later than fileClose or program end.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zephyrion {

// Item end flags of the print operations.
inline constexpr std::uint32_t kNewlineFlag = 0x1;
inline constexpr std::uint32_t kLastItemFlag = 0x80000000;

// Result codes of the file operations.
inline constexpr int kFileOk = 0;
inline constexpr int kFileBadCall = 1;      // file number out of range, slot busy or not open
inline constexpr int kFileNotOpenable = 2;  // the file could not be created
inline constexpr int kFileWriteFailed = 3;  // a write or the close failed (disk full, I/O error)

// Where the text of file number 0 goes. Standard output until a screen installs its own
// receiver; passing nullptr restores standard output.
using ScreenTextReceiver = void (*)(std::string_view text);
void setScreenTextReceiver(ScreenTextReceiver receiver);

void printText(int fileNumber, std::string_view text, std::uint32_t flags);
void printNumber(int fileNumber, double value, std::uint32_t flags);
void printInteger(int fileNumber, std::int32_t value, std::uint32_t flags);

// Creates or truncates the file and binds it to slot n (1..254).
int fileOpenOutput(std::string_view name, int fileNumber);
// Writes out the slot's buffer and closes it; 0 closes every open slot. Returns kFileOk,
// kFileBadCall for a slot that is not open, or kFileWriteFailed when any write since the open
// (or the close itself) failed.
int fileClose(int fileNumber);
// True once a write to the open slot has failed.
bool fileHasWriteError(int fileNumber);
// Creates one directory; 0 on success, -1 when it exists already or cannot be made.
int makeDirectory(std::string_view path);
// Removes a file (a run's unfinished output); 0 on success, -1 when it cannot be removed.
int removeFile(std::string_view name);

// Maps a file name of the form onto this system's file names: "\" and "/" both separate
// directories; on POSIX systems a leading drive prefix ("d:") is dropped together with the
// separator after it, so "d:\xx\Blade" names xx/Blade under the working directory.
std::string hostFileName(std::string_view name);

}  // namespace zephyrion
