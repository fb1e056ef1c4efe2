// txv-reader-sim: the stand-in reader as a program, on a pseudo-terminal or
// on the virtual HID bus, driven by line commands on standard input.

#include "sim/operator_commands.h"
#include "sim/stand_in_reader.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <pthread.h>
#include <string>
#include <string_view>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

const char kUsage[] =
    "Usage: txv-reader-sim [options]\n"
    "A stand-in card reader that answers the reader's commands like the real one\n"
    "and sends swipes and iButton events on request.\n"
    "\n"
    "Transport (pseudo-terminal by default):\n"
    "  --pty                 serve on a new pseudo-terminal; its slave path is printed\n"
    "  --link comN           also make the link comN to it in the ports folder\n"
    "  --ports-dir DIR       ports folder for the link (default: $TXV_PORTS_DIR,\n"
    "                        else $XDG_CONFIG_HOME/txv/ports, else ~/.config/txv/ports)\n"
    "  --baud N              send at the pace of an N baud line (ten bits a byte)\n"
    "  --hid                 serve as a device on the virtual HID bus instead\n"
    "  --folder DIR          bus folder (default: $TXV_VHID_DIR)\n"
    "  --name NAME           device name in the folder (default: reader)\n"
    "  --vid HEX --pid HEX   vendor and product id (default 0483 572B; or 5131 2007)\n"
    "  --report-length N     input and output report length, 9 or 65 (default 65)\n"
    "\n"
    "Protocol:\n"
    "  --personality len     length-prefixed frames, the USB/serial reader (default)\n"
    "  --personality stx     STX frames, the RS232 reader (pseudo-terminal only)\n"
    "\n"
    "  --help                this text\n"
    "\n"
    "Once running it prints the path to open (\"pty: /dev/pts/N\", \"link: ...\" or\n"
    "\"hid: vhid:...\") and reads commands from standard input; \"help\" lists them.\n"
    "At the end of input it keeps serving until interrupted.\n";

struct Options {
    bool hid = false;
    sim::Personality personality = sim::Personality::LengthPrefixed;
    sim::PtyOptions pty;
    sim::VirtualHidOptions vhid;
};

bool ParseHex16(const char* text, uint16_t* out) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 16);
    if (*text == '\0' || *end != '\0' || value > 0xFFFF) {
        return false;
    }
    *out = static_cast<uint16_t>(value);
    return true;
}

bool ParseInt(const char* text, int* out) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || value < 0 || value > 10'000'000) {
        return false;
    }
    *out = static_cast<int>(value);
    return true;
}

bool SetOption(std::string_view name, const char* value, Options* options) {
    if (name == "--link") {
        options->pty.linkName = value;
    } else if (name == "--ports-dir") {
        options->pty.portsDir = value;
    } else if (name == "--baud") {
        return ParseInt(value, &options->pty.paceBaud);
    } else if (name == "--folder") {
        options->vhid.folder = value;
    } else if (name == "--name") {
        options->vhid.name = value;
    } else if (name == "--vid") {
        return ParseHex16(value, &options->vhid.vendorId);
    } else if (name == "--pid") {
        return ParseHex16(value, &options->vhid.productId);
    } else if (name == "--report-length") {
        return ParseInt(value, &options->vhid.reportLength) &&
               (options->vhid.reportLength == 9 || options->vhid.reportLength == 65);
    } else if (name == "--personality") {
        const std::string_view personality = value;
        options->personality =
            personality == "stx" ? sim::Personality::Stx : sim::Personality::LengthPrefixed;
        return personality == "len" || personality == "stx";
    }
    return true;
}

// 0 to run, 1 for a usage error, 2 after --help.
int ParseOptions(int argc, char** argv, Options* options) {
    constexpr std::string_view kValueOptions[] = {"--link",   "--ports-dir",     "--baud",
                                                  "--folder", "--name",          "--vid",
                                                  "--pid",    "--report-length", "--personality"};
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            return 2;
        }
        if (arg == "--pty" || arg == "--hid") {
            options->hid = arg == "--hid";
            continue;
        }
        if (std::find(std::begin(kValueOptions), std::end(kValueOptions), arg) ==
            std::end(kValueOptions)) {
            std::fprintf(stderr, "txv-reader-sim: unknown option %s\n", argv[i]);
            return 1;
        }
        if (i + 1 == argc) {
            std::fprintf(stderr, "txv-reader-sim: %s needs a value\n", argv[i]);
            return 1;
        }
        const char* value = argv[++i];
        if (!SetOption(arg, value, options)) {
            std::fprintf(stderr, "txv-reader-sim: bad value '%s' for %s\n", value, argv[i - 1]);
            return 1;
        }
    }
    return 0;
}

void PrintBytes(const char* label, const uint8_t* bytes, size_t count) {
    std::printf("%s:", label);
    for (size_t i = 0; i < count; ++i) {
        std::printf(" %02X", bytes[i]);
    }
    std::printf("\n");
}

void PrintStatus(const sim::StandInReader& reader) {
    if (reader.personality() == sim::Personality::Stx) {
        const sim::RsParameterBlock block = reader.RsBlock();
        std::printf("requests %zu, ", reader.RequestCount());
        PrintBytes("RS parameters", block.data(), block.size());
        return;
    }
    std::printf("requests %zu, device id %04X, keyboard %02X, manual read %s\n",
                reader.RequestCount(), reader.DeviceId(), reader.KeyboardType(),
                reader.ManualReadArmed() ? "armed" : "off");
    const sim::ReaderParameterBlock block = reader.ReaderBlock();
    PrintBytes("parameters", block.data(), block.size());
    const sim::IButtonParameterBlock ibutton = reader.IButtonBlock();
    PrintBytes("iButton", ibutton.data(), ibutton.size());
}

// Runs one line; false when it asks to quit.
bool RunLine(sim::StandInReader& reader, std::string_view line) {
    sim::OperatorCommand command;
    std::string error;
    if (!sim::ParseOperatorLine(line, &command, &error)) {
        std::printf("error: %s\n", error.c_str());
        return true;
    }
    switch (command.verb) {
    case sim::OperatorVerb::Empty:
        break;
    case sim::OperatorVerb::Swipe:
        reader.SendSwipe(command.swipe);
        break;
    case sim::OperatorVerb::Text:
        reader.SendCardText(command.swipe);
        break;
    case sim::OperatorVerb::Manual:
        if (!reader.QueueManualSwipe(command.swipe)) {
            std::printf("error: manual read exists in the length-prefixed protocol only\n");
        }
        break;
    case sim::OperatorVerb::IButton:
        reader.SendIButton(false, command.bytes);
        break;
    case sim::OperatorVerb::Detach:
        reader.SendIButton(true, command.bytes);
        break;
    case sim::OperatorVerb::Raw:
        reader.SendRaw(command.bytes);
        break;
    case sim::OperatorVerb::SetFault:
        reader.SetFault(command.fault);
        break;
    case sim::OperatorVerb::Status:
        PrintStatus(reader);
        break;
    case sim::OperatorVerb::Help:
        std::fputs(sim::OperatorHelpText(), stdout);
        break;
    case sim::OperatorVerb::Quit:
        return false;
    }
    std::fflush(stdout);
    return true;
}

// Serves until quit, or a signal; stdin ending only stops the commands.
void CommandLoop(sim::StandInReader& reader, int signalFd) {
    constexpr size_t kMaxLine = 65536;
    std::string pending;
    bool tooLong = false;
    bool input = true;
    for (;;) {
        pollfd fds[2] = {{signalFd, POLLIN, 0}, {input ? STDIN_FILENO : -1, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (fds[0].revents & POLLIN) {
            return;
        }
        if ((fds[1].revents & (POLLIN | POLLHUP | POLLERR)) == 0) {
            continue;
        }
        char buf[4096];
        const ssize_t n = read(STDIN_FILENO, buf, sizeof buf);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) {
            continue;
        }
        if (n <= 0) {
            // A last line without its newline still counts.
            input = false;
            if (!tooLong && !pending.empty() && !RunLine(reader, pending)) {
                return;
            }
            continue;
        }
        for (ssize_t i = 0; i < n; ++i) {
            if (buf[i] != '\n') {
                // An endless line is not a command: it is dropped up to its end.
                if (pending.size() < kMaxLine) {
                    pending.push_back(buf[i]);
                } else {
                    tooLong = true;
                }
                continue;
            }
            if (tooLong) {
                std::printf("error: line too long\n");
                std::fflush(stdout);
            } else if (!RunLine(reader, pending)) {
                return;
            }
            pending.clear();
            tooLong = false;
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    const int parsed = ParseOptions(argc, argv, &options);
    if (parsed == 2) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (parsed != 0) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    // Signals are taken through a descriptor; every thread started below
    // inherits the blocked mask.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    const int signalFd = signalfd(-1, &signals, SFD_CLOEXEC);
    if (signalFd < 0) {
        std::perror("txv-reader-sim: signalfd");
        return 1;
    }

    sim::StandInReader reader(options.personality);
    if (options.hid) {
        if (!reader.StartOnVirtualHid(options.vhid)) {
            std::fprintf(stderr, "txv-reader-sim: cannot make the virtual HID device (a bus folder "
                                 "through --folder or TXV_VHID_DIR, a free name, and the "
                                 "length-prefixed protocol are needed)\n");
            return 1;
        }
        std::printf("hid: %s\n", reader.DevicePath().c_str());
    } else {
        if (!reader.StartOnPty(options.pty)) {
            std::fprintf(stderr, "txv-reader-sim: cannot open a pseudo-terminal%s\n",
                         options.pty.linkName.empty() ? "" : " or make its link");
            return 1;
        }
        std::printf("pty: %s\n", reader.SlavePath().c_str());
        if (!reader.LinkPath().empty()) {
            std::printf("link: %s\n", reader.LinkPath().c_str());
        }
    }
    std::fflush(stdout);
    CommandLoop(reader, signalFd);
    reader.Stop();
    close(signalFd);
    return 0;
}
