#!/usr/bin/env bash
# Installs everything the build, the tests and the benchmarks need on Debian 12:
# packages, the French and English locales, and the Orbitron caption face.
# Idempotent and quick when everything is already there; uses sudo only when not root.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

if [ "$(id -u)" -eq 0 ]; then as_root=(); else as_root=(sudo); fi

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libjpeg-dev
  googletest libgtest-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils imagemagick openbox xclip wmctrl libxcb1-dev
  locales fonts-dejavu-core
  clang libclang-rt-14-dev g++-aarch64-linux-gnu qemu-user
  desktop-file-utils appstream dpkg-dev fakeroot file groff-base
  at-spi2-core dbus-x11 libglib2.0-bin
)

# npm fetches the caption face; a machine may already have its own Node.js,
# which conflicts with Debian's npm package.
if ! command -v npm >/dev/null 2>&1; then packages+=(npm); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  "${as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The decimal mark tests read the real system locales.
need_locales=()
for l in fr_FR.UTF-8 en_US.UTF-8; do
  short=$(echo "$l" | sed 's/UTF-8/utf8/')
  if ! locale -a 2>/dev/null | grep -qx "$short"; then need_locales+=("$l"); fi
done
if [ ${#need_locales[@]} -gt 0 ]; then
  for l in "${need_locales[@]}"; do
    if ! grep -q "^$l UTF-8" /etc/locale.gen 2>/dev/null; then
      echo "$l UTF-8" | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
    fi
  done
  "${as_root[@]}" locale-gen >/dev/null
fi

# Orbitron Bold (SIL Open Font License) for the captions. Never committed; the
# build embeds it when present and works without it.
font_dir="$here/third_party/fonts"
font="$font_dir/Orbitron_700Bold.ttf"
if [ ! -s "$font" ]; then
  tmp=$(mktemp -d)
  if (cd "$tmp" && npm pack --silent @expo-google-fonts/orbitron >/dev/null 2>&1); then
    tar -xzf "$tmp"/*.tgz -C "$tmp"
    src=$(find "$tmp/package" -name 'Orbitron_700Bold.ttf' | head -n 1)
    if [ -n "$src" ]; then
      mkdir -p "$font_dir"
      cp "$src" "$font"
      cp "$tmp"/package/LICENSE* "$font_dir/" 2>/dev/null || true
    fi
  else
    echo "setup: Orbitron could not be fetched; the captions will use a substitute face" >&2
  fi
  rm -rf "$tmp"
fi
echo "setup: ready"
