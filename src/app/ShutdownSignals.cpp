#include "app/ShutdownSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace {

// The write end of the pipe. A signal handler reaches no object, only
// globals, so this one descriptor is the single piece of global state.
volatile std::sig_atomic_t handOffFd = -1;

extern "C" void handOff(int) {
    const int savedErrno = errno;  // the interrupted code may be about to read it
    const char byte = 1;
    // A full pipe already holds a pending request: losing this byte is fine.
    [[maybe_unused]] const ssize_t written = ::write(handOffFd, &byte, 1);
    errno = savedErrno;
}

}  // namespace

ShutdownSignals::ShutdownSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    int fds[2];
    // Non-blocking, so the handler never waits; close-on-exec, so the
    // emulators and scripts started from here do not inherit it.
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;  // the default actions stay: the signals still end the program
    }
    readFd_ = fds[0];
    writeFd_ = fds[1];
    handOffFd = writeFd_;
    notifier_ = std::make_unique<QSocketNotifier>(readFd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] {
        drain();
        onSignal_();
    });

    struct sigaction action {};
    action.sa_handler = handOff;
    sigemptyset(&action.sa_mask);
    // SA_RESETHAND: should the orderly shutdown hang, a second signal of the
    // same kind ends the program at once.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    ::sigaction(SIGTERM, &action, &previousTerm_);
    ::sigaction(SIGINT, &action, &previousInt_);
}

ShutdownSignals::~ShutdownSignals() {
    if (writeFd_ < 0) {
        return;
    }
    ::sigaction(SIGTERM, &previousTerm_, nullptr);
    ::sigaction(SIGINT, &previousInt_, nullptr);
    handOffFd = -1;
    notifier_.reset();
    ::close(readFd_);
    ::close(writeFd_);
}

void ShutdownSignals::drain() const {
    char bytes[64];
    while (::read(readFd_, bytes, sizeof bytes) > 0) {
    }
}
