#include "output/report_table.h"

#include <string_view>

#include "text/format.h"
#include "text/sinks.h"

namespace zephyrion {

void writeTableHeader(int fileNumber) {
  printText(fileNumber,
            "Radius [mm]\tChord [mm]\tAngle of attack [deg]\tProfile area [mm2]\tForce at radius [N]\t"
            "Load strees [N/cm2]",
            kNewlineFlag);
}

char* formatTableRow(char* out, const TableRow& row) {
  const double values[] = {row.radius,      row.chord,         row.twist,
                           row.sectionArea, row.forceAtRadius, row.loadStress};
  for (int column = 0; column < 5; ++column) {
    out = printFormTo(out, values[column]);
    *out++ = '\t';
  }
  out = printFormTo(out, values[5]);
  *out++ = '\r';
  *out++ = '\n';
  return out;
}

void writeTableRow(int fileNumber, const TableRow& row) {
  char line[kTableRowMaxBytes];
  printText(fileNumber, std::string_view(line, static_cast<std::size_t>(formatTableRow(line, row) - line)),
            0);
}

void writeTableSummary(int fileNumber, double volumeCm3, double weightKg, std::int32_t rotorSpeedRpm,
                       double maxWindSpeed) {
  constexpr std::uint32_t kEndOfLine = kNewlineFlag | kLastItemFlag;
  formatBegin("Blade volume #######.##### cm3");
  formatNumber(fileNumber, volumeCm3, kEndOfLine);
  formatBegin("Blade weight #######.##### kg ");
  formatNumber(fileNumber, weightKg, kEndOfLine);
  formatBegin("Rotor speed  ##### rpm ");
  formatNumber(fileNumber, rotorSpeedRpm, 0);
  formatEnd(fileNumber);
  formatBegin(" at ###.#m/s");
  formatNumber(fileNumber, maxWindSpeed, kEndOfLine);
}

}  // namespace zephyrion
