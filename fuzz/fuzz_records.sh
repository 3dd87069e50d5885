# The records file of a profile: any bytes, loaded and saved; seeded with a
# whole image and a short one.
fuzz_build fuzz_records Sources/frontend/{records,records_file,file_names,player_files}.cpp Sources/platform/plat_localtime.cpp
max_len=10000
head -c 9484 /dev/zero > "$corpus/zeros"
head -c 9484 /dev/urandom > "$corpus/random"
head -c 100 /dev/urandom > "$corpus/short"
