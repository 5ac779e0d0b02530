// morvane-host as a real second process: this test plays the editor.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include "dsp/dsp.h"
#include "iac/MorvaneIAC.h"

namespace {

using Clock = std::chrono::steady_clock;

bool waitFor(const std::function<bool()>& done, int ms = 3000)
{
    auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < end) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return done();
}

// The host process with its standard input and output on pipes.
class HostProcess {
public:
    HostProcess(const std::string& segment, int instances)
    {
        int in[2], out[2];
        EXPECT_EQ(pipe(in), 0);
        EXPECT_EQ(pipe(out), 0);
        pid_ = fork();
        if (pid_ == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            close(in[1]);
            close(out[0]);
            setenv("MORVANE_IAC_SEGMENT", segment.c_str(), 1);
            std::string n = std::to_string(instances);
            execl(MORVANE_HOST_PATH, "morvane-host", "--instances", n.c_str(), (char*)nullptr);
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        toHost_ = in[1];
        fromHost_ = out[0];
        fcntl(fromHost_, F_SETFL, O_NONBLOCK);
    }
    ~HostProcess()
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (toHost_ >= 0) close(toHost_);
        close(fromHost_);
    }
    void send(const std::string& line)
    {
        std::string l = line + "\n";
        ASSERT_EQ(write(toHost_, l.data(), l.size()), (ssize_t)l.size());
    }
    void closeInput()
    {
        close(toHost_);
        toHost_ = -1;
    }
    // Waits until the host has printed text containing `what`.
    bool expectOutput(const std::string& what, int ms = 3000)
    {
        return waitFor(
            [&] {
                drain();
                return output_.find(what) != std::string::npos;
            },
            ms);
    }
    int waitExit(int ms = 3000)
    {
        int status = -1;
        bool done = waitFor([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, ms);
        if (!done) return -1;
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -2;
    }
    pid_t pid() const { return pid_; }
    const std::string& output()
    {
        drain();
        return output_;
    }

private:
    void drain()
    {
        char buf[4096];
        ssize_t n;
        while ((n = read(fromHost_, buf, sizeof buf)) > 0) output_.append(buf, (size_t)n);
    }
    pid_t pid_ = -1;
    int toHost_ = -1;
    int fromHost_ = -1;
    std::string output_;
};

class MorvaneHost : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A name of its own per test: a run of the whole binary never meets
        // the previous test's (unlinked) segment.
        static int serial = 0;
        segment_ = "/morvane-hosttest-" + std::to_string(getpid()) + "-" + std::to_string(++serial);
        ASSERT_EQ(iac_setSegmentName(segment_.c_str()), 1);
        ASSERT_EQ(iac_mvn_signIn(), 1);
    }
    void TearDown() override
    {
        iac_mvn_signOut();
        iac_unlinkSegment();
    }
    int16_t& word(int instance, uint32_t offset)
    {
        return *reinterpret_cast<int16_t*>(reinterpret_cast<char*>(iac_getInst(instance)) + offset);
    }
    std::string segment_;
};

}  // namespace

TEST_F(MorvaneHost, PlaysThePlugInSideOfTheConversation)
{
    HostProcess host(segment_, 2);
    ASSERT_TRUE(host.expectOutput("instance 1: online")) << host.output();
    EXPECT_TRUE(waitFor([] { return iac_plugIsOnline[0] && iac_plugIsOnline[1]; }));
    EXPECT_FALSE(iac_plugIsOnline[2]);

    // A host program change reaches the editor's poll.
    host.send("program 0 5");
    EXPECT_TRUE(waitFor([] { return iac_mvn_getUpdateProgram(0, -1) == 5; }));

    // A program chosen in the editor reaches the host, which follows it.
    iac_mvn_programChange(1, 9);
    EXPECT_TRUE(host.expectOutput("instance 1: program change 9")) << host.output();

    // Repatch and effect-buffer requests are taken and reported.
    iac_mvn_repatch(0, 1);
    EXPECT_TRUE(host.expectOutput("instance 0: repatch (flag 1")) << host.output();
    iac_mvn_reinitEffectBuf(1);
    EXPECT_TRUE(host.expectOutput("instance 1: effect buffers")) << host.output();

    // The fade hand-shake is answered within a few milliseconds.
    word(0, 0x1C) = 1;
    EXPECT_TRUE(waitFor([&] { return word(0, 0x1C) == 0; }, 100));

    // Window and bank requests.
    host.send("editor 1 4");
    EXPECT_TRUE(waitFor([] { return iac_app_needOpenWindow() == 4; }));
    EXPECT_EQ(editInstance, 1);
    host.send("bank /tmp/some bank.glo");
    EXPECT_TRUE(waitFor([] { return iac_app_didBankChange(1) != 0; }));
    EXPECT_STREQ(iac_bankFilePath, "/tmp/some bank.glo");

    // Published names are announced and can be listed.
    iac_setBankName("Strings.glo");
    iac_setPresetName(3, "Cello Section");
    iac_mvn_bankChanged();
    EXPECT_TRUE(host.expectOutput("names published: Strings.glo")) << host.output();
    host.send("names");
    EXPECT_TRUE(host.expectOutput("3 Cello Section")) << host.output();

    // Bad commands are answered, not fatal.
    host.send("program 9 1");
    EXPECT_TRUE(host.expectOutput("program: instance 0..7")) << host.output();
    host.send("frobnicate");
    EXPECT_TRUE(host.expectOutput("unknown command: frobnicate")) << host.output();

    // End of input only stops the reading; "quit" cannot arrive any more,
    // so SIGTERM ends it, taking the instances offline.
    host.closeInput();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(iac_plugIsOnline[0]);
    kill(host.pid(), SIGTERM);
    EXPECT_EQ(host.waitExit(), 0);
    EXPECT_FALSE(iac_plugIsOnline[0]);
    EXPECT_FALSE(iac_plugIsOnline[1]);
}

TEST_F(MorvaneHost, OnlineOfflineSnapshotAndQuit)
{
    HostProcess host(segment_, 1);
    ASSERT_TRUE(host.expectOutput("instance 0: online")) << host.output();
    host.send("online 3");
    EXPECT_TRUE(waitFor([] { return iac_plugIsOnline[3] != 0; })) << host.output();
    host.send("offline 0");
    EXPECT_TRUE(waitFor([] { return iac_plugIsOnline[0] == 0; }));

    char path[] = "/tmp/morvane-snapshot-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    word(3, 0x0E) = 77;
    host.send(std::string("snapshot 3 ") + path);
    ASSERT_TRUE(host.expectOutput("snapshot written")) << host.output();
    FILE* f = std::fopen(path, "rb");
    ASSERT_NE(f, nullptr);
    unsigned char head[0x40];
    ASSERT_EQ(std::fread(head, 1, sizeof head, f), sizeof head);
    std::fclose(f);
    std::remove(path);
    int16_t pending, number;
    std::memcpy(&pending, head + 0x0E, 2);
    std::memcpy(&number, head + 0x36, 2);
    EXPECT_EQ(pending, 77);
    EXPECT_EQ(number, 3);

    host.send("quit");
    EXPECT_EQ(host.waitExit(), 0);
    EXPECT_FALSE(iac_plugIsOnline[3]);
}

TEST_F(MorvaneHost, InstancesStartAsAPlugInMakesThemAndProgramsArePublished)
{
    HostProcess host(segment_, 2);
    ASSERT_TRUE(host.expectOutput("instance 1: online")) << host.output();
    // A new instance holds a new instrument on program 0, published.
    for (int i = 0; i < 2; ++i) {
        const instRec* inst = iac_getInst(i);
        EXPECT_EQ(iac_changed[i].currentProgram.load(), 0) << i;
        EXPECT_EQ(inst->patch.preset, 0) << i;
        EXPECT_EQ(inst->patch.poly, 4) << i;
        EXPECT_FLOAT_EQ(inst->patch.amp, 1.0f) << i;
        EXPECT_FLOAT_EQ(inst->patch.trans, 1.0f) << i;
        EXPECT_FLOAT_EQ(inst->patch.pan, 0.5f) << i;
        EXPECT_STREQ(inst->patch.name, "default") << i;
        EXPECT_EQ(inst->pendingProgram, -1) << i;
        EXPECT_EQ(inst->instanceNumber, i) << i;
        EXPECT_EQ(inst->paused, 0) << i;
        EXPECT_FLOAT_EQ(inst->fadeGain[0], 1.0f) << i;
    }
    // Its pitch table is there even though no editor filled the tunings.
    EXPECT_NE(tune_list[0].id, 0);
    EXPECT_GT(tune_getIncr(0, 69), 0.0);
    // Going online asked the editor for the published program 0.
    EXPECT_EQ(iac_mvn_getUpdateProgram(1, -1), 0);
    // Its own initialisation asked nothing of itself.
    host.send("banks");
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(host.output().find("effect buffers"), std::string::npos) << host.output();
    EXPECT_EQ(host.output().find("repatch"), std::string::npos) << host.output();

    // A host program change publishes the program as the current one.
    host.send("program 1 5");
    EXPECT_TRUE(waitFor([] { return iac_changed[1].currentProgram.load() == 5; })) << host.output();
    EXPECT_EQ(iac_mvn_getUpdateProgram(1, -1), 5);

    // A pending program word, published when it names a program; any other
    // word is written as it is and publishes nothing.
    host.send("pending 1 9");
    EXPECT_TRUE(waitFor([] { return iac_getInst(1)->pendingProgram == 9; })) << host.output();
    EXPECT_EQ(iac_changed[1].currentProgram.load(), 9);
    host.send("pending 1 -300");
    EXPECT_TRUE(waitFor([] { return iac_getInst(1)->pendingProgram == -300; })) << host.output();
    EXPECT_EQ(iac_changed[1].currentProgram.load(), 9);

    // Raw values for hostile trials, each type at its offset.
    const long poly = offsetof(instRec, patch) + offsetof(patchRec, poly);
    const long amp = offsetof(instRec, patch) + offsetof(patchRec, amp);
    const long retrig = offsetof(instRec, patch) + offsetof(patchRec, retrigRate);
    host.send("set 0 " + std::to_string(poly) + " short -7");
    host.send("set 0 " + std::to_string(amp) + " float 1e30");
    host.send("set 0 " + std::to_string(retrig) + " double -2.5");
    host.send("set 0 0x36 short 300");
    host.send("set 0 0x0E char 255");
    EXPECT_TRUE(host.expectOutput("char 255 written at 14")) << host.output();
    EXPECT_EQ(iac_getInst(0)->patch.poly, -7);
    EXPECT_FLOAT_EQ(iac_getInst(0)->patch.amp, 1e30f);
    EXPECT_DOUBLE_EQ(iac_getInst(0)->patch.retrigRate, -2.5);
    EXPECT_EQ(iac_getInst(0)->instanceNumber, 300);
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(iac_getInst(0))[0x0E], 255);
    // Places outside the record, unknown types and values a type cannot
    // hold are refused and write nothing.
    const std::string bad[] = {"set 0 " + std::to_string(IAC_INST_SLOT_BYTES - 3) + " int 1",
                               "set 0 -1 char 1",
                               "set 0 0x36 long 1",
                               "set 0 0x36 short 70000",
                               "set 0 0x36 short 12abc",
                               "set 0 0x36 float nonsense",
                               "set 9 0 int 1",
                               "set 0"};
    for (const std::string& line : bad) host.send(line);
    host.send("banks");
    EXPECT_TRUE(waitFor([&] {
        const std::string& out = host.output();
        int n = 0;
        for (size_t at = out.find("set: instance"); at != std::string::npos;
             at = out.find("set: instance", at + 1))
            ++n;
        return n == 8;
    })) << host.output();
    EXPECT_EQ(iac_getInst(0)->instanceNumber, 300);

    // --help tells of the new commands.
    std::FILE* help = popen(MORVANE_HOST_PATH " --help", "r");
    ASSERT_NE(help, nullptr);
    std::string text;
    char line[256];
    while (std::fgets(line, sizeof line, help)) text += line;
    EXPECT_EQ(pclose(help), 0);
    EXPECT_NE(text.find("pending I P"), std::string::npos) << text;
    EXPECT_NE(text.find("set I OFF T V"), std::string::npos) << text;
    EXPECT_NE(text.find("on program 0"), std::string::npos) << text;
    host.send("quit");
    EXPECT_EQ(host.waitExit(), 0);
}
