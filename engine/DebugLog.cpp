#include "engine/DebugLog.h"

#include <cstdarg>
#include <cstdio>

bool gDebugOutput = false;

void DebugPrint(const char* format, ...)
{
    if (!gDebugOutput)
        return;
    va_list arguments;
    va_start(arguments, format);
    std::vprintf(format, arguments);
    va_end(arguments);
}
