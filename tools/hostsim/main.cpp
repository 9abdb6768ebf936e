// The host's stand-in, hostsim: the process as a host's would be set up, then the operator's command line.
#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <float.h>
#include <io.h>
#endif

#include "command_line.h"

int main(int argc, char** argv) {
#if defined(_WIN32) && defined(__i386__)
    // An MSVC-built host runs its x87 unit at 53-bit precision; the plug-in's arithmetic sees what it would there.
    _controlfp(_PC_53, _MCW_PC);
#endif
#ifdef _WIN32
    // The result text carries its own CR LF line ends: standard output must pass its bytes unchanged. The
    // messages end in LF alone, as on every other system, so that runs compare byte for byte.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    return runCommandLine(argc, argv);
}
