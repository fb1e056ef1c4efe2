#include "platform/permission_notice.h"

#include <cstdio>
#include <mutex>
#include <set>

namespace platform {

void ReportPermissionDeniedOnce(const std::string& node, const std::string& remedy) {
    static std::mutex lock;
    static std::set<std::string> reported;
    std::lock_guard guard(lock);
    if (reported.insert(node).second)
        std::fprintf(stderr, "txv: no permission to open %s; %s\n", node.c_str(), remedy.c_str());
}

} // namespace platform
