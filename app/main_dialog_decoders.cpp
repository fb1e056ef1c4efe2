#include "app/command_bracket.h"
#include "app/decode/card_texts.h"
#include "app/decode/ibutton_frame.h"
#include "app/decode/track_frame.h"
#include "app/main_dialog.h"
#include "platform/ui/message_box.h"

#include <algorithm>
#include <span>

namespace {

std::span<const uint8_t> FrameBytes(const uint8_t* frame, int count) {
    if (frame == nullptr || count <= 0)
        return {};
    return {frame, size_t(count)};
}

void ShowNoFrameData(const CDQ450DemoDlg& dialog) {
    ui::MessageBox(kNoFrameDataText, {}, ui::MessageIcon::None, ui::MessageButtons::Ok, &dialog);
}

// Every track frame first empties the raw-data edit, also one without data.
template <typename Decode> void ShowTrackResult(CDQ450DemoDlg& dialog, Decode decode) {
    CHidTestDlg& page = dialog.m_pageHidTest;
    page.Item(IDC_RAW_DATA).SetText("");
    const TrackFrameView view = decode(page.m_stats);
    if (!view.hasData) {
        ShowNoFrameData(dialog);
        return;
    }
    SetStatusText(dialog, kReadCardOkText);
    page.ShowTrackFrame(view);
}

void ShowSingleTrack(CDQ450DemoDlg& dialog, const uint8_t* frame, int count, int track) {
    ShowTrackResult(dialog, [&](CardSwipeStats& stats) {
        return DecodeSingleTrackFrame(FrameBytes(frame, count), track, stats);
    });
}

void ShowIButton(CDQ450DemoDlg& dialog, const uint8_t* frame, int count, IButtonEvent event) {
    const IButtonView view = DecodeIButtonFrame(FrameBytes(frame, count), event);
    if (!view.hasData) {
        ShowNoFrameData(dialog);
        return;
    }
    SetStatusText(dialog, view.statusText);
    dialog.m_pageIBtn.ShowCardView(view);
}

} // namespace

void CDQ450DemoDlg::ShowAllTracksResult(const uint8_t* frame, int count) {
    ShowTrackResult(*this, [&](CardSwipeStats& stats) {
        return DecodeAllTracksFrame(FrameBytes(frame, count), stats);
    });
}

void CDQ450DemoDlg::ShowTrack1Result(const uint8_t* frame, int count) {
    ShowSingleTrack(*this, frame, count, 0);
}

void CDQ450DemoDlg::ShowTrack2Result(const uint8_t* frame, int count) {
    ShowSingleTrack(*this, frame, count, 1);
}

void CDQ450DemoDlg::ShowTrack3Result(const uint8_t* frame, int count) {
    ShowSingleTrack(*this, frame, count, 2);
}

void CDQ450DemoDlg::ShowIButtonData(const uint8_t* frame, int count) {
    ShowIButton(*this, frame, count, IButtonEvent::KeyRead);
}

void CDQ450DemoDlg::ShowIButtonDetached(const uint8_t* frame, int count) {
    ShowIButton(*this, frame, count, IButtonEvent::KeyDetached);
}

// All six are stored before any is shown; both text parsers use them from
// then on.
void CDQ450DemoDlg::SetTrackSentinels(uint8_t t1Start, uint8_t t1End, uint8_t t2Start,
                                      uint8_t t2End, uint8_t t3Start, uint8_t t3End) {
    SetTrackSentinels(std::array{t1Start, t1End, t2Start, t2End, t3Start, t3End});
}

void CDQ450DemoDlg::SetTrackSentinels(std::span<const uint8_t, 6> sentinels) {
    std::copy(sentinels.begin(), sentinels.end(), m_pageHidTest.m_sentinels.chars.begin());
    m_pageHidTest.ShowSentinels();
}
