// Front-end start-up: the tables of the menu text and blends, the menu
// screen table filled from the built-in layout, and the translated key and
// joystick names.
#pragma once

void InitMenus();
void InitFrontEndTables();
// The profile screen's reset (screen 18) and the front end's input state.
void ResetProfileScreen();
