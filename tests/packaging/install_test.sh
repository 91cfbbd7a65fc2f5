#!/usr/bin/env bash
# Installed into a DESTDIR, Zephyrion is a desktop program: both programs in bin/, a desktop
# entry that desktop-file-validate passes and whose Exec and Icon name what was installed, an
# icon, a compressed manual page for each program, zephyrion-cli's listing every option its
# --help names, and the copyright and changelog. The installed zephyrion-cli writes the default
# design's bytes.
# Arguments: the build folder and the version the programs report.
set -euo pipefail
build=$1
version=$2
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

DESTDIR=$dest/root cmake --install "$build" --prefix /usr >"$dest/install.log"
usr=$dest/root/usr

expected="bin/zephyrion
bin/zephyrion-cli
share/applications/zephyrion.desktop
share/doc/zephyrion/changelog.gz
share/doc/zephyrion/copyright
share/icons/hicolor/scalable/apps/zephyrion.svg
share/man/man1/zephyrion-cli.1.gz
share/man/man1/zephyrion.1.gz"
installed=$(cd "$usr" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[[ $installed == "$expected" ]] || fail "installed files:
$installed"
[[ -z $(find "$dest/root" -mindepth 1 -maxdepth 1 ! -name usr) ]] || fail "files outside /usr"

for program in zephyrion zephyrion-cli; do
  [[ -x $usr/bin/$program ]] || fail "$program is not executable"
done
[[ $("$usr/bin/zephyrion-cli" --version) == "zephyrion-cli $version" ]] || fail "zephyrion-cli --version"

entry=$usr/share/applications/zephyrion.desktop
report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $report"
[[ -z $report ]] || fail "desktop-file-validate: $report"
exec_line=$(grep '^Exec=' "$entry")
[[ -x $usr/bin/${exec_line#Exec=} ]] || fail "$exec_line names no installed program"
icon_line=$(grep '^Icon=' "$entry")
icon=$usr/share/icons/hicolor/scalable/apps/${icon_line#Icon=}.svg
[[ -f $icon ]] || fail "$icon_line names no installed icon"
grep -q '<svg ' "$icon" || fail "the icon is no SVG picture"

for page in zephyrion zephyrion-cli; do
  file=$dest/$page.1
  gzip -dc "$usr/share/man/man1/$page.1.gz" >"$file"
  title=${page^^}
  head -n 1 "$file" | grep -qF ".TH ${title//-/\\-} 1 " || fail "$page.1 does not start as a page of section 1"
  warnings=$(groff -man -Tutf8 -ww -z "$file" 2>&1) || fail "groff cannot set $page.1: $warnings"
  [[ -z $warnings ]] || fail "groff warns about $page.1: $warnings"
done
while read -r option; do
  grep -qF ".B ${option//-/\\-}" "$dest/zephyrion-cli.1" || fail "the manual page lacks $option"
done < <("$usr/bin/zephyrion-cli" --help | grep -oE '^  --[a-z-]+')

mkdir "$dest/run"
(cd "$dest/run" && "$usr/bin/zephyrion-cli" >/dev/null) || fail "the installed zephyrion-cli failed"
(cd "$dest/run" && "$build/zephyrion-cli" --output 'd:\built\Blade' >/dev/null)
for extension in stl xls txt; do
  cmp -s "$dest/run/xx/Blade.$extension" "$dest/run/built/Blade.$extension" ||
    fail "the installed zephyrion-cli wrote another Blade.$extension"
done
echo "passed: $(echo "$installed" | wc -l) files"
