#include "app/decode/card_texts.h"
#include "app/decode/transparent_text.h"
#include "app/pages/hid_test_page.h"

#include <string>

void CHidTestDlg::ShowSwipeCount() {
    Item(IDC_SWIPE_COUNT).SetText(std::to_string(m_stats.m_nSwipeCount));
}

void CHidTestDlg::ShowBlankCount(int track) {
    Item(IDC_BLANK_COUNT[track]).SetText(std::to_string(m_stats.m_nBlankCount[size_t(track)]));
}

void CHidTestDlg::ShowRate(int track, const std::optional<std::string>& rate) {
    if (rate)
        Item(IDC_SUCCESS_RATE[track]).SetText(*rate);
}

void CHidTestDlg::ShowTrackFrame(const TrackFrameView& view) {
    ShowSwipeCount();
    for (int track = 0; track < kTrackCount; ++track) {
        const TrackView& shown = view.tracks[size_t(track)];
        if (!shown.touched)
            continue;
        if (shown.text)
            Item(IDC_TRACK_TEXT[track]).SetText(*shown.text);
        Item(IDC_CHAR_COUNT[track]).SetText(std::to_string(shown.length));
        const TrackStatusCounters& counters = m_stats.m_trackCounters[size_t(track)];
        for (size_t i = 0; i < std::size(IDC_TRACK_COUNTERS[track]); ++i)
            Item(IDC_TRACK_COUNTERS[track][i]).SetText(std::to_string(counters[i]));
    }
    for (size_t mode = 0; mode < view.decodeModes.size(); ++mode)
        Item(IDC_DECODE_MARKS[mode])
            .SetText(view.decodeModes[mode] ? kDecodeModeOnMark : kDecodeModeOffMark);
    for (int track = 0; track < kTrackCount; ++track)
        if (view.tracks[size_t(track)].touched)
            ShowRate(track, view.tracks[size_t(track)].rate);
}

// Keyboard mode: every change by the operator (the reader typing) looks at
// the last character; a quiet time after the last change ends the swipe.
void CHidTestDlg::OnChangeRawData() {
    m_strRawData = Item(IDC_RAW_DATA).Text();
    const KeyboardChangeView view = m_keyboardParser.OnChange(m_strRawData, m_sentinels);
    if (view.showTracks) {
        for (int track = 0; track < kTrackCount; ++track)
            Item(IDC_TRACK_TEXT[track]).SetText(view.trackTexts[size_t(track)]);
        if (view.countTrack >= 0)
            Item(IDC_CHAR_COUNT[view.countTrack]).SetText(std::to_string(view.count));
    }
    m_swipeEndTimer.Start(kKeyboardSwipeEndMs, [this] { OnSwipeEnd(); });
}

void CHidTestDlg::OnSwipeEnd() {
    // The selection, not the focus: the first key of the next swipe
    // replaces the old text.
    SelectRawData();
    const SwipeEndView view = m_keyboardParser.EndSwipe(m_stats);
    ShowSwipeCount();
    for (int track = 0; track < kTrackCount; ++track)
        Item(IDC_CHAR_COUNT[track]).SetText(std::to_string(view.lengths[size_t(track)]));
    for (int track = 0; track < kTrackCount; ++track)
        if (view.blankCounted[size_t(track)])
            ShowBlankCount(track);
    for (int track = 0; track < kTrackCount; ++track)
        ShowRate(track, view.rates[size_t(track)]);
}

void CHidTestDlg::ShowCustomData(std::string text) {
    const CustomDataView view = ParseCustomData(text, m_sentinels, m_stats);
    if (!view.counted)
        return;
    Item(IDC_RAW_DATA).SetText(view.rawText);
    ShowSwipeCount();
    for (int track = 0; track < kTrackCount; ++track) {
        Item(IDC_TRACK_TEXT[track]).SetText(view.trackTexts[size_t(track)]);
        Item(IDC_CHAR_COUNT[track]).SetText(std::to_string(view.counts[size_t(track)]));
    }
    for (int track = 0; track < kTrackCount; ++track)
        if (view.blankCounted[size_t(track)])
            ShowBlankCount(track);
    for (int track = 0; track < kTrackCount; ++track)
        ShowRate(track, view.rates[size_t(track)]);
    SelectRawData();
}
