// Work on the numbered chunks of an output file on several threads, with the file written in
// order.
//
// Each chunk passes three steps. `prepare` and `commit` run on the calling thread, in chunk
// order: prepare does what depends on the chunks before it (running sums, the preview), commit
// hands the finished bytes to the file and returns false to end the run there. `format`, the costly middle
// step, runs on any of the threads, the calling thread included, while it waits for the next chunk to commit.
//
// At most `window` chunks are between prepare and commit at a time, and each of them owns the
// slot (chunk % window), so the caller's buffers per slot bound the memory in use. An exception
// from any step ends the run: the other threads stop after their current chunk and are joined,
// and the exception reaches the caller.
#pragma once

#include <cstddef>
#include <functional>

namespace zephyrion {

struct ChunkSteps {
  std::function<void(std::size_t chunk, std::size_t slot)> prepare;
  // `thread` numbers the thread that formats: 0 the calling one, 1 to threads - 1 the others,
  // so that each can keep scratch data of its own from chunk to chunk.
  std::function<void(std::size_t chunk, std::size_t slot, unsigned thread)> format;
  std::function<bool(std::size_t chunk, std::size_t slot)> commit;
};

// `threads` counts the calling thread; 1 runs every step on it, in the order prepare, format,
// commit of chunk 0, 1, ... Returns false when a commit ended the run early.
bool runOrderedChunks(std::size_t chunkCount, unsigned threads, std::size_t window, const ChunkSteps& steps);

// The number of threads a run uses when asked for `requested` (0: one per hardware thread).
unsigned formattingThreads(unsigned requested);

}  // namespace zephyrion
