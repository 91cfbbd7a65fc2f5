#include "structure/materials.h"

#include <array>

namespace zephyrion::structure {
namespace {

constexpr std::array kMaterials{
    Material{"pla-along", "PLA printed, along the layers", 47, 2.9, 1240},
    Material{"pla-across", "PLA printed, across the layers", 16, 2.0, 1240},
    Material{"petg-along", "PETG printed, along the layers", 44, 2.0, 1270},
    Material{"petg-across", "PETG printed, across the layers", 25, 2.0, 1270},
    Material{"abs", "ABS printed, along the layers", 33, 2.413, 1040},
    Material{"nylon-cf", "carbon-filled nylon printed, along the layers", 37, 2.4, 1200},
    Material{"spruce", "Sitka spruce along the grain", 70, 10.8, 450},
    Material{"birch-plywood", "birch plywood along the face grain", 50, 7.5, 680},
    Material{"glass-epoxy", "glass-cloth epoxy laminate along the warp", 429, 27.9, 1904},
};

}  // namespace

std::span<const Material> builtInMaterials() {
  return kMaterials;
}

const Material* findMaterial(std::string_view name) {
  for (const Material& material : kMaterials) {
    if (material.name == name) return &material;
  }
  return nullptr;
}

}  // namespace zephyrion::structure
