// The career save slots of a profile: USERS\<name>\SAVE nn.rb, each a whole
// CareerRecord.
#pragma once

#include "frontend/frontend_state.h"

// Why a career record is refused, or null when it is accepted: finite money
// 0 to 99,999,999, counts, levels and choices in range, cup rows with
// groups 0 to 7 (0 a race not set up), variants 0 to 7, models 0 to 19,
// colours 0 to 3, laps up to 6 and cars up to 8, garage indexes -1 to 14
// and garage lists of models and colours ended by -1.
const char* CareerRecordProblem(const CareerRecordImage& record);
// The same for a file image, a whole record first: the check of the career
// slots, the championship file and quorvix-save.
const char* CareerFileProblem(const unsigned char* bytes, int size);
// USERS\<CurrentPlayerName>\SAVE nn.rb of slot 1..12; 0 when it cannot be
// formed.
int CareerSlotPath(int slot, char* path, int size);
// Reads a career record file into `out` when it is a whole record that
// passes the checks (1); else `out` is left alone (0).
int ReadCareerRecordFile(const char* path, CareerRecordImage* out);
// Reads slot 1..12 of the current profile into `out` when the file is a
// whole record that passes the checks (1); else `out` is left alone (0).
int ReadCareerSlot(int slot, CareerRecordImage* out);
// Writes the record as slot 1..12 of the current profile: 1 written.
int WriteCareerSlot(int slot, const CareerRecordImage& record);
