#!/usr/bin/env bash
# Makes docs/rotor_performance.png for the README: the default blade's power coefficient over the
# tip speed ratio, as written by zephyrion-cli --performance, with and without the chord limits,
# beside the Betz limit and Glauert's ideal rotor with wake rotation.
set -euo pipefail
cd "$(dirname "$0")/.."

# Debian's own Python, which the Debian package serves (a python3 earlier on PATH may not see it).
python=/usr/bin/python3
as_root() { if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi; }
if ! "$python" -c 'import matplotlib' 2>/dev/null; then
  echo "plot_rotor_performance: installing python3-matplotlib"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends python3-matplotlib >/dev/null
fi
[[ -x build/zephyrion-cli ]] || { cmake --preset default >/dev/null && cmake --build --preset default --target zephyrion-cli -j2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cli=$PWD/build/zephyrion-cli
(cd "$work" && "$cli" --performance limited.csv --output limited >limited.out &&
  "$cli" --performance unlimited.csv --limit-z 100000 --limit-x 100000 --output unlimited >unlimited.out)

"$python" - "$work" docs/rotor_performance.png <<'PY'
import csv, sys
import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt

work, target = sys.argv[1], sys.argv[2]

def volume(name):
    line = next(l for l in open(f"{work}/{name}.out") if l.startswith("Blade volume"))
    return float(line.split()[2])

def curve(name):
    with open(f"{work}/{name}.csv", newline="") as f:
        rows = list(csv.DictReader(f))
    return [float(r["tip_speed_ratio"]) for r in rows], [float(r["power_coefficient"]) for r in rows]

def glauert(tsr):
    """Glauert's optimum rotor: 24/tsr^2 * integral from 1/4 to a2 of ((1-a)(1-2a)(1-4a)/(1-3a))^2 da,
    with tsr^2 = (1-a2)(1-4a2)^2/(1-3a2) at the tip (Simpson's rule)."""
    low, high = 0.25, 1 / 3
    for _ in range(100):
        a = (low + high) / 2
        if (1 - a) * (1 - 4 * a) ** 2 / (1 - 3 * a) < tsr * tsr:
            low = a
        else:
            high = a
    f = lambda a: ((1 - a) * (1 - 2 * a) * (1 - 4 * a) / (1 - 3 * a)) ** 2
    n, h = 2000, (low - 0.25) / 2000
    s = f(0.25) + f(low) + sum((4 if i % 2 else 2) * f(0.25 + i * h) for i in range(1, n))
    return 24 / tsr ** 2 * s * h / 3

ideal_x = [0.25 * i for i in range(2, 61)]
fig, ax = plt.subplots(figsize=(8, 4.5), dpi=100)
ax.axhline(16 / 27, color="0.3", linestyle="--", linewidth=1, label="Betz limit 16/27")
ax.plot(ideal_x, [glauert(x) for x in ideal_x], color="0.3", linewidth=1, label="Glauert's ideal rotor (wake rotation)")
x, cp = curve("unlimited")
ax.plot(x, cp, color="tab:orange", linewidth=2, label="default blade without chord limits")
x, cp = curve("limited")
ax.plot(x, cp, color="tab:blue", linewidth=2, linestyle=(0, (5, 3)), label="default blade, limits 50 × 120 mm")
ax.text(10.6, 0.17, f"blade volume\n{volume('limited'):.0f} cm³ with limits\n{volume('unlimited'):.0f} cm³ without",
        fontsize=8, color="0.25")
ax.axvline(5, color="0.6", linewidth=0.8)
ax.text(5.1, 0.02, "design tip speed ratio", color="0.4", fontsize=8)
ax.set_xlim(0, 15)
ax.set_ylim(0, 0.65)
ax.set_xlabel("tip speed ratio λ")
ax.set_ylabel("power coefficient Cp")
ax.set_title("Default blade (NACA 4412, R = 500 mm, 3 blades) at 10 m/s, built-in polars")
ax.grid(True, linewidth=0.3)
ax.legend(loc="upper right", bbox_to_anchor=(1, 0.84), fontsize=8)
fig.tight_layout()
fig.savefig(target)
PY
# A small palette keeps the picture small in the repository (ImageMagick comes with scripts/setup).
convert docs/rotor_performance.png -colors 64 PNG8:docs/rotor_performance.png
echo "plot_rotor_performance: docs/rotor_performance.png"
for run in limited unlimited; do echo "== $run"; tail -4 "$work/$run.out"; done
