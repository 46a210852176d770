// The test-only switches; see the header. Compiled out of a release build.
#include "core/test_switches.h"

#ifdef VELTRIN_TEST_HOOKS
#include <windows.h>

#include <cstdio>
#include <cstring>

bool TestSwitchOn(const char* name)
{
    char variable[64];
    char value[8] = {};
    std::snprintf(variable, sizeof variable, "VELTRIN_TEST_%s", name);
    return GetEnvironmentVariableA(variable, value, sizeof value) && !std::strcmp(value, "1");
}
#endif
