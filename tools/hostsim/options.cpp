// The command line's options, their defaults and the help that lists them.
#include "options.h"

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <map>

#include "tools/logs/cty.h"
#include "tools/logs/pass_checks.h"
#include "tools/script/script.h"
#include "tools/session/plugin_library.h"
#include "tools/session/work_folder.h"

namespace {

// Where --cty looks by default, for the help.
std::string ctyDefaultsHelp() {
#ifdef _WIN32
    return "--cty defaults to cty.dat in hostsim's folder (a release has it in tools, beside hostsim.exe), then\n"
           "  the file HOSTSIM_CTY names (in the environment).\n";
#else
    return std::string("--cty defaults to cty.dat in hostsim's folder, then the file HOSTSIM_CTY names (in the "
                       "environment),\n  else ") + kDebianCtyFile + ".\n";
#endif
}

} // namespace

void usage(std::FILE* to) {
    std::fprintf(to,
        "usage: hostsim [--plugin PATH] [--cty FILE] [--work DIR] [--out DIR] [--preload DLL]... COMMAND ...\n"
        "       hostsim --help | --version\n"
        "  score LOG [--html]       one statistics pass; prints the result text (HTML with --html)\n"
        "  export LOG [header]      an export pass; the plug-in writes the Cabrillo file\n"
        "  check LOG CALL... [--band B] [--mode M] [--exchange TEXT]...\n"
        "                           a pass, then the call check and the exchange check as the operator types\n"
        "  report LOG               the contest hour by hour: CALL_report.html (the result, the hours, charts of\n"
        "                           the QSOs, score, multipliers and rates, the breaks, the problems) and\n"
        "                           CALL_report.csv (the hour table), from the plug-in's own tally\n"
        "  script FILE              host calls step by step, the steps below\n"
        "LOG is an ADIF (.adi) or Cabrillo log, told apart by content. Pass options:\n"
        "  --own-call CALL --own-prefix PREFIX --start 'YYYY-MM-DD HHMM' --end 'YYYY-MM-DD HHMM'\n"
        "  --contest-mode CW|SSB --host-version V (the host's ini file Tarn2.ini, which the plug-in reads)\n"
        "  --all-qsos (hand over QSOs outside the contest too) --any-contest (score another contest's log)\n"
        "Header dialog answers for export: --contest --callsign --category-operator --location\n"
        "  --category-band --category-mode --category-power --category-transmitter --name --address\n"
        "  --address-city --address-postalcode --address-country --operators --club --soapbox --email\n"
        "  (a value's \\n is a line break), or --cancel.\n"
        "The plug-in works in a folder of hostsim's, never in the current one: a new temporary folder, removed\n"
        "  at the end, or --work DIR, kept for later runs (its settings, Plugins/VU-VO.ini, keep the header\n"
        "  answers); hostsim refuses a DIR that holds files but not its marker %s.\n"
        "  The Cabrillo file (export), the bad-QSO file (score, export) and the report's files are copied into\n"
        "  the current folder, or into --out DIR (made when missing), replacing files of the same names;\n"
        "  nothing else is touched.\n"
        "  A script's steps show, files, hold and release name files of the work folder; the script and its\n"
        "  logs are read from the current folder.\n"
        "--plugin defaults to %s in hostsim's folder, then ../Plugins/%s (a release's layout).\n"
        "%s"
        "--preload DLL loads that library into hostsim before the plug-in, as a host's other add-ons are.\n"
        "Exit status: 0 done; 1 the log or script cannot be used; 2 wrong arguments, or the plug-in or the\n"
        "  country file cannot be used; 3 a file could not be written (an export whose header dialog could\n"
        "  not be shown writes none).\n",
        WorkFolder::kMarker, pluginFileName(), pluginFileName(), ctyDefaultsHelp().c_str());
    printStepHelp(to);
}

namespace {

// The header dialog's boxes, by option.
const std::map<std::string, std::string> kDialogOptions = {
    {"--contest", "CONTEST"},
    {"--callsign", "CALLSIGN"},
    {"--category-operator", "CATEGORY-OPERATOR"},
    {"--location", "LOCATION"},
    {"--category-band", "CATEGORY-BAND"},
    {"--category-mode", "CATEGORY-MODE"},
    {"--category-power", "CATEGORY-POWER"},
    {"--category-transmitter", "CATEGORY-TRANSMITTER"},
    {"--name", "NAME"},
    {"--address", "ADDRESS"},
    {"--address-city", "ADDRESS-CITY"},
    {"--address-postalcode", "ADDRESS-POSTALCODE"},
    {"--address-country", "ADDRESS-COUNTRY"},
    {"--operators", "OPERATORS"},
    {"--club", "CLUB"},
    {"--soapbox", "SOAPBOX"},
    {"--email", "E-MAIL"},
};

// The options that take a value, by the member it goes into.
const std::map<std::string, std::string Options::*> kValueOptions = {
    {"--plugin", &Options::plugin}, {"--cty", &Options::cty},         {"--own-call", &Options::ownCall},
    {"--own-prefix", &Options::ownPrefix}, {"--start", &Options::start}, {"--end", &Options::end},
    {"--contest-mode", &Options::contestMode}, {"--band", &Options::band}, {"--mode", &Options::mode},
    {"--host-version", &Options::hostVersion}, {"--out", &Options::out},
    {"--work", &Options::work},
};
// The options that may come again, each value kept.
const std::map<std::string, std::vector<std::string> Options::*> kListOptions = {
    {"--preload", &Options::preload}, {"--exchange", &Options::exchanges},
};
// The options that take no value.
const std::map<std::string, bool Options::*> kFlagOptions = {
    {"--html", &Options::html}, {"--cancel", &Options::cancel}, {"--all-qsos", &Options::allQsos},
    {"--any-contest", &Options::anyContest},
};

// Reads the word at i (and its value, the next word, when it takes one and gives none after '=').
bool readWord(int argc, char** argv, int& i, Options& o, std::string& error) {
    std::string a = argv[i];
    std::string value;
    bool inlineValue = false;
    if (a.size() > 2 && a.compare(0, 2, "--") == 0 && a.find('=') != std::string::npos) {
        value = a.substr(a.find('=') + 1);
        a = a.substr(0, a.find('='));
        inlineValue = true;
    }
    auto takeValue = [&](std::string& into) {
        if (inlineValue) return into = value, true;
        if (i + 1 >= argc) return error = a + " wants a value", false;
        into = argv[++i];
        return true;
    };
    std::string v;
    if (auto it = kValueOptions.find(a); it != kValueOptions.end()) {
        if (!takeValue(o.*(it->second))) return false;
        o.ownCallGiven |= a == "--own-call";
        o.ownPrefixGiven |= a == "--own-prefix";
    } else if (auto box = kDialogOptions.find(a); box != kDialogOptions.end()) {
        if (!takeValue(v)) return false;
        o.answers.emplace_back(box->second, v);
    } else if (a == "--claimed") {
        return error = "--claimed has no effect: the Cabrillo file's CLAIMED-SCORE is the score the plug-in "
                       "computes; leave it out", false;
    } else if (auto list = kListOptions.find(a); list != kListOptions.end()) {
        if (!takeValue(v)) return false;
        (o.*(list->second)).push_back(v);
    } else if (auto flag = kFlagOptions.find(a); flag != kFlagOptions.end() && !inlineValue) {
        o.*(flag->second) = true;
    } else if (a.size() > 1 && a[0] == '-') {
        return error = "unknown option " + a, false;
    } else {
        o.positional.push_back(a);
    }
    return true;
}

// The command and its words, and the options that go with it.
bool checkCommand(Options& o, std::string& error) {
    if (o.positional.empty()) return error = "no command", false;
    o.command = o.positional[0];
    o.positional.erase(o.positional.begin());
    const std::string& c = o.command;
    if (c != "score" && c != "export" && c != "check" && c != "script" && c != "report")
        return error = "unknown command " + c, false;
    if (c == "check" && o.positional.size() < 2 && o.exchanges.empty())
        return error = "check wants LOG and at least one CALL or --exchange", false;
    if (c != "check" && o.positional.size() != 1) return error = c + " wants exactly one file", false;
    if (c == "check" && o.positional.empty()) return error = "check wants LOG", false;
    if (o.html && c != "score") return error = "--html goes with score", false;
    if (o.allQsos && c == "report")
        return error = "a report shows the contest's hours: --all-qsos goes with score, export and check", false;
    if ((o.cancel || !o.answers.empty()) && c != "export") return error = "header answers go with export", false;
    if (!o.contestMode.empty() && o.contestMode != "CW" && o.contestMode != "SSB")
        return error = "--contest-mode is CW or SSB", false;
    if (!o.band.empty()) {
        const std::string band = contestBand(o.band);
        if (band.empty()) {
            error = "--band " + o.band + " is none of the contest's bands:";
            for (const char* b : contestBands()) error += std::string(" ") + b;
            return false;
        }
        o.band = band;
    }
    return true;
}

// The first of the files that exists, else empty.
std::string firstFile(std::initializer_list<std::string> candidates) {
    std::error_code ec;
    for (const std::string& c : candidates)
        if (std::filesystem::is_regular_file(c, ec)) return c;
    return {};
}

} // namespace

bool parseOptions(int argc, char** argv, Options& o, std::string& error) {
    for (int i = 1; i < argc; ++i)
        if (!readWord(argc, argv, i, o, error)) return false;
    return checkCommand(o, error);
}

bool findDefaults(Options& o, std::string& error) {
    const std::string folder = programFolder();
    if (o.plugin.empty()) {
        o.plugin = folder.empty() ? std::string()
                                  : firstFile({folder + pluginFileName(), folder + "../Plugins/" + pluginFileName()});
        if (o.plugin.empty())
            return error = std::string("no --plugin PATH, and no ") + pluginFileName() + " beside hostsim or in "
                           "../Plugins", false;
    }
    if (o.cty.empty()) {
        const char* named = std::getenv("HOSTSIM_CTY");
        const bool system = named == nullptr || *named == '\0';
#ifdef _WIN32
        // Windows has no system's country file: a release brings its own, in tools beside hostsim.exe.
        const std::string systemFile = system ? std::string() : named;
        const std::string elsewhere = system ? std::string() : ", and no " + systemFile + " (named by HOSTSIM_CTY)";
        const std::string advice = "; a release has its cty.dat in tools, beside hostsim.exe: put one there, or "
                                   "give --cty FILE";
#else
        const std::string systemFile = system ? kDebianCtyFile : named;
        const std::string elsewhere = ", and no " + systemFile +
                                      (system ? " (Debian's hamradio-files package)" : " (named by HOSTSIM_CTY)");
        const std::string advice = "; put a cty.dat beside hostsim, or give --cty FILE";
#endif
        o.cty = firstFile({folder.empty() ? std::string() : folder + "cty.dat", systemFile});
        if (o.cty.empty())
            o.ctyMissing = "no country file found: no cty.dat beside hostsim" +
                           (folder.empty() ? std::string() : " in " + folder) + elsewhere + advice;
    }
    return true;
}
