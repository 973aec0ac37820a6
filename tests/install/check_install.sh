#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks the result as a desktop
# would see it: every file in its freedesktop.org place, nothing elsewhere, the
# desktop entry and the AppStream metainfo valid and pointing at what is there.
# Usage: check_install.sh <build folder>
set -euo pipefail
build=$1
app_id=fr.bilan.Bilan
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/usr
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >"$scratch/install.log"

# Where everything must be.
required=(
  bin/bilan
  bin/bilan-calcul
  share/applications/$app_id.desktop
  share/metainfo/$app_id.metainfo.xml
  share/man/man1/bilan.1.gz
  share/man/man1/bilan-calcul.1.gz
  share/doc/bilan/copyright
)
for size in 16 22 24 32 48 64 128; do
  required+=("share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for f in "${required[@]}"; do
  [ -f "$prefix/$f" ] || fail "missing $f"
done
for program in bilan bilan-calcul; do
  [ ! -f "$prefix/bin/$program" ] || [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
done

# Nothing anywhere else: a stray install rule (a test program, a library, a
# header) must not slip into the package.
allowed='^(bin/bilan|bin/bilan-calcul|share/applications/[^/]+\.desktop|share/metainfo/[^/]+\.metainfo\.xml|share/icons/hicolor/[0-9]+x[0-9]+/apps/[^/]+\.png|share/man/man1/[^/]+\.1\.gz|share/doc/bilan/copyright)$'
while IFS= read -r f; do
  [[ $f =~ $allowed ]] || fail "unexpected installed file $f"
done < <(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort)

# Each icon is a square RGBA picture of the size its folder names.
for size in 16 22 24 32 48 64 128; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png
  [ -f "$icon" ] || continue
  kind=$(file -b "$icon")
  [[ $kind == "PNG image data, $size x $size, 8-bit/color RGBA"* ]] || fail "$icon is: $kind"
done

desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
if [ -f "$desktop" ]; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
  value() { sed -n "0,/^\[Desktop Action/s/^$1=//p" "$desktop" | head -n 1; }
  [ "$(value Icon)" = "$app_id" ] || fail "Icon= is not $app_id"
  [ "$(value Categories)" = "Utility;Calculator;" ] || fail "Categories= is not Utility;Calculator;"
  [ "$(value Terminal)" = "false" ] || fail "Terminal= is not false"
  [ -n "$(value Comment)" ] || fail "no Comment="
  # Every command line, the main one and the actions', starts an installed program.
  while IFS= read -r exec_line; do
    program=${exec_line%% *}
    [ -f "$prefix/bin/$program" ] || fail "Exec=$exec_line names no installed program"
  done < <(sed -n 's/^Exec=//p' "$desktop")
  grep -qx 'Exec=bilan --maximized' "$desktop" || fail "no maximised start action"
  grep -qx 'Exec=bilan --minimized' "$desktop" || fail "no minimised start action"
fi
if [ -f "$metainfo" ]; then
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"
  grep -q "<id>$app_id</id>" "$metainfo" || fail "metainfo id is not $app_id"
  grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "metainfo does not launch $app_id.desktop"
  grep -q 'xml:lang="fr"' "$metainfo" || fail "metainfo has no French text"
  while IFS= read -r program; do
    [ -f "$prefix/bin/$program" ] || fail "metainfo provides $program, which is not installed"
  done < <(sed -n 's|.*<binary>\(.*\)</binary>.*|\1|p' "$metainfo")
fi

# The manual pages format without a single warning.
for page in bilan bilan-calcul; do
  file=$prefix/share/man/man1/$page.1.gz
  [ -f "$file" ] || continue
  warnings=$(zcat "$file" | groff -k -man -Tutf8 -ww -z 2>&1) || fail "groff fails on $page.1"
  [ -z "$warnings" ] || fail "groff warns on $page.1: $warnings"
  zcat "$file" | grep -q '^\.SH NOM' || fail "$page.1 has no NOM section"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed; installed files:" >&2
  (cd "$prefix" && find . -type f | sort) >&2
  exit 1
fi
echo "install layout: all checks passed"
