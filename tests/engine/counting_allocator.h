#pragma once

#include <cstddef>

// The test executable that links counting_allocator.cpp replaces the global operator new and
// delete with versions that count the allocations made while counting is on.
void StartCountingAllocations();
// Stops counting and returns the number of allocations since StartCountingAllocations.
size_t StopCountingAllocations();
