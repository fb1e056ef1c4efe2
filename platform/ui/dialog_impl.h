#pragma once
// The state behind a Dialog: its template, window, controls and message map.
// Internal.

#include "platform/ui/dialog.h"
#include "platform/ui/dialog_font.h"

#include <QFont>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QPoint;

namespace ui::detail {

class ControlImpl;

class DialogImpl {
public:
    DialogImpl(Dialog& self, const res::DialogTemplate* tpl, std::optional<res::Language> language);
    ~DialogImpl();

    enum class Kind { Modal, Modeless, Child };
    // Builds the window and its controls; false when there is no template.
    bool build(Kind kind, QWidget* parentWidget);
    void destroyWindow(bool runOnDestroy);

    void dispatch(int id, Notify notify);
    // The window's close box, the Escape key and the right-click menu.
    void closeRequested();
    void cancelRequested();
    void showContextMenu(const QPoint& globalPos);
    bool hasHandler(int id, Notify notify) const;

    ControlImpl* control(int id) const;

    Dialog& self;
    const res::DialogTemplate* tpl;
    std::optional<res::Language> requestedLanguage;
    res::Language language = res::Language::English;
    QFont font;
    BaseUnits units;
    QPointer<QWidget> window;
    Kind kind = Kind::Modal;
    Dialog* parent = nullptr;
    std::vector<Dialog*> children; // pages created inside this dialog
    std::vector<std::unique_ptr<ControlImpl>> controls;
    // Controls of windows already destroyed: handles to them stay harmless.
    std::vector<std::unique_ptr<ControlImpl>> retired;
    std::map<std::pair<int, Notify>, std::function<void()>> handlers;
    std::vector<std::pair<std::string, std::function<void()>>> contextMenu;
    // Depth of this dialog's handlers on the stack.
    int dispatchDepth = 0;
    class DispatchScope {
    public:
        explicit DispatchScope(DialogImpl& dialog) : m_dialog(dialog) { ++m_dialog.dispatchDepth; }
        ~DispatchScope() { --m_dialog.dispatchDepth; }
        DispatchScope(const DispatchScope&) = delete;
        DispatchScope& operator=(const DispatchScope&) = delete;

    private:
        DialogImpl& m_dialog;
    };
    bool ending = false;
    int endCode = kIdCancel;
    bool shown = false;

private:
    void buildControls();
    void retireControls();
    void setUpRadioGroups();
};

} // namespace ui::detail
