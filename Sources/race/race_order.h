// Race order.
#pragma once

void CheckFinishZone();
