#include "run_time_texts.h"

#include "app/command_bracket.h"
#include "app/decode/card_texts.h"
#include "app/main_dialog.h"
#include "platform/ui/strings.h"

#include <span>

namespace {

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Strings the program puts into the status line by themselves.
constexpr int kStatusStrings[] = {111, 112, 113, 114, 117, 118, 119, 122,
                                  123, 125, 126, 127, 128, 130, 131};

// Texts the code itself puts there.
constexpr std::string_view kCodeStatusTexts[] = {kReadCardOkText, kIButtonReadText,
                                                 kIButtonDetachedText};

// Pages whose buttons report "caption 118" or "caption 119"; no ids: every
// push button of the page's template.
struct CommandPage {
    int templateId;
    std::span<const int> buttons;
};
constexpr int kSwipeTestCommands[] = {IDC_MANUAL_READ, IDC_CANCEL_MANUAL_READ};
constexpr CommandPage kCommandPages[] = {
    {kUsbPageTemplateId, {}},
    {kIButtonPageTemplateId, {}},
    {kRsPageTemplateId, {}},
    {kHidTestPageTemplateId, kSwipeTestCommands},
};

std::vector<int> CommandButtons(const CommandPage& page) {
    if (!page.buttons.empty()) {
        return {page.buttons.begin(), page.buttons.end()};
    }
    std::vector<int> ids;
    for (const res::ControlTemplate& control : res::FindDialogTemplate(page.templateId)->controls) {
        if (control.kind == res::ControlKind::PushButton ||
            control.kind == res::ControlKind::DefPushButton) {
            ids.push_back(control.id);
        }
    }
    return ids;
}

const ui::Dialog* PageOf(const CDQ450DemoDlg& main, int templateId) {
    const ui::Dialog* pages[] = {&main.m_pageUsb, &main.m_pageDebug, &main.m_pageIBtn,
                                 &main.m_pageHidTest, &main.m_pageRs};
    for (const ui::Dialog* page : pages) {
        if (page->TemplateId() == templateId) {
            return page;
        }
    }
    return nullptr;
}

QStringList StatusOutcomes(const ui::Dialog& dialog) {
    QStringList texts;
    for (const int id : kStatusStrings) {
        texts << Utf8(ui::LoadString(id));
    }
    for (const std::string_view text : kCodeStatusTexts) {
        texts << Utf8(text);
    }
    texts << Utf8(ui::LoadNotice(res::Notice::NotLatin1));
    const auto* main = dynamic_cast<const CDQ450DemoDlg*>(&dialog);
    if (!main) {
        return texts;
    }
    for (const bool success : {true, false}) {
        // The main dialog's own commands (connect) have no caption.
        texts << Utf8(MakeResultMessage(*main, success));
        for (const CommandPage& entry : kCommandPages) {
            const ui::Dialog* page = PageOf(*main, entry.templateId);
            for (const int button : CommandButtons(entry)) {
                const ui::ScopedCommandId command(button);
                texts << Utf8(MakeResultMessage(*page, success));
            }
        }
    }
    return texts;
}

// Multi-character mode takes up to four of a sentinel: each of the default
// sentinels the card-swipe test page shows, four times over.
QStringList LongestSentinels(const ui::Dialog& dialog) {
    const res::DialogTemplate* swipePage = res::FindDialogTemplate(kHidTestPageTemplateId);
    QStringList texts;
    for (const res::ControlTemplate& control : swipePage->controls) {
        if (std::ranges::find(IDC_SENTINELS, control.id) == std::end(IDC_SENTINELS)) {
            continue;
        }
        const QString longest =
            QString::fromUtf8(control.Text(dialog.Language())).repeated(usb_page::kMultiCharLimit);
        if (!texts.contains(longest)) {
            texts << longest;
        }
    }
    return texts;
}

QStringList DecodeMarks(const ui::Dialog&) {
    return {Utf8(kDecodeModeOnMark), Utf8(kDecodeModeOffMark)};
}

struct RunTimeTexts {
    int templateId;           // the window that shows them
    std::span<const int> ids; // its controls that take them
    QStringList (*texts)(const ui::Dialog& dialog);
};

constexpr int kStatusLine[] = {IDC_STATUS};
constexpr RunTimeTexts kRunTimeTexts[] = {
    {kMainDialogTemplateId, kStatusLine, StatusOutcomes},
    {kUsbPageTemplateId, usb_page::kSentinelEdits, LongestSentinels},
    {kHidTestPageTemplateId, IDC_DECODE_MARKS, DecodeMarks},
};

} // namespace

void CheckRunTimeTexts(FitCheck& fit, const ui::Dialog& dialog) {
    for (const RunTimeTexts& entry : kRunTimeTexts) {
        if (entry.templateId != dialog.TemplateId()) {
            continue;
        }
        const QStringList texts = entry.texts(dialog);
        for (const int id : entry.ids) {
            fit.CheckTexts(dialog, id, texts);
        }
    }
}
