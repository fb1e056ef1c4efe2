#pragma once
// The About box: program and version texts and a link to the project's page.

#include "app/controls/hyperlinker.h"
#include "platform/ui/dialog.h"

inline constexpr int kAboutTemplateId = 100;
inline constexpr int kAboutLinkId = 1305;
// The same address as the link's caption in the template.
inline constexpr const char* kAboutLinkTarget = "https://www.example.com/txv418k";

class CAboutDlg : public ui::Dialog {
public:
    CAboutDlg();

    CHyperLinker m_link;

protected:
    bool OnInitDialog() override;
};
