#pragma once
// A control of a dialog, reached by id: Dialog::Item(id) returns one. A
// Control is a small handle; copy it freely. It works while the dialog's
// window exists; after the window is destroyed it does nothing, and it must
// not be used once the Dialog object itself is gone. A handle for an id the
// dialog does not have is "invalid": every operation on it does nothing and
// returns an empty text, 0, false or kErr, so callers need no separate
// existence test.
//
// Texts are UTF-8. Positions in edits count characters. Widgets belong to
// the UI thread: call these only there (see ui_thread.h to hand work over).

#include "platform/ui/ui_types.h"
#include "res/resource.h"

#include <functional>
#include <string>
#include <string_view>

namespace ui {

namespace detail {
class ControlImpl;
}

class Control {
public:
    Control() = default;

    bool IsValid() const { return m_impl != nullptr; }
    int Id() const;                 // 0 when invalid
    res::ControlKind Kind() const;  // Static when invalid
    uint32_t TemplateStyle() const; // the template's ControlStyle bits

    // Any control.
    std::string Text() const;            // a drop-list combo gives its selected item's text
    void SetText(std::string_view text); // raises no notification
    void Enable(bool enable);
    bool IsEnabled() const;
    void Show(bool show);
    bool IsVisible() const; // the control's own visibility, whatever its parents do
    void SetFocus();
    bool HasFocus() const;
    void Redraw();           // repaints now, before returning
    Rect WindowRect() const; // in the parent's client pixels
    Rect ClientRect() const; // 0, 0, width, height

    // Check boxes and radio buttons. Any non-zero state counts as checked;
    // GetCheck gives 1 or 0. Setting a radio button from code leaves the
    // others of its group alone, as the original does.
    int GetCheck() const;
    void SetCheck(int state);

    // Combo boxes, list boxes and tab controls (item counts and selection).
    int GetCount() const;
    int GetCurSel() const; // kErr (-1) when nothing is selected
    // Selects the item at index and returns it. An index outside the list
    // leaves nothing selected and returns kErr. No notification.
    int SetCurSel(int index);

    // Combo boxes and list boxes.
    int AddString(std::string_view text);               // index of the new item
    int InsertString(int index, std::string_view text); // -1 appends; kErr outside
    int DeleteString(int index);                        // items left, or kErr
    void ResetContent();
    std::string GetItemText(int index) const; // empty outside the list

    // Tab controls.
    int InsertItem(int index, std::string_view text); // index of the new tab, or kErr
    void DeleteAllItems();

    // Edits. The limit counts characters and binds only what the operator
    // types or pastes; 0 means no limit. Texts set from code are not cut.
    void SetLimitText(int limit);
    int GetLimitText() const;
    void SetReadOnly(bool readOnly);
    bool IsReadOnly() const;
    void GetSel(int& start, int& end) const;
    void SetSel(int start, int end);        // -1 for end means the end of the text
    void ReplaceSel(std::string_view text); // like typing: raises EditChange
    void AppendText(std::string_view text); // caret to the end, insert, no notification
    void ScrollCaret();
    int GetLineCount() const;
    void LineScroll(int lines);

    // Appearance, for the label and hyperlink controls (and the edits'
    // colours). Each setter repaints the control before it returns.
    void SetTextColor(Color color);
    Color TextColor() const;
    // A font height in the original's sense: negative is the character
    // height in pixels, positive the cell height, 0 the dialog's default.
    void SetFontHeight(int height);
    int FontHeight() const;
    void SetFontWeight(int weight); // 400 normal, 700 bold
    int FontWeight() const;
    void SetFontUnderline(bool underline);
    // Statics: the text stays on one line; where it is too wide for the box
    // at the font set, or its glyphs too tall, it is drawn in a smaller size
    // of that font (FontHeight keeps giving the height set).
    void SetShrinkToFit(bool shrink);
    void SetTransparentBackground(bool transparent);
    void SetHandCursor(bool hand);

    // Called at the start of every paint of this control, before its text is
    // drawn; a SetTextColor inside the hook colours that very paint. On a
    // static it schedules no further paint, so the hook may change the
    // colour at every paint; on other controls a changed colour costs one
    // more paint. An empty function removes the hook.
    void SetPaintHook(std::function<void()> hook);

    friend bool operator==(const Control&, const Control&) = default;

private:
    friend class Dialog;
    friend detail::ControlImpl* ImplOf(const Control& control);
    explicit Control(detail::ControlImpl* impl) : m_impl(impl) {}
    detail::ControlImpl* m_impl = nullptr;
};

} // namespace ui
