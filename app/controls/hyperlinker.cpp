#include "app/controls/hyperlinker.h"

#include "app/program_icon.h"
#include "platform/ui/link.h"
#include "platform/ui/message_box.h"
#include "platform/ui/qt_access.h"

#include <QCursor>
#include <QWidget>

namespace {

// Shown alike in both languages: the link or file cannot be opened.
constexpr const char* kOpenFailedText = "提供的超级链接或者指定的文件无法执行";

bool IsTextStatic(const ui::Control& control) {
    return control.Kind() == res::ControlKind::Static ||
           control.Kind() == res::ControlKind::HyperLink;
}

} // namespace

bool CHyperLinker::SubclassDlgItem(int id, ui::Dialog& parent) {
    m_control = parent.Item(id);
    if (!m_control.IsValid())
        return false;
    parent.OnCommand(id, ui::Notify::MouseEnter, [this] { OnMouseEnter(); });
    parent.OnCommand(id, ui::Notify::MouseLeave, [this] { OnMouseLeave(); });
    parent.OnCommand(id, ui::Notify::Clicked, [this] { OnLButtonDown(); });
    // The layer's hand takes the mouse for the static; the shape is ours.
    m_control.SetHandCursor(true);
    if (QWidget* widget = ui::WidgetOf(m_control))
        widget->setCursor(HandCursor());
    m_control.SetFontUnderline(m_bUnderlined);
    m_control.SetPaintHook([this] { CtlColor(); });
    return true;
}

void CHyperLinker::OnMouseEnter() {
    m_bPointerInside = true;
    m_control.Redraw();
}

void CHyperLinker::OnMouseLeave() {
    m_bPointerInside = false;
    m_control.Redraw();
}

void CHyperLinker::OnLButtonDown() {
    if (!ui::OpenLink(m_strTarget))
        ui::MessageBox(kOpenFailedText);
    // Visited even when the open failed: the operator did follow the link.
    m_bWasOpened = true;
    m_control.Redraw();
}

void CHyperLinker::CtlColor() {
    // An icon or frame keeps the dialog's own colours.
    if (!IsTextStatic(m_control))
        return;
    if (m_bWasOpened)
        m_control.SetTextColor(m_crVisitedText);
    else if (m_bPointerInside)
        m_control.SetTextColor(m_crHoverText);
    else
        m_control.SetTextColor(m_crLinkText);
}
