#pragma once
// The stand-in reader: one protocol personality on one transport, served by
// threads of its own, for tests, benchmarks and the txv-reader-sim program.
//
//   sim::StandInReader reader(sim::Personality::LengthPrefixed);
//   reader.StartOnPty({.linkName = "com3", .portsDir = dir});
//   ... open reader.SlavePath() or "com3" from the tool side ...
//   reader.SendSwipe(swipe);
//   reader.Stop();
//
// Every method may be called from any thread. What the engine answers or is
// asked to send goes out in order; Flush waits until it has gone.

#include "sim/card_text.h"
#include "sim/frames.h"
#include "sim/len_engine.h"
#include "sim/parameter_blocks.h"
#include "sim/stx_engine.h"
#include "sim/types.h"

#include <cstdint>
#include <memory>
#include <string>

namespace sim {

struct PtyOptions {
    std::string linkName{}; // e.g. "com3": a symbolic link to the slave; empty for none
    std::string portsDir{}; // folder of the link; empty for platform::PortsDir()
    int paceBaud = 0;       // > 0: bytes leave at this line rate, ten bits a byte
};

struct VirtualHidOptions {
    std::string folder{}; // empty for the bus folder ($TXV_VHID_DIR)
    std::string name = "reader";
    uint16_t vendorId = 0x0483;
    uint16_t productId = 0x572B;
    int reportLength = 65; // input and output report length with the id byte: 9 or 65
};

class StandInReader {
public:
    explicit StandInReader(Personality personality = Personality::LengthPrefixed);
    ~StandInReader(); // stops
    StandInReader(const StandInReader&) = delete;
    StandInReader& operator=(const StandInReader&) = delete;

    Personality personality() const { return m_personality; }

    // Opens a pseudo-terminal and serves on its master side. False when the
    // reader is already running, the pty does not open or the link cannot be
    // made (an existing file of that name that is not a link is left alone).
    bool StartOnPty(const PtyOptions& options);
    // Creates a device on the virtual HID bus. False when already running, for
    // the STX personality (it exists on serial lines only), for a report length
    // other than 9 or 65, without a bus folder, or when the device cannot be made.
    bool StartOnVirtualHid(const VirtualHidOptions& options);
    // Ends the threads, closes the pty (removing the link) or unplugs the device.
    void Stop();
    bool Running() const;

    // Pty: the slave device path and the link made ("" when none).
    std::string SlavePath() const;
    std::string LinkPath() const;
    // Virtual HID: "vhid:<folder>/<name>".
    std::string DevicePath() const;

    // Events. False when the reader is not running.
    bool SendSwipe(const Swipe& swipe);
    bool SendTrackFrame(int trackIndex, uint8_t flags, const TrackRecord& track);
    bool SendIButton(bool detached, const Bytes& key);
    bool SendCardText(const Swipe& swipe); // transparent mode, current sentinels
    bool SendRaw(const Bytes& bytes);      // as given (HID: split into reports)
    // Length-prefixed personality: the swipe the next manual read (0x41) sends.
    bool QueueManualSwipe(const Swipe& swipe);

    // Faults on the frames sent from now on (replies and event frames).
    void SetFault(const Fault& fault);
    void ClearFault();

    // Waits until everything asked so far has been sent; false on time-out.
    bool Flush(uint32_t timeoutMs);
    // Waits until at least `count` requests were handled since the start of the
    // engine; false on time-out.
    bool WaitForRequests(size_t count, uint32_t timeoutMs);

    // For tests.
    Bytes LastRequest() const;
    size_t RequestCount() const;
    bool ManualReadArmed() const;
    ReaderParameterBlock ReaderBlock() const;
    IButtonParameterBlock IButtonBlock() const;
    RsParameterBlock RsBlock() const;
    uint16_t DeviceId() const;
    uint8_t KeyboardType() const;
    void SetReaderBlock(const ReaderParameterBlock& block);
    void SetIButtonBlock(const IButtonParameterBlock& block);
    void SetRsBlock(const RsParameterBlock& block);
    void SetVersionText(const std::string& text);
    void SetInfoText(const std::string& text);

    struct Impl;

private:
    Personality m_personality;
    std::unique_ptr<Impl> m_impl;
};

} // namespace sim
