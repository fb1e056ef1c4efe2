// Texts this program adds to the original string table: notices about the
// Linux machine (permissions) and input the reader cannot take. Kept apart so
// the original table stays exactly as it was.

#include "res/resource.h"

namespace res {
namespace {

struct NoticeEntry {
    Notice id;
    const char* textEn;
    const char* textZh;
};

constexpr NoticeEntry kNotices[] = {
    {Notice::NotLatin1,
     "Only characters the reader can take may be entered (one byte each: Latin-1).",
     "只能输入读卡器可接受的字符（每个字符一个字节：Latin-1）。"},
    {Notice::HidPermission,
     "No permission to open %s: install packaging/70-txv-reader.rules into "
     "/etc/udev/rules.d, then plug the reader in again.",
     "没有权限打开 %s：请把 packaging/70-txv-reader.rules 安装到 /etc/udev/rules.d，"
     "然后重新插入读卡器。"},
    {Notice::SerialPermission,
     "No permission to open %s: add the user to the dialout group, then log in again.",
     "没有权限打开 %s：请把用户加入 dialout 组，然后重新登录。"},
};

} // namespace

const char* LoadNotice(Notice id, Language language) {
    for (const NoticeEntry& entry : kNotices) {
        if (entry.id == id)
            return language == Language::Chinese ? entry.textZh : entry.textEn;
    }
    return "";
}

} // namespace res
