#!/usr/bin/env bash
# Builds the Debian package from the build folder, checks its control data and
# file list, unpacks it into a scratch root and runs the calculation from there.
# Usage: check_debian_package.sh <build folder>
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; exit 1; }
shopt -s nullglob
debs=("$scratch"/out/bilan_*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "FAIL: expected one bilan_*.deb, found ${#debs[@]}" >&2; exit 1; }
deb=${debs[0]}

[ "$(dpkg-deb -f "$deb" Package)" = bilan ] || fail "package name is not bilan"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "wrong architecture"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# Computed by dpkg-shlibdeps from the executables, so these name real packages.
for needed in 'libqt6core6' 'libqt6gui6' 'libqt6widgets6' 'libjpeg[0-9a-z.-]*' 'libstdc\+\+6' 'libc6'; do
  [[ ", $depends," =~ [,\ ]${needed}[\ ,\(] ]] || fail "Depends lacks $needed"
done

# The package holds the installed tree under /usr and nothing else.
dpkg-deb --fsys-tarfile "$deb" | tar -t >"$scratch/files"
while IFS= read -r path; do
  [[ $path == ./usr/* || $path == ./ ]] || fail "file outside /usr: $path"
done <"$scratch/files"
for f in ./usr/bin/bilan ./usr/bin/bilan-calcul ./usr/share/applications/fr.bilan.Bilan.desktop \
  ./usr/share/icons/hicolor/128x128/apps/fr.bilan.Bilan.png ./usr/share/man/man1/bilan.1.gz \
  ./usr/share/doc/bilan/copyright; do
  grep -qx -- "$f" "$scratch/files" || fail "package lacks $f"
done

# Run the companion from the unpacked package, with the system's libraries.
root=$scratch/root
dpkg -x "$deb" "$root"
if [ -x "$root/usr/bin/bilan-calcul" ]; then
  status=0
  got=$(LC_ALL=fr_FR.UTF-8 "$root/usr/bin/bilan-calcul" 1000 250,5 2>"$scratch/err") || status=$?
  expected=$'749,5\n17988\n6565620\n6,56562'
  [ "$status" -eq 0 ] || fail "bilan-calcul exited with $status: $(cat "$scratch/err")"
  [ "$got" = "$expected" ] || fail "bilan-calcul printed [$got], expected [$expected]"
  [ ! -s "$scratch/err" ] || fail "bilan-calcul wrote to standard error: $(cat "$scratch/err")"
fi

# The package's dependencies are met by this system's package database, which
# is what apt needs to install it. Simulation only: nothing is installed.
if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
  apt-get install --simulate --no-download "$deb" >"$scratch/apt.log" 2>&1 ||
    fail "apt-get cannot install the package: $(tail -n 5 "$scratch/apt.log")"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed; package contents:" >&2
  dpkg-deb -c "$deb" >&2
  exit 1
fi
echo "Debian package: all checks passed ($(basename "$deb"))"
