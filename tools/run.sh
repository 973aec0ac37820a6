#!/usr/bin/env bash
# Sets the machine up, builds the program and starts it. Arguments are passed
# on (--maximized or --minimized ask for that first showing).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target bilan bilan-calcul
exec build/app/bilan "$@"
