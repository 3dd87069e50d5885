#include "menulayout/menu_table.h"
