// The house's layer rule, checked: every source file includes only headers of its own folder and
// of the folders below it, and only the window's SDL files include SDL. A violation is named with
// its file and line.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace zephyrion {
namespace {

namespace fs = std::filesystem;

// Which folders each folder may include, its own among them: dependencies point down only.
const std::map<std::string, std::set<std::string>>& layerRule() {
  static const std::map<std::string, std::set<std::string>> rule = {
      {"text", {"text"}},
      {"blade", {"blade", "text"}},
      {"output", {"output", "blade", "text"}},
      {"rotor", {"rotor", "blade", "text"}},
      {"structure", {"structure", "rotor", "blade", "text"}},
      {"report", {"report", "structure", "rotor", "output", "blade", "text"}},
      {"gfx", {"gfx", "text"}},
      {"widgets", {"widgets", "gfx", "text"}},
      {"app", {"app", "widgets", "gfx", "report", "structure", "rotor", "output", "blade", "text"}},
      {"cli", {"cli", "report", "structure", "rotor", "output", "blade", "text"}},
  };
  return rule;
}

bool isSource(const fs::path& path) {
  std::string extension = path.extension().string();
  return extension == ".cpp" || extension == ".h" || extension == ".inc";
}

// The violations of the rule in the tree under `root`, one "file:line: why" each.
std::vector<std::string> layerViolations(const fs::path& root) {
  std::vector<std::string> violations;
  for (const auto& [folder, allowed] : layerRule()) {
    if (!fs::exists(root / folder)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
      if (!entry.is_regular_file() || !isSource(entry.path())) continue;
      std::ifstream in(entry.path());
      std::string file = fs::relative(entry.path(), root).string();
      bool sdlFile = folder == "gfx" && entry.path().filename().string().rfind("sdl_", 0) == 0;
      int number = 0;
      for (std::string line; std::getline(in, line);) {
        ++number;
        std::size_t at = line.find_first_not_of(" \t");
        if (at == std::string::npos || line.compare(at, 8, "#include") != 0) continue;
        std::size_t open = line.find_first_of("\"<", at);
        std::size_t close = line.find_first_of("\">", open + 1);
        if (open == std::string::npos || close == std::string::npos) continue;
        std::string header = line.substr(open + 1, close - open - 1);
        std::string where = file + ":" + std::to_string(number) + ": ";
        if (line[open] == '<') {
          if (header.rfind("SDL", 0) == 0 && !sdlFile)
            violations.push_back(where + "only gfx/src/sdl_*.cpp may include SDL (" + header + ")");
          continue;
        }
        if (header.find("..") != std::string::npos) {
          violations.push_back(where + "includes " + header + " past its folder");
          continue;
        }
        std::size_t slash = header.find('/');
        if (slash == std::string::npos) continue;  // a header beside the file
        std::string target = header.substr(0, slash);
        if (layerRule().count(target) && !allowed.count(target))
          violations.push_back(where + folder + "/ may not include " + header + ": it is no layer below");
      }
    }
  }
  return violations;
}

TEST(LayerRule, HoldsForEverySourceFile) {
  std::vector<std::string> violations = layerViolations(ZEPHYRION_SOURCE_DIR);
  std::string listed;
  for (const std::string& violation : violations)
    listed += violation + "\n";
  EXPECT_TRUE(violations.empty()) << listed;
}

// The checker itself finds a planted upward include and an SDL include outside the window files,
// and names each with its file and line.
TEST(LayerRule, NamesAPlantedUpwardIncludeWithItsFileAndLine) {
  testing_support::TempFolder folder;
  fs::create_directories("blade/src");
  fs::create_directories("gfx/src");
  std::ofstream("blade/src/planted.cpp") << "#include \"blade/x.h\"\n\n#include \"output/design_run.h\"\n";
  std::ofstream("gfx/src/drawing.cpp") << "#include <SDL.h>\n";
  std::ofstream("gfx/src/sdl_window.cpp") << "#include <SDL.h>\n";
  std::vector<std::string> violations = layerViolations(fs::current_path());
  ASSERT_EQ(violations.size(), 2u);
  EXPECT_EQ(violations[0].rfind("blade/src/planted.cpp:3: blade/ may not include output/design_run.h", 0), 0u)
      << violations[0];
  EXPECT_EQ(violations[1].rfind("gfx/src/drawing.cpp:1: only gfx/src/sdl_*.cpp may include SDL", 0), 0u)
      << violations[1];
}

}  // namespace
}  // namespace zephyrion
