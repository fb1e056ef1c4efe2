// Saving the receive box to a record file.

#include "app/pages/console_page.h"
#include "platform/program_dir.h"
#include "platform/ui/file_dialog.h"
#include "platform/ui/message_box.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        text.remove_prefix(size_t(written));
    }
    return true;
}

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
    const bool exists = stat(target.c_str(), &existing) == 0;
    if (exists && (!S_ISREG(existing.st_mode) || access(target.c_str(), W_OK) != 0))
        return false;
    std::string temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = target + ".part" + std::to_string(getpid()) + "-" + std::to_string(attempt);
        fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    bool ok = (!exists || fchmod(fd, existing.st_mode & 07777) == 0) && WriteAll(fd, text) &&
              fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temp.c_str(), target.c_str()) == 0;
    if (!ok)
        unlink(temp.c_str());
    return ok;
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
