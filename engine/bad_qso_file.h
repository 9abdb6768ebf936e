// The pass's bad-QSO file, and the lines this pass wrote into it, kept here as well. Nothing depends on reading
// the file back: another program may hold it, a disk may refuse a line, and still "Bad QSO" counts every problem
// of the pass and a removal keeps every other line. The file follows as soon as the system lets it.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

class BadQsoFile {
public:
    // A new file for a new pass: the title (with its line end; a text that lives for ever) and no line. Tries to
    // write it at once.
    void restart(std::string name, const char* title) noexcept;
    // The same pass's file again, under another title and without its lines (the contest mode changed).
    void retitle(const char* title) noexcept;
    // Forgets the pass's lines and lets go of the file; until the next restart no file is written. Never throws.
    void detach() noexcept;

    // Room for this many more bytes of lines, so that the append after it cannot fail for memory.
    void reserve(std::size_t bytes);
    // Whole lines, each with its end, reserved before. Never throws: a file that refuses them falls out of step.
    void append(std::string_view lines) noexcept;
    // The lines without one of each of these (a removed QSO's own lines); the file's title not among them.
    std::string linesWithout(const std::vector<std::string>& owned) const;
    // Takes these lines for the pass's own and writes the file again. Never throws.
    void replaceLines(std::string&& lines) noexcept;

    // Title and problem lines: what the file holds when in step; 0 before a pass named a file.
    std::size_t lineCount() const { return m_active ? 1 + m_lineCount : 0; }
    const std::string& name() const { return m_name; }
    const std::string& lines() const { return m_lines; }
    // Writes the file again whole when it fell out of step. True when it holds the pass's lines.
    bool catchUp() noexcept;
    // True once per pass, the first time the file is found out of step after a try to catch up.
    bool troubleToTell() noexcept;
    // Lets go of the file until the next line: between results others may open it as they like (a backup, a
    // scanner that shares nothing). Never throws.
    void letGo() noexcept { m_append.close(); }

private:
    bool writeWhole() noexcept;

    std::string m_name;
    std::string_view m_title;
    std::string m_lines;
    std::size_t m_lineCount = 0;
    bool m_active = false;   // a pass named the file
    bool m_inStep = false;   // the file holds title and lines, and appends may go on
    bool m_told = false;     // this pass's trouble was told
    unsigned m_missed = 0;   // appends since it fell out of step: a whole rewrite is tried at 1, 2, 4, 8, ...
    platform::AppendFile m_append;
};

// What the operator is told, once per pass, when the file does not take the pass's lines.
std::string badQsoFileTroubleText(const std::string& name);

// The pass's one bad-QSO file.
extern BadQsoFile g_badQsoFile;
