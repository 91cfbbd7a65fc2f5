// The body of the run's STL and table files: the end caps, then for every strip row from the tip
// down its facets and its table row, formatted on several threads and written in order.
#pragma once

#include "blade/blade_totals.h"
#include "output/write_options.h"

namespace zephyrion {

struct BladeFiles {
  int stlFile;
  int tableFile;
};

// Adds every row to `totals`. Returns false when a write to either file failed; the rows after
// the failed block are not written.
bool writeBladeRows(const DesignParameters& parameters, const BladeGeometry& geometry,
                    const RowPreview& preview, const WriteOptions& options, BladeFiles files,
                    BladeTotals& totals);

}  // namespace zephyrion
