#pragma once
// A static text shown as a link: its own colours for a plain, hovered and
// visited link, underlined, a hand cursor, and a click opens the target with
// the desktop's handler.

#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"

#include <string>

class CHyperLinker {
public:
    CHyperLinker() = default;

    // Attaches to the static id of parent and takes its pointer and click
    // notifications; false when there is no such control. The underlined
    // font is made here from m_bUnderlined, once.
    bool SubclassDlgItem(int id, ui::Dialog& parent);

    // Filled by the owner before it attaches the link.
    ui::Color m_crLinkText;
    ui::Color m_crVisitedText;
    ui::Color m_crHoverText;
    bool m_bUnderlined = false;
    std::string m_strTarget;

    bool PointerInside() const { return m_bPointerInside; }
    bool WasOpened() const { return m_bWasOpened; }
    ui::Control Control() const { return m_control; }

private:
    void OnMouseEnter();
    void OnMouseLeave();
    void OnLButtonDown();
    void CtlColor();

    ui::Control m_control;
    bool m_bPointerInside = false;
    bool m_bWasOpened = false;
};
