#pragma once
// Bytes as the input reports a reader sends them: report id 0, then the next
// bytes; the device pads the last report with zeros.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace test_support {

inline std::vector<std::vector<uint8_t>> SplitIntoReports(const std::vector<uint8_t>& bytes,
                                                          size_t reportLength) {
    const size_t perReport = reportLength - 1;
    std::vector<std::vector<uint8_t>> reports;
    for (size_t at = 0; at < bytes.size(); at += perReport) {
        std::vector<uint8_t>& report = reports.emplace_back(1, 0x00);
        report.insert(report.end(), bytes.begin() + long(at),
                      bytes.begin() + long(std::min(bytes.size(), at + perReport)));
    }
    return reports;
}

// A frame of LEN len whose bytes after the length field are all zero.
inline std::vector<uint8_t> ZeroLenFrame(uint16_t len) {
    std::vector<uint8_t> frame(size_t(len) + 2, 0x00);
    frame[0] = uint8_t(len >> 8);
    frame[1] = uint8_t(len & 0xFF);
    return frame;
}

} // namespace test_support
