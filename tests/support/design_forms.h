// Form texts for tests: the defaults with some fields changed.
#pragma once

#include <utility>
#include <vector>

#include "blade/design_parameters.h"

namespace zephyrion::testing_support {

inline FormTexts formWith(const std::vector<std::pair<FormField, const char*>>& changes) {
  FormTexts texts = defaultFormTexts();
  for (const auto& [field, text] : changes)
    texts[field] = text;
  return texts;
}

}  // namespace zephyrion::testing_support
