#include "app/pages/edit_bytes.h"

#include "app/decode/utf8_text.h"
#include "platform/ui/message_box.h"
#include "platform/ui/strings.h"

std::optional<std::string> ReadEditBytes(const ui::Dialog& page, int editId) {
    std::optional<std::string> bytes = Utf8ToLatin1(page.Item(editId).Text());
    if (!bytes) {
        ui::MessageBox(ui::LoadNotice(res::Notice::NotLatin1), "Error", ui::MessageIcon::Error,
                       ui::MessageButtons::Ok, &page);
        page.Item(editId).SetFocus();
    }
    return bytes;
}
