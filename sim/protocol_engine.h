#pragma once
// A stand-in reader's protocol as a pure byte engine: request bytes in, the
// bytes to send out. No I/O and no clock, so it is testable alone; the
// transports (stand_in_reader.h) feed it and carry out its pauses.

#include "sim/types.h"

#include <cstddef>
#include <cstdint>

namespace sim {

struct CardTextFormat;

class ProtocolEngine {
public:
    virtual ~ProtocolEngine() = default;

    // Bytes from a serial line, split anywhere; returns what to send.
    virtual Output Feed(const uint8_t* data, size_t size) = 0;
    // The payload (report id removed) of one HID output report: once a
    // request is complete, the rest of its report is padding and dropped.
    virtual Output FeedReport(const uint8_t* data, size_t size) = 0;
    // True while a request is only partly received.
    virtual bool HasPartial() const = 0;
    // Forgets a partly received request (the line fell silent).
    virtual void DropPartial() = 0;
    // The sentinels and texts that this reader's settings give card text.
    virtual CardTextFormat TextFormat() const = 0;

    // Frames the reader sends by itself; the fault applies to them too.
    Output EmitSwipe(const Swipe& swipe);
    Output EmitTrackFrame(int trackIndex, uint8_t flags, const TrackRecord& track);
    Output EmitIButton(bool detached, const Bytes& key);
    // Card text in transparent mode with the current settings; no fault applies.
    Output EmitCardText(const Swipe& swipe) const;
    // Bytes sent as they are; no fault applies.
    static Output EmitRaw(const Bytes& bytes);

    void SetFault(const Fault& fault) { m_fault = fault; }
    void ClearFault() { m_fault = Fault{}; }
    const Fault& CurrentFault() const { return m_fault; }

    // The last complete request (all its bytes) and how many were handled.
    const Bytes& LastRequest() const { return m_lastRequest; }
    size_t RequestCount() const { return m_requestCount; }

protected:
    enum class FrameFormat { Len, Stx };
    // Applies the fault (when it hits this frame) and appends the result;
    // the trailer follows the frame in the same chunk.
    void Send(Output& out, Bytes frame, FrameFormat format, const Bytes& trailer = {});
    void NoteRequest(const uint8_t* data, size_t size);

private:
    Fault m_fault;
    Bytes m_lastRequest;
    size_t m_requestCount = 0;
};

} // namespace sim
