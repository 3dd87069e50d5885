# Career save slots and the championship file: any bytes as the file; seeded
# with an empty career.
fuzz_build fuzz_career Sources/frontend/{career_file,championship_file,file_names,player_files}.cpp
max_len=4096
head -c 2384 /dev/zero > "$corpus/empty"
