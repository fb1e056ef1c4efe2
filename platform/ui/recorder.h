#pragma once
// Takes the place of every modal or outside-world call of the dialog layer
// for its lifetime: message boxes, the save-file dialog, the clipboard and
// link opening are recorded and answered from queues, so nothing blocks and
// nothing leaves the process. Tests and the screenshot tool use it.

#include "platform/ui/file_dialog.h"
#include "platform/ui/message_box.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace ui {

class UiRecorder {
public:
    UiRecorder();
    ~UiRecorder(); // puts back the hooks that were installed before
    UiRecorder(const UiRecorder&) = delete;
    UiRecorder& operator=(const UiRecorder&) = delete;

    // Answers for the next boxes, in order; with none queued a box answers
    // kIdOk (kIdYes for yes/no boxes).
    void QueueMessageBoxAnswer(int answer);
    // Answers for the next save-file dialogs; with none queued it is cancelled.
    void QueueSaveFileAnswer(std::optional<std::string> path);
    void SetClipboardResult(bool ok);
    void SetOpenLinkResult(bool ok);

    std::vector<MessageBoxRequest> messageBoxes;
    std::vector<SaveFileRequest> saveFileRequests;
    std::vector<std::string> clipboardTexts; // every text handed to the clipboard
    std::vector<std::string> openedLinks;    // every target asked for

private:
    std::deque<int> m_boxAnswers;
    std::deque<std::optional<std::string>> m_saveAnswers;
    bool m_clipboardOk = true;
    bool m_linkOk = true;
    MessageBoxHook m_prevBox;
    SaveFileHook m_prevSave;
    std::function<bool(const std::string&)> m_prevClipboard;
    std::function<bool(const std::string&)> m_prevLink;
};

} // namespace ui
