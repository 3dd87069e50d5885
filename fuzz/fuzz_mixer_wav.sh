# The mixer's WAV parser, seeded with a mono 16-bit and a stereo 8-bit wave
# and one whose data chunk comes after an extra chunk.
fuzz_build fuzz_mixer_wav Sources/platform/plat_mixer_wav.cpp
max_len=4096
wav() {   # channels rate bits frames [extra chunk]
  local channels=$1 rate=$2 bits=$3 frames=$4 extra=${5:-}
  local align=$((channels * bits / 8)) data=$((frames * channels * bits / 8))
  local extra_size=0
  [ -n "$extra" ] && extra_size=$((8 + ${#extra}))
  printf 'RIFF'; le32 $((36 + extra_size + data)); printf 'WAVEfmt '; le32 16
  le16 1; le16 "$channels"; le32 "$rate"; le32 $((rate * align)); le16 "$align"; le16 "$bits"
  if [ -n "$extra" ]; then printf 'LIST'; le32 ${#extra}; printf '%s' "$extra"; fi
  printf 'data'; le32 "$data"
  head -c "$data" /dev/urandom
}
wav 1 22050 16 200 > "$corpus/mono16"
wav 2 11025 8 150 > "$corpus/stereo8"
wav 1 44100 16 64 INFOabcd > "$corpus/listed"
