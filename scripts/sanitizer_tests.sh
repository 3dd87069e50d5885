#!/usr/bin/env bash
# Builds the game and its tests with a sanitizer into build-NAME and runs the
# tests there, all but those whose names match SKIP (a ctest regex).  The
# sanitizer's options come from the environment.
#
#   scripts/sanitizer_tests.sh NAME CMAKE_OPTION SKIP
set -euo pipefail
cd "$(dirname "$0")/.."
name=$1 option=$2 skip=$3
# Times are printed since CI_START (seconds since the epoch) when it is set.
since() { echo $(($(date +%s) - ${CI_START:-$(date +%s)})); }

echo "== $name build ($(since) s since CI began)"
scripts/setup.sh "build-$name" "$option" -DQUORVIX_BUILD_BENCH=OFF
echo "== $name tests ($(since) s since CI began)"
ctest --test-dir "build-$name" -j"$(nproc)" --output-on-failure -E "$skip"
echo "== $name done ($(since) s since CI began)"
