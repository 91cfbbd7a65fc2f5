#!/usr/bin/env bash
# Runs the browser check on a page with a console error, a request and a one-point line, and
# passes when the check fails the page and names each fault.
set -uo pipefail
check=$1 page=$2 artefacts=$3
output=$(python3 "$check" "$page" "$artefacts" "p.absent=1" 2>&1)
status=$?
echo "$output"
if ((status == 0)); then
  echo "the check passed a bad page"
  exit 1
fi
for fault in "console error: .*an error on the console" "network request: .*missing-picture.png" \
  "1 polyline(s) with fewer than two points" "p.absent: 0 found"; do
  grep -q -- "FAIL: $fault" <<<"$output" || { echo "not named: $fault"; exit 1; }
done
