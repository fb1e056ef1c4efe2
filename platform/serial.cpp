#include "platform/serial.h"

#include "platform/permission_notice.h"
#include "platform/port_map.h"
#include "platform/serial_port.h"
#include "platform/tty_node.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace platform {

namespace {

bool SpeedFor(int baud, speed_t* speed) {
    switch (baud) {
    case 4800:
        *speed = B4800;
        return true;
    case 9600:
        *speed = B9600;
        return true;
    case 19200:
        *speed = B19200;
        return true;
    case 38400:
        *speed = B38400;
        return true;
    case 115200:
        *speed = B115200;
        return true;
    default:
        return false;
    }
}

// Raw 8N1 without flow control, whatever the port was left with; reads with
// O_NONBLOCK and VMIN 1 give EAGAIN for "nothing yet" and 0 only for a
// hang-up.
bool ConfigureLine(int fd, const termios& found, speed_t speed) {
    termios tio = found;
    cfmakeraw(&tio);
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS | CSIZE);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    if (cfsetispeed(&tio, speed) != 0 || cfsetospeed(&tio, speed) != 0 ||
        tcsetattr(fd, TCSANOW, &tio) != 0)
        return false;
    // tcsetattr succeeds when any part of the change took; check the rate.
    termios applied{};
    return tcgetattr(fd, &applied) == 0 && cfgetospeed(&applied) == speed &&
           cfgetispeed(&applied) == speed;
}

// False when another program holds the terminal for itself. flock keeps out
// every other opener; TIOCEXCL keeps out only those without CAP_SYS_ADMIN, so
// it is read back as well.
bool TakeExclusively(int fd) {
    int heldExclusive = 0;
    if (ioctl(fd, TIOCGEXCL, &heldExclusive) == 0 && heldExclusive)
        return false;
    return flock(fd, LOCK_EX | LOCK_NB) == 0;
}

// The path the last open on this thread was refused at for lack of
// permission, and the device node behind it.
struct Denial {
    std::string path;
    std::string node;
};
thread_local Denial t_denial;

// An operator who may not open a port needs the node behind the name and the
// remedy; one line on standard error for each node.
void NoteDenied(const std::string& path) {
    std::array<char, PATH_MAX> node{};
    t_denial = {path, realpath(path.c_str(), node.data()) ? node.data() : path};
    ReportPermissionDeniedOnce(t_denial.node, "add the user to the dialout group and log in again");
}

std::shared_ptr<SerialPort> PortOf(DeviceHandle h) {
    return LookupDeviceAs<SerialPort>(h);
}

} // namespace

DeviceHandle OpenSerialPort(std::string_view name, int baud) {
    t_denial = {};
    speed_t speed;
    if (!SpeedFor(baud, &speed))
        return kInvalidHandle;
    std::string path = ResolvePortName(name);
    if (path.empty())
        return kInvalidHandle;
    // Only a serial line or pseudo-terminal slave is opened: other nodes may
    // act on open (a watchdog starts counting, a tape rewinds). A folder on
    // the way that the user may not pass is a permission refusal as well.
    struct stat node {};
    if (stat(path.c_str(), &node) != 0) {
        if (errno == EACCES)
            NoteDenied(path);
        return kInvalidHandle;
    }
    if (!IsSerialLineNode(node, ReadTtyDrivers()))
        return kInvalidHandle;
    int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == EACCES)
            NoteDenied(path);
        return kInvalidHandle;
    }
    termios found{};
    if (!isatty(fd) || !TakeExclusively(fd) || tcgetattr(fd, &found) != 0) {
        close(fd);
        return kInvalidHandle;
    }
    // From here the port owns the descriptor and puts the settings back when
    // a step fails.
    auto port = std::make_shared<SerialPort>(fd, found);
    if (!ConfigureLine(fd, found, speed) || ioctl(fd, TIOCEXCL) != 0)
        return kInvalidHandle;
    tcflush(fd, TCIOFLUSH);
    return RegisterDevice(std::move(port));
}

std::string SerialOpenDeniedNode(std::string_view name) {
    // A name refused before the open was tried resolves to another path.
    if (t_denial.path.empty() || ResolvePortName(name) != t_denial.path)
        return {};
    return t_denial.node;
}

long SerialWrite(DeviceHandle h, const uint8_t* data, size_t count) {
    auto port = PortOf(h);
    if (!port || (!data && count > 0))
        return -1;
    return port->Write(data, count);
}

long SerialRead(DeviceHandle h, uint8_t* buf, size_t count) {
    auto port = PortOf(h);
    if (!port || (!buf && count > 0))
        return -1;
    return port->Read(buf, count);
}

int SerialBytesQueued(DeviceHandle h) {
    auto port = PortOf(h);
    return port ? port->BytesQueued() : 0;
}

int SerialWaitQueued(DeviceHandle h, int minBytes, uint32_t timeoutMs) {
    auto port = PortOf(h);
    return port ? port->WaitQueued(minBytes, timeoutMs) : 0;
}

bool SerialWaitReadableOrWake(DeviceHandle h, uint32_t timeoutMs) {
    auto port = PortOf(h);
    return port && port->WaitReadableOrWake(timeoutMs);
}

bool SerialPurge(DeviceHandle h, bool input, bool output) {
    auto port = PortOf(h);
    return port && port->Purge(input, output);
}

} // namespace platform
