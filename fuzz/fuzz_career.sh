# Career save slots: any bytes as a slot file; seeded with an empty career.
fuzz_build fuzz_career Sources/frontend/{career_file,file_names}.cpp
max_len=4096
head -c 2384 /dev/zero > "$corpus/empty"
