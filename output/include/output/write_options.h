// How a design run writes its files, and what it calls back while it writes them.
#pragma once

#include <cstdint>
#include <functional>

#include "blade/blade_assembly.h"
#include "output/stl_writer.h"

namespace zephyrion {

// Called for every strip row r = R, R - 1, ..., 2 before the row's facets are written, with the
// finished geometry; the window plots the row's preview points here. It is called on the thread
// that called runDesign, in row order, whatever the number of threads.
using RowPreview = std::function<void(const BladeGeometry& geometry, double row)>;

// How a run writes its files. The window takes the defaults.
struct WriteOptions {
  // Threads that format the rows, the calling one included; 0: one per hardware thread. The
  // bytes written do not depend on it.
  unsigned threads = 0;
  StlFormat stlFormat = StlFormat::kAscii;
  // Called on the calling thread each time a block of rows has reached the files, with the
  // strip rows written so far and the rows in all.
  std::function<void(std::int64_t rowsWritten, std::int64_t rows)> progress;
  // Called once on the calling thread with the finished blade, after it has been built and
  // checked and before any file is opened: an analysis takes the very blade the files hold.
  std::function<void(const BladeGeometry& geometry)> bladeBuilt;
};

}  // namespace zephyrion
