// Reads text off a screenshot: `read_screen_text PICTURE.ppm X Y LENGTH RRGGBB` prints the LENGTH
// characters drawn in the colour in the 8x16 cells from pixel (X, Y) to the right. Each cell is
// matched against the glyphs of bytes 32 to 126 (pixels of the colour are ink, all others paper);
// a cell that matches none reads as "?".
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "fonts.h"

namespace {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0xRRGGBB, row by row
};

// A binary PPM (P6) with a maximum value of 255, as ImageMagick writes it.
bool readPpm(const char* path, Picture& picture) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maximum = 0;
  in >> magic >> picture.width >> picture.height >> maximum;
  in.get();
  if (!in || magic != "P6" || maximum != 255 || picture.width <= 0 || picture.height <= 0) return false;
  std::vector<unsigned char> bytes(static_cast<std::size_t>(picture.width) * picture.height * 3);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!in) return false;
  picture.pixels.resize(bytes.size() / 3);
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
    picture.pixels[i] =
        (std::uint32_t{bytes[3 * i]} << 16) | (std::uint32_t{bytes[3 * i + 1]} << 8) | bytes[3 * i + 2];
  }
  return true;
}

// The ink of the 8x16 cell whose top-left pixel is (x, y), one byte per row, bit 7 leftmost.
std::vector<std::uint8_t> cellInk(const Picture& picture, int x, int y, std::uint32_t colour) {
  std::vector<std::uint8_t> rows(16, 0);
  for (int row = 0; row < 16; ++row) {
    for (int bit = 0; bit < 8; ++bit) {
      int px = x + bit;
      int py = y + row;
      bool inside = px >= 0 && py >= 0 && px < picture.width && py < picture.height;
      if (inside && picture.pixels[static_cast<std::size_t>(py) * picture.width + px] == colour) {
        rows[row] = static_cast<std::uint8_t>(rows[row] | (0x80 >> bit));
      }
    }
  }
  return rows;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::cerr << "usage: read_screen_text PICTURE.ppm X Y LENGTH RRGGBB\n";
    return 2;
  }
  Picture picture;
  if (!readPpm(argv[1], picture)) {
    std::cerr << "read_screen_text: cannot read " << argv[1] << "\n";
    return 2;
  }
  int x = std::stoi(argv[2]);
  int y = std::stoi(argv[3]);
  int length = std::stoi(argv[4]);
  auto colour = static_cast<std::uint32_t>(std::stoul(argv[5], nullptr, 16));
  std::string text;
  for (int k = 0; k < length; ++k)
    text += zephyrion::fonts::characterOfInk(16, cellInk(picture, x + 8 * k, y, colour).data());
  std::cout << text << "\n";
  return 0;
}
