#include "dialog_template.h"

namespace {

class Reader {
public:
    Reader(const unsigned char* bytes, std::size_t size) : m_bytes(bytes), m_size(size) {}

    bool failed() const { return m_failed; }
    unsigned word() {
        if (!need(2)) return 0;
        const unsigned value = m_bytes[m_at] | m_bytes[m_at + 1] << 8;
        m_at += 2;
        return value;
    }
    DWORD dword() {
        const DWORD low = word();
        return low | static_cast<DWORD>(word()) << 16;
    }
    int shortValue() { return static_cast<short>(word()); }
    unsigned char byte() {
        if (!need(1)) return 0;
        return m_bytes[m_at++];
    }
    // A zero-terminated UTF-16 text; the templates hold ASCII only, anything else shows as '?'.
    std::string text() {
        std::string out;
        for (unsigned c = word(); c != 0 && !m_failed; c = word()) out += c < 0x80 ? static_cast<char>(c) : '?';
        return out;
    }
    // A name or a number: nothing, 0xFFFF and a number, or a text.
    std::string nameOrNumber(const char* const* numbers = nullptr) {
        const unsigned first = peekWord();
        if (first == 0) {
            word();
            return {};
        }
        if (first == 0xFFFF) {
            word();
            const unsigned number = word();
            if (numbers && number >= 0x80 && number <= 0x85) return numbers[number - 0x80];
            std::string ordinal = std::to_string(number);
            ordinal.insert(ordinal.begin(), '#');
            return ordinal;
        }
        return text();
    }
    void alignToDword() { m_at = (m_at + 3) & ~static_cast<std::size_t>(3); }
    void skip(std::size_t count) {
        if (need(count)) m_at += count;
    }

private:
    unsigned peekWord() { return need(2) ? (m_bytes[m_at] | m_bytes[m_at + 1] << 8) : 0; }
    bool need(std::size_t count) {
        if (m_at + count > m_size) m_failed = true;
        return !m_failed;
    }

    const unsigned char* m_bytes;
    std::size_t m_size;
    std::size_t m_at = 0;
    bool m_failed = false;
};

const char* const kClassAtoms[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};

} // namespace

const TemplateControl* DialogTemplate::control(int id) const {
    for (const TemplateControl& c : controls) {
        if (c.id == id) return &c;
    }
    return nullptr;
}

std::string parseDialogTemplate(const unsigned char* bytes, std::size_t size, DialogTemplate& out) {
    out = DialogTemplate{};
    Reader in(bytes, size);
    if (in.word() != 1 || in.word() != 0xFFFF) return "not an extended dialog template";
    in.dword();  // help id
    out.exStyle = in.dword();
    out.style = in.dword();
    const unsigned count = in.word();
    out.x = in.shortValue();
    out.y = in.shortValue();
    out.cx = in.shortValue();
    out.cy = in.shortValue();
    in.nameOrNumber();  // menu
    in.nameOrNumber();  // window class
    out.caption = in.text();
    if (out.style & (DS_SETFONT | DS_SHELLFONT)) {
        out.pointSize = in.word();
        out.weight = in.word();
        out.italic = in.byte() != 0;
        in.byte();  // character set
        out.face = in.text();
    }
    for (unsigned i = 0; i < count && !in.failed(); ++i) {
        in.alignToDword();
        TemplateControl c;
        in.dword();  // help id
        c.exStyle = in.dword();
        c.style = in.dword();
        c.x = in.shortValue();
        c.y = in.shortValue();
        c.cx = in.shortValue();
        c.cy = in.shortValue();
        c.id = static_cast<int>(static_cast<LONG>(in.dword()));
        c.className = in.nameOrNumber(kClassAtoms);
        c.text = in.nameOrNumber();
        in.skip(in.word());  // creation data
        out.controls.push_back(c);
    }
    return in.failed() ? "the template ends early" : "";
}

std::string readDialogTemplate(HMODULE module, int id, DialogTemplate& out) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    if (!found) return "no dialog template " + std::to_string(id);
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return "dialog template " + std::to_string(id) + " does not load";
    return parseDialogTemplate(static_cast<const unsigned char*>(bytes), SizeofResource(module, found), out);
}
