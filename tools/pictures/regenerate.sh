#!/usr/bin/env bash
# Rebuilds the picture generator into build-pictures/ and rewrites the committed
# pictures: ui/pictures/*.jpg, app/icon/mainicon.png and packaging/icons/*.png.
#
#   tools/pictures/regenerate.sh           rewrite the files in place
#   tools/pictures/regenerate.sh --check   draw them into a scratch folder and say
#                                          whether the committed files are current
#
# The banner's lettering uses the Orbitron face that tools/setup.sh fetches
# (DejaVu Sans Bold without it), so run the setup first for identical output.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cmake -S "$root/tools/pictures" -B "$root/build-pictures" -G Ninja >/dev/null
cmake --build "$root/build-pictures" -j2
generator=$root/build-pictures/generate-pictures
files=(ui/pictures/top_band.jpg ui/pictures/bottom_band.jpg ui/pictures/title_banner.jpg
  ui/pictures/tank.jpg app/icon/mainicon.png)
for size in 16 22 24 32 48 64; do files+=("packaging/icons/mainicon-$size.png"); done

if [ "${1:-}" != --check ]; then
  "$generator" "$root"
  exit 0
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$generator" "$scratch" "$root" >/dev/null
stale=0
for f in "${files[@]}"; do
  if ! cmp -s "$scratch/$f" "$root/$f"; then
    echo "differs from the generator's output: $f"
    stale=1
  fi
done
[ "$stale" -eq 0 ] && echo "all ${#files[@]} pictures are current"
exit "$stale"
