#pragma once
// Texts of the card-data display that the code fixes, alike in both
// languages (UTF-8).

#include <string_view>

inline constexpr std::string_view kReadCardOkText = "读卡成功!!!";
inline constexpr std::string_view kNoFrameDataText = "dataLen - 4<=0";
inline constexpr std::string_view kDecodeModeOnMark = "√";
inline constexpr std::string_view kDecodeModeOffMark = "×";
inline constexpr std::string_view kIButtonReadText = "iButton read card ok !!";
inline constexpr std::string_view kIButtonDetachedText = "iButton detached!!";
