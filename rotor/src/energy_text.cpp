#include "rotor/energy_text.h"

#include <cstdint>

#include "text/number_forms.h"

namespace zephyrion::rotor {
namespace {

bool onAlternator(const EnergyAnalysis& analysis) {
  return analysis.strategy.control == Control::alternator;
}

std::string figure(double value, const char* unit) {
  return figureText(value) + " " + unit;
}

std::string siteText(const EnergyAnalysis& analysis) {
  const SiteUsed& site = analysis.site;
  std::string text = site.source == SiteSource::weibull
                         ? "a Weibull wind of shape " + figureText(site.atHub.shape) + " and scale " +
                               figure(site.atHub.scale, "m/s") + " (mean " +
                               figure(meanWindOf(site.atHub), "m/s") + ")"
                         : "a Rayleigh mean wind of " + figure(meanWindOf(site.atHub), "m/s");
  text += " at hub height";
  if (site.source == SiteSource::reference) text += ", the small-wind rating reference, as no site was given";
  return text;
}

std::string shearLine(const SiteUsed& site) {
  return "Site wind carried from " + figure(*site.measuredAt, "m") + " to the hub at " +
         figure(*site.hubHeight, "m") + " by a shear exponent of " + figureText(site.shearExponent) +
         " (mean " + figure(meanWindOf(site.given), "m/s") + " measured)";
}

std::string meanPowerLine(const EnergyAnalysis& analysis) {
  if (!(analysis.highestPower > 0)) return "Mean power 0 W: the rotor delivers nothing up to 25 m/s";
  return "Mean power " + figure(analysis.meanPower, "W") + ", capacity factor " +
         figure(100.0 * analysis.capacityFactor, "%") + " of the curve's highest power, " +
         figure(analysis.highestPower, "W") + " at " + figure(analysis.highestPowerWind, "m/s");
}

std::string startLine(const EnergyAnalysis& analysis) {
  const PowerCurve& curve = analysis.curve;
  std::string friction = " against " + figure(analysis.strategy.frictionTorque, "N m") + " of friction";
  if (!curve.startWind) return "Does not start up to 25 m/s" + friction;
  std::string text = "Starts at " + figure(*curve.startWind, "m/s") + friction;
  if (!curve.cutInWind) return text + "; delivers nothing up to 25 m/s";
  return text + "; delivers from " + figure(*curve.cutInWind, "m/s");
}

std::string alternatorLine(const EnergyAnalysis& analysis) {
  const AlternatorConstants& alternator = analysis.strategy.alternator;
  std::string text = "Alternator cuts in at " +
                     figure(alternator.batteryVolts / alternator.voltsPerRpm, "rpm") +
                     "; its winding loses " + figure(analysis.annualCopperLoss, "kWh") + " a year";
  if (analysis.annualEnergy > 0)
    text += ", " + figure(100.0 * analysis.annualCopperLoss / analysis.annualEnergy, "%") +
            " of what the battery takes";
  return text;
}

std::string airLine(const EnergyAnalysis& analysis) {
  std::string text = "Air density " + figure(analysis.airDensity, "kg/m3");
  if (analysis.altitude) text += " (standard atmosphere at " + figure(*analysis.altitude, "m") + ")";
  return text;
}

}  // namespace

std::string energyCsvText(const EnergyAnalysis& analysis) {
  bool alternator = onAlternator(analysis);
  std::string text = "wind_m_s,rpm,tip_speed_ratio,power_coefficient,rotor_power_W,torque_Nm,thrust_N,";
  if (alternator) text += "current_A,copper_loss_W,";
  text += "output_W,energy_kWh,unsolved_sections\r\n";
  for (std::size_t i = 0; i < analysis.curve.points.size(); ++i) {
    const PowerCurvePoint& p = analysis.curve.points[i];
    for (double value : {p.windSpeed, p.rotorSpeedRpm, p.tipSpeedRatio, p.powerCoefficient, p.rotorPower,
                         p.torque, p.thrust})
      text += numberToText(value) + ",";
    if (alternator) text += numberToText(p.current) + "," + numberToText(p.copperLoss) + ",";
    text += numberToText(p.output) + "," + numberToText(analysis.binEnergy[i]) + "," +
            integerToText(p.unsolvedSections) + "\r\n";
  }
  return text;
}

std::vector<std::string> energySummaryLines(const EnergyAnalysis& analysis) {
  std::vector<std::string> lines = {
      "Annual energy " + figure(analysis.annualEnergy, "kWh") + " at " + siteText(analysis) +
          " (availability 100 %)",
      meanPowerLine(analysis),
      startLine(analysis),
  };
  if (onAlternator(analysis)) lines.push_back(alternatorLine(analysis));
  if (analysis.site.hubHeight) lines.push_back(shearLine(analysis.site));
  lines.push_back(airLine(analysis));
  return lines;
}

}  // namespace zephyrion::rotor
