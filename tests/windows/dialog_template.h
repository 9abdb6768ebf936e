// Reads a dialog template (the extended binary form resource compilers write for DIALOGEX) out of a module's
// resources, so that tests can compare it with the layout the windows are drawn to.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct TemplateControl {
    DWORD style = 0;
    DWORD exStyle = 0;
    int id = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string className;  // predefined classes by name: "Button", "Edit", "Static", "ListBox", "ComboBox"
    std::string text;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    int pointSize = 0;
    int weight = 0;
    bool italic = false;
    std::string face;
    std::vector<TemplateControl> controls;

    const TemplateControl* control(int id) const;
};

// Empty error text when the template was found and read whole.
std::string readDialogTemplate(HMODULE module, int id, DialogTemplate& out);
// Parses the bytes of an extended template.
std::string parseDialogTemplate(const unsigned char* bytes, std::size_t size, DialogTemplate& out);
