#!/usr/bin/env bash
# Shared set-up of run.sh and test.sh: installs the Debian packages that are
# missing, configures and builds (which also writes the sample game folder).
# With --packages it only installs what is missing (CI does so before its
# builds start side by side).
#
#   scripts/setup.sh BUILD_DIR [extra cmake options...]
#   scripts/setup.sh --packages
set -euo pipefail

build_dir=${1:-build}
shift || true

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libgl-dev libegl-dev libgl1-mesa-dri libegl-mesa0 libopengl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-dev xvfb xauth
  libenet-dev
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ "$build_dir" = "--packages" ]; then
  exit 0
fi

options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${CI:-}" = "true" ]; then
  options+=(-DQUORVIX_WERROR=ON)
fi
cmake -S . -B "$build_dir" "${options[@]}" "$@" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
