// The report table: one tab-separated line per radius from the tip inwards, and three summary
// lines with the blade's volume, weight and rotor speed.
#pragma once

#include <cstdint>

#include "blade/blade_totals.h"

namespace zephyrion {

void writeTableHeader(int fileNumber);
void writeTableRow(int fileNumber, const TableRow& row);
void writeTableSummary(int fileNumber, double volumeCm3, double weightKg, std::int32_t rotorSpeedRpm,
                       double maxWindSpeed);

}  // namespace zephyrion
