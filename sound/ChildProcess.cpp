#include "sound/ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <pthread.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sonobox {
namespace {

pid_t g_parent = 0;

// Ends this process when its parent ends; false when the parent is gone
// already.
bool DieWithParent(pid_t parent) { return ::prctl(PR_SET_PDEATHSIG, SIGKILL) == 0 && ::getppid() == parent; }

void ChildOfChildDiesWithUs() {
    if (!DieWithParent(g_parent)) ::_exit(127);
}

[[noreturn]] void RunChild(pid_t parent, const std::function<int()>& body) {
    // Nothing of the parent's stays open here: no lock, no window
    // connection, no audio device.
    ::close_range(3, ~0u, 0);
    if (!DieWithParent(parent)) ::_exit(127);
    // A process this child forks (a message box may) goes with it too.
    g_parent = ::getpid();
    ::pthread_atfork(nullptr, nullptr, &ChildOfChildDiesWithUs);
    ::_exit(body() & 0xFF);
}

}  // namespace

int RunInChild(const std::function<int()>& body) {
    const pid_t parent = ::getpid();
    const pid_t child = ::fork();
    if (child < 0) return -1;
    if (child == 0) RunChild(parent, body);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace sonobox
