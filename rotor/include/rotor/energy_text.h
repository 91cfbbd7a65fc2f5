// The energy analysis as text: the table a CSV file holds and the summary lines a run prints.
// Pure functions; the caller writes them where it will.
#pragma once

#include <string>
#include <vector>

#include "rotor/annual_energy.h"

namespace zephyrion::rotor {

// One row per bin, CR LF line ends, a header row naming each column and its unit, every number
// at full precision: wind, rpm, tip speed ratio, power coefficient, rotor power, torque, thrust,
// for the alternator its current and copper loss, the delivered power, the bin's energy and the
// sections without a momentum balance.
std::string energyCsvText(const EnergyAnalysis& analysis);

// The annual energy and the site it holds for, the mean power and capacity factor, the start
// and cut-in winds, for the alternator its cut-in speed and losses, and the air; each figure
// to four significant digits with its unit.
std::vector<std::string> energySummaryLines(const EnergyAnalysis& analysis);

}  // namespace zephyrion::rotor
