// Without windows the plug-in's dialog port reads the answers file that DialogAnswers::publish wrote, and its
// message port appends what it says to the file named by VUVO_MESSAGE_LOG: nobody has to press anything.
#include "dialog_operator.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

namespace fs = std::filesystem;

// The message log, removed when hostsim ends.
class MessageLog {
public:
    ~MessageLog() {
        if (m_path.empty()) return;
        std::error_code ec;
        fs::remove(m_path, ec);
    }

    void start() {
        if (!m_path.empty()) return;
        std::error_code ec;
        const fs::path folder = fs::temp_directory_path(ec);
        if (ec) return;
        std::random_device random;
        for (int n = 0; n < 1000 && m_path.empty(); ++n) {
            const fs::path candidate = folder / ("hostsim-messages-" + std::to_string(random()) + ".txt");
            if (!fs::exists(candidate, ec)) m_path = candidate.string();
        }
        if (m_path.empty()) return;
        std::ofstream(m_path, std::ios::binary | std::ios::trunc);
        setenv("VUVO_MESSAGE_LOG", m_path.c_str(), 1);
    }

    // The lines added since the last call, each decoded back into the text shown.
    std::vector<std::string> take() {
        std::vector<std::string> texts;
        if (m_path.empty()) return texts;
        std::ifstream in(m_path, std::ios::binary);
        in.seekg(static_cast<std::streamoff>(m_taken));
        std::string line;
        while (std::getline(in, line)) {
            if (in.eof()) break;  // a line still being written
            m_taken += line.size() + 1;
            texts.push_back(decoded(line));
        }
        return texts;
    }

private:
    static std::string decoded(const std::string& line) {
        std::string text;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] != '\\' || i + 1 == line.size()) {
                text += line[i];
                continue;
            }
            const char next = line[++i];
            text += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
        }
        return text;
    }

    std::string m_path;
    std::size_t m_taken = 0;
};

MessageLog& messageLog() {
    static MessageLog log;
    return log;
}

} // namespace

void answerHeaderDialogs(const std::vector<std::pair<std::string, std::string>>&, bool) { messageLog().start(); }

void watchMessages() { messageLog().start(); }

std::vector<std::string> takeMessages() { return messageLog().take(); }
