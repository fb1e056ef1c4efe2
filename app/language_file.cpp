#include "app/language_file.h"

#include "platform/system_language.h"

#include <cerrno>
#include <fcntl.h>
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

} // namespace

uint16_t ReadLanguageValue() {
    int fd = open(kLanguageFileName, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return platform::SystemDefaultLangId();
    uint8_t bytes[2] = {0xFF, 0xFF};
    ssize_t got = ReadFully(fd, bytes, sizeof bytes);
    close(fd);
    // A file that exists but cannot be read (a folder of that name, an I/O
    // error) counts as missing.
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
    int fd = open(kLanguageFileName, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const uint8_t bytes[2] = {static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>(value >> 8)};
    size_t written = 0;
    while (written < sizeof bytes) {
        ssize_t n = write(fd, bytes + written, sizeof bytes - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        written += static_cast<size_t>(n);
    }
    bool closed = close(fd) == 0;
    return written == sizeof bytes && closed;
}
