#pragma once
// Lines of a text file's bytes, for the files port's readLines.

#include <string>
#include <string_view>
#include <vector>

namespace text {

// The lines of bytes, without their LF or CR LF ends, appended to lines; a last line without an end counts, no
// bytes give no line. Any other byte (a lone CR, a NUL) stays in its line.
void splitLines(std::string_view bytes, std::vector<std::string>& lines);

} // namespace text
