#pragma once
// The change rule of every hex entry edit: after a change, a character just
// before the caret that is not 0-9, A-F or a blank is removed, and so on back
// to the last accepted one. Characters elsewhere stay. The edits upper-case
// what is typed, so lower-case letters never reach the rule there.

#include <string>
#include <string_view>

struct HexEditText {
    std::string text; // UTF-8, as the edit holds it
    int caret = 0;    // in characters; the selection is empty there
    bool changed = false;
};

// caret counts characters; a caret past the end is taken as the end.
HexEditText HexOnlyEditFilter(std::string_view text, int caret);
