// The network session.
#pragma once

void ShutdownDirectPlay();
