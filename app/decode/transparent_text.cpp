#include "app/decode/transparent_text.h"

#include "app/decode/utf8_text.h"

namespace {

constexpr int kNoTrack = -1;

int StartedTrack(unsigned char c, const TrackSentinels& sentinels) {
    for (int track = 0; track < kTrackCount; ++track) {
        if (SentinelMatches(c, sentinels.Start(track)))
            return track;
    }
    return kNoTrack;
}

} // namespace

CustomDataView ParseCustomData(std::string_view text, const TrackSentinels& sentinels,
                               CardSwipeStats& stats) {
    CustomDataView view;
    text = text.substr(0, text.find('\0'));
    if (text.empty())
        return view;
    view.counted = true;
    ++stats.m_nSwipeCount;
    view.rawText = Latin1ToUtf8(text);

    std::array<std::string, kTrackCount> tracks;
    int open = kNoTrack;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (const int started = StartedTrack(c, sentinels); started != kNoTrack) {
            open = started;
        } else if (open != kNoTrack && SentinelMatches(c, sentinels.End(open))) {
            const std::string shown = static_cast<char>(sentinels.Start(open)) + tracks[open] +
                                      static_cast<char>(sentinels.End(open));
            view.trackTexts[open] = Latin1ToUtf8(shown);
            view.counts[open] = static_cast<int>(tracks[open].size());
            open = kNoTrack;
        } else if (open != kNoTrack) {
            tracks[open] += ch;
        }
    }
    for (int track = 0; track < kTrackCount; ++track) {
        if (tracks[track].empty()) {
            ++stats.m_nBlankCount[track];
            view.blankCounted[track] = true;
        }
        view.rates[track] = TextSuccessRate(stats, track);
    }
    return view;
}
