#!/usr/bin/env bash
# The Debian package that cpack builds passes lintian, Debian's own check of a package, with no
# error and no warning: it carries a copyright file and a changelog, its manual pages are
# compressed and its programs stripped.
# Arguments: the build folder.
set -euo pipefail
build=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

(cd "$build" && cpack -G DEB -B "$dir" >"$dir/cpack.log" 2>&1) || fail "cpack failed: $(cat "$dir/cpack.log")"
packages=("$dir"/*.deb)
((${#packages[@]} == 1)) || fail "cpack made ${#packages[@]} packages"
# lintian says it would rather not run as root; that line is no finding.
report=$(lintian --fail-on error,warning "${packages[0]}" 2>&1) || fail "lintian: $report"
findings=$(grep -v '^running with root privileges' <<<"$report" || true)
echo "passed: lintian $(lintian --version | cut -d' ' -f2)${findings:+, with these notes:
$findings}"
