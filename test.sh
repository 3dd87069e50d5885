#!/usr/bin/env bash
# Installs what is missing, builds, writes the sample game folder and runs
# every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh build
ctest --test-dir build -j"$(nproc)" --output-on-failure
