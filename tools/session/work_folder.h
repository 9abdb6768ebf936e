// The folder the plug-in works in, and the folder its files are handed to the operator in.
//
// The plug-in takes the host's folder for its own: it writes its settings (Plugins/VU-VO.ini), its bad-QSO file and
// its Cabrillo file into the current folder, and looks for the host's ini file (Tarn2.ini) through the folder that
// ResetStats0 names. hostsim makes both the work folder, a folder of its own: a new temporary one for the run
// (removed at the end), or one the operator names with --work DIR (kept, so that a later run finds the plug-in's
// settings there). A folder hostsim makes holds its marker file; hostsim works in no other folder that holds
// anything, so that it never works in the host's folder and never changes a file it did not make. What the
// operator asked for (a Cabrillo file, a bad-QSO file) is then copied whole into the output folder: the one
// hostsim was started in, or --out DIR.
#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <utility>

class WorkFolder {
public:
    // The marker file hostsim writes into every work folder it makes.
    static constexpr const char* kMarker = "hostsim-work-folder.txt";

    WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;
    // Leaves the work folder for the one hostsim was started in; a temporary one is removed.
    ~WorkFolder();

    // The output folder: "" for the one hostsim was started in, else DIR, made when missing. False, with why,
    // when it cannot be made.
    bool setOutput(const std::string& dir, std::string& why);
    // A path given on the command line, as seen from the folder hostsim was started in (unchanged when absolute
    // or empty).
    std::string fromStart(const std::string& path) const;

    // Whether --work DIR may be used: a new folder, an empty one, or one that holds the marker. False, with why,
    // when it holds anything else (a host's folder, for one) or is a file.
    bool acceptable(const std::string& dir, std::string& why) const;

    enum class Entered { ok, refused, failed };
    // Makes the work folder (dir: --work DIR, or "" for a new temporary one), with Plugins/ and the marker in it,
    // and makes it the current folder. refused: DIR holds files but no marker; failed: it cannot be made or
    // entered. Either way why says so.
    Entered enter(const std::string& dir, std::string& why);
    // The work folder, absolute, ending in a separator (as the host names its folder to the plug-in).
    std::string hostDir() const;
    bool temporary() const { return m_temporary; }
    // The work folder as the operator would look for it.
    std::string shown() const { return m_path.string(); }
    // The output folder, absolute.
    std::string output() const { return m_output.string(); }

    // Whether the plug-in wrote the file (a name in the work folder) during this run: it is there and new, or
    // changed since hostsim entered the folder.
    bool written(const std::string& name) const;

    // Copies the work folder's file whole into the output folder under the same name, replacing a file of that
    // name there (replaced says so); nothing else there is touched. Returns the path where it landed, as the
    // operator named the output folder ("K1VU.cbr", "results/K1VU.cbr"); empty, with why, when it cannot.
    std::string deliver(const std::string& name, bool& replaced, std::string& why) const;

    // The process is ending at once, with the plug-in loaded: the folder stays as it is, and is not removed.
    void abandon() { m_abandoned = true; }

private:
    std::filesystem::path m_start;   // where hostsim was started, absolute
    std::filesystem::path m_output;  // absolute
    std::string m_outputShown;       // as given; "" for the start folder
    std::filesystem::path m_path;    // the work folder, absolute; empty until entered
    bool m_temporary = false;
    bool m_abandoned = false;
    // The regular files of the work folder when it was entered: size and time of the last change.
    std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>> m_before;
};
