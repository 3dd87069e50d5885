#include "frontend/car_choice.h"

#include "frontend/frontend_state.h"
#include "frontend/menu_actions.h"
#include "net/net_state.h"

// Not built yet: the actions of screens 5 and 19, but for the race start of
// a network game.
int CarChoiceAction(int* screen, int item, void*) {
    if (item == 41 && NetworkGame)
        return NetworkRaceStart(screen);
    return 0;
}
int CarShopAction(int*, int, void*) { return 0; }
