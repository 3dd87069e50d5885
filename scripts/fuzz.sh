#!/usr/bin/env bash
# Builds every libFuzzer target with clang, ASan and UBSan, and runs them side
# by side, each for 60 seconds (or the number of seconds given).  Each target
# is described by fuzz/<target>.sh: it builds with fuzz_build, seeds its
# corpus folder and sets max_len.  A finding stops that target with its input
# saved as build-fuzz/<target>-crash-*; the script then fails.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
out=build-fuzz
mkdir -p "$out"

le32() {
  # The format's \xNN escapes are made first, then printed as bytes.
  printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)) $((($1 >> 16) & 255)) $((($1 >> 24) & 255)))"
}
le16() { printf "$(printf '\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)))"; }
# A replay file's 124-byte header: tag, empty name, track code, car count,
# empty lap slots, laps, the rest empty.
replay_header() {   # track cars laps
  printf 'V1.0'; head -c 22 /dev/zero
  printf "$(printf '\\x%02x\\x%02x' "$1" "$2")"; head -c 9 /dev/zero
  printf "$(printf '\\x%02x' "$3")"; head -c 86 /dev/zero
}
# A replay body's counts and keyframes: TICKS and CARS, then a keyframe at
# (10000, 10000) heading 0 for every 8 ticks of each car (the inputs follow).
replay_counts_and_keyframes() {   # ticks cars
  le32 "$1"; le32 "$2"
  for _ in $(seq 1 $(($1 / 8 * $2))); do le32 1176256512; le32 1176256512; le32 0; done
}

fuzz_build() {   # target sources-and-flags...
  local target=$1
  shift
  clang++ -std=c++20 -g -O1 -Wall -Wextra -Werror \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -ISources "fuzz/$target.cpp" "$@" -o "$out/$target"
}

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for f in fuzz/*.sh; do targets+=("$(basename "$f" .sh)"); done
fi

# Build and seed every target at once (each description runs in a subshell,
# so its helpers stay its own), then fuzz them all at once.
build_pids=()
for target in "${targets[@]}"; do
  corpus="$out/corpus-$target"
  rm -rf "$corpus"
  mkdir -p "$corpus"
  (
    corpus="$corpus"
    max_len=4096
    # shellcheck disable=SC1090
    source "fuzz/$target.sh"
    echo "$max_len" > "$out/$target.max_len"
  ) &
  build_pids+=($!)
done
for i in "${!targets[@]}"; do
  if ! wait "${build_pids[$i]}"; then
    echo "fuzz ${targets[$i]}: its build or seeds failed" >&2
    exit 1
  fi
done

pids=()
for target in "${targets[@]}"; do
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$out/$target" -max_total_time="$seconds" -max_len="$(cat "$out/$target.max_len")" \
    -print_final_stats=1 -artifact_prefix="$out/$target-" "$out/corpus-$target" \
    > "$out/$target.log" 2>&1 &
  pids+=($!)
done
failed=0
for i in "${!targets[@]}"; do
  if wait "${pids[$i]}"; then
    echo "fuzz ${targets[$i]}: $(grep -m1 'stat::number_of_executed_units' "$out/${targets[$i]}.log" || echo done)"
  else
    echo "fuzz ${targets[$i]}: FAILED (log: $out/${targets[$i]}.log)" >&2
    tail -40 "$out/${targets[$i]}.log" >&2
    failed=1
  fi
done
exit $failed
