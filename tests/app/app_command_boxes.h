#pragma once
// What a page command shows: the status-line endings and the boxes, each with
// what the dialog showed at the moment it came up.

#include "app/main_dialog.h"
#include "platform/ui/message_box.h"

#include <string>
#include <vector>

inline const std::string kOk = " command executed successfully";
inline const std::string kFailed = " command executed failed";

// Records each box with the status line and the tab as they stood when it
// came up, and puts the previous hook back at destruction.
class StatusAtBox {
public:
    explicit StatusAtBox(CDQ450DemoDlg& dialog)
        : m_previous(ui::SetMessageBoxHook([this, &dialog](const ui::MessageBoxRequest& box) {
              seen.push_back({box, dialog.Item(IDC_STATUS).Text(), dialog.m_tabPages.GetCurSel()});
              return ui::kIdOk;
          })) {}
    ~StatusAtBox() { ui::SetMessageBoxHook(m_previous); }
    StatusAtBox(const StatusAtBox&) = delete;
    StatusAtBox& operator=(const StatusAtBox&) = delete;

    struct Seen : ui::MessageBoxRequest {
        std::string statusThen;
        int tabThen;
    };
    std::vector<Seen> seen;

private:
    ui::MessageBoxHook m_previous;
};
