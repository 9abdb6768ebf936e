#include "engine/bad_qso_file.h"

#include <algorithm>

BadQsoFile g_badQsoFile;

void BadQsoFile::restart(std::string name, const char* title) noexcept {
    detach();
    m_name = std::move(name);
    m_title = title;
    m_active = true;
    m_told = false;
    writeWhole();
}

void BadQsoFile::retitle(const char* title) noexcept {
    m_title = title;
    m_lines.clear();
    m_lineCount = 0;
    if (m_active) writeWhole();
}

void BadQsoFile::detach() noexcept {
    m_append.close();
    m_lines.clear();
    m_lineCount = 0;
    m_active = m_inStep = false;
    m_missed = 0;
}

void BadQsoFile::reserve(std::size_t bytes) {
    // Doubling, so that a pass of many bad lines reallocates a few times, not at every line.
    if (m_lines.size() + bytes > m_lines.capacity()) m_lines.reserve(std::max(m_lines.size() + bytes, 2 * m_lines.capacity()));
}

void BadQsoFile::append(std::string_view lines) noexcept {
    if (lines.empty()) return;
    m_lines.append(lines); // reserved: no allocation
    m_lineCount += static_cast<std::size_t>(std::count(lines.begin(), lines.end(), '\n'));
    if (!m_active) return;
    if (m_inStep) {
        try {
            if (m_append.append(m_name, lines)) return;
        } catch (...) {
        }
        // A line the file did not take: the file is written again whole, never appended to past the gap.
        m_append.close();
        m_inStep = false;
        m_missed = 0;
    }
    // A file held by another program is tried again, but not at every line: at the 1st, 2nd, 4th, 8th... line
    // since, so that a long hold costs a few rewrites, not one per line.
    ++m_missed;
    if ((m_missed & (m_missed - 1)) == 0) writeWhole();
}

std::string BadQsoFile::linesWithout(const std::vector<std::string>& owned) const {
    std::vector<bool> gone(owned.size(), false);
    std::string kept;
    std::string_view rest = m_lines;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view whole = rest.substr(0, end == std::string_view::npos ? rest.size() : end + 1);
        rest.remove_prefix(whole.size());
        std::string_view line = whole;
        if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::size_t own = 0;
        while (own < owned.size() && (gone[own] || owned[own] != line)) ++own;
        if (own < owned.size()) {
            gone[own] = true;
            continue;
        }
        kept += whole;
    }
    return kept;
}

void BadQsoFile::replaceLines(std::string&& lines) noexcept {
    m_lines.swap(lines);
    m_lineCount = static_cast<std::size_t>(std::count(m_lines.begin(), m_lines.end(), '\n'));
    if (m_active) writeWhole();
}

bool BadQsoFile::catchUp() noexcept {
    if (!m_active || m_inStep) return true;
    return writeWhole();
}

bool BadQsoFile::troubleToTell() noexcept {
    if (catchUp() || m_told) return false;
    m_told = true;
    return true;
}

// Replaced whole where the system allows it; where another program holds the file and refuses its replacement
// but lets it be written (a viewer opens it so), written in place: the file is made again from the lines here at
// any time, so a file cut short by a failure in between costs nothing.
bool BadQsoFile::writeWhole() noexcept {
    // The kept-open append handle would go on writing into the file being replaced.
    m_append.close();
    try {
        std::string text;
        text.reserve(m_title.size() + m_lines.size());
        text += m_title;
        text += m_lines;
        m_inStep = platform::writeWholeFile(m_name, text) || platform::overwriteFile(m_name, text);
    } catch (...) {
        m_inStep = false;
    }
    if (m_inStep) m_missed = 0;
    return m_inStep;
}

std::string badQsoFileTroubleText(const std::string& name) {
    return "The bad-QSO file " + name +
           " cannot be written: another program may hold it, or the disk may be full. Its lines are kept and go "
           "into the file as soon as it can be written; \"Bad QSO\" counts them all.";
}
