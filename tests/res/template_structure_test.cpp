// Rules every dialog template keeps: it can be found by its id, its controls
// have distinct ids and lie inside the dialog in both languages, its texts are
// UTF-8, and its combo lists belong to its combo boxes.

#include "res/resource.h"
#include "tests/res/utf8.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <strings.h>
#include <vector>

namespace res_test {
namespace {

using res::ControlKind;
using res::ControlTemplate;
using res::DialogTemplate;

std::vector<const DialogTemplate*> AllTemplates() {
    std::vector<const DialogTemplate*> all;
    for (int id : res::DialogTemplateIds()) {
        all.push_back(res::FindDialogTemplate(id));
    }
    return all;
}

bool IsCombo(ControlKind kind) {
    return kind == ControlKind::ComboDropDown || kind == ControlKind::ComboDropList;
}

// The controls as the Chinese template places them.
std::vector<ControlTemplate> ChineseControls(const DialogTemplate& dialog) {
    std::vector<ControlTemplate> controls(dialog.controls.begin(), dialog.controls.end());
    for (const ControlTemplate& moved : dialog.chineseOverrides) {
        for (ControlTemplate& control : controls) {
            if (control.id == moved.id) {
                control = moved;
            }
        }
    }
    return controls;
}

void ExpectInside(const ControlTemplate& control, int cx, int cy) {
    SCOPED_TRACE(testing::Message() << "control " << control.id << " at " << control.x << ","
                                    << control.y << " " << control.cx << "x" << control.cy);
    EXPECT_GE(control.x, 0);
    EXPECT_GE(control.y, 0);
    EXPECT_GT(control.cx, 0);
    EXPECT_GT(control.cy, 0);
    EXPECT_LE(control.x + control.cx, cx);
    EXPECT_LE(control.y + control.cy, cy);
}

TEST(TemplateLookup, FindsExactlyTheProgramsTemplates) {
    const auto ids = res::DialogTemplateIds();
    EXPECT_EQ(std::vector<int>(ids.begin(), ids.end()),
              (std::vector<int>{100, 102, 130, 131, 138, 143, 146, 165}));
    for (int id : ids) {
        const DialogTemplate* dialog = res::FindDialogTemplate(id);
        ASSERT_NE(dialog, nullptr) << id;
        EXPECT_EQ(dialog->id, id);
    }
    for (int id : {-1, 0, 101, 129, 177, 1050}) {
        EXPECT_EQ(res::FindDialogTemplate(id), nullptr) << id;
    }
}

TEST(TemplateStructure, NamedControlsHaveDistinctIds) {
    for (const DialogTemplate* dialog : AllTemplates()) {
        SCOPED_TRACE(dialog->id);
        std::set<int> seen;
        for (const ControlTemplate& control : dialog->controls) {
            if (control.id != -1) {
                EXPECT_TRUE(seen.insert(control.id).second) << "id " << control.id << " twice";
            }
        }
    }
}

TEST(TemplateStructure, ControlsTheProgramReachesHaveIds) {
    for (const DialogTemplate* dialog : AllTemplates()) {
        SCOPED_TRACE(dialog->id);
        for (const ControlTemplate& control : dialog->controls) {
            const bool unnamedAllowed = control.kind == ControlKind::Static ||
                                        control.kind == ControlKind::GroupBox ||
                                        control.kind == ControlKind::Icon;
            EXPECT_TRUE(unnamedAllowed || control.id != -1)
                << "an unnamed control of kind " << static_cast<int>(control.kind);
        }
    }
}

TEST(TemplateStructure, ControlsLieInsideTheDialogInBothLanguages) {
    for (const DialogTemplate* dialog : AllTemplates()) {
        SCOPED_TRACE(dialog->id);
        EXPECT_GT(dialog->fontPoints, 0);
        for (const ControlTemplate& control : dialog->controls) {
            ExpectInside(control, dialog->cxEn, dialog->cyEn);
        }
        for (const ControlTemplate& control : ChineseControls(*dialog)) {
            ExpectInside(control, dialog->cxZh, dialog->cyZh);
        }
    }
}

TEST(TemplateStructure, ChineseOverridesMoveExistingControls) {
    for (const DialogTemplate* dialog : AllTemplates()) {
        SCOPED_TRACE(dialog->id);
        for (const ControlTemplate& moved : dialog->chineseOverrides) {
            const auto original =
                std::find_if(dialog->controls.begin(), dialog->controls.end(),
                             [&](const ControlTemplate& c) { return c.id == moved.id; });
            ASSERT_NE(moved.id, -1);
            ASSERT_NE(original, dialog->controls.end()) << moved.id;
            EXPECT_EQ(original->kind, moved.kind) << moved.id;
            EXPECT_EQ(original->style, moved.style) << moved.id;
            EXPECT_STREQ(original->textEn, moved.textEn) << moved.id;
            EXPECT_STREQ(original->textZh, moved.textZh) << moved.id;
        }
    }
}

TEST(TemplateStructure, TextsArePresentAndUtf8) {
    for (const DialogTemplate* dialog : AllTemplates()) {
        SCOPED_TRACE(dialog->id);
        ASSERT_NE(dialog->captionEn, nullptr);
        ASSERT_NE(dialog->captionZh, nullptr);
        EXPECT_TRUE(IsValidUtf8(dialog->captionEn));
        EXPECT_TRUE(IsValidUtf8(dialog->captionZh));
        EXPECT_EQ(dialog->child, *dialog->captionEn == '\0');
        for (const ControlTemplate& control : dialog->controls) {
            SCOPED_TRACE(control.id);
            ASSERT_NE(control.textEn, nullptr);
            ASSERT_NE(control.textZh, nullptr);
            EXPECT_TRUE(IsValidUtf8(control.textEn));
            EXPECT_TRUE(IsValidUtf8(control.textZh));
        }
        for (const res::ComboList& combo : dialog->combos) {
            SCOPED_TRACE(combo.id);
            for (const char* item : combo.itemsEn) {
                ASSERT_NE(item, nullptr);
                EXPECT_TRUE(IsValidUtf8(item));
            }
            for (const char* item : combo.itemsZh) {
                ASSERT_NE(item, nullptr);
                EXPECT_TRUE(IsValidUtf8(item));
            }
        }
    }
}

TEST(TemplateStructure, ComboListsBelongToComboBoxesAndMatchAcrossLanguages) {
    for (const DialogTemplate* dialog : AllTemplates()) {
        SCOPED_TRACE(dialog->id);
        std::set<int> listed;
        for (const res::ComboList& combo : dialog->combos) {
            SCOPED_TRACE(combo.id);
            EXPECT_TRUE(listed.insert(combo.id).second) << "two lists";
            const auto box =
                std::find_if(dialog->controls.begin(), dialog->controls.end(),
                             [&](const ControlTemplate& c) { return c.id == combo.id; });
            ASSERT_NE(box, dialog->controls.end());
            EXPECT_TRUE(IsCombo(box->kind));
            EXPECT_FALSE(combo.itemsEn.empty());
            EXPECT_EQ(combo.itemsEn.size(), combo.itemsZh.size());
        }
    }
}

// The code selects sorted lists by index as well, so their items must already
// stand in the order the sort gives them.
TEST(TemplateStructure, SortedListsAreAlreadyInOrder) {
    const auto inOrder = [](std::span<const char* const> items) {
        return std::is_sorted(items.begin(), items.end(),
                              [](const char* a, const char* b) { return strcasecmp(a, b) < 0; });
    };
    for (const DialogTemplate* dialog : AllTemplates()) {
        SCOPED_TRACE(dialog->id);
        for (const res::ComboList& combo : dialog->combos) {
            const auto box =
                std::find_if(dialog->controls.begin(), dialog->controls.end(),
                             [&](const ControlTemplate& c) { return c.id == combo.id; });
            if (box != dialog->controls.end() && (box->style & res::kSort) != 0) {
                EXPECT_TRUE(inOrder(combo.itemsEn)) << combo.id;
                EXPECT_TRUE(inOrder(combo.itemsZh)) << combo.id;
            }
        }
    }
}

} // namespace
} // namespace res_test
