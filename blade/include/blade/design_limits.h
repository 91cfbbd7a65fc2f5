// The designs a run accepts: the ranges the blade engine relies on, and an STL file of a size
// that slicers and disks can take.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "blade/blade_assembly.h"
#include "blade/design_parameters.h"

namespace zephyrion {

// The largest STL file a run writes, in facets (about 5 GB of text).
inline constexpr std::int64_t kMaxStlFacets = 20'000'000;

// Facets of the blade's STL file: 4(N - 1) + 4N(R - 1).
std::int64_t stlFacetCount(const DesignParameters& parameters);

// Why the design cannot be computed, naming the form field and its allowed range; nothing
// when it can.
std::optional<std::string> findDesignProblem(const DesignParameters& parameters);

// Why the blade, built from a design that passed findDesignProblem, is no sound solid, naming
// the field to change and a value that gives one; nothing when it is sound. The ranges cannot
// rule out that the blend from the hub block into a section of very different shape folds
// over itself.
std::optional<std::string> findBuiltBladeProblem(const DesignParameters& parameters,
                                                 const BladeGeometry& geometry);

}  // namespace zephyrion
