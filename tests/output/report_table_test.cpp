#include "output/report_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "temp_folder.h"
#include "text/sinks.h"

namespace zephyrion {
namespace {

using testing_support::bytesWrittenBy;

TEST(ReportTable, HeaderHasSixTitlesAndFiveTabs) {
  std::string header = bytesWrittenBy(2, [](int file) { writeTableHeader(file); });
  EXPECT_EQ(header,
            "Radius [mm]\tChord [mm]\tAngle of attack [deg]\tProfile area [mm2]\tForce at radius [N]\t"
            "Load strees [N/cm2]\r\n");
}

TEST(ReportTable, RowWritesSixPrintFormsSeparatedByTabs) {
  TableRow row{500, 43.92156862745098, 2.594650254597862, 3.908693, 0.0117318, -3.00147};
  std::string line = bytesWrittenBy(2, [&](int file) { writeTableRow(file, row); });
  EXPECT_EQ(line, " 500\t 43.92156862745098\t 2.594650254597862\t 3.908693\t 1.17318e-002\t-3.00147\r\n");
  EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 5);
}

struct SummaryCase {
  double volumeCm3;
  double weightKg;
  int rotorSpeedRpm;
  double windSpeed;
  const char* text;
};

class SummaryTest : public testing::TestWithParam<SummaryCase> {};

TEST_P(SummaryTest, WritesThreeFormattedLines) {
  const SummaryCase& c = GetParam();
  EXPECT_EQ(bytesWrittenBy(2,
                           [&](int file) {
                             writeTableSummary(file, c.volumeCm3, c.weightKg, c.rotorSpeedRpm, c.windSpeed);
                           }),
            c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SummaryTest,
    testing::Values(SummaryCase{366.2361, 0.2197417, 955, 10,
                                "Blade volume     366.23610 cm3\r\nBlade weight       0.21974 kg \r\n"
                                "Rotor speed    955 rpm  at  10.0m/s\r\n"},
                    SummaryCase{0, 0, 0, 0.05,
                                "Blade volume       0.00000 cm3\r\nBlade weight       0.00000 kg \r\n"
                                "Rotor speed      0 rpm  at   0.0m/s\r\n"},
                    SummaryCase{12345678.9, 1, 123456, 0.25,
                                "Blade volume 1234567.89000%e+1 cm3\r\nBlade weight       1.00000 kg \r\n"
                                "Rotor speed  12345%e+1 rpm  at   0.2m/s\r\n"}));

}  // namespace
}  // namespace zephyrion
