#include "app/decode/keyboard_track_parser.h"

#include "app/decode/utf8_text.h"

namespace {

int CharCount(std::string_view text) {
    return static_cast<int>(Utf8CharStarts(text).size()) - 1;
}

// A character matches a sentinel only when it is one byte below 0x80.
bool Matches(std::string_view character, uint8_t sentinel) {
    return character.size() == 1 &&
           SentinelMatches(static_cast<unsigned char>(character[0]), sentinel);
}

} // namespace

KeyboardChangeView KeyboardTrackParser::OnChange(std::string_view rawText,
                                                 const TrackSentinels& sentinels) {
    KeyboardChangeView view;
    if (rawText.empty())
        return view;
    const std::vector<size_t> starts = Utf8CharStarts(rawText);
    const std::string_view c = rawText.substr(starts[starts.size() - 2]);

    for (int track = 0; track < kTrackCount; ++track) {
        if (Matches(c, sentinels.End(track)))
            m_openTrack = -1;
    }
    view.showTracks = true;
    view.trackTexts = m_strTrack;
    if (m_openTrack != -1) {
        m_strTrack[m_openTrack] += c;
        view.countTrack = m_openTrack;
        view.count = CharCount(m_strTrack[m_openTrack]);
    }
    // A start sentinel opens its track only when no other track is open.
    for (int track = 0; track < kTrackCount; ++track) {
        if ((m_openTrack == -1 || m_openTrack == track) && Matches(c, sentinels.Start(track))) {
            m_openTrack = track;
            m_strTrack[track].clear();
        }
    }
    return view;
}

SwipeEndView KeyboardTrackParser::EndSwipe(CardSwipeStats& stats) {
    SwipeEndView view;
    ++stats.m_nSwipeCount;
    for (int track = 0; track < kTrackCount; ++track) {
        view.lengths[track] = CharCount(m_strTrack[track]);
        if (m_strTrack[track].empty()) {
            ++stats.m_nBlankCount[track];
            view.blankCounted[track] = true;
        }
    }
    for (int track = 0; track < kTrackCount; ++track) {
        view.rates[track] = TextSuccessRate(stats, track);
        m_strTrack[track].clear();
    }
    return view;
}
