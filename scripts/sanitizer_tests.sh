#!/usr/bin/env bash
# Builds the game and its tests with a sanitizer into build-NAME and runs the
# tests there, all but those whose names match SKIP (a ctest regex).  The
# sanitizer's options come from the environment.  Prints the build's and the
# tests' durations and the ten slowest entries.
#
#   scripts/sanitizer_tests.sh NAME CMAKE_OPTION SKIP
set -euo pipefail
cd "$(dirname "$0")/.."
name=$1 option=$2 skip=$3
# Times are printed since CI_START (seconds since the epoch) when it is set.
start=${CI_START:-$(date +%s)}
since() { echo $(($(date +%s) - start)); }

began=$(date +%s)
echo "== $name build ($(since) s since CI began)"
# At -O1 GCC knows too little of a number's range to judge whether a
# formatted text fits its buffer, so that warning is left to the release
# build, which judges it at -O2.
# -O1, as the sanitizers advise: their reports stay exact, and the build
# takes a fifth less time (the test programs' sources, half).  The build
# runs at a lower priority (nice), so that the stages CI waits on first keep
# their cores; the tests run at the usual one.
nice -n 10 scripts/setup.sh "build-$name" "$option" -DQUORVIX_BUILD_BENCH=OFF \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g -DNDEBUG -Wno-format-truncation" \
  "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g -DNDEBUG -Wno-format-truncation"
echo "== $name build: $(($(date +%s) - began)) s ($(since) s since CI began)"

began=$(date +%s)
echo "== $name tests ($(since) s since CI began)"
log=$(mktemp)
status=0
ctest --test-dir "build-$name" -j"$(nproc)" --output-on-failure -E "$skip" 2>&1 | tee "$log" || status=$?
echo "== $name tests: $(($(date +%s) - began)) s ($(since) s since CI began); the ten slowest entries:"
scripts/slowest_tests.sh "$log" 10
rm -f "$log"
exit "$status"
