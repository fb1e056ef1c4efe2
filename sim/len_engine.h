#pragma once
// The length-prefixed reader: answers every command with LEN(2) type status
// data and keeps its settings, so a later read returns what was set.
//
// Manual read: 0x41 arms the reader. While it is armed, the swipe queued with
// QueueManualSwipe is sent (at once if it was queued before) and the reader
// disarms. 0x3A disarms; a queued swipe then waits for the next 0x41. Swipes
// sent with EmitSwipe go out at once, armed or not, like a card pulled through.

#include "sim/parameter_blocks.h"
#include "sim/protocol_engine.h"

#include <optional>
#include <string>

namespace sim {

class LenEngine : public ProtocolEngine {
public:
    LenEngine();

    Output Feed(const uint8_t* data, size_t size) override;
    Output FeedReport(const uint8_t* data, size_t size) override;
    bool HasPartial() const override;
    void DropPartial() override;
    CardTextFormat TextFormat() const override;

    Output QueueManualSwipe(const Swipe& swipe);
    bool ManualReadArmed() const { return m_armed; }
    bool ManualSwipeQueued() const { return m_manualSwipe.has_value(); }

    const ReaderParameterBlock& ReaderBlock() const { return m_readerBlock; }
    void SetReaderBlock(const ReaderParameterBlock& block) { m_readerBlock = block; }
    const IButtonParameterBlock& IButtonBlock() const { return m_ibuttonBlock; }
    void SetIButtonBlock(const IButtonParameterBlock& block) { m_ibuttonBlock = block; }
    uint16_t DeviceId() const { return DeviceIdOf(m_readerBlock); }
    uint8_t KeyboardType() const { return m_readerBlock[reader_block::kKeyboardType]; }

    // Texts of the 0x30 and 0x50 replies (bytes, sent as they are).
    const std::string& VersionText() const { return m_version; }
    void SetVersionText(const std::string& text) { m_version = text; }
    const std::string& InfoText() const { return m_info; }
    void SetInfoText(const std::string& text) { m_info = text; }

    // Largest request body (LEN) the reader takes; a longer one is skipped unanswered.
    static constexpr size_t kMaxRequestBody = 255;

private:
    // Takes bytes into the request being received; returns how many it used
    // and sets `complete` when a request (or a skipped one) ended.
    size_t Take(const uint8_t* data, size_t size, bool* complete);
    void Answer(Output& out);
    bool Execute(uint8_t command, const uint8_t* params, size_t count, Bytes* data);
    bool ExecuteIButton(uint8_t command, const uint8_t* params, size_t count, Bytes* data);

    ReaderParameterBlock m_readerBlock;
    IButtonParameterBlock m_ibuttonBlock;
    std::string m_version;
    std::string m_info;
    bool m_armed = false;
    std::optional<Swipe> m_manualSwipe;

    Bytes m_request;   // bytes of the request being received
    size_t m_skip = 0; // bytes still to drop of an oversized request
};

} // namespace sim
