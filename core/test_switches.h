// Switches through which an end-to-end test forces a path that the test system cannot
// otherwise reach (such as a function that Wine has but an older Windows lacks). Built
// only with VELTRIN_TEST_HOOKS; in a release build every switch is off and the call is
// inlined away.
#pragma once

#ifdef VELTRIN_TEST_HOOKS
// True when the environment variable VELTRIN_TEST_<name> is "1".
bool TestSwitchOn(const char* name);
#else
inline bool TestSwitchOn(const char*) { return false; }
#endif
