// The designs a run accepts: the ranges the blade engine relies on, and an STL file of a size
// that slicers and disks can take.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "blade/design_parameters.h"

namespace zephyrion {

// The largest STL file a run writes, in facets (about 5 GB of text).
inline constexpr std::int64_t kMaxStlFacets = 20'000'000;

// Facets of the blade's STL file: 4(N - 1) + 4N(R - 1).
std::int64_t stlFacetCount(const DesignParameters& parameters);

// Why the design cannot be computed, naming the form field and its allowed range; nothing
// when it can.
std::optional<std::string> findDesignProblem(const DesignParameters& parameters);

}  // namespace zephyrion
