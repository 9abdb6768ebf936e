// Linked into every Windows test program: the program computes as the host does. An MSVC-built host's threads run
// the x87 unit at 53-bit precision; MinGW's start-up leaves 64 bits. Set first of all the program's static
// initialisers (priority 101), so that no test ever runs the plug-in's code at a precision no host has.
#include <float.h>

namespace {

__attribute__((constructor(101))) void takeTheHostsPrecision() {
#if defined(__i386__)
    _controlfp(_PC_53, _MCW_PC);
#endif
}

} // namespace
