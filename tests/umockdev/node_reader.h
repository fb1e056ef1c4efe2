#pragma once
// The device side of a mocked hidraw node: a reader that takes whole output
// reports from the node's pseudo-terminal and answers each request with its
// reply frame in input reports, as the length-prefixed reader does.

#include "sim/len_engine.h"
#include "tests/umockdev/hidraw_testbed.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace umockdev_test {

struct NodeReaderOptions {
    std::string versionText = "TXV-UMOCKDEV V1.0";
    // Hangs up (closes the device side) once it has sent this many input reports.
    std::optional<size_t> hangUpAfterReports{};
};

class NodeReader {
public:
    NodeReader(MockNode& node, const NodeReaderOptions& options);
    ~NodeReader(); // stops
    NodeReader(const NodeReader&) = delete;
    NodeReader& operator=(const NodeReader&) = delete;

    // Ends the thread; then every byte the program wrote, the ones no report
    // was made of included.
    std::vector<uint8_t> StopAndTakeReceived();
    size_t RequestCount() const { return m_requests; }

private:
    void Run();
    // Answers one output report; false once the device side hung up.
    bool Answer(const uint8_t* report);
    // The frame as input reports; false once the device side hung up.
    bool SendFrame(const sim::Bytes& frame);

    MockNode& m_node;
    NodeReaderOptions m_options;
    sim::LenEngine m_engine;
    std::vector<uint8_t> m_received;
    std::atomic<size_t> m_requests{0};
    size_t m_reportsSent = 0;
    int m_stopFd;
    std::thread m_thread;
};

} // namespace umockdev_test
