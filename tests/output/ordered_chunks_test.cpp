#include "output/ordered_chunks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <stdexcept>
#include <thread>
#include <vector>

namespace zephyrion {
namespace {

// A chunk's formatted content, worked out so that each chunk takes a different time.
std::uint64_t contentOf(std::size_t chunk) {
  std::uint64_t value = chunk + 1;
  for (std::size_t i = 0; i < (chunk % 7) * 20000; ++i)
    value = value * 6364136223846793005u + 1442695040888963407u;
  return value;
}

// Runs the steps over `chunks` chunks and records what each step saw.
struct Recorder {
  Recorder(std::size_t window, unsigned threadCount)
      : threads(threadCount), slotContent(window), slotChunk(window) {}

  ChunkSteps steps() {
    ChunkSteps s;
    s.prepare = [this](std::size_t chunk, std::size_t slot) {
      EXPECT_EQ(std::this_thread::get_id(), caller);
      prepared.push_back(chunk);
      EXPECT_LE(prepared.size() - committed.size(), slotChunk.size()) << "more chunks in flight than slots";
      slotChunk[slot] = chunk;
    };
    s.format = [this](std::size_t chunk, std::size_t slot, unsigned thread) {
      EXPECT_EQ(thread == 0, std::this_thread::get_id() == caller) << "thread 0 is the calling thread";
      EXPECT_LT(thread, threads);
      if (chunk == throwAt) throw std::runtime_error("chunk " + std::to_string(chunk));
      if (chunk == exhaustAt) throw std::bad_alloc();
      EXPECT_EQ(slotChunk[slot], chunk) << "a slot was reused before its chunk was written";
      slotContent[slot] = contentOf(chunk);
      if (std::this_thread::get_id() != caller) ++formattedElsewhere;
    };
    s.commit = [this](std::size_t chunk, std::size_t slot) {
      EXPECT_EQ(std::this_thread::get_id(), caller);
      EXPECT_EQ(slotContent[slot], contentOf(chunk)) << "chunk " << chunk;
      committed.push_back(chunk);
      return chunk != stopAt;
    };
    return s;
  }

  std::thread::id caller = std::this_thread::get_id();
  unsigned threads;
  std::vector<std::uint64_t> slotContent;
  std::vector<std::size_t> slotChunk;
  std::vector<std::size_t> prepared;
  std::vector<std::size_t> committed;
  std::atomic<int> formattedElsewhere{0};
  std::size_t throwAt = SIZE_MAX;
  std::size_t exhaustAt = SIZE_MAX;
  std::size_t stopAt = SIZE_MAX;
};

std::vector<std::size_t> upTo(std::size_t count) {
  std::vector<std::size_t> numbers(count);
  for (std::size_t i = 0; i < count; ++i)
    numbers[i] = i;
  return numbers;
}

TEST(OrderedChunks, PreparesAndCommitsEveryChunkInOrderOnTheCallingThread) {
  for (unsigned threads : {1u, 2u, 3u, 8u}) {
    for (std::size_t window : {1u, 2u, 5u, 16u}) {
      for (std::size_t chunks : {0u, 1u, 2u, 7u, 40u}) {
        Recorder recorder(window, threads);
        EXPECT_TRUE(runOrderedChunks(chunks, threads, window, recorder.steps()));
        EXPECT_EQ(recorder.prepared, upTo(chunks)) << threads << " threads, window " << window;
        EXPECT_EQ(recorder.committed, upTo(chunks)) << threads << " threads, window " << window;
      }
    }
  }
}

TEST(OrderedChunks, FormatsOnOtherThreadsWhenItHasThem) {
  Recorder recorder(8, 4);
  runOrderedChunks(200, 4, 8, recorder.steps());
  EXPECT_GT(recorder.formattedElsewhere, 0);
  Recorder alone(8, 1);
  runOrderedChunks(200, 1, 8, alone.steps());
  EXPECT_EQ(alone.formattedElsewhere, 0);
}

TEST(OrderedChunks, AFailedFormatReachesTheCallerAfterTheChunksBeforeIt) {
  for (unsigned threads : {1u, 2u, 4u}) {
    for (int repeat = 0; repeat < 20; ++repeat) {
      Recorder recorder(6, threads);
      recorder.throwAt = 9;
      EXPECT_THROW(runOrderedChunks(40, threads, 6, recorder.steps()), std::runtime_error);
      ASSERT_LE(recorder.committed.size(), 9u);
      EXPECT_EQ(recorder.committed, upTo(recorder.committed.size()));
    }
  }
  Recorder exhausted(4, 3);
  exhausted.exhaustAt = 3;
  EXPECT_THROW(runOrderedChunks(20, 3, 4, exhausted.steps()), std::bad_alloc);
}

TEST(OrderedChunks, AFailedPrepareStopsTheOtherThreads) {
  Recorder recorder(4, 4);
  ChunkSteps steps = recorder.steps();
  auto prepare = steps.prepare;
  steps.prepare = [&](std::size_t chunk, std::size_t slot) {
    if (chunk == 5) throw std::out_of_range("row 5");
    prepare(chunk, slot);
  };
  EXPECT_THROW(runOrderedChunks(30, 4, 4, steps), std::out_of_range);
  EXPECT_LE(recorder.committed.size(), 5u);
}

TEST(OrderedChunks, ACommitReturningFalseEndsTheRun) {
  for (unsigned threads : {1u, 3u}) {
    Recorder recorder(4, threads);
    recorder.stopAt = 6;
    EXPECT_FALSE(runOrderedChunks(30, threads, 4, recorder.steps()));
    EXPECT_EQ(recorder.committed, upTo(7));
  }
}

TEST(OrderedChunks, UsesEveryHardwareThreadWhenAskedForNone) {
  EXPECT_EQ(formattingThreads(0), std::max(1u, std::thread::hardware_concurrency()));
  EXPECT_EQ(formattingThreads(3), 3u);
}

}  // namespace
}  // namespace zephyrion
