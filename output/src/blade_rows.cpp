#include "blade_rows.h"

#include <algorithm>
#include <cassert>
#include <memory>
#include <string_view>
#include <vector>

#include "blade/blade_surface.h"
#include "output/ordered_chunks.h"
#include "output/report_table.h"
#include "output/stl_writer.h"
#include "text/sinks.h"

namespace zephyrion {
namespace {

// A chunk's STL text stays near this size, so that the chunks in flight hold a few megabytes
// however large the blade.
constexpr std::size_t kChunkBytes = std::size_t{128} * 1024;

// Chunks in flight per formatting thread: enough that no thread waits for a free slot while
// the calling thread writes.
constexpr std::size_t kSlotsPerThread = 2;

// A growing run of bytes in a buffer sized once for the most a chunk can take.
class ByteBlock {
 public:
  explicit ByteBlock(std::size_t capacity)
      : bytes_(new char[capacity]), end_(bytes_.get()), capacity_(capacity) {}
  char* end() { return end_; }
  void setEnd(char* end) {
    assert(end >= bytes_.get() && end <= bytes_.get() + capacity_);  // the chunk's bound was met
    end_ = end;
  }
  void clear() { end_ = bytes_.get(); }
  std::string_view view() const { return {bytes_.get(), static_cast<std::size_t>(end_ - bytes_.get())}; }

 private:
  std::unique_ptr<char[]> bytes_;
  char* end_;
  std::size_t capacity_;
};

// What one chunk of rows needs between its steps.
struct RowChunk {
  RowChunk(std::size_t stlCapacity, std::size_t tableCapacity) : stl(stlCapacity), table(tableCapacity) {}
  std::vector<double> rows;     // the strip rows, from the outer one in
  std::vector<TableRow> lines;  // their table rows, from the running totals
  ByteBlock stl;
  ByteBlock table;
};

// What a formatting thread keeps from chunk to chunk, in its own core's cache.
struct Scratch {
  std::vector<Quad> quads;
  PrintFormMemo vertexTexts;  // the vertices' texts, each written in about six facets
};

std::size_t facetBytes(StlFormat format) {
  return format == StlFormat::kBinary ? kBinaryStlFacetBytes : kStlFacetMaxBytes;
}

char* formatQuads(char* out, const std::vector<Quad>& quads, std::int32_t axisOffset, StlFormat format,
                  PrintFormMemo& vertexTexts) {
  for (const Quad& quad : quads)
    out = format == StlFormat::kBinary ? binaryStlQuad(out, axisOffset, quad)
                                       : formatStlQuad(out, axisOffset, quad, vertexTexts);
  return out;
}

bool writeBlock(int fileNumber, std::string_view bytes) {
  printText(fileNumber, bytes, 0);
  return !fileHasWriteError(fileNumber);
}

bool writeEndCaps(const BladeGeometry& geometry, StlFormat format, int stlFile) {
  std::vector<Quad> quads;
  endCapQuads(geometry.grid, quads);
  ByteBlock block(2 * quads.size() * facetBytes(format));
  PrintFormMemo vertexTexts;
  block.setEnd(formatQuads(block.end(), quads, geometry.axisOffset, format, vertexTexts));
  return writeBlock(stlFile, block.view());
}

}  // namespace

bool writeBladeRows(const DesignParameters& p, const BladeGeometry& geometry, const RowPreview& preview,
                    const WriteOptions& options, BladeFiles files, BladeTotals& totals) {
  if (!writeEndCaps(geometry, options.stlFormat, files.stlFile)) return false;

  // The strip rows r = R, R - 1, ..., 2. The run steps r as a double from R down by 1.0; every
  // value is a whole number far below 2^53, so row i is exactly R - i.
  const std::size_t rowCount = static_cast<std::size_t>(p.rotorRadius - 1);
  auto rowAt = [&](std::size_t i) { return static_cast<double>(p.rotorRadius) - static_cast<double>(i); };
  const std::size_t facetsPerRow = 4 * static_cast<std::size_t>(geometry.grid.chordDivisions);
  const std::size_t rowBytes = facetsPerRow * facetBytes(options.stlFormat);
  const std::size_t rowsPerChunk = std::max<std::size_t>(1, kChunkBytes / rowBytes);
  const std::size_t chunkCount = (rowCount + rowsPerChunk - 1) / rowsPerChunk;
  // More threads than chunks would only wait.
  const auto threads = static_cast<unsigned>(
      std::min<std::size_t>(formattingThreads(options.threads), std::max<std::size_t>(chunkCount, 1)));
  const std::size_t window = std::min<std::size_t>(chunkCount, kSlotsPerThread * threads);

  std::vector<Scratch> scratches(threads);
  std::vector<RowChunk> slots;
  slots.reserve(window);
  for (std::size_t i = 0; i < window; ++i)
    slots.emplace_back(rowsPerChunk * rowBytes, rowsPerChunk * kTableRowMaxBytes);

  std::size_t rowsWritten = 0;
  ChunkSteps steps;
  steps.prepare = [&](std::size_t chunk, std::size_t slot) {
    RowChunk& c = slots[slot];
    c.rows.clear();
    for (std::size_t i = chunk * rowsPerChunk; i < std::min(rowCount, (chunk + 1) * rowsPerChunk); ++i)
      c.rows.push_back(rowAt(i));
    c.lines.clear();
    for (double r : c.rows) {
      if (preview) preview(geometry, r);
      c.lines.push_back(totals.addRow(geometry, p, r));
    }
  };
  steps.format = [&](std::size_t, std::size_t slot, unsigned thread) {
    RowChunk& c = slots[slot];
    Scratch& scratch = scratches[thread];
    c.stl.clear();
    for (double r : c.rows) {
      stripQuads(geometry.grid, r, scratch.quads);
      c.stl.setEnd(formatQuads(c.stl.end(), scratch.quads, geometry.axisOffset, options.stlFormat,
                               scratch.vertexTexts));
    }
    c.table.clear();
    for (const TableRow& line : c.lines)
      c.table.setEnd(formatTableRow(c.table.end(), line));
  };
  steps.commit = [&](std::size_t, std::size_t slot) {
    RowChunk& c = slots[slot];
    if (!writeBlock(files.stlFile, c.stl.view()) || !writeBlock(files.tableFile, c.table.view()))
      return false;
    rowsWritten += c.rows.size();
    if (options.progress)
      options.progress(static_cast<std::int64_t>(rowsWritten), static_cast<std::int64_t>(rowCount));
    return true;
  };
  return runOrderedChunks(chunkCount, threads, window, steps);
}

}  // namespace zephyrion
