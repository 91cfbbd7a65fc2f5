#!/usr/bin/env bash
# Makes docs/report.png for the README: the first screen of the default design's report, as
# Debian's headless Chromium shows it in a 1024-pixel-wide window.
set -euo pipefail
cd "$(dirname "$0")/.."

as_root() { if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi; }
command -v chromium >/dev/null || {
  echo "make_report_picture: installing chromium"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends chromium >/dev/null
}
[[ -x build/zephyrion-cli ]] || { cmake --preset default >/dev/null && cmake --build --preset default --target zephyrion-cli -j2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && "$OLDPWD/build/zephyrion-cli" --report report.html >/dev/null)
# The browser's own background traffic stays off, as in tests/report/browser_check.py.
chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --no-first-run --disable-background-networking \
  --disable-component-update --disable-sync --user-data-dir="$work/profile" --window-size=1024,1160 \
  --screenshot="$work/report.png" "file://$work/report.html" 2>/dev/null
# A small palette keeps the picture small in the repository (ImageMagick comes with scripts/setup).
convert "$work/report.png" -resize 75% -colors 64 PNG8:docs/report.png
echo "make_report_picture: docs/report.png"
