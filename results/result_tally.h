// The result of a pass as numbers: what GetResult0 shows, rendered as text or HTML, and what the windows read.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "engine/contest_state.h"

struct BandTally {
    std::string name;
    int index = kBandCount; // kBandCount for a name that is none of the six: no row, no multipliers
    int qsos = 0;
    long long points = 0;
    int dupes = 0;
    int mults = 0;          // counties (a DX station) or zones (a JA station)
    int dxcc = 0;           // a JA station only
};

struct ResultTally {
    // The heading: the pass's facts as they stood.
    bool html = false;
    bool ja = false;
    bool exporting = false;
    int contestMode = 0;
    std::string ownCall, startDayMonth, endDate;

    std::vector<BandTally> bands; // g_bandsWorked in band order
    BandTally total;
    int badQsoLines = 0;          // lines of the bad-QSO file, its title included
    bool badQsoFileTrouble = false; // the file does not hold them, and the operator was not told so this pass
    std::string badQsoFileName;
    int badShown = 0;             // "Bad QSO": the lines that are no dupe's, without the title
    long long score = 0;
    long long hourQsos = 0, hourPoints = 0, tenQsos = 0, tenPoints = 0; // on the band of the last QSO only
    int lastPoints = 0;

    // The distinct codes and prefixes of the counted QSOs, per band index, for the bands the log holds.
    BandLists multByBand, dxccByBand;
};

// Counts the log. Sorts g_bandsWorked into band order and rebuilds g_multByBand and g_dxccByBand for the bands
// it lists, as the windows read them.
ResultTally tallyResult();

std::string renderText(const ResultTally& tally);
std::string renderHtml(const ResultTally& tally);
// A text from the host as HTML text, in an element or a quoted attribute: never markup.
std::string htmlText(std::string_view s);
