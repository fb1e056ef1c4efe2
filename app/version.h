#pragma once

// The program's version, joined to the caption at start.
inline constexpr const char* g_strVersionText = "TXV-V3.01";
