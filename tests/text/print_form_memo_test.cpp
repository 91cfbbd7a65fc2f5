#include "text/print_form_memo.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <string>
#include <vector>

#include "test_seed.h"

namespace zephyrion {
namespace {

// Values drawn again and again from a pool larger than the memo, mixed with fresh ones, so that
// remembered texts are found, replaced and found again: every text must be the print form.
TEST(PrintFormMemo, WritesThePrintFormOfEveryValueWhateverItRemembers) {
  std::mt19937_64 random(testing_support::testSeed(20260107));
  std::vector<double> pool(20000);
  for (double& value : pool)
    value = std::bit_cast<double>(random());
  pool[0] = 0.0;
  pool[1] = -0.0;  // the same text as 0, other bits
  PrintFormMemo memo;
  for (int i = 0; i < 500000; ++i) {
    const double value = i % 5 == 0 ? std::bit_cast<double>(random()) : pool[random() % pool.size()];
    std::string buffer(kNumberFormMaxBytes + 8, '\x7f');
    char* end = memo.write(buffer.data(), value);
    char expected[kNumberFormMaxBytes];
    ASSERT_EQ(std::string(buffer.data(), end), std::string(expected, printFormTo(expected, value)))
        << std::bit_cast<std::uint64_t>(value);
    ASSERT_EQ(buffer.substr(kNumberFormMaxBytes), std::string(8, '\x7f')) << "wrote beyond its room";
  }
}

}  // namespace
}  // namespace zephyrion
