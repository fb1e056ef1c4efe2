#pragma once
// One line on standard error for a device node this user may not open, with
// the remedy; once per node and process, however often the node is tried.

#include <string>

namespace platform {

void ReportPermissionDeniedOnce(const std::string& node, const std::string& remedy);

} // namespace platform
