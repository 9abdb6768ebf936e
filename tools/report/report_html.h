// The report as one HTML page: the plug-in's result page, the hour-by-hour table, the charts as inline SVG, the
// breaks and the problems. No script, and nothing fetched from anywhere: it opens offline in any current browser.
#pragma once
#include <string>

#include "tools/report/report_model.h"

struct ReportPage {
    std::string resultPage;  // the plug-in's HTML result for the whole log, shown as the host shows it
    std::string logName;     // the log the report is of, as the operator named it
    std::string madeBy;      // "hostsim 0.1.0"
};

std::string renderReportHtml(const Report& report, const ReportPage& page);
