// What the plug-in told the operator, said the same way on every system: its own text, quoted in hostsim's words.
#include "dialog_operator.h"

#include <cstdio>

#include "tools/logs/text_util.h"

std::vector<std::string> tellMessages() {
    std::vector<std::string> texts = takeMessages();
    for (const std::string& text : texts)
        std::fprintf(stderr, "hostsim: the plug-in said: %s\n", escaped(text).c_str());
    std::fflush(stderr);
    return texts;
}
