#include "app/language_file.h"
#include "app/main_dialog.h"
#include "platform/ui/message_box.h"
#include "platform/ui/strings.h"
#include "platform/ui/ui_thread.h"

namespace {

// Fixed in the code like the other box texts: the file that keeps the choice
// could not be written.
constexpr const char* kLanguageWriteFailedText = "Failed to write Language.ini";

} // namespace

void CDQ450DemoDlg::OnSelChangeLanguage() {
    const int selection = m_cbLanguage.GetCurSel();
    if (selection == ui::kErr)
        return;
    const uint16_t value = selection == 0 ? kLangChineseSimplified : kLangEnglish;
    // Without the file the choice would be lost at the restart the box asks
    // for, so the program stays open.
    if (!WriteLanguageValue(value)) {
        ui::MessageBox(kLanguageWriteFailedText, "Error", ui::MessageIcon::Error,
                       ui::MessageButtons::Ok, this);
        return;
    }
    ui::MessageBox(ui::LoadString(129), {}, ui::MessageIcon::None, ui::MessageButtons::Ok, this);
    // The new language applies at the next start.
    ui::PostToUiThread([this, alive = std::weak_ptr<int>(m_lifeToken)] {
        if (alive.lock())
            OnClose();
    });
}
