#!/usr/bin/env bash
# Makes the README's two pictures from a release build: the designer after a Calculate with the
# default form (taken by the real-window test), and the default blade's STL as f3d renders it.
set -euo pipefail
cd "$(dirname "$0")/.."
as_root() { if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi; }
command -v f3d >/dev/null || { echo "make_pictures: installing f3d"; as_root apt-get install -y -qq f3d >/dev/null; }

ZEPHYRION_SCREENSHOT=$PWD/docs/designer.png SDL_AUDIODRIVER=dummy \
  bash tests/gui/designer_calculate_test.sh "$PWD/build/zephyrion" "$PWD/build/zephyrion-cli" "$PWD/build/tests/gui/read_screen_text"

work=$(mktemp -d)
xvfb=
trap '[[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
(cd "$work" && "$OLDPWD/build/zephyrion-cli" >/dev/null)
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" 2>/dev/null &
xvfb=$!
until [[ -s $work/display ]]; do sleep 0.05; done
DISPLAY=:$(cat "$work/display") f3d "$work/xx/Blade.stl" --output="$work/blade.png" --resolution=900,300 \
  --camera-position=430,250,330 --camera-focal-point=30,250,20 --camera-view-up=0,0,1 \
  --camera-view-angle=28 --color=0.9,0.78,0.55 -q
convert "$work/blade.png" -trim -bordercolor '#333333' -border 20 -colors 64 PNG8:docs/blade.png
echo "make_pictures: docs/designer.png docs/blade.png"
