// Two real processes of the program with one runtime folder: the second ends
// at once, without a window.

#include "platform/program_dir.h"
#include "tests/platform/test_folder.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int kWaitMs = 30000;

struct Child {
    pid_t pid = -1;
    int out = -1; // the child's standard output
};

std::string ProgramPath() {
    return platform::ProgramDir() + "/../../app/txv418k-demo";
}

Child Spawn(const std::string& runtimeDir) {
    Child child;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return child;
    std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen", "TXV_ON_SHOWN=print",
                                    "XDG_RUNTIME_DIR=" + runtimeDir};
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        std::string key = entry.substr(0, entry.find('='));
        if (key != "QT_QPA_PLATFORM" && key != "TXV_ON_SHOWN" && key != "XDG_RUNTIME_DIR")
            env.push_back(entry);
    }
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string program = ProgramPath();
    char* argv[] = {program.data(), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addchdir_np(&actions, runtimeDir.c_str());
    if (posix_spawn(&child.pid, program.c_str(), &actions, nullptr, argv, envp.data()) != 0)
        child.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    child.out = fds[0];
    return child;
}

// Everything the child writes until it closes its output (it ended) or the
// wait runs out; ended tells which.
std::string ReadUntilEnd(int fd, bool stopAtLine, bool& ended) {
    std::string got;
    ended = false;
    for (;;) {
        if (stopAtLine && got.find('\n') != std::string::npos)
            return got;
        pollfd p{fd, POLLIN, 0};
        int rc = poll(&p, 1, kWaitMs);
        if (rc < 0 && errno == EINTR)
            continue;
        if (rc <= 0)
            return got;
        char buf[256];
        ssize_t n = read(fd, buf, sizeof buf);
        if (n <= 0) {
            ended = n == 0;
            return got;
        }
        got.append(buf, size_t(n));
    }
}

int WaitExit(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

TEST(AppSingleInstance, SecondProcessEndsAtOnceWithoutAWindow) {
    ASSERT_EQ(access(ProgramPath().c_str(), X_OK), 0) << ProgramPath() << " is not built";
    const test_support::TempFolder runtimeDir;
    const std::string& folder = runtimeDir.path();
    ASSERT_FALSE(folder.empty());

    Child first = Spawn(folder);
    ASSERT_GT(first.pid, 0);
    bool firstEnded = false;
    EXPECT_EQ(ReadUntilEnd(first.out, true, firstEnded), "shown\n");

    Child second = Spawn(folder);
    ASSERT_GT(second.pid, 0);
    bool secondEnded = false;
    EXPECT_EQ(ReadUntilEnd(second.out, false, secondEnded), "");
    EXPECT_TRUE(secondEnded);
    if (!secondEnded)
        kill(second.pid, SIGKILL);
    int status = WaitExit(second.pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    kill(first.pid, SIGTERM);
    WaitExit(first.pid);
    close(first.out);
    close(second.out);
}

} // namespace
