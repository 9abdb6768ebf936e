// IsValidExchg0: the quick test of a typed exchange. Only a county code is accepted, as typed.
#include "engine/contest_engine.h"
#include "engine/contest_state.h"

int isValidExchange(std::string_view e) {
    // The "599" test can never decide what the length test would not: the system's own check, kept as it is.
    if (e == "599" || e.size() != 2) return 0;
    return isCountyCode(e) ? 1 : 0;
}
