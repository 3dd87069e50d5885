# The replays screen's file check: any bytes as a listed replay file; seeded
# with a whole recording of two cars over 24 ticks.
fuzz_build fuzz_replay_file Sources/frontend/replay_header.cpp Sources/race/{replay,race_state}.cpp
max_len=2000
{
  # Header: tag, name, track 10, 2 cars, lap slots, 3 laps, padding.
  printf 'V1.0'; head -c 22 /dev/zero; printf '\x0a\x02'; head -c 9 /dev/zero; printf '\x03'; head -c 86 /dev/zero
  le32 24; le32 2
  for k in $(seq 1 6); do le32 1176256512; le32 1176256512; le32 0; done
  head -c 48 /dev/zero
} > "$corpus/sample"
