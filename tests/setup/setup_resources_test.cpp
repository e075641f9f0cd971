// The resources of the built SETUP.EXE read from the binary: dialog templates, strings, icons.
#ifdef _WIN32
#include <windows.h>

#include <string>
#include <vector>

#include "setup/program/setup_state.h"
#include "setup_fixture.h"

namespace {

// One control of a dialog template as stored: class (by name or by its predefined atom, 0x80
// button to 0x83 list box: both name the same system class), text, id, place and style.
struct Control {
    std::string className;
    std::string text;
    int id;
    short x, y, cx, cy;
    DWORD style;
};
struct Dialog {
    DWORD style;
    short cx, cy;
    WORD points;
    std::string font;
    std::vector<Control> controls;
};

// Reads a text or ordinal field of a template, moving past it. Ordinals come back as "#n".
std::string ReadField(const WORD*& at) {
    if (*at == 0xFFFF) {
        std::string ordinal = "#" + std::to_string(at[1]);
        at += 2;
        return ordinal;
    }
    std::string text;
    while (*at) text += char(*at++);
    ++at;
    return text;
}

const WORD* AlignDword(const WORD* at) {
    return reinterpret_cast<const WORD*>((reinterpret_cast<ULONG_PTR>(at) + 3) & ~ULONG_PTR(3));
}

bool ReadDialog(HMODULE module, const char* name, Dialog* dialog) {
    HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(5));  // RT_DIALOG
    if (!found) return false;
    auto* header = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(module, found)));
    dialog->style = header->style;
    dialog->cx = header->cx;
    dialog->cy = header->cy;
    const WORD* at = reinterpret_cast<const WORD*>(header + 1);
    ReadField(at);  // menu
    ReadField(at);  // class
    ReadField(at);  // caption
    if (header->style & DS_SETFONT) {
        dialog->points = *at++;
        dialog->font = ReadField(at);
    }
    for (int i = 0; i < header->cdit; ++i) {
        at = AlignDword(at);
        auto* item = reinterpret_cast<const DLGITEMTEMPLATE*>(at);
        at = reinterpret_cast<const WORD*>(item + 1);
        Control control{};
        std::string className = ReadField(at);
        static const char* const kAtoms[] = {"button", "edit", "static", "listbox"};
        if (className[0] == '#') {
            int atom = std::stoi(className.substr(1));
            className = atom >= 0x80 && atom <= 0x83 ? kAtoms[atom - 0x80] : className;
        }
        CharLowerA(&className[0]);
        control.className = className;
        control.text = ReadField(at);
        control.id = short(item->id);
        control.x = item->x;
        control.y = item->y;
        control.cx = item->cx;
        control.cy = item->cy;
        control.style = item->style;
        at += 1 + *at / sizeof(WORD);  // creation data
        dialog->controls.push_back(control);
    }
    return true;
}

const char kButton[] = "button", kEdit[] = "edit", kStatic[] = "static", kListBox[] = "listbox";
constexpr DWORD kFrame = DS_MODALFRAME | WS_CAPTION | WS_SYSMENU | DS_SETFONT;

struct DialogRow {
    const char* name;
    short cx, cy;
    bool visible;
    std::vector<Control> controls;  // style: the bits that must be set
};

const DialogRow kDialogs[] = {
    {"WELCOME", 192, 116, false, {
        {kStatic, "", 103, 5, 4, 183, 24, SS_NOPREFIX},
        {kStatic, "", 104, 5, 32, 183, 20, SS_NOPREFIX},
        {kStatic, "&Source:", -1, 5, 61, 40, 8, SS_RIGHT},
        {kEdit, "", 106, 47, 59, 141, 12, WS_BORDER | WS_TABSTOP | ES_UPPERCASE | ES_AUTOHSCROLL},
        {kButton, "OK", 1, 46, 94, 42, 16, BS_DEFPUSHBUTTON},
        {kButton, "&Cancel", 2, 104, 94, 42, 16, 0},
        {kStatic, "&Destination:", -1, 5, 76, 40, 8, SS_RIGHT},
        {kEdit, "", 101, 47, 74, 141, 12, WS_BORDER | WS_TABSTOP | ES_UPPERCASE | ES_AUTOHSCROLL}}},
    {"STATUS", 188, 70, false, {
        {kStatic, "", 103, 34, 18, 144, 8, SS_NOPREFIX},
        {kStatic, "", 104, 34, 31, 144, 8, SS_NOPREFIX},
        {kButton, "&Cancel", 2, 73, 48, 42, 16, BS_DEFPUSHBUTTON},
        {kStatic, "CORVANE", -1, 9, 12, 18, 20, SS_ICON},
        {kStatic, "", 105, 34, 5, 144, 8, SS_NOPREFIX}}},
    {"COMPARE", 280, 143, true, {
        {kButton, "Install the Source File", 1, 56, 123, 76, 14, BS_DEFPUSHBUTTON},
        {kButton, "Skip the Source File", 2, 148, 123, 76, 14, 0},
        {kStatic, "The file to be installed (source) appears to be older than the existing file. ", -1, 6, 4, 238, 8, 0},
        // At the first line's left edge: one unit further in, it read as a stray blank.
        {kStatic, "Please review the differences shown. ", -1, 6, 13, 124, 8, 0},
        {kListBox, "", 1101, 4, 38, 272, 81,
         WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_USETABSTOPS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT},
        {kEdit, "", 1100, 4, 24, 264, 12, ES_READONLY | ES_MULTILINE | ES_AUTOHSCROLL}}},
};

TEST_F(InstallerTest, DialogTemplatesHoldTheirControlsInPlace) {
    for (const DialogRow& row : kDialogs) {
        Dialog dialog{};
        ASSERT_TRUE(ReadDialog(g_instance, row.name, &dialog))
            << row.name;
        EXPECT_EQ(dialog.style & kFrame, kFrame) << row.name;
        EXPECT_EQ((dialog.style & WS_VISIBLE) != 0, row.visible) << row.name;
        EXPECT_EQ(dialog.cx, row.cx) << row.name;
        EXPECT_EQ(dialog.cy, row.cy) << row.name;
        EXPECT_EQ(dialog.points, 10) << row.name;
        EXPECT_EQ(dialog.font, "System") << row.name;
        ASSERT_EQ(dialog.controls.size(), row.controls.size()) << row.name;
        for (size_t i = 0; i < row.controls.size(); ++i) {
            const Control& want = row.controls[i];
            const Control& got = dialog.controls[i];
            std::string context = std::string(row.name) + " control " + std::to_string(i);
            EXPECT_EQ(got.className, want.className) << context;
            EXPECT_EQ(got.text, want.text) << context;
            EXPECT_EQ(got.id, want.id) << context;
            EXPECT_EQ(got.x, want.x) << context;
            EXPECT_EQ(got.y, want.y) << context;
            EXPECT_EQ(got.cx, want.cx) << context;
            EXPECT_EQ(got.cy, want.cy) << context;
            EXPECT_EQ(got.style & want.style, want.style) << context;
            EXPECT_TRUE(got.style & WS_VISIBLE) << context;
            if (want.className == kListBox) {
                EXPECT_FALSE(got.style & LBS_SORT) << context;
            }
            if (want.className == kEdit && want.id == 1100) {
                EXPECT_FALSE(got.style & (WS_BORDER | WS_TABSTOP)) << context;
            }
        }
    }
}

// Each icon group holds one 32 by 32 image in 16 colours.
TEST_F(InstallerTest, IconGroupsHoldOne32By32ImageIn16Colours) {
#pragma pack(push, 2)
    struct GroupEntry {
        BYTE width, height, colours, reserved;
        WORD planes, bitCount;
        DWORD bytes;
        WORD id;
    };
    struct Group {
        WORD reserved, type, count;
        GroupEntry entries[1];
    };
#pragma pack(pop)
    for (const char* name : {"DISK", "SETUP", "CORVANE"}) {
        HRSRC found = FindResourceA(g_instance, name, MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
        ASSERT_NE(found, nullptr) << name;
        auto* group = static_cast<const Group*>(LockResource(LoadResource(g_instance, found)));
        ASSERT_EQ(group->count, 1) << name;
        EXPECT_EQ(group->entries[0].width, 32) << name;
        EXPECT_EQ(group->entries[0].height, 32) << name;
        EXPECT_EQ(group->entries[0].colours, 16) << name;
        EXPECT_EQ(group->entries[0].bitCount, 4) << name;
        EXPECT_NE(FindResourceA(g_instance, MAKEINTRESOURCEA(group->entries[0].id), MAKEINTRESOURCEA(3)), nullptr)
            << name << ": the image itself";
    }
}

}  // namespace
#endif
