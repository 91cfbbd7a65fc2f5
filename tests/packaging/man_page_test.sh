#!/usr/bin/env bash
# The manual page made from a --help text: its "Exit status:" paragraph becomes an EXIT STATUS
# section listing each status with its meaning, its "Examples:" paragraph an EXAMPLES section
# that shows each command exactly as typed, backslashes, quotes, dashes and a leading dot
# included, with what it does below it; and groff sets the page without a warning.
# Argument: packaging/man_page.cmake.
set -euo pipefail
script=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cat >"$dir/help.txt" <<'HELP'
Usage: zephyrion-cli [options]
Designs one wind turbine blade.

  --radius TEXT       rotor radius [mm] (default "500")
  --output TEXT       output name without extension (default "d:\xx\Blade")

Exit status:
  0  the files were written
  2  a bad option, or a design out of range:
     nothing is written

Examples:
  zephyrion-cli --radius 600 --output 'd:\rotor\Blade'
      designs a 600 mm rotor's blade:
      rotor/Blade.stl, .xls and .txt
  .hidden --output x
      a command that starts with a dot
HELP
printf '#!/bin/sh\ncat "%s"\n' "$dir/help.txt" >"$dir/cli"
chmod +x "$dir/cli"
cmake -DCLI="$dir/cli" -DVERSION=1.2.3 -DOUTPUT="$dir/page.1" -P "$script"

warnings=$(groff -man -Tascii -ww -z "$dir/page.1" 2>&1) || fail "groff cannot set the page: $warnings"
[[ -z $warnings ]] || fail "groff warns: $warnings"

# The page as man shows it, without bold and underlining, trailing blanks and blank lines.
shown=$(groff -man -Tascii -P-cbou "$dir/page.1" | sed 's/ *$//' | grep -v '^$')
expected_part() {
  grep -qxF -- "$1" <<<"$shown" || fail "the page lacks the line [$1]:
$shown"
}
expected_part "EXIT STATUS"
expected_part "       0      the files were written"
expected_part "       2      a bad option, or a design out of range: nothing is written"
expected_part "EXAMPLES"
expected_part "       zephyrion-cli --radius 600 --output 'd:\\rotor\\Blade'"
expected_part "              designs a 600 mm rotor's blade: rotor/Blade.stl, .xls and .txt"
expected_part "       .hidden --output x"
expected_part "              a command that starts with a dot"
echo passed
