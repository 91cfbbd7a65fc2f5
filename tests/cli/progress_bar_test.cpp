#include "progress_bar.h"

#include <gtest/gtest.h>

namespace zephyrion::cli {
namespace {

TEST(ProgressBar, StaysQuietInTheFirstSecond) {
  ProgressBar bar;
  EXPECT_EQ(bar.update(10, 100, 0.2), "");
  EXPECT_EQ(bar.update(99, 100, 0.99), "");
  EXPECT_EQ(bar.finish(), "") << "a bar that never showed leaves no line end";
}

TEST(ProgressBar, RedrawsOneLineWhenThePercentageChanges) {
  ProgressBar bar;
  EXPECT_EQ(bar.update(1, 4, 1.5), "\rWriting [##########..............................] 25%");
  EXPECT_EQ(bar.update(1, 4, 1.7), "") << "the same percentage is not drawn again";
  EXPECT_EQ(bar.update(4, 4, 2.0), "\rWriting [########################################] 100%");
  EXPECT_EQ(bar.finish(), "\n");
}

TEST(ProgressBar, KeepsOddCountsInsideTheBar) {
  ProgressBar bar;
  EXPECT_EQ(bar.update(0, 3, 5), "\rWriting [........................................] 0%");
  EXPECT_EQ(bar.update(7, 3, 5), "\rWriting [########################################] 100%");
  EXPECT_EQ(bar.update(1, 0, 5), "") << "no rows, no bar";
}

}  // namespace
}  // namespace zephyrion::cli
