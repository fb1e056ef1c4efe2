// Start-up of the program: time from spawning it to its first painted window
// (offscreen), and the process's peak memory. The program ends itself right
// after that first paint (TXV_ON_SHOWN=quit) and is taken from the build
// tree beside this benchmark (build/app/txv418k-demo).

#include "platform/clock.h"
#include "platform/poll_wait.h"
#include "platform/program_dir.h"
#include "tools/bench/bench.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int kRuns = 5;
constexpr uint32_t kShownTimeoutMs = 30000;

struct StartupSample {
    bool ok = false;
    double ms = 0;
    double rssMb = 0;
};

// The environment with the program's own variables put in front.
std::vector<std::string> ChildEnvironment(const std::string& runtimeDir) {
    std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen", "TXV_ON_SHOWN=quit",
                                    "XDG_RUNTIME_DIR=" + runtimeDir};
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        std::string key = entry.substr(0, entry.find('='));
        if (key != "QT_QPA_PLATFORM" && key != "TXV_ON_SHOWN" && key != "XDG_RUNTIME_DIR")
            env.push_back(entry);
    }
    return env;
}

// True once the child wrote its "shown" line; false on EOF, error or time-out.
bool WaitForShown(int fd) {
    std::string got;
    uint32_t start = platform::TickCount();
    while (got.find('\n') == std::string::npos) {
        if (platform::PollOne(fd, POLLIN, platform::MsLeft(start, kShownTimeoutMs)) <= 0)
            return false;
        char buf[64];
        ssize_t n = read(fd, buf, sizeof buf);
        if (n <= 0)
            return false;
        got.append(buf, size_t(n));
    }
    return got.rfind("shown\n", 0) == 0;
}

StartupSample RunOnce(const std::string& program, const std::string& folder) {
    StartupSample sample;
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return sample;

    std::vector<std::string> env = ChildEnvironment(folder);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string arg0 = program;
    char* argv[] = {arg0.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    // The working directory holds no language file, like a first start.
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());

    uint32_t start = platform::TickCount();
    pid_t pid = -1;
    int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (rc != 0) {
        close(pipeFds[0]);
        return sample;
    }
    bool shown = WaitForShown(pipeFds[0]);
    uint32_t shownAt = platform::TickCount();
    close(pipeFds[0]);
    if (!shown)
        kill(pid, SIGKILL);

    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    sample.ok = shown && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    sample.ms = double(uint32_t(shownAt - start));
    sample.rssMb = double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
    return sample;
}

} // namespace

TXV_BENCH(startup) {
    const std::string program = platform::ProgramDir() + "/../../app/txv418k-demo";
    if (access(program.c_str(), X_OK) != 0) {
        std::fprintf(stderr, "startup: %s is not built\n", program.c_str());
        return;
    }
    char pattern[] = "/tmp/txv-startup-XXXXXX";
    if (!mkdtemp(pattern))
        return;
    const std::string folder = pattern;

    std::vector<double> times;
    double peakRss = 0;
    for (int i = 0; i < kRuns; ++i) {
        StartupSample s = RunOnce(program, folder);
        if (!s.ok) {
            std::fprintf(stderr, "startup: run %d did not show its window\n", i + 1);
            continue;
        }
        times.push_back(s.ms);
        peakRss = std::max(peakRss, s.rssMb);
    }
    std::filesystem::remove_all(folder);
    if (times.empty())
        return;
    bench::Report("startup_ms", bench::Median(times), "ms");
    bench::Report("startup_rss_mb", peakRss, "MB");
}
