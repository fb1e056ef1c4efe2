// Saving the receive box to a record file.

#include "app/pages/console_page.h"
#include "platform/atomic_file.h"
#include "platform/program_dir.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/message_box.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace {

// Saving onto a link writes the file it leads to.
std::string ResolvedTarget(const std::string& path) {
    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved == nullptr)
        return path;
    std::string target = resolved;
    std::free(resolved);
    return target;
}

// The text goes into a new file beside the target, which then takes the
// target's place: a failed save never leaves a cut record behind, nor
// destroys the file that was there.
bool WriteRecordFile(const std::string& path, std::string_view text) {
    const std::string target = ResolvedTarget(path);
    struct stat existing {};
    if (stat(target.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode))
        return false;
    return platform::ReplaceFile(target, text);
}

} // namespace

std::string ProposedRecordName(std::string_view folder, const std::tm& localTime) {
    char name[96];
    std::snprintf(name, sizeof name, "record_%04d%02d%02d_%02d%02d%02d.txt",
                  localTime.tm_year + 1900, localTime.tm_mon + 1, localTime.tm_mday,
                  localTime.tm_hour, localTime.tm_min, localTime.tm_sec);
    if (folder.empty())
        return name;
    return std::string(folder) + "/" + name;
}

void CDebugDlg::OnSaveData() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const std::optional<std::string> path = ui::SaveFileDialog(
        ProposedRecordName(platform::ProgramDir(), local), "text File(*.txt)|*.txt||", "txt", this);
    if (!path)
        return;
    if (!WriteRecordFile(*path, Item(IDC_CONSOLE_RECEIVE_BOX).Text()))
        ui::MessageBox("the data could not be saved to " + *path, "Error", ui::MessageIcon::Error,
                       ui::MessageButtons::Ok, this);
}
