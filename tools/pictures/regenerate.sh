#!/usr/bin/env bash
# Rebuilds the picture generator into build-pictures/ and rewrites the committed
# pictures: ui/pictures/*.jpg, app/icon/mainicon.png and packaging/icons/*.png.
# Usage: tools/pictures/regenerate.sh   (from anywhere; needs tools/setup.sh done)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cmake -S "$root/tools/pictures" -B "$root/build-pictures" -G Ninja >/dev/null
cmake --build "$root/build-pictures" -j2
"$root/build-pictures/generate-pictures" "$root"
