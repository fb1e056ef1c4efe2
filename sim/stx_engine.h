#pragma once
// The RS232 reader's STX protocol: STX LEN command ETX BCC in both
// directions. A reply echoes request bytes 2 and 3, then a status byte
// ('N' = refused, followed by an error code). The version reply is followed
// by two more bytes (CR LF), which the tool's version reader waits for.
// Bytes before an STX are line noise and dropped.

#include "sim/parameter_blocks.h"
#include "sim/protocol_engine.h"

#include <string>

namespace sim {

// Error codes after 'N'.
inline constexpr uint8_t kStxErrorCheck = 0x01;   // wrong ETX or check byte
inline constexpr uint8_t kStxErrorCommand = 0x02; // unknown command
inline constexpr uint8_t kStxErrorLength = 0x03;  // wrong length for the command

class StxEngine : public ProtocolEngine {
public:
    StxEngine();

    Output Feed(const uint8_t* data, size_t size) override;
    Output FeedReport(const uint8_t* data, size_t size) override;
    bool HasPartial() const override { return !m_request.empty(); }
    void DropPartial() override { m_request.clear(); }
    CardTextFormat TextFormat() const override;

    const RsParameterBlock& RsBlock() const { return m_block; }
    void SetRsBlock(const RsParameterBlock& block) { m_block = block; }
    const std::string& VersionText() const { return m_version; }
    void SetVersionText(const std::string& text) { m_version = text; }

private:
    void Answer(Output& out);

    RsParameterBlock m_block;
    std::string m_version;
    Bytes m_request; // from the STX on
};

} // namespace sim
