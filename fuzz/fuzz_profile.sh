# The profile file: any bytes as a .usr; seeded with a new profile's file.
fuzz_build fuzz_profile Sources/frontend/{profile_file,file_names,player_files}.cpp
max_len=1024
head -c 256 /dev/zero | tr '\0' '\377' > "$corpus/new"
