#include "tests/umockdev/node_reader.h"

#include <algorithm>
#include <chrono>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace umockdev_test {

NodeReader::NodeReader(MockNode& node, const NodeReaderOptions& options)
    : m_node(node), m_options(options), m_stopFd(eventfd(0, EFD_CLOEXEC)) {
    m_engine.SetVersionText(options.versionText);
    m_thread = std::thread([this] { Run(); });
}

NodeReader::~NodeReader() {
    StopAndTakeReceived();
    close(m_stopFd);
}

std::vector<uint8_t> NodeReader::StopAndTakeReceived() {
    if (m_thread.joinable()) {
        const uint64_t one = 1;
        (void)!write(m_stopFd, &one, sizeof one);
        m_thread.join();
        uint8_t buffer[256];
        pollfd ready{m_node.deviceFd, POLLIN, 0};
        while (poll(&ready, 1, 0) > 0 && (ready.revents & POLLIN)) {
            const ssize_t n = read(m_node.deviceFd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            m_received.insert(m_received.end(), buffer, buffer + n);
        }
    }
    return m_received;
}

void NodeReader::Run() {
    const size_t reportLength = size_t(m_node.reader.reportLength);
    size_t answered = 0; // bytes of m_received already taken as reports
    for (;;) {
        pollfd fds[2] = {{m_stopFd, POLLIN, 0}, {m_node.deviceFd, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0 || fds[0].revents)
            return;
        uint8_t buffer[256];
        const ssize_t n = read(m_node.deviceFd, buffer, sizeof buffer);
        if (n <= 0)
            return;
        m_received.insert(m_received.end(), buffer, buffer + n);
        for (; m_received.size() - answered >= reportLength; answered += reportLength)
            if (!Answer(m_received.data() + answered))
                return;
    }
}

bool NodeReader::Answer(const uint8_t* report) {
    // Byte 0 is the report id.
    const sim::Output out = m_engine.FeedReport(report + 1, size_t(m_node.reader.reportLength - 1));
    m_requests = m_engine.RequestCount();
    sim::Bytes frame;
    for (const sim::Chunk& chunk : out) {
        std::this_thread::sleep_for(std::chrono::milliseconds(chunk.pauseBeforeMs));
        frame.insert(frame.end(), chunk.bytes.begin(), chunk.bytes.end());
        if (chunk.endsFrame) {
            if (!SendFrame(frame))
                return false;
            frame.clear();
        }
    }
    return true;
}

bool NodeReader::SendFrame(const sim::Bytes& frame) {
    const size_t perReport = size_t(m_node.reader.reportLength - 1);
    for (size_t at = 0; at < frame.size(); at += perReport) {
        if (m_options.hangUpAfterReports && m_reportsSent == *m_options.hangUpAfterReports) {
            HidrawTestbed::HangUp(m_node);
            return false;
        }
        // The program reads a report without its id when the device has none.
        sim::Bytes report;
        if (m_node.reader.reportId != 0)
            report.push_back(m_node.reader.reportId);
        const size_t n = std::min(perReport, frame.size() - at);
        report.insert(report.end(), frame.begin() + long(at), frame.begin() + long(at + n));
        report.resize(report.size() + perReport - n, 0);
        if (write(m_node.deviceFd, report.data(), report.size()) != ssize_t(report.size()))
            return false;
        ++m_reportsSent;
    }
    return true;
}

} // namespace umockdev_test
