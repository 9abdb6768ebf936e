// IsValidExchg0: the quick test of a typed exchange. Only a county code is accepted, as typed.
#include "engine/contest_engine.h"
#include "engine/contest_state.h"

int isValidExchange(std::string_view e) {
    // "599" can never be two characters long: the test is the system's own, kept as it is.
    if (e == "599" || e.size() != 2) return 0;
    return isCountyCode(e) ? 1 : 0;
}
