#pragma once
// Dialogs and tab pages built from the templates in res/. A class of the
// application derives from Dialog, binds its handlers by control id and
// notification (the message map) and overrides the virtual steps it needs.
//
//   class CAboutDlg : public ui::Dialog {
//   public:
//       CAboutDlg() : Dialog(100) { OnCommand(1305, ui::Notify::Clicked, [this] { ... }); }
//   protected:
//       bool OnInitDialog() override { ...; return true; }
//   };
//   CAboutDlg about;
//   about.DoModal();
//
// The window is built when DoModal or Create runs: controls get their
// template rectangles (dialog units converted with the original's base units
// for the template's font size, width / 4 and height / 8), captions and combo
// lists in the dialog's language, then OnInitDialog runs. A child page is
// created inside a control (the tab control) of another dialog and then
// placed and shown by its owner, as the original's modeless child dialogs are.

#include "platform/ui/controls.h"
#include "platform/ui/ui_types.h"
#include "res/resource.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

namespace detail {
class DialogImpl;
}

class Dialog {
public:
    // The language is fixed when the window is built: the one given here, or
    // else the process's UI language at that moment (strings.h).
    explicit Dialog(int templateId, std::optional<res::Language> language = std::nullopt);
    // Builds from a template the caller holds (tests, tools); it must outlive
    // the dialog.
    explicit Dialog(const res::DialogTemplate& dialogTemplate,
                    std::optional<res::Language> language = std::nullopt);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Builds the window as a top-level dialog, runs OnInitDialog and the
    // modal loop; returns the code given to EndDialog (kErr when the
    // template does not exist). The window is destroyed before it returns.
    int DoModal(Dialog* owner = nullptr);
    // Builds the window as a modeless child inside control hostId of parent
    // (a tab control), hidden, at the template's size; runs OnInitDialog.
    bool Create(Dialog& parent, int hostId);
    // Builds the window as a modeless top-level window, shown.
    bool CreateModeless(Dialog* owner = nullptr);
    // Ends a modal run with code; a modeless window is only hidden.
    void EndDialog(int code);
    // Runs OnDestroy and destroys the window with its controls. Done by
    // DoModal at its end; a modeless owner calls it (or the destructor
    // destroys the window without OnDestroy).
    void DestroyWindow();
    bool IsWindow() const;

    int TemplateId() const;
    res::Language Language() const;
    Dialog* Parent() const; // the owner given to DoModal, Create or CreateModeless

    // The control with this id; invalid for an id the dialog has not (and for
    // ids 0 and -1, which unnamed statics share).
    Control Item(int id) const;

    // The dialog's own window.
    std::string Caption() const;
    void SetCaption(std::string_view caption);
    void Show(bool show); // runs OnShowWindow when the visibility changes
    bool IsVisible() const;
    void Enable(bool enable);
    bool IsEnabled() const;
    void MoveWindow(const Rect& rect); // pixels, in the parent's client coordinates
    Rect WindowRect() const;
    Rect ClientRect() const;
    // Dialog units to pixels with this dialog's base units, as the original's
    // MapDialogRect does. Valid once the window exists.
    Rect MapDialogRect(const Rect& dialogUnits) const;

    // Message map: runs handler when control id raises notify. A second
    // binding of the same pair replaces the first. May be called before the
    // window exists. Clicked on ids kIdOk and kIdCancel with no handler of
    // their own runs OnOK and OnCancel.
    void OnCommand(int id, Notify notify, std::function<void()> handler);

    // The id of the control whose notification is being handled, on the UI
    // thread, across all dialogs (like the original's current message); 0
    // outside a handler.
    static int CurrentCommandId();

    // Entries of the right-click menu of the dialog's window, in order.
    void AddContextMenuItem(std::string text, std::function<void()> handler);

protected:
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(kIdOk); }
    virtual void OnCancel() { EndDialog(kIdCancel); } // also the Escape key
    virtual void OnClose() { OnCancel(); }            // the window's close box
    virtual void OnDestroy() {}
    virtual void OnShowWindow(bool /*show*/) {}

private:
    friend class detail::DialogImpl;
    friend detail::DialogImpl* ImplOf(const Dialog& dialog);
    std::unique_ptr<detail::DialogImpl> m_impl;
};

// Makes id the current command id for its lifetime, for code that acts on
// behalf of a control outside a notification (tests, forwarded commands).
class ScopedCommandId {
public:
    explicit ScopedCommandId(int id);
    ~ScopedCommandId();
    ScopedCommandId(const ScopedCommandId&) = delete;
    ScopedCommandId& operator=(const ScopedCommandId&) = delete;

private:
    int m_previous;
};

} // namespace ui
