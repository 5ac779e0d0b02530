// morvane-host: a real process that plays the plug-in side of the link.
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/morvane-host/host.h"

namespace {
volatile sig_atomic_t gStop = 0;
void onSignal(int) { gStop = 1; }
}  // namespace

int main(int argc, char** argv)
{
    int instances = 1;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs(morvane_host::usage(), stdout);
            return 0;
        }
        if (!std::strcmp(argv[i], "--instances") && i + 1 < argc) {
            char* end = nullptr;
            long n = std::strtol(argv[++i], &end, 10);
            if (*end || n < 1 || n > 8) {
                std::fprintf(stderr, "morvane-host: --instances takes 1..8\n");
                return 2;
            }
            instances = (int)n;
        } else {
            std::fputs(morvane_host::usage(), stderr);
            return 2;
        }
    }
    struct sigaction sa;
    std::memset(&sa, 0, sizeof sa);
    sa.sa_handler = onSignal;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    signal(SIGPIPE, SIG_IGN);

    morvane_host::Host host(stdout);
    if (!host.start(instances)) return 1;

    bool reading = true;
    std::string pending;
    while (!gStop) {
        struct pollfd fd = {STDIN_FILENO, POLLIN, 0};
        // Short waits: the editor waits at most 16 ms per step for a fade answer.
        int ready = poll(&fd, reading ? 1 : 0, 2);
        if (ready > 0 && (fd.revents & (POLLIN | POLLHUP))) {
            char chunk[512];
            ssize_t n = read(STDIN_FILENO, chunk, sizeof chunk);
            if (n <= 0) {
                if (n == 0 || errno != EINTR) reading = false;
            } else {
                pending.append(chunk, (size_t)n);
                size_t eol;
                while ((eol = pending.find('\n')) != std::string::npos) {
                    std::string line = pending.substr(0, eol);
                    pending.erase(0, eol + 1);
                    if (!host.command(line)) gStop = 1;
                }
            }
        }
        host.poll();
    }
    host.stop();
    return 0;
}
