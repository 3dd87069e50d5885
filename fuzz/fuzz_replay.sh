# Replay files: any bytes as a replay, loaded and played for 500 ticks;
# seeded with a short recording of three cars (header and body).
fuzz_build fuzz_replay Sources/race/{replay,race_state}.cpp
max_len=20000
{
  replay_header 10 3 3
  replay_counts_and_keyframes 40 3
  head -c 120 /dev/urandom
} > "$corpus/sample"
