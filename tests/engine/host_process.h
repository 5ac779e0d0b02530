// morvane-host started as a second process on the test's link segment, its
// commands written to its standard input and its report read back.
#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

extern char** environ;

// Runs step (the engine's poll, usually) until done() or the time is up.
inline bool pollUntil(const std::function<bool()>& done, const std::function<void()>& step, int ms = 4000)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        if (step) step();
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
    }
    return done();
}

class hostRun {
public:
    hostRun(const std::string& segment, int instances)
    {
        int toChild[2], fromChild[2];
        if (pipe(toChild) != 0 || pipe(fromChild) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
        posix_spawn_file_actions_adddup2(&actions, fromChild[1], 1);
        posix_spawn_file_actions_addclose(&actions, toChild[1]);
        posix_spawn_file_actions_addclose(&actions, fromChild[0]);
        std::string env = "MORVANE_IAC_SEGMENT=" + segment;
        std::string count = std::to_string(instances);
        char* argv[] = {const_cast<char*>("morvane-host"), const_cast<char*>("--instances"),
                        const_cast<char*>(count.c_str()), nullptr};
        char* envp[] = {const_cast<char*>(env.c_str()), nullptr};
        if (posix_spawn(&pid_, MORVANE_HOST_PATH, &actions, nullptr, argv, envp) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(toChild[0]);
        close(fromChild[1]);
        in_ = toChild[1];
        out_ = fromChild[0];
        fcntl(out_, F_SETFL, O_NONBLOCK);
    }
    ~hostRun()
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (in_ >= 0) close(in_);
        if (out_ >= 0) close(out_);
    }
    bool started() const { return pid_ > 0; }
    void send(const std::string& command)
    {
        std::string line = command + "\n";
        if (write(in_, line.data(), line.size()) != (ssize_t)line.size())
            ADD_FAILURE() << "cannot write to morvane-host";
    }
    // Everything the host printed so far.
    const std::string& report()
    {
        char buf[4096];
        ssize_t n;
        while ((n = read(out_, buf, sizeof buf)) > 0) text_.append(buf, (size_t)n);
        return text_;
    }
    bool printed(const std::string& what) { return report().find(what) != std::string::npos; }
    // How often a line containing what was printed.
    int count(const std::string& what)
    {
        const std::string& all = report();
        int n = 0;
        for (size_t at = all.find(what); at != std::string::npos; at = all.find(what, at + 1)) ++n;
        return n;
    }
    // Sends quit and waits for the exit code (-1 on time-out).
    int quit(int ms = 3000)
    {
        send("quit");
        int status = 0;
        bool gone = pollUntil([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, nullptr, ms);
        if (!gone) return -1;
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
    }

private:
    pid_t pid_ = -1;
    int in_ = -1;
    int out_ = -1;
    std::string text_;
};
