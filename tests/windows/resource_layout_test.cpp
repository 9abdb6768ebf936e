// The resources inside the built VU-VO.dll: every dialog template control by control (ids, kinds, styles, texts,
// positions and sizes in dialog units), the header dialog's combo box lists and the window icon. The expected
// values are written out here from the windows' descriptions, not taken from the .rc file; the ids are those the
// code addresses (resource.h, and the grids' one table in ui/widgets/multiplier_grid.cpp).
#include <windows.h>

#include <string>
#include <vector>

#include "dialog_template.h"
#include "engine/jidx_rules.h"
#include "platform/win32/dialog_win32.h"
#include "resources/resource.h"
#include "ui/master_panel.h"
#include "ui/widgets/multiplier_grid.h"
#include "built_plugin.h"

#include <gtest/gtest.h>

namespace {

struct Rect {
    int x, y, cx, cy;
    bool operator==(const Rect&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rect& r) {
    return out << "(" << r.x << ", " << r.y << ", " << r.cx << ", " << r.cy << ")";
}

Rect rectOf(const TemplateControl& c) { return {c.x, c.y, c.cx, c.cy}; }

bool has(DWORD style, DWORD bits) { return (style & bits) == bits; }

// Window class names are matched without regard to case ("BUTTON" is "Button").
bool sameClass(const std::string& a, const char* b) { return lstrcmpiA(a.c_str(), b) == 0; }

enum class Kind { edit, multiLineEdit, dropDownCombo, pushButton, defaultPushButton, autoCheckBox, leftText, ownerDrawButton };

const char* kindName(Kind kind) {
    switch (kind) {
    case Kind::edit: return "edit";
    case Kind::multiLineEdit: return "multi-line edit";
    case Kind::dropDownCombo: return "drop-down combo box";
    case Kind::pushButton: return "push button";
    case Kind::defaultPushButton: return "default push button";
    case Kind::autoCheckBox: return "automatic check box";
    case Kind::leftText: return "static text";
    case Kind::ownerDrawButton: return "owner-drawn button";
    }
    return "?";
}

// Whether the control is of the kind, by its class and the style bits that make the kind.
bool isKind(const TemplateControl& c, Kind kind) {
    const DWORD type = c.style & 0x0F;
    switch (kind) {
    case Kind::edit: return sameClass(c.className, "Edit") && !(c.style & ES_MULTILINE) && has(c.style, WS_BORDER);
    case Kind::multiLineEdit:
        return sameClass(c.className, "Edit") && has(c.style, ES_MULTILINE | WS_VSCROLL | WS_BORDER);
    case Kind::dropDownCombo: return sameClass(c.className, "ComboBox") && (c.style & 3) == CBS_DROPDOWN;
    case Kind::pushButton: return sameClass(c.className, "Button") && type == BS_PUSHBUTTON;
    case Kind::defaultPushButton: return sameClass(c.className, "Button") && type == BS_DEFPUSHBUTTON;
    case Kind::autoCheckBox: return sameClass(c.className, "Button") && type == BS_AUTOCHECKBOX;
    case Kind::leftText: return sameClass(c.className, "Static") && (c.style & SS_TYPEMASK) == SS_LEFT;
    case Kind::ownerDrawButton: return sameClass(c.className, "Button") && type == BS_OWNERDRAW;
    }
    return false;
}

class Resources : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        module = LoadLibraryExA(builtPluginPath().c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    static void TearDownTestSuite() {
        if (module) FreeLibrary(module);
        module = nullptr;
    }
    void SetUp() override { ASSERT_NE(nullptr, module) << builtPluginPath() << ": error " << GetLastError(); }

    DialogTemplate load(int id) {
        DialogTemplate t;
        const std::string error = readDialogTemplate(module, id, t);
        EXPECT_EQ("", error);
        return t;
    }

    // The one control with this id, of this kind, at this place, with this text, visible and a child.
    void expectControl(const DialogTemplate& t, int id, Kind kind, Rect at, const std::string& text = "") {
        SCOPED_TRACE("control " + std::to_string(id));
        int found = 0;
        for (const TemplateControl& c : t.controls) found += c.id == id;
        ASSERT_EQ(1, found);
        const TemplateControl& c = *t.control(id);
        EXPECT_TRUE(isKind(c, kind)) << "not a " << kindName(kind) << ": class " << c.className << ", style 0x"
                                     << std::hex << c.style;
        EXPECT_EQ(at, rectOf(c));
        EXPECT_TRUE(has(c.style, WS_CHILD | WS_VISIBLE));
        if (kind != Kind::edit && kind != Kind::multiLineEdit && kind != Kind::dropDownCombo) {
            EXPECT_EQ(text, c.text);
        }
    }

    // A grid's template against the grid's table: multiplier k is the template's k-th control (the tab order
    // follows the numbers), a check box labelled with its number and numbered as the table says; the buttons stand
    // in rows and columns as rowOf and columnOf place them, a row wholly above the next and a column wholly left of
    // the next, all of one height, inside the window.
    template <class RowOf, class ColumnOf>
    void expectGrid(const DialogTemplate& t, const widgets::GridSpec& grid, const char* labelFormat, RowOf rowOf,
                    ColumnOf columnOf) {
        ASSERT_EQ(static_cast<std::size_t>(grid.count), t.controls.size());
        for (int k = 1; k <= grid.count; ++k) {
            SCOPED_TRACE("multiplier " + std::to_string(k));
            const TemplateControl& c = t.controls[k - 1];
            EXPECT_EQ(widgets::controlId(grid, k), c.id);
            EXPECT_TRUE(isKind(c, Kind::autoCheckBox)) << "class " << c.className << ", style 0x" << std::hex
                                                       << c.style;
            EXPECT_TRUE(has(c.style, WS_CHILD | WS_VISIBLE | WS_TABSTOP));
            char label[8];
            std::snprintf(label, sizeof label, labelFormat, k);
            EXPECT_EQ(label, c.text);
            EXPECT_EQ(t.controls[0].cy, c.cy);
            EXPECT_GT(c.cx, 0);
            EXPECT_GE(c.x, 0);
            EXPECT_GE(c.y, 0);
            EXPECT_LE(c.x + c.cx, t.cx);
            EXPECT_LE(c.y + c.cy, t.cy);
            for (int j = 1; j <= grid.count; ++j) {
                const TemplateControl& other = t.controls[j - 1];
                if (rowOf(k) < rowOf(j)) {
                    EXPECT_LE(c.y + c.cy, other.y) << "above " << j;
                }
                if (columnOf(k) < columnOf(j)) {
                    EXPECT_LE(c.x + c.cx, other.x) << "left of " << j;
                }
            }
        }
    }

    static HMODULE module;
};

HMODULE Resources::module = nullptr;

// ---- 101, the Cabrillo header dialog

struct HeaderBox {
    int id;
    Kind kind;
    const char* label;
    Rect at;
};

const HeaderBox kHeaderBoxes[] = {
    {1009, Kind::edit, "CONTEST", {55, 9, 190, 12}},
    {1010, Kind::edit, "CALLSIGN", {55, 23, 88, 12}},
    {1008, Kind::edit, "CLAIMED", {184, 23, 61, 12}},
    {1013, Kind::dropDownCombo, "CATEGORY-OPERATOR", {96, 38, 69, 42}},
    {1127, Kind::dropDownCombo, "LOCATION", {215, 38, 30, 252}},
    {1118, Kind::dropDownCombo, "CATEGORY-BAND", {95, 52, 70, 88}},
    {1125, Kind::dropDownCombo, "CATEGORY-MODE", {95, 66, 70, 88}},
    {1123, Kind::dropDownCombo, "CATEGORY-POWER", {95, 79, 70, 88}},
    {1122, Kind::dropDownCombo, "CATEGORY-TRANSMITTER", {105, 92, 59, 42}},
    {1007, Kind::edit, "NAME", {55, 106, 191, 12}},
    {1002, Kind::edit, "ADDRESS", {55, 119, 191, 12}},
    {1003, Kind::edit, "ADDRESS-CITY", {65, 132, 181, 12}},
    {1011, Kind::edit, "ADDRESS-POSTALCODE", {97, 145, 149, 12}},
    {1012, Kind::edit, "ADDRESS-COUNTRY", {97, 158, 149, 12}},
    {1006, Kind::multiLineEdit, "OPERATORS", {55, 171, 191, 33}},
    {1005, Kind::edit, "CLUB", {55, 204, 191, 12}},
    {1001, Kind::multiLineEdit, "SOAPBOX", {55, 218, 191, 31}},
    {1004, Kind::edit, "E-MAIL", {55, 249, 191, 12}},
};

TEST_F(Resources, HeaderDialogFrameCaptionAndFont) {
    const DialogTemplate t = load(101);
    EXPECT_EQ((Rect{0, 0, 255, 330}), (Rect{0, 0, t.cx, t.cy}));
    EXPECT_TRUE(has(t.style, WS_POPUP | WS_CAPTION | WS_SYSMENU));
    EXPECT_FALSE(t.style & WS_THICKFRAME);
    EXPECT_TRUE(t.style & DS_CENTER);  // not hidden under the main window in the screen's corner
    EXPECT_EQ("JIDX-CW/SSB Contest", t.caption);
    EXPECT_EQ("MS Sans Serif", t.face);
    EXPECT_EQ(8, t.pointSize);
    // The eighteen boxes, their labels and the two buttons; nothing else.
    EXPECT_EQ(18u + 18u + 2u, t.controls.size());
}

TEST_F(Resources, HeaderDialogBoxesAndButtons) {
    const DialogTemplate t = load(101);
    for (const HeaderBox& box : kHeaderBoxes) expectControl(t, box.id, box.kind, box.at);
    expectControl(t, IDOK, Kind::defaultPushButton, {80, 275, 51, 21}, "OK");
    expectControl(t, IDCANCEL, Kind::pushButton, {145, 275, 46, 21}, "CANCEL");
}

TEST_F(Resources, HeaderDialogBoxStyles) {
    const DialogTemplate t = load(101);
    for (const HeaderBox& box : kHeaderBoxes) {
        SCOPED_TRACE(box.label);
        const TemplateControl* c = t.control(box.id);
        ASSERT_NE(nullptr, c);
        EXPECT_TRUE(c->style & WS_TABSTOP);
        const bool noHorizontalScrolling = box.id == 1002 || box.id == 1003 || box.id == 1011 || box.id == 1012;
        if (box.kind == Kind::edit) {
            EXPECT_EQ(!noHorizontalScrolling, (c->style & ES_AUTOHSCROLL) != 0);
        }
        if (box.kind == Kind::dropDownCombo) {
            EXPECT_EQ(box.id == 1122, (c->style & CBS_SORT) != 0);
        }
    }
    // OPERATORS leaves Enter to the dialog (Ctrl+Enter breaks the line); SOAPBOX takes Enter as a line break.
    EXPECT_FALSE(t.control(1006)->style & ES_WANTRETURN);
    EXPECT_TRUE(t.control(1001)->style & ES_WANTRETURN);
    EXPECT_FALSE(t.control(1006)->style & ES_AUTOHSCROLL);
    EXPECT_FALSE(t.control(1001)->style & ES_AUTOHSCROLL);
}

// Each label stands on its box's row, left of it, with no other control between them.
TEST_F(Resources, HeaderDialogLabelsStandBesideTheirBoxes) {
    const DialogTemplate t = load(101);
    for (const HeaderBox& box : kHeaderBoxes) {
        SCOPED_TRACE(box.label);
        const TemplateControl* label = nullptr;
        for (const TemplateControl& c : t.controls) {
            if (c.text == box.label && isKind(c, Kind::leftText)) label = &c;
        }
        ASSERT_NE(nullptr, label);
        const int rowTop = box.at.y;
        const int rowBottom = box.at.y + (box.kind == Kind::dropDownCombo ? 12 : box.at.cy);
        EXPECT_GE(label->y, rowTop);
        EXPECT_LE(label->y + label->cy, rowBottom);
        EXPECT_LE(label->x + label->cx, box.at.x);
        EXPECT_GE(label->x, 0);
        for (const TemplateControl& other : t.controls) {
            if (&other == label || other.id == box.id) continue;
            const bool sameRow = other.y < rowBottom && other.y + 8 > rowTop;
            const bool between = other.x >= label->x + label->cx && other.x + other.cx <= box.at.x;
            EXPECT_FALSE(sameRow && between) << "\"" << other.text << "\" stands between";
        }
    }
}

TEST_F(Resources, HeaderDialogComboLists) {
    std::vector<CDialog::InitEntry> entries;
    ASSERT_TRUE(CDialog::ReadInitList(module, 101, entries));
    std::vector<std::string> lists[2000];
    for (const auto& entry : entries) {
        EXPECT_EQ(0x0403u, entry.message) << entry.text;
        ASSERT_TRUE(entry.control > 0 && entry.control < 2000);
        lists[entry.control].push_back(entry.text);
    }
    using L = std::vector<std::string>;
    EXPECT_EQ((L{"SINGLE-OP", "MULTI-OP", "CHECKLOG"}), lists[1013]);
    EXPECT_EQ((L{"ALL", "160", "80M", "40M", "20M", "15M", "10M"}), lists[1118]);
    EXPECT_EQ((L{"ONE", "TWO", "UNLIMITED"}), lists[1122]);
    EXPECT_EQ((L{"HIGH", "LOW"}), lists[1123]);
    EXPECT_EQ((L{"CW", "SSB"}), lists[1125]);
    const L location = {"DX", "--/--", "AL", "AK", "AZ", "AR", "CA", "CO", "CT", "DE", "FL", "GA", "ID",
                        "IL", "IN", "IA", "KS", "KY", "LA", "ME", "MA", "MI", "MN", "MS", "MO", "MT",
                        "NE", "NV", "NH", "NJ", "NM", "NY", "NC", "ND", "OH", "OK", "OR", "PA", "RI",
                        "SC", "SD", "TN", "TX", "UT", "VT", "VA", "WA", "WV", "WI", "WY", "NB", "NS",
                        "QC", "ON", "MB", "SK", "AB", "BC", "NWT", "NF", "LB", "NU", "YT", "PEI"};
    ASSERT_EQ(64u, location.size());
    EXPECT_EQ(location, lists[1127]);
    EXPECT_EQ(3u + 7u + 3u + 2u + 2u + 64u, entries.size());
}

// ---- 105, the main information window

TEST_F(Resources, MainWindowTemplate) {
    const DialogTemplate t = load(105);
    EXPECT_EQ(170, t.cx);
    EXPECT_EQ(66, t.cy);
    EXPECT_TRUE(has(t.style, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
    EXPECT_FALSE(t.style & WS_THICKFRAME);
    EXPECT_EQ("Setup VU-VO", t.caption);
    EXPECT_EQ("MS Sans Serif", t.face);
    EXPECT_EQ(8, t.pointSize);
    ASSERT_EQ(7u, t.controls.size());
    expectControl(t, ui::kModeCwBox, Kind::autoCheckBox, {13, 25, 28, 9}, "CW");
    expectControl(t, ui::kModeSsbBox, Kind::autoCheckBox, {44, 25, 28, 9}, "SSB");
    expectControl(t, ui::kViewDxccBox, Kind::autoCheckBox, {83, 25, 33, 9}, "DXCC");
    expectControl(t, ui::kViewZoneBox, Kind::autoCheckBox, {119, 25, 50, 9}, "CQ Zone");
    expectControl(t, ui::kModeLabel, Kind::leftText, {23, 11, 41, 8}, "Mode");
    expectControl(t, ui::kViewLabel, Kind::leftText, {108, 11, 47, 8}, "View");
    expectControl(t, ui::kWindowOnTopBox, Kind::autoCheckBox, {67, 44, 62, 9}, "Window on top");
}

// ---- 106, the Japan county grid

TEST_F(Resources, CountyGridTemplate) {
    const DialogTemplate t = load(106);
    EXPECT_EQ(172, t.cx);
    EXPECT_EQ(121, t.cy);
    EXPECT_TRUE(has(t.style, WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN |
                                 WS_CLIPSIBLINGS));
    EXPECT_TRUE(has(t.exStyle, WS_EX_STATICEDGE | WS_EX_CLIENTEDGE));
    EXPECT_EQ("Japan County", t.caption);
    EXPECT_EQ("MS Sans Serif", t.face);
    EXPECT_EQ(8, t.pointSize);
    // County k in column (k - 1) mod 5, row (k - 1) div 5; every button of one size.
    expectGrid(t, widgets::kCountyGrid, "%02d", [](int k) { return (k - 1) / 5; }, [](int k) { return (k - 1) % 5; });
    for (const TemplateControl& c : t.controls) EXPECT_EQ(t.controls[0].cx, c.cx) << c.text;
}

// ---- 108, the DXCC window

TEST_F(Resources, DxccWindowTemplate) {
    const DialogTemplate t = load(108);
    EXPECT_EQ(242, t.cx);
    EXPECT_EQ(142, t.cy);
    EXPECT_TRUE(has(t.style, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN | WS_CLIPSIBLINGS));
    EXPECT_FALSE(t.style & WS_VISIBLE);
    EXPECT_EQ("DXCC", t.caption);
    EXPECT_EQ("MS Sans Serif", t.face);
    EXPECT_EQ(8, t.pointSize);
    ASSERT_EQ(1u, t.controls.size());
    expectControl(t, IDC_DXCC_PANEL, Kind::ownerDrawButton, {2, 1, 237, 138}, "Button1");
    EXPECT_TRUE(has(t.control(IDC_DXCC_PANEL)->style, BS_FLAT | BS_NOTIFY | WS_TABSTOP));
}

// ---- 111, the CQ zone grid

TEST_F(Resources, ZoneGridTemplate) {
    const DialogTemplate t = load(111);
    EXPECT_EQ(103, t.cx);
    EXPECT_EQ(121, t.cy);
    EXPECT_TRUE(has(t.style, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
    EXPECT_FALSE(t.style & (WS_VISIBLE | WS_THICKFRAME));
    EXPECT_EQ("Zone", t.caption);
    EXPECT_EQ("MS Shell Dlg", t.face);
    EXPECT_EQ(8, t.pointSize);
    EXPECT_EQ(FW_NORMAL, t.weight);
    EXPECT_FALSE(t.italic);
    // Zone z in column (z - 1) div 10, row (z - 1) mod 10.
    expectGrid(t, widgets::kZoneGrid, "%d", [](int z) { return (z - 1) % 10; }, [](int z) { return (z - 1) / 10; });
}

// ---- what else the module holds

BOOL CALLBACK collectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
    if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<int>*>(names)->push_back(LOWORD(name));
    return TRUE;
}

TEST_F(Resources, HoldsExactlyTheFiveTemplatesAndOneIcon) {
    std::vector<int> dialogs;
    EnumResourceNamesA(module, MAKEINTRESOURCEA(5) /* RT_DIALOG */, collectName,
                       reinterpret_cast<LONG_PTR>(&dialogs));
    EXPECT_EQ((std::vector<int>{101, 105, 106, 108, 111}), dialogs);
    std::vector<int> icons;
    EnumResourceNamesA(module, MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, collectName,
                       reinterpret_cast<LONG_PTR>(&icons));
    EXPECT_EQ((std::vector<int>{110}), icons);
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(Resources, IconIsOneImageOf25By16In24BitColour) {
    HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(110), MAKEINTRESOURCEA(14));
    ASSERT_NE(nullptr, group);
    const auto* dir = static_cast<const WORD*>(LockResource(LoadResource(module, group)));
    ASSERT_NE(nullptr, dir);
    EXPECT_EQ(1, dir[1]);  // an icon, not a cursor
    ASSERT_EQ(1, dir[2]);  // one image
    const auto* entry = reinterpret_cast<const IconGroupEntry*>(dir + 3);
    EXPECT_EQ(25, entry->width);
    EXPECT_EQ(16, entry->height);
    EXPECT_EQ(24, entry->bitCount);

    HRSRC image = FindResourceA(module, MAKEINTRESOURCEA(entry->id), MAKEINTRESOURCEA(3) /* RT_ICON */);
    ASSERT_NE(nullptr, image);
    ASSERT_GE(SizeofResource(module, image), sizeof(BITMAPINFOHEADER));
    const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, image)));
    ASSERT_NE(nullptr, header);
    EXPECT_EQ(25, header->biWidth);
    EXPECT_EQ(2 * 16, header->biHeight);  // colour and mask bitmaps together
    EXPECT_EQ(24, header->biBitCount);
    EXPECT_EQ(static_cast<DWORD>(BI_RGB), header->biCompression);
    // 16 rows of 25 pixels (76 bytes a row) and the mask (4 bytes a row).
    EXPECT_EQ(sizeof(BITMAPINFOHEADER) + 16 * 76 + 16 * 4, SizeofResource(module, image));

    // The system makes a 25 x 16 icon of it.
    HICON icon = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(110), IMAGE_ICON, 0, 0, 0));
    ASSERT_NE(nullptr, icon);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    ASSERT_TRUE(info.hbmColor != nullptr);
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(25, colour.bmWidth);
    EXPECT_EQ(16, colour.bmHeight);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

// An initialisation list is read record by record; one that runs past its end or lacks its end mark is refused.
TEST(InitList, ReadsRecordsAndRefusesBrokenLists) {
    std::vector<CDialog::InitEntry> entries;
    const unsigned char good[] = {0xF5, 0x03, 0x03, 0x04, 3, 0, 0, 0, 'C', 'W', 0,
                                  0xF5, 0x03, 0x03, 0x04, 4, 0, 0, 0, 'S', 'S', 'B', 0, 0, 0};
    ASSERT_TRUE(CDialog::ParseInitList(good, sizeof good, entries));
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ(1013, entries[0].control);
    EXPECT_EQ(0x0403u, entries[0].message);
    EXPECT_EQ("CW", entries[0].text);
    EXPECT_EQ("SSB", entries[1].text);
    EXPECT_FALSE(CDialog::ParseInitList(good, sizeof good - 2, entries));  // no end mark
    EXPECT_FALSE(CDialog::ParseInitList(good, 10, entries));               // text cut
    EXPECT_FALSE(CDialog::ParseInitList(good, 5, entries));                // record cut
    EXPECT_FALSE(CDialog::ParseInitList(good, 0, entries));
    const unsigned char empty[] = {0, 0};
    EXPECT_TRUE(CDialog::ParseInitList(empty, sizeof empty, entries));
    EXPECT_TRUE(entries.empty());
    // This program links no resources: no list at all reads as an empty one.
    entries = {{1, 2, "x"}};
    EXPECT_TRUE(CDialog::ReadInitList(GetModuleHandleA(nullptr), 101, entries));
    EXPECT_TRUE(entries.empty());
}

TEST(TemplateParser, RefusesAShortOrForeignTemplate) {
    DialogTemplate t;
    const unsigned char plain[] = {0xC8, 0x00, 0xC8, 0x80, 0, 0};  // an old-style template's style bits
    EXPECT_NE("", parseDialogTemplate(plain, sizeof plain, t));
    const unsigned char cut[] = {1, 0, 0xFF, 0xFF, 0, 0};
    EXPECT_NE("", parseDialogTemplate(cut, sizeof cut, t));
}

} // namespace
