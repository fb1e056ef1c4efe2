// Lookup of the dialog templates by id.

#include "res/dialog_templates.h"

namespace res {
namespace {

constexpr const DialogTemplate* kTemplates[] = {
    &kAboutDialog, &kMainDialog,    &kUsbPage,       &kConsolePage,
    &kIButtonPage, &kHidListDialog, &kSwipeTestPage, &kRs232Page,
};

constexpr int kTemplateIds[] = {100, 102, 130, 131, 138, 143, 146, 165};

} // namespace

const DialogTemplate* FindDialogTemplate(int id) {
    for (const DialogTemplate* dialog : kTemplates) {
        if (dialog->id == id) {
            return dialog;
        }
    }
    return nullptr;
}

std::span<const int> DialogTemplateIds() {
    return kTemplateIds;
}

} // namespace res
