# The archive parser, seeded with small archives.
fuzz_build fuzz_vfs_archive Sources/frame/vfs_archive.cpp
max_len=4096
name() { printf '%s' "$1"; head -c $((128 - ${#1})) /dev/zero; }
{ le32 0; le32 0; } > "$corpus/empty"
{   # Cars\a.txt and b.txt
  le32 1; le32 2
  le32 0; name Cars
  le32 1; name a.txt; le32 444; le32 3; head -c 12 /dev/zero
  le32 0; name b.txt; le32 447; le32 2; head -c 12 /dev/zero
  printf 'abcde'
} > "$corpus/two-files"
{   # 3d\Tracks\Track-11\BIN\x.dat, nested four deep
  le32 4; le32 1
  le32 0; name 3d; le32 1; name Tracks; le32 2; name Track-11; le32 3; name BIN
  le32 4; name x.dat; le32 688; le32 4; head -c 12 /dev/zero
  printf 'data'
} > "$corpus/nested"
