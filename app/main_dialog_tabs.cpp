#include "app/main_dialog.h"
#include "platform/ui/strings.h"

namespace {

constexpr int kTabCaptionIds[kTabCount] = {102, 104, 105, 106, 132};

} // namespace

ui::Dialog* CDQ450DemoDlg::PageOfTab(int index) {
    switch (index) {
    case 0:
        return &m_pageUsb;
    case 1:
        return &m_pageIBtn;
    case 2:
        return &m_pageDebug;
    case 3:
        return &m_pageHidTest;
    case 4:
        return &m_pageRs;
    default:
        return nullptr;
    }
}

void CDQ450DemoDlg::HideAllPages() {
    m_pageUsb.Show(false);
    m_pageDebug.Show(false);
    m_pageIBtn.Show(false);
    m_pageHidTest.Show(false);
    m_pageRs.Show(false);
}

void CDQ450DemoDlg::InitTabPages() {
    m_tabPages.DeleteAllItems();
    for (int i = 0; i < kTabCount; ++i)
        m_tabPages.InsertItem(i, ui::LoadString(kTabCaptionIds[i]));

    // The pages fill the tab control's client area below the tab row.
    ui::Rect area = m_tabPages.ClientRect();
    area.left += 10;
    area.top += 30;
    area.right -= 10;
    area.bottom -= 10;
    for (int i = 0; i < kTabCount; ++i)
        PageOfTab(i)->MoveWindow(area);

    HideAllPages();
    m_pageUsb.Show(true);
    m_tabPages.SetCurSel(0);
}

void CDQ450DemoDlg::SelectTab(int index) {
    ui::Dialog* page = PageOfTab(index);
    if (!page || index >= m_tabPages.GetCount() || index == m_tabPages.GetCurSel())
        return;
    HideAllPages();
    page->Show(true);
    m_tabPages.SetCurSel(index);
}

void CDQ450DemoDlg::OnSelChangeTab() {
    ui::Dialog* page = PageOfTab(m_tabPages.GetCurSel());
    if (!page)
        return;
    HideAllPages();
    page->Show(true);
}
