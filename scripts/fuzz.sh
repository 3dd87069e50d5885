#!/usr/bin/env bash
# Builds the libFuzzer targets of the archive parser, the bitmap decoder, the
# network layer's packets, the game-message dispatch, the car table and the
# settings file with clang, ASan and UBSan, and runs each (60 seconds, or the
# number of seconds given).
#
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
out=build-fuzz
mkdir -p "$out/corpus"

clang++ -std=c++20 -g -O1 -Wall -Wextra -Werror \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -ISources fuzz/fuzz_vfs_archive.cpp Sources/frame/vfs_archive.cpp \
  -o "$out/fuzz_vfs_archive"

# Seeds: small archives the fuzzer mutates from.
le32() {
  # The format's \xNN escapes are made first, then printed as bytes.
  printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)) $((($1 >> 16) & 255)) $((($1 >> 24) & 255)))"
}
name() { printf '%s' "$1"; head -c $((128 - ${#1})) /dev/zero; }
{ le32 0; le32 0; } > "$out/corpus/empty"
{   # Cars\a.txt and b.txt
  le32 1; le32 2
  le32 0; name Cars
  le32 1; name a.txt; le32 444; le32 3; head -c 12 /dev/zero
  le32 0; name b.txt; le32 447; le32 2; head -c 12 /dev/zero
  printf 'abcde'
} > "$out/corpus/two-files"
{   # 3d\Tracks\Track-11\BIN\x.dat, nested four deep
  le32 4; le32 1
  le32 0; name 3d; le32 1; name Tracks; le32 2; name Track-11; le32 3; name BIN
  le32 4; name x.dat; le32 688; le32 4; head -c 12 /dev/zero
  printf 'data'
} > "$out/corpus/nested"

ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$out/fuzz_vfs_archive" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
  -artifact_prefix="$out/" "$out/corpus"

# The bitmap decoder, seeded with a small 8-bit and a small 24-bit picture.
clang++ -std=c++20 -g -O1 -Wall -Wextra -Werror \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -ISources fuzz/fuzz_bmp.cpp Sources/render/bmp_decode.cpp \
  -o "$out/fuzz_bmp"
mkdir -p "$out/corpus-bmp"
bmp() {   # width height bits colours
  local w=$1 h=$2 bits=$3 colours=$4
  local stride=$(( (w * bits / 8 + 3) & ~3 )) palette=$(( bits == 8 ? colours * 4 : 0 ))
  printf 'BM'; le32 $((54 + palette + stride * h)); le32 0; le32 $((54 + palette))
  le32 40; le32 "$w"; le32 "$h"; printf '\x01\x00'; printf "$(printf '\\x%02x' "$bits")\\x00"
  le32 0; le32 $((stride * h)); le32 0; le32 0; le32 "$colours"; le32 0
  head -c "$palette" /dev/urandom
  head -c $((stride * h)) /dev/urandom
}
bmp 5 3 8 4 > "$out/corpus-bmp/small8"
bmp 3 2 24 0 > "$out/corpus-bmp/small24"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$out/fuzz_bmp" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
  -artifact_prefix="$out/" "$out/corpus-bmp"

# The session layer's packet records, seeded with a query and a game message.
clang++ -std=c++20 -g -O1 -Wall -Wextra -Werror \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -ISources fuzz/fuzz_net_packet.cpp Sources/platform/plat_net_packet.cpp \
  -o "$out/fuzz_net_packet"
mkdir -p "$out/corpus-net-packet"
le16() { printf "$(printf '\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)))"; }
{ printf 'QVNP\x01\x01'; le16 24; head -c 16 /dev/zero; le32 7; le32 2; } > "$out/corpus-net-packet/query"
{ printf 'QVNP\x01\x11'; le16 13; le32 3; le32 0; le16 3; printf '\x06\x01\x02'; } > "$out/corpus-net-packet/game"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$out/fuzz_net_packet" -max_total_time="$seconds" -max_len=4200 -print_final_stats=1 \
  -artifact_prefix="$out/" "$out/corpus-net-packet"

# The game-message dispatch: four bytes of session set-up, then one message.
clang++ -std=c++20 -g -O1 -Wall -Wextra -Werror \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -ISources fuzz/fuzz_net_dispatch.cpp \
  Sources/net/lobby.cpp Sources/net/net_messages.cpp Sources/net/net_state.cpp Sources/net/net_texts.cpp \
  Sources/net/net_wire.cpp Sources/net/race_sync.cpp Sources/net/remote_cars.cpp Sources/net/session.cpp \
  Sources/race/race_state.cpp Sources/frame/frame_state.cpp Sources/frame/sim_lock.cpp \
  Sources/platform/plat_net.cpp Sources/platform/plat_net_addr.cpp Sources/platform/plat_net_packet.cpp \
  Sources/platform/plat_thread.cpp $(pkg-config --cflags --libs libenet) \
  -o "$out/fuzz_net_dispatch"
mkdir -p "$out/corpus-net-dispatch"
{ printf '\x03\x01\x03\x01'; printf '\x03'; le32 1; le32 5; le32 2; } > "$out/corpus-net-dispatch/car-choice"
{ printf '\x03\x00\x13\x00'; printf '\x04'; head -c 60 /dev/zero; } > "$out/corpus-net-dispatch/car-states"
{ printf '\x03\x02\x03\x01'; printf '\x06'; le32 1; le32 4; } > "$out/corpus-net-dispatch/pause"
{ printf '\x03\x02\x03\x03'; printf '\x01hello\x00'; } > "$out/corpus-net-dispatch/chat"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$out/fuzz_net_dispatch" -max_total_time="$seconds" -max_len=2200 -print_final_stats=1 \
  -artifact_prefix="$out/" "$out/corpus-net-dispatch"

# The car table: any bytes as Config\Motion.dat, then two cars driven for 200
# ticks; seeded with the sample folder's table (zeros before a build made it)
# and a short run of control words.
car_sources=(Sources/race/{race_state,physics,engine,engine_table,drive_model,motion_table}.cpp
  Sources/sound/{car_sounds,sound_state}.cpp Sources/frame/frame_state.cpp Sources/track/track_state.cpp
  Sources/render/{geometry,render_state}.cpp Sources/net/net_state.cpp Sources/frontend/frontend_state.cpp)
clang++ -std=c++20 -g -O1 -Wall -Wextra -Werror \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -ISources fuzz/fuzz_motion_table.cpp "${car_sources[@]}" \
  -o "$out/fuzz_motion_table"
mkdir -p "$out/corpus-motion"
if [ -f build/game/Config/Motion.dat ]; then
  cp build/game/Config/Motion.dat "$out/corpus-motion/sample"
else
  head -c 1120 /dev/zero > "$out/corpus-motion/sample"
fi
{ cat "$out/corpus-motion/sample"; printf '\x09\x03\x02\x02\x0a\x06\x22\x12\x01\x01\x04\x08'; } \
  > "$out/corpus-motion/sample-driven"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$out/fuzz_motion_table" -max_total_time="$seconds" -max_len=1400 -print_final_stats=1 \
  -artifact_prefix="$out/" "$out/corpus-motion"

# The settings file: any bytes as Config\config.cfg, then one race frame of
# two players reading every binding; seeded with the sample folder's factory
# settings (zeros before a build made them).
settings_sources=(Sources/frontend/{settings,frontend_state}.cpp Sources/race/{race_frame,race_state}.cpp
  Sources/frame/frame_state.cpp Sources/render/render_state.cpp Sources/track/track_state.cpp
  Sources/sound/sound_state.cpp Sources/net/net_state.cpp)
clang++ -std=c++20 -g -O1 -Wall -Wextra -Werror \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -ISources fuzz/fuzz_settings.cpp "${settings_sources[@]}" \
  -o "$out/fuzz_settings"
mkdir -p "$out/corpus-settings"
if [ -f build/game/Config/config.cfg ]; then
  cp build/game/Config/config.cfg "$out/corpus-settings/sample"
else
  head -c 9484 /dev/zero > "$out/corpus-settings/sample"
fi
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$out/fuzz_settings" -max_total_time="$seconds" -max_len=10000 -print_final_stats=1 \
  -artifact_prefix="$out/" "$out/corpus-settings"
