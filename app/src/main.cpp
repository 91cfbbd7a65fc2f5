// Placeholder until the designer window lands: says so and ends.
#include <cstdio>

int main() {
  std::fputs("Zephyrion: the designer window is not built yet.\n", stdout);
  return 0;
}
