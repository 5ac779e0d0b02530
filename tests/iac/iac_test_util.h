// Helpers of the link tests: a private segment per test, polling with a
// deadline, and running one side of the link in a forked child.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include "iac/MorvaneIAC_plug.h"

// Every test works on a segment of its own, named after the test and the
// process, and removes it afterwards.
class IacTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        name_ = std::string("/morvane-iac-test-%p-") +
                ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ASSERT_EQ(iac_setSegmentName(name_.c_str()), 1);
        own_ = iac_getSegmentName();
    }
    void TearDown() override
    {
        iac_mvn_signOut();
        iac_unlinkSegment();       // the segment in use at the end
        shm_unlink(own_.c_str());  // and the test's own, if it switched away
    }
    std::string name_;  // as given, with %p
    std::string own_;   // as used
};

// Polls `done` every millisecond until it holds or `ms` milliseconds passed.
inline bool waitFor(const std::function<bool()>& done, int ms = 5000)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Runs `body` in a forked child; its return value becomes the exit status.
inline pid_t startChild(const std::function<int()>& body)
{
    const pid_t pid = fork();
    if (pid == 0) _exit(body());
    return pid;
}

// Waits for the child and returns its exit status (-1 when it did not exit).
inline int childStatus(pid_t pid)
{
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// Header words of an instance record, read and written as the plug-in's
// audio code and the instrument model do.
inline int16_t recordShort(int instance, size_t offset)
{
    int16_t v = 0;
    std::memcpy(&v, reinterpret_cast<unsigned char*>(iac_getInst(instance)) + offset, sizeof v);
    return v;
}

inline void setRecordShort(int instance, size_t offset, int16_t v)
{
    std::memcpy(reinterpret_cast<unsigned char*>(iac_getInst(instance)) + offset, &v, sizeof v);
}

inline float recordFloat(int instance, size_t offset)
{
    float v = 0;
    std::memcpy(&v, reinterpret_cast<unsigned char*>(iac_getInst(instance)) + offset, sizeof v);
    return v;
}
