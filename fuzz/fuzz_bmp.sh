# The bitmap decoder and the texture manager on a recording device, seeded
# with a small 8-bit and a small 24-bit picture.
fuzz_build fuzz_bmp Sources/render/bmp_decode.cpp Sources/render/d3d_textures.cpp \
  Sources/platform/plat_surface.cpp Sources/platform/plat_device.cpp
max_len=4096
bmp() {   # width height bits colours
  local w=$1 h=$2 bits=$3 colours=$4
  local stride=$(( (w * bits / 8 + 3) & ~3 )) palette=$(( bits == 8 ? colours * 4 : 0 ))
  printf 'BM'; le32 $((54 + palette + stride * h)); le32 0; le32 $((54 + palette))
  le32 40; le32 "$w"; le32 "$h"; printf '\x01\x00'; printf "$(printf '\\x%02x' "$bits")\\x00"
  le32 0; le32 $((stride * h)); le32 0; le32 0; le32 "$colours"; le32 0
  head -c "$palette" /dev/urandom
  head -c $((stride * h)) /dev/urandom
}
bmp 5 3 8 4 > "$corpus/small8"
bmp 3 2 24 0 > "$corpus/small24"
