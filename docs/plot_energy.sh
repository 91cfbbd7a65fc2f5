#!/usr/bin/env bash
# Makes docs/energy.png for the README: the default blade's power curve as written by
# zephyrion-cli --energy, at its best tip speed ratio and on a 12 V alternator, with the energy
# each wind bin gives a year at a Rayleigh mean of 5 m/s.
set -euo pipefail
cd "$(dirname "$0")/.."

# Debian's own Python, which the Debian package serves (a python3 earlier on PATH may not see it).
python=/usr/bin/python3
as_root() { if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi; }
if ! "$python" -c 'import matplotlib' 2>/dev/null; then
  echo "plot_energy: installing python3-matplotlib"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends python3-matplotlib >/dev/null
fi
[[ -x build/zephyrion-cli ]] || { cmake --preset default >/dev/null && cmake --build --preset default --target zephyrion-cli -j2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cli=$PWD/build/zephyrion-cli
alternator=(--control alternator --volts-per-rpm 0.025 --winding-ohms 0.5 --battery-volts 14 --friction-nm 0.02)
(cd "$work" && "$cli" --energy tsr.csv --output tsr >tsr.out &&
  "$cli" --energy alternator.csv "${alternator[@]}" --output alternator >alternator.out)

"$python" - "$work" docs/energy.png <<'PY'
import csv, sys
import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt

work, target = sys.argv[1], sys.argv[2]

def table(name):
    with open(f"{work}/{name}.csv", newline="") as f:
        return list(csv.DictReader(f))

def annual(name):
    line = next(l for l in open(f"{work}/{name}.out") if l.startswith("Annual energy"))
    return line.split()[2]

tsr, alternator = table("tsr"), table("alternator")
wind = [float(r["wind_m_s"]) for r in tsr]
fig, ax = plt.subplots(figsize=(8, 4.5), dpi=100)
bars = ax.twinx()
bars.bar([w - 0.12 for w in wind], [float(r["energy_kWh"]) for r in tsr], width=0.24, color="tab:blue", alpha=0.3,
         label="energy by bin, best tip speed ratio")
bars.bar([w + 0.12 for w in wind], [float(r["energy_kWh"]) for r in alternator], width=0.24, color="tab:orange",
         alpha=0.3, label="energy by bin, alternator")
bars.set_ylabel("energy a year at Rayleigh 5 m/s [kWh per 0.5 m/s bin]")
ax.plot(wind, [float(r["output_W"]) for r in tsr], color="tab:blue", linewidth=2,
        label=f"best tip speed ratio up to 955 rpm: {annual('tsr')} kWh a year")
ax.plot(wind, [float(r["output_W"]) for r in alternator], color="tab:orange", linewidth=2, linestyle=(0, (5, 3)),
        label=f"12 V alternator (0.025 V/rpm, 0.5 Ω, 14 V): {annual('alternator')} kWh a year")
ax.set_zorder(bars.get_zorder() + 1)
ax.patch.set_visible(False)
ax.set_xlim(0, 25.5)
ax.set_ylim(bottom=0)
bars.set_ylim(bottom=0)
ax.set_xlabel("wind speed at hub height [m/s]")
ax.set_ylabel("power delivered [W]")
ax.set_title("Default blade (NACA 4412, R = 500 mm, 3 blades): power curve and energy by bin")
ax.grid(True, linewidth=0.3)
lines, labels = ax.get_legend_handles_labels()
bar_lines, bar_labels = bars.get_legend_handles_labels()
ax.legend(lines + bar_lines, labels + bar_labels, loc="upper left", fontsize=8)
fig.tight_layout()
fig.savefig(target)
PY
# A small palette keeps the picture small in the repository (ImageMagick comes with scripts/setup).
convert docs/energy.png -colors 64 PNG8:docs/energy.png
echo "plot_energy: docs/energy.png"
for run in tsr alternator; do echo "== $run"; head -n 8 "$work/$run.out" | tail -n 4; done
