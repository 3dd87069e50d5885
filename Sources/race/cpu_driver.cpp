#include "race/cpu_driver.h"

void DriveCpuCar(int) {}
