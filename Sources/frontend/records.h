// The records tables of a profile.
#pragma once

// Not built yet: no records file is read (0) or written.
int LoadRecords();
void SaveRecords();
void LoadDefaultRecords();
