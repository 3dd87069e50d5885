#!/usr/bin/env bash
# Installs what is missing, builds, writes the sample game folder and starts
# the game in it.  Arguments go to the game, e.g. ./run.sh --headless --frames 300
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh build
cd build/game
exec ../bin/quorvix "$@"
