#pragma once
// Work run in a forked copy of the test process, so that a limit set there
// (address space, a kill at a random moment) cannot hurt the test runner.
// The child ends with _exit: no static destructors or Qt teardown run in a
// copy of a process that still thinks it owns the parent's threads.

#include <cstdint>
#include <functional>
#include <string>
#include <sys/types.h>

struct ChildOutcome
{
    bool exited = false; // ended by itself (not by a signal)
    int exitCode = -1;
    int signal = 0;      // the signal that ended it, 0 when it exited
    std::string output;  // what the child's body returned
    // "exited 0", "killed by signal 6 (Aborted)", "ran out of memory
    // (std::bad_alloc)", for failure messages.
    std::string describe() const;
    bool normal() const { return exited && exitCode == 0; }
};

// The address space the calling process has mapped now, in bytes.
int64_t mappedBytes();

// Runs `body` in a child process and returns how it ended and what it
// said. With `extraAddressSpace` > 0 the child's address space is limited
// (RLIMIT_AS) to what it has mapped when it starts plus that many bytes,
// so any allocation past it fails. A child still running after
// `timeoutSeconds` is killed (SIGALRM). A std::bad_alloc escaping the body
// ends the child with exit code 3 and "std::bad_alloc" as output.
ChildOutcome runInChild(const std::function<std::string()> &body, int64_t extraAddressSpace = 0,
                        unsigned timeoutSeconds = 60);

// Starts `body` in a child process and returns at once with its id; the
// child exits with what body returns. Wait for it with waitForChild.
pid_t startChild(const std::function<int()> &body);
ChildOutcome waitForChild(pid_t pid);
