#pragma once
// The program's resources as data: dialog templates with their combo lists,
// and the string table, each in English and Simplified Chinese. No Qt here;
// platform/ui builds widgets from these records.

#include <cstdint>
#include <span>

namespace res {

enum class Language { English, Chinese };

enum class ControlKind {
    PushButton,
    DefPushButton,
    CheckBox,    // automatic check box
    RadioButton, // automatic radio button
    GroupBox,
    Static, // static text (also the controls the program turns into labels)
    Edit,
    ComboDropDown, // editable drop-down combo
    ComboDropList, // drop-down list combo
    ListBox,
    Tab,
    Icon,      // static icon (resource 177)
    HyperLink, // static text that the About box turns into a link
};

// Style bits; only those the program's dialogs use.
enum ControlStyle : uint32_t {
    kStyleNone = 0,
    kCentre = 1u << 0,      // centred text (static, edit)
    kRight = 1u << 1,       // right-aligned text
    kSunken = 1u << 2,      // sunken border (static)
    kUpperCase = 1u << 3,   // edit turns typed letters into capitals
    kReadOnly = 1u << 4,    // edit
    kMultiline = 1u << 5,   // edit; a button wraps its caption
    kVScroll = 1u << 6,     // vertical scroll bar
    kHScroll = 1u << 7,     // horizontal scroll bar
    kWantReturn = 1u << 8,  // multi-line edit takes Enter
    kSort = 1u << 9,        // combo / list sorts its items
    kDisabled = 1u << 10,   // disabled in the template
    kHidden = 1u << 11,     // not visible in the template
    kNoWrap = 1u << 12,     // static text on one line
    kGroup = 1u << 13,      // starts a group (radio buttons)
    kNumber = 1u << 14,     // edit takes digits only
    kBorder = 1u << 15,     // edit or static with a border
    kAutoHScroll = 1u << 16 // edit scrolls horizontally
};

struct ControlTemplate {
    int id; // -1 for unnamed statics and group boxes
    ControlKind kind;
    int x, y, cx, cy; // dialog units
    uint32_t style;   // ControlStyle bits
    const char* textEn;
    const char* textZh;
    int textLimit = 0; // edits: the template's character limit, 0 for none

    // The caption in language; without a Chinese one the English shows.
    const char* Text(Language language) const {
        return language == Language::Chinese && textZh ? textZh : textEn;
    }
};

// A combo box's dialog-initialisation items.
struct ComboList {
    int id;
    std::span<const char* const> itemsEn;
    std::span<const char* const> itemsZh;
};

struct DialogTemplate {
    int id;
    bool child;                 // a page on the tab control (no caption, no frame)
    int cxEn, cyEn, cxZh, cyZh; // size in dialog units per language
    int fontPoints;             // "MS Shell Dlg" at this size
    const char* captionEn;
    const char* captionZh;
    std::span<const ControlTemplate> controls; // template order = tab order
    std::span<const ComboList> combos;
    // Controls placed differently in the Chinese template.
    std::span<const ControlTemplate> chineseOverrides;
};

// The template with this id, or null.
const DialogTemplate* FindDialogTemplate(int id);

// String-table entry in the given language; empty for an unknown id.
const char* LoadResString(int id, Language language);

// Texts of this program beyond the original string table. The permission
// notices hold one %s for the device node.
enum class Notice { NotLatin1, HidPermission, SerialPermission };
const char* LoadNotice(Notice id, Language language);

// Every dialog template id, for tools that render them all.
std::span<const int> DialogTemplateIds();

} // namespace res
