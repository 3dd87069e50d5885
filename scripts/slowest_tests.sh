#!/usr/bin/env bash
# Prints the COUNT (default 10) slowest entries of a ctest run from its
# output (its "Test #N: NAME .... Passed 12.34 sec" lines), slowest first,
# then the number of entries and their summed time.
#
#   scripts/slowest_tests.sh CTEST_OUTPUT [COUNT]
set -euo pipefail
log=$1 count=${2:-10}
times=$(sed -nE 's/^.*Test +#[0-9]+: ([^ ]+) .* ([0-9]+\.[0-9]+) sec.*$/\2 \1/p' "$log")
if [ -z "$times" ]; then
  echo "  no timed entries in $log"
  exit 0
fi
sorted=$(sort -rn <<<"$times")
head -n "$count" <<<"$sorted" | awk '{ printf "  %8.1f s  %s\n", $1, $2 }'
awk '{ n++; total += $1 } END { printf "  %d entries, %.0f s summed test time\n", n, total }' <<<"$times"
