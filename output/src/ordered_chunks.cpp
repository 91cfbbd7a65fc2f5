#include "output/ordered_chunks.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace zephyrion {
namespace {

// The state the threads share, all of it under one lock.
class ChunkQueue {
 public:
  ChunkQueue(std::size_t window, const ChunkSteps& steps) : formattedChunk_(window, 0), steps_(steps) {}

  // Makes the next prepared chunk available to the formatting threads.
  void publish() {
    {
      std::lock_guard<std::mutex> hold(lock_);
      ++prepared_;
    }
    workAvailable_.notify_one();
  }

  // A formatting thread's loop: formats published chunks until stopped.
  void serve(unsigned thread) {
    std::unique_lock<std::mutex> hold(lock_);
    while (true) {
      workAvailable_.wait(hold, [&] { return stopping_ || claimed_ < prepared_; });
      if (stopping_) return;
      formatClaimed(hold, thread);
    }
  }

  // The calling thread waits for `chunk` to be formatted, formatting published chunks itself
  // meanwhile. Throws what a formatting thread threw.
  void awaitFormatted(std::size_t chunk) {
    std::unique_lock<std::mutex> hold(lock_);
    while (true) {
      if (failure_) std::rethrow_exception(failure_);
      if (formattedChunk_[slotOf(chunk)] == chunk + 1) return;
      if (claimed_ < prepared_) {
        formatClaimed(hold, 0);
      } else {
        chunkFormatted_.wait(hold);
      }
    }
  }

  void stop() {
    {
      std::lock_guard<std::mutex> hold(lock_);
      stopping_ = true;
    }
    workAvailable_.notify_all();
  }

 private:
  std::size_t slotOf(std::size_t chunk) const { return chunk % formattedChunk_.size(); }

  // Formats the next published chunk with the lock released; a failure is kept for the
  // calling thread and stops the other threads.
  void formatClaimed(std::unique_lock<std::mutex>& hold, unsigned thread) {
    const std::size_t chunk = claimed_++;
    hold.unlock();
    std::exception_ptr failure;
    try {
      steps_.format(chunk, slotOf(chunk), thread);
    } catch (...) {
      failure = std::current_exception();
    }
    hold.lock();
    formattedChunk_[slotOf(chunk)] = chunk + 1;
    if (failure && !failure_) {
      failure_ = failure;
      stopping_ = true;
      workAvailable_.notify_all();
    }
    chunkFormatted_.notify_all();
  }

  std::mutex lock_;
  std::condition_variable workAvailable_;
  std::condition_variable chunkFormatted_;
  std::size_t prepared_ = 0;                 // chunks [0, prepared_) are published
  std::size_t claimed_ = 0;                  // chunks [0, claimed_) are taken by a thread
  std::vector<std::size_t> formattedChunk_;  // per slot: 1 + the chunk last formatted in it
  bool stopping_ = false;
  std::exception_ptr failure_;
  const ChunkSteps& steps_;
};

// The formatting threads besides the calling one; stopped and joined on every way out.
class FormattingThreads {
 public:
  // Starts up to `count` threads; when the system refuses one, the run goes on with fewer.
  FormattingThreads(ChunkQueue& queue, unsigned count) : queue_(queue) {
    threads_.reserve(count);
    try {
      for (unsigned i = 1; i <= count; ++i)
        threads_.emplace_back([&queue, i] { queue.serve(i); });
    } catch (const std::system_error&) {
    }
  }
  ~FormattingThreads() {
    queue_.stop();
    for (std::thread& thread : threads_)
      thread.join();
  }
  FormattingThreads(const FormattingThreads&) = delete;
  FormattingThreads& operator=(const FormattingThreads&) = delete;

 private:
  ChunkQueue& queue_;
  std::vector<std::thread> threads_;
};

}  // namespace

bool runOrderedChunks(std::size_t chunkCount, unsigned threads, std::size_t window, const ChunkSteps& steps) {
  window = std::max<std::size_t>(window, 1);
  ChunkQueue queue(window, steps);
  FormattingThreads helpers(queue, chunkCount > 1 ? std::max(threads, 1u) - 1 : 0);
  std::size_t prepared = 0;
  for (std::size_t committed = 0; committed < chunkCount; ++committed) {
    // The slot of chunk (committed + window) is free once `committed` is written, not before.
    for (; prepared < chunkCount && prepared < committed + window; ++prepared) {
      steps.prepare(prepared, prepared % window);
      queue.publish();
    }
    queue.awaitFormatted(committed);
    if (!steps.commit(committed, committed % window)) return false;
  }
  return true;
}

unsigned formattingThreads(unsigned requested) {
  if (requested > 0) return requested;
  return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace zephyrion
