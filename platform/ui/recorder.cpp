#include "platform/ui/recorder.h"

#include "platform/ui/clipboard.h"
#include "platform/ui/link.h"

namespace ui {

UiRecorder::UiRecorder() {
    m_prevBox = SetMessageBoxHook([this](const MessageBoxRequest& request) {
        messageBoxes.push_back(request);
        if (!m_boxAnswers.empty()) {
            const int answer = m_boxAnswers.front();
            m_boxAnswers.pop_front();
            return answer;
        }
        const bool yesNo = request.buttons == MessageButtons::YesNo ||
                           request.buttons == MessageButtons::YesNoCancel;
        return yesNo ? kIdYes : kIdOk;
    });
    m_prevSave = SetSaveFileHook([this](const SaveFileRequest& request) {
        saveFileRequests.push_back(request);
        if (m_saveAnswers.empty()) {
            return std::optional<std::string>();
        }
        std::optional<std::string> answer = std::move(m_saveAnswers.front());
        m_saveAnswers.pop_front();
        return answer;
    });
    m_prevClipboard = SetClipboardHook([this](const std::string& text) {
        clipboardTexts.push_back(text);
        return m_clipboardOk;
    });
    m_prevLink = SetOpenLinkHook([this](const std::string& target) {
        openedLinks.push_back(target);
        return m_linkOk;
    });
}

UiRecorder::~UiRecorder() {
    SetMessageBoxHook(std::move(m_prevBox));
    SetSaveFileHook(std::move(m_prevSave));
    SetClipboardHook(std::move(m_prevClipboard));
    SetOpenLinkHook(std::move(m_prevLink));
}

void UiRecorder::QueueMessageBoxAnswer(int answer) {
    m_boxAnswers.push_back(answer);
}

void UiRecorder::QueueSaveFileAnswer(std::optional<std::string> path) {
    m_saveAnswers.push_back(std::move(path));
}

void UiRecorder::SetClipboardResult(bool ok) {
    m_clipboardOk = ok;
}

void UiRecorder::SetOpenLinkResult(bool ok) {
    m_linkOk = ok;
}

} // namespace ui
