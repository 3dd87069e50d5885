// Front-end start-up and the menu graphics.
#pragma once

void InitMenus();
