// IsValidExchg0: the quick test of a typed exchange. Only a county code is accepted, as typed.
#include "engine/contest_engine.h"
#include "engine/contest_state.h"

int isValidExchange(std::string_view e) {
    if (e == "599" || e.size() != 2) return 0;
    return isCountyCode(e) ? 1 : 0;
}
