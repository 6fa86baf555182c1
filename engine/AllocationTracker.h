#pragma once

#include <cstddef>

/// Debug allocation tracking. `new (__FILE__, __LINE__) T` allocates like plain new and records
/// where; the program's global operator delete forgets a record when its memory is freed, so
/// whatever is still recorded at the end was leaked. Plain new records nothing.
/// Safe to use from any thread.

/// Allocates size bytes with malloc and records file (kept as given, not copied) and line.
/// Throws std::bad_alloc when out of memory.
void* operator new(std::size_t size, const char* file, int line);
/// Called only when a constructor after the tracked new throws.
void operator delete(void* p, const char* file, int line) noexcept;

/// Prints every allocation still recorded: "\n memory leak found: <file> \n" and " line <n> \n".
void LeakReport();
