#include "frontend/menu_init.h"

void InitMenus() {}
