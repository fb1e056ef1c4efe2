#include "sim/operator_commands.h"

#include <charconv>
#include <vector>

namespace sim {

namespace {

// A word fit to be shown back: cut short, other than printable ASCII as '?'.
std::string Printable(std::string_view word) {
    constexpr size_t kMaxShown = 40;
    std::string shown;
    for (char c : word.substr(0, kMaxShown)) {
        shown.push_back(c >= 0x20 && c < 0x7F ? c : '?');
    }
    return word.size() > kMaxShown ? shown + "..." : shown;
}

std::vector<std::string_view> SplitWords(std::string_view line) {
    std::vector<std::string_view> words;
    size_t at = 0;
    while (at < line.size()) {
        const size_t start = line.find_first_not_of(" \t\r\n", at);
        if (start == std::string_view::npos) {
            break;
        }
        const size_t end = line.find_first_of(" \t\r\n", start);
        words.push_back(line.substr(start, end - start));
        at = end == std::string_view::npos ? line.size() : end;
    }
    return words;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Hex digit pairs, blanks between bytes allowed.
bool ParseHexBytes(const std::vector<std::string_view>& words, size_t from, Bytes* out,
                   std::string* error) {
    std::string digits;
    for (size_t i = from; i < words.size(); ++i) {
        digits.append(words[i]);
    }
    if (digits.size() % 2 != 0) {
        *error = "hex bytes need two digits each";
        return false;
    }
    for (size_t i = 0; i < digits.size(); i += 2) {
        const int high = HexDigit(digits[i]);
        const int low = HexDigit(digits[i + 1]);
        if (high < 0 || low < 0) {
            *error = "not a hex digit in '" + Printable(digits.substr(i, 2)) + "'";
            return false;
        }
        out->push_back(static_cast<uint8_t>(high << 4 | low));
    }
    return true;
}

bool ParseNumber(std::string_view text, int base, unsigned long* out) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, *out, base);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

// Track data: bytes as typed, with \xHH for any byte and \\ for a backslash.
bool ParseData(std::string_view text, Bytes* out, std::string* error) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out->push_back(static_cast<uint8_t>(text[i]));
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '\\') {
            out->push_back('\\');
            ++i;
            continue;
        }
        if (i + 3 < text.size() && text[i + 1] == 'x' && HexDigit(text[i + 2]) >= 0 &&
            HexDigit(text[i + 3]) >= 0) {
            out->push_back(
                static_cast<uint8_t>(HexDigit(text[i + 2]) << 4 | HexDigit(text[i + 3])));
            i += 3;
            continue;
        }
        *error = "a backslash starts \\xHH or \\\\";
        return false;
    }
    return true;
}

// N=DATA, N:L or N:L=DATA.
bool ParseTrack(std::string_view word, Swipe* swipe, std::string* error) {
    const int track = word[0] - '1';
    if (track < 0 || track > 2 || word.size() < 2 || (word[1] != '=' && word[1] != ':')) {
        *error = "unknown argument '" + Printable(word) + "'";
        return false;
    }
    TrackRecord& record = swipe->tracks[static_cast<size_t>(track)];
    record = TrackRecord{};
    size_t at = 1;
    if (word[1] == ':') {
        if (word.size() < 3) {
            *error = "a status letter follows ':'";
            return false;
        }
        record.status = static_cast<uint8_t>(word[2]);
        at = 3;
        if (at == word.size()) {
            return true;
        }
        if (word[at] != '=') {
            *error = "'=' follows the status letter";
            return false;
        }
    }
    return ParseData(word.substr(at + 1), &record.data, error);
}

bool ParseSwipe(const std::vector<std::string_view>& words, Swipe* swipe, std::string* error) {
    for (TrackRecord& track : swipe->tracks) {
        track.status = 'B';
    }
    for (size_t i = 1; i < words.size(); ++i) {
        const std::string_view word = words[i];
        unsigned long flags = 0;
        if (word.substr(0, 6) == "flags=") {
            if (!ParseNumber(word.substr(6), 16, &flags) || flags > 0xFF) {
                *error = "flags take one hex byte";
                return false;
            }
            swipe->flags = static_cast<uint8_t>(flags);
        } else if (word == "form=all") {
            swipe->form = SwipeForm::AllTracks;
        } else if (word == "form=zero") {
            swipe->form = SwipeForm::AllTracksZero;
        } else if (word == "form=single") {
            swipe->form = SwipeForm::SingleTracks;
        } else if (!ParseTrack(word, swipe, error)) {
            return false;
        }
    }
    return true;
}

struct FaultName {
    const char* name;
    FaultKind kind;
};

constexpr FaultName kFaultNames[] = {
    {"none", FaultKind::None},
    {"refuse", FaultKind::Refuse},
    {"silent", FaultKind::Silent},
    {"short", FaultKind::ShortReply},
    {"len-more", FaultKind::LenClaimsMore},
    {"len-huge", FaultKind::LenBeyondBuffers},
    {"split", FaultKind::SplitByPause},
    {"noise", FaultKind::NoiseBefore},
    {"wrong-echo", FaultKind::WrongEcho},
    {"no-trailer", FaultKind::NoVersionTrailer},
};

bool ParseFault(const std::vector<std::string_view>& words, Fault* fault, std::string* error) {
    if (words.size() < 2) {
        *error = "fault needs a kind";
        return false;
    }
    bool known = false;
    for (const FaultName& entry : kFaultNames) {
        if (words[1] == entry.name) {
            fault->kind = entry.kind;
            known = true;
        }
    }
    if (!known) {
        *error = "unknown fault '" + Printable(words[1]) + "'";
        return false;
    }
    for (size_t i = 2; i < words.size(); ++i) {
        const std::string_view word = words[i];
        const size_t eq = word.find('=');
        const std::string_view key = word.substr(0, eq);
        const std::string_view value = eq == std::string_view::npos ? "" : word.substr(eq + 1);
        unsigned long number = 0;
        const bool hex = key == "type" || key == "code";
        if (!ParseNumber(value, hex ? 16 : 10, &number) || (hex && number > 0xFF) ||
            number > 0xFFFFFFu) {
            *error = "bad value in '" + Printable(word) + "'";
            return false;
        }
        if (key == "type") {
            fault->onlyType = static_cast<uint8_t>(number);
        } else if (key == "code") {
            fault->errorCode = static_cast<uint8_t>(number);
        } else if (key == "count") {
            fault->count = number;
        } else if (key == "pause") {
            fault->pauseMs = static_cast<uint32_t>(number);
        } else if (key == "times") {
            fault->times = static_cast<int>(number);
        } else {
            *error = "unknown fault setting '" + Printable(key) + "'";
            return false;
        }
    }
    return true;
}

} // namespace

bool ParseOperatorLine(std::string_view line, OperatorCommand* command, std::string* error) {
    *command = OperatorCommand{};
    error->clear();
    const std::vector<std::string_view> words = SplitWords(line);
    if (words.empty() || words[0][0] == '#') {
        return true;
    }
    const std::string_view verb = words[0];
    if (verb == "swipe" || verb == "text" || verb == "manual") {
        command->verb = verb == "swipe"  ? OperatorVerb::Swipe
                        : verb == "text" ? OperatorVerb::Text
                                         : OperatorVerb::Manual;
        return ParseSwipe(words, &command->swipe, error);
    }
    if (verb == "ibutton" || verb == "detach" || verb == "raw") {
        command->verb = verb == "ibutton"  ? OperatorVerb::IButton
                        : verb == "detach" ? OperatorVerb::Detach
                                           : OperatorVerb::Raw;
        return ParseHexBytes(words, 1, &command->bytes, error);
    }
    if (verb == "fault") {
        command->verb = OperatorVerb::SetFault;
        return ParseFault(words, &command->fault, error);
    }
    const bool bare = words.size() == 1;
    if (verb == "status" && bare) {
        command->verb = OperatorVerb::Status;
    } else if (verb == "help" && bare) {
        command->verb = OperatorVerb::Help;
    } else if (verb == "quit" && bare) {
        command->verb = OperatorVerb::Quit;
    } else {
        *error = "unknown command '" + Printable(verb) + "' (try help)";
        return false;
    }
    return true;
}

const char* OperatorHelpText() {
    return "Commands (one a line):\n"
           "  swipe [form=all|zero|single] [flags=HH] TRACK...   card data as frames\n"
           "  text TRACK...        card data as transparent text, with the current sentinels\n"
           "  manual [form=..] [flags=HH] TRACK...   the swipe the next manual read sends\n"
           "    TRACK is N=DATA (track N read well), N:L (status letter L, no data)\n"
           "    or N:L=DATA; N is 1, 2 or 3; tracks not named are blank (B).\n"
           "    DATA is sent as typed; \\xHH is any byte, \\\\ a backslash.\n"
           "    flags: 01 ISO, 02 AAMVA, 04 CADMV, 08 RAWDATA, 10 JIS-II, 80 show bits.\n"
           "  ibutton HH...        iButton key read, the key's bytes in hex\n"
           "  detach HH...         iButton key detached\n"
           "  raw HH...            bytes sent as they are\n"
           "  fault KIND [type=HH] [count=N] [pause=MS] [code=HH] [times=N]\n"
           "    KIND: none refuse silent short len-more len-huge split noise\n"
           "          wrong-echo no-trailer; type limits it to one frame type\n"
           "  status               settings and counters\n"
           "  help                 this text\n"
           "  quit                 end the program\n"
           "Example: swipe 1=B1234567890^DOE/J^2512 2=1234567890=2512 3:N\n";
}

} // namespace sim
