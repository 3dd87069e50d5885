#include "frontend/records.h"

// Not built yet: the records tables.
int LoadRecords() { return 0; }
void SaveRecords() {}
void LoadDefaultRecords() {}
