// Contract checks: MORVANE_VERIFY(cond) states what our own code promises
// the function it calls (an id of the right kind, a window id in range, a
// record that is there). Input from outside (files, the shared segment, the
// plug-in side, what the user types) is refused quietly instead; a broken
// contract is a fault of ours.
//
// In the sanitizer build (MORVANE_CONTRACTS defined) a broken contract stops
// the program at once with the file, the line and the condition on stderr.
// In the normal build the check is compiled to nothing: the condition is
// not evaluated, and the code after it refuses the call as before.
// This header includes nothing of the platform, so every folder above the
// platform may use it (it is the platform's second door).
#pragma once

#ifdef MORVANE_CONTRACTS
#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void morvane_contractBroken(const char* condition, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: contract broken: %s\n", file, line, condition);
    std::fflush(stderr);
    std::abort();
}

#define MORVANE_VERIFY(cond)     ((cond) ? (void)0 : morvane_contractBroken(#cond, __FILE__, __LINE__))
#define MORVANE_CONTRACTS_ACTIVE 1
#else
// Type-checked but never evaluated.
#define MORVANE_VERIFY(cond)     ((void)sizeof(!(cond)))
#define MORVANE_CONTRACTS_ACTIVE 0
#endif
