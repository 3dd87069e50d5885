# The 3D wave player's file reader and its buffers, seeded with a mono
# 16-bit and a stereo 8-bit file and one whose data size overruns the file.
fuzz_build fuzz_wave_file Sources/wave/wave_player.cpp Sources/platform/plat_mixer_3d.cpp
max_len=4096
wavfile() {   # channels rate bits frames [claimed data bytes]
  local channels=$1 rate=$2 bits=$3 frames=$4
  local align=$((channels * bits / 8)) data=$((frames * channels * bits / 8))
  local claimed=${5:-$data}
  printf 'RIFF'; le32 $((36 + data)); printf 'WAVEfmt '; le32 16
  le16 1; le16 "$channels"; le32 "$rate"; le32 $((rate * align)); le16 "$align"; le16 "$bits"
  printf 'data'; le32 "$claimed"
  head -c "$data" /dev/urandom
}
wavfile 1 22050 16 300 > "$corpus/mono16"
wavfile 2 11025 8 200 > "$corpus/stereo8"
wavfile 1 22050 16 100 100000 > "$corpus/overrun"
