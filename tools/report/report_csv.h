// The hour-by-hour table as CSV for a spreadsheet: a row per hour, then the totals.
#pragma once
#include <string>

#include "tools/report/report_model.h"

// Comma-separated, a header row, one row per hour of the contest and a row "Total" whose figures are the result's;
// line ends CR LF. No field needs quoting: the band names and figures hold no comma.
std::string renderReportCsv(const Report& report);
