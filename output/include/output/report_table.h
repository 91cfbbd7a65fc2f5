// The report table: one tab-separated line per radius from the tip inwards, and three summary
// lines with the blade's volume, weight and rotor speed.
#pragma once

#include <cstddef>
#include <cstdint>

#include "blade/blade_totals.h"
#include "text/number_forms.h"

namespace zephyrion {

void writeTableHeader(int fileNumber);

// The most bytes of one row line: six numbers, five TABs and CR LF.
inline constexpr std::size_t kTableRowMaxBytes = 6 * kNumberFormMaxBytes + 5 + 2;

// One row line, written at `out`; returns its end.
char* formatTableRow(char* out, const TableRow& row);
void writeTableRow(int fileNumber, const TableRow& row);

void writeTableSummary(int fileNumber, double volumeCm3, double weightKg, std::int32_t rotorSpeedRpm,
                       double maxWindSpeed);

}  // namespace zephyrion
