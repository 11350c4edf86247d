#include "app/ExitSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iterator>

#include <pthread.h>

#include <fcntl.h>
#include <unistd.h>

namespace sk {
namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};
int pipeEnds[2] = {-1, -1};  // read end, write end
bool caught[std::size(kEndSignals)] = {};  // the handler is installed for it

// Async-signal-safe: one write that never blocks, errno left as it was.
void OnEndSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = saved;
}

bool IgnoredAtStart(int signal) {
    struct sigaction current {};
    return ::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

void SetAction(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signal, &action, nullptr);
}

// Back to the default action for the signals the handler has.
void Uninstall() {
    for (std::size_t i = 0; i < std::size(kEndSignals); ++i) {
        if (caught[i]) SetAction(kEndSignals[i], SIG_DFL);
        caught[i] = false;
    }
}

void Install() {
    for (std::size_t i = 0; i < std::size(kEndSignals); ++i) {
        if (IgnoredAtStart(kEndSignals[i])) continue;
        SetAction(kEndSignals[i], OnEndSignal);
        caught[i] = true;
    }
}

}  // namespace

ExitSignals::ExitSignals(QObject* parent) : QObject(parent) {
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
        std::fprintf(stderr, "skarbolt: no pipe for the end signals: %s\n", std::strerror(errno));
        return;
    }
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &ExitSignals::Drain);
    // A child forked without a new program (the sound library's message
    // box) has no event loop to ask and not the pipe: the signals end it.
    static const bool childrenReset = ::pthread_atfork(nullptr, nullptr, &Uninstall) == 0;
    (void)childrenReset;
    Install();
}

ExitSignals::~ExitSignals() {
    if (!notifier_) return;
    Uninstall();
    delete notifier_;
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void ExitSignals::Drain() {
    char bytes[64];
    while (::read(pipeEnds[0], bytes, sizeof bytes) > 0) {
    }
    emit EndRequested();
}

}  // namespace sk
