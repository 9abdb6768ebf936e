// The x87 precisions a caller of the plug-in may leave: 24 bits, 53 (an MSVC host's) and 64 (a MinGW program's).
// On x86-64 the precision cannot be set: one entry, the system's own.
#pragma once
#include <float.h>

#include <vector>

struct Precision {
    const char* name;
    unsigned control; // _PC_24, _PC_53, _PC_64; 0 on x86-64
};

inline std::vector<Precision> callerPrecisions() {
#if defined(__i386__)
    return {{"24-bit", _PC_24}, {"53-bit", _PC_53}, {"64-bit", _PC_64}};
#else
    return {{"the system's", 0}};
#endif
}

// The precision now, as _controlfp names it (0 on x86-64).
inline unsigned currentPrecision() {
#if defined(__i386__)
    return _controlfp(0, 0) & _MCW_PC;
#else
    return 0;
#endif
}

// Sets a precision for the life of the object, then the host's (53 bits) again.
class CallerPrecision {
public:
    explicit CallerPrecision(const Precision& p) { set(p.control); }
    ~CallerPrecision() { set(kHost); }
    CallerPrecision(const CallerPrecision&) = delete;
    CallerPrecision& operator=(const CallerPrecision&) = delete;

private:
#if defined(__i386__)
    static constexpr unsigned kHost = _PC_53;
    static void set(unsigned control) { _controlfp(control, _MCW_PC); }
#else
    static constexpr unsigned kHost = 0;
    static void set(unsigned) {}
#endif
};
