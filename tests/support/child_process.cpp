#include "child_process.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void writeAll(int fd, const std::string &text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += size_t(n);
    }
}

ChildOutcome outcomeOf(int status)
{
    ChildOutcome out;
    if (WIFEXITED(status)) {
        out.exited = true;
        out.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        out.signal = WTERMSIG(status);
    }
    return out;
}

} // namespace

std::string ChildOutcome::describe() const
{
    if (exited && exitCode == 3 && output == "std::bad_alloc")
        return "ran out of memory (std::bad_alloc)";
    if (exited)
        return "exited " + std::to_string(exitCode) + (output.empty() ? std::string() : ": " + output);
    return "killed by signal " + std::to_string(signal) + " (" + strsignal(signal) + ")" +
           (output.empty() ? std::string() : " after: " + output);
}

int64_t mappedBytes()
{
    FILE *f = std::fopen("/proc/self/statm", "r");
    if (!f)
        return -1;
    long long pages = -1;
    if (std::fscanf(f, "%lld", &pages) != 1)
        pages = -1;
    std::fclose(f);
    return pages < 0 ? -1 : int64_t(pages) * int64_t(sysconf(_SC_PAGE_SIZE));
}

pid_t startChild(const std::function<int()> &body)
{
    std::fflush(nullptr); // nothing buffered is written twice
    const pid_t pid = fork();
    if (pid == 0) {
        int code = 4;
        try {
            code = body();
        } catch (...) {
            code = 4;
        }
        _exit(code);
    }
    return pid;
}

ChildOutcome waitForChild(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return {};
    }
    return outcomeOf(status);
}

ChildOutcome runInChild(const std::function<std::string()> &body, int64_t extraAddressSpace, unsigned timeoutSeconds)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const pid_t pid = startChild([&]() -> int {
        ::close(fds[0]);
        signal(SIGALRM, SIG_DFL);
        alarm(timeoutSeconds);
        if (extraAddressSpace > 0) {
            const int64_t now = mappedBytes();
            const rlimit limit{rlim_t(now + extraAddressSpace), rlim_t(now + extraAddressSpace)};
            if (now < 0 || setrlimit(RLIMIT_AS, &limit) != 0) {
                writeAll(fds[1], "the address space limit could not be set");
                return 5;
            }
        }
        try {
            writeAll(fds[1], body());
        } catch (const std::bad_alloc &) {
            writeAll(fds[1], "std::bad_alloc");
            return 3;
        }
        return 0;
    });
    ::close(fds[1]);
    std::string output;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        output.append(buffer, size_t(n));
    }
    ::close(fds[0]);
    ChildOutcome out = pid < 0 ? ChildOutcome{} : waitForChild(pid);
    out.output = output;
    return out;
}
