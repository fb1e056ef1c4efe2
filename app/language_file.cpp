#include "app/language_file.h"

#include "platform/atomic_file.h"
#include "platform/system_language.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Reads up to count bytes; fewer only at the end of the file. -1 on error.
ssize_t ReadFully(int fd, uint8_t* buffer, size_t count) {
    size_t got = 0;
    while (got < count) {
        ssize_t n = read(fd, buffer + got, count - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(got);
}

// Opens the file for reading when it is a regular file (a link to one
// included). Anything else is never opened for good: a pipe would wait for a
// writer, a device could act on the open. The check after the open catches a
// swap in between.
int OpenRegularFile(const char* path) {
    struct stat st {};
    if (stat(path, &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return -1;
    }
    return fd;
}

} // namespace

uint16_t ReadLanguageValue() {
    int fd = OpenRegularFile(kLanguageFileName);
    if (fd < 0)
        return platform::SystemDefaultLangId();
    uint8_t bytes[2] = {0xFF, 0xFF};
    ssize_t got = ReadFully(fd, bytes, sizeof bytes);
    close(fd);
    // A file that cannot be read counts as missing.
    if (got < 0)
        return platform::SystemDefaultLangId();
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

uint16_t MapUiLanguage(uint16_t value) {
    switch (value) {
    case 0x0405: // Czech
    case 0x040C: // French (France)
    case 0x0804: // Chinese (PRC)
        return value;
    case 0x0C04: // Chinese (Hong Kong SAR)
        return 0x0404;
    case 0x0C0A: // Spanish, modern sort
        return 0x040A;
    default:
        return kLangEnglish;
    }
}

bool WriteLanguageValue(uint16_t value) {
    const char bytes[2] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
    return platform::ReplaceFile(kLanguageFileName, std::string_view(bytes, sizeof bytes));
}
