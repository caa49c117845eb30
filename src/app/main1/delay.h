#pragma once

#include <cstdint>

// Waits the given time while the window keeps handling its events, so it
// repaints and stays responsive meanwhile.
void Delay(uint32_t milliseconds);
