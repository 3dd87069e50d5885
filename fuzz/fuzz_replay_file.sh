# The replay file check and the loader that uses it: any bytes as a replay
# file; seeded with a whole recording of two cars over 24 ticks.
fuzz_build fuzz_replay_file Sources/frontend/replay_header.cpp Sources/race/{replay,race_state}.cpp
max_len=2000
{
  replay_header 10 2 3
  replay_counts_and_keyframes 24 2
  head -c 48 /dev/zero
} > "$corpus/sample"
