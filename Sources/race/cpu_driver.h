// The computer driver.
#pragma once

void DriveCpuCar(int car);
