// The shared segment itself: creation, permissions, header checks, the
// choice of name, defaults of a new segment and the offset helpers.
#include "iac_test_util.h"

#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>

namespace {

// Writes a raw segment under `name`: `bytes` long, starting with `head`.
void writeRawSegment(const std::string& name, const uint32_t head[4], off_t bytes, mode_t mode)
{
    shm_unlink(name.c_str());
    int fd = shm_open(name.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, bytes), 0);
    ASSERT_EQ(pwrite(fd, head, 16, 0), 16);
    ASSERT_EQ(fchmod(fd, mode), 0);
    close(fd);
}

std::string pidName(const char* stem) { return std::string(stem) + std::to_string(getpid()); }

}  // namespace

TEST_F(IacTest, SignInCreatesAPrivateSegmentOfTheUser)
{
    const std::string name = iac_getSegmentName();
    EXPECT_EQ(name,
              "/morvane-iac-test-" + std::to_string(getpid()) + "-SignInCreatesAPrivateSegmentOfTheUser");
    EXPECT_EQ(iac_isSegmentShared(), 0) << "nothing exists before the first sign-in";

    const mode_t old = umask(0);
    ASSERT_EQ(iac_mvn_signIn(), 1);
    umask(old);
    EXPECT_EQ(iac_isSegmentShared(), 1);
    EXPECT_EQ(iac_morvaneIsOnline, 1);

    int fd = shm_open(name.c_str(), O_RDONLY, 0);
    ASSERT_GE(fd, 0);
    struct stat sb {};
    ASSERT_EQ(fstat(fd, &sb), 0);
    close(fd);
    EXPECT_EQ(sb.st_mode & 0777, 0600u);
    EXPECT_EQ(sb.st_uid, geteuid());
    EXPECT_EQ(uint64_t(sb.st_size), uint64_t(iac_segmentBytes()));

    iac_mvn_signOut();
    EXPECT_EQ(iac_morvaneIsOnline, 0);
}

TEST_F(IacTest, WhatWasWrittenBeforeSignInIsPublished)
{
    SR = 48000.0f;
    iac_appVersion = IAC_APP_VERSION;
    ASSERT_EQ(iac_mvn_signIn(), 1);

    // Read the segment back through a mapping of its own.
    int fd = shm_open(iac_getSegmentName(), O_RDONLY, 0);
    ASSERT_GE(fd, 0);
    float sr = 0;
    int32_t version = 0;
    EXPECT_EQ(pread(fd, &sr, sizeof sr, iac_ptrToOffset(&SR)), ssize_t(sizeof sr));
    EXPECT_EQ(pread(fd, &version, sizeof version, iac_ptrToOffset(&iac_appVersion)), ssize_t(sizeof version));
    close(fd);
    EXPECT_EQ(sr, 48000.0f);
    EXPECT_EQ(version, IAC_APP_VERSION);
}

TEST_F(IacTest, ANewSegmentHoldsTheDefaults)
{
    ASSERT_EQ(iac_mvn_signIn(), 1);
    for (int i = 0; i < IAC_INSTANCES; ++i) {
        EXPECT_EQ(recordShort(i, IAC_INST_NUMBER_WORD), i);
        EXPECT_EQ(recordShort(i, IAC_INST_PROGRAM_WORD), -1) << "no program change pending";
        EXPECT_EQ(iac_plugIsOnline[i], 0);
        EXPECT_EQ(iac_changed[i].changed, 0);
        EXPECT_EQ(iac_changed[i].currentProgram, -1);
        for (const iac_sliderRec& s : iac_changed[i].sliders) EXPECT_EQ(s.cc, -2);
    }
    for (const iac_bankInfo& b : iac_lastBanks) EXPECT_EQ(b.priority, -1);
    EXPECT_STREQ(iac_bankFilePath, "");
    EXPECT_EQ(iac_app_didBankChange(0), 0);
    EXPECT_EQ(iac_app_needOpenWindow(), 0);
    EXPECT_EQ(SR, 44100.0f);
    EXPECT_EQ(bufferSize, 256);
    EXPECT_EQ(vectorSize, 128);
    EXPECT_EQ(gFloatOne, 1.0f);
    EXPECT_EQ(g_effect_useMaxBuf, 1);
    EXPECT_EQ(iac_plugVersion, 0);

    // The tuning list and the pools lie inside the segment, apart from each other.
    const iac_offset tunes = iac_ptrToOffset(tune_list);
    ASSERT_NE(tunes, 0u);
    EXPECT_LE(tunes + IAC_TUNE_SLOTS * IAC_TUNEREC_BYTES, iac_ptrToOffset(iac_getInst(0)));
    const iac_offset pool7 = iac_ptrToOffset(iac_getEffectPool(7));
    ASSERT_NE(pool7, 0u);
    EXPECT_LE(uint64_t(pool7) + IAC_EFFECT_POOL_FLOATS * sizeof(float), uint64_t(iac_segmentBytes()));
    EXPECT_GE(iac_ptrToOffset(iac_getEffectPool(0)),
              iac_ptrToOffset(iac_getInst(7)) + uint32_t(IAC_INST_SLOT_BYTES));
}

TEST_F(IacTest, OffsetHelpersStayInsideTheSegment)
{
    for (int i = 0; i < IAC_INSTANCES; ++i) {
        const iac_offset o = iac_ptrToOffset(iac_getInst(i));
        ASSERT_NE(o, 0u);
        EXPECT_EQ(iac_offsetToPtr(o), static_cast<void*>(iac_getInst(i)));
        if (i > 0) {
            EXPECT_EQ(o - iac_ptrToOffset(iac_getInst(i - 1)), uint32_t(IAC_INST_SLOT_BYTES));
        }
    }
    float* last = iac_getEffectPool(7) + IAC_EFFECT_POOL_FLOATS - 1;
    EXPECT_EQ(iac_offsetToPtr(iac_ptrToOffset(last)), last);
    *last = 3.5f;  // the whole pool is writable
    EXPECT_EQ(*last, 3.5f);

    int local = 0;
    EXPECT_EQ(iac_ptrToOffset(&local), 0u);
    EXPECT_EQ(iac_ptrToOffset(nullptr), 0u);
    EXPECT_EQ(iac_offsetToPtr(0), nullptr);
    EXPECT_EQ(iac_offsetToPtr(iac_segmentBytes()), nullptr);
    EXPECT_EQ(iac_offsetToPtr(0xFFFFFFFFu), nullptr);
    EXPECT_EQ(iac_ptrToOffset(reinterpret_cast<const char*>(iac_offsetToPtr(1)) + iac_segmentBytes() - 1),
              0u);
}

TEST_F(IacTest, SwitchingSegmentsKeepsAddressesAndData)
{
    float* sr = &SR;
    instRec* inst3 = iac_getInst(3);
    ASSERT_EQ(iac_mvn_signIn(), 1);
    SR = 96000.0f;
    iac_mvn_signOut();

    const std::string other = pidName("/morvane-iac-test-other-");
    ASSERT_EQ(iac_setSegmentName(other.c_str()), 1);
    EXPECT_EQ(&SR, sr);
    EXPECT_EQ(iac_getInst(3), inst3);
    EXPECT_EQ(SR, 44100.0f) << "a fresh segment, not the previous one";

    ASSERT_EQ(iac_setSegmentName(name_.c_str()), 1);
    EXPECT_EQ(iac_isSegmentShared(), 1);
    EXPECT_EQ(SR, 96000.0f) << "attached again by name";

    EXPECT_EQ(iac_setSegmentName("no-slash"), 0);
    EXPECT_EQ(iac_setSegmentName("/a/b"), 0);
    EXPECT_EQ(iac_setSegmentName(nullptr), 0);
    EXPECT_STREQ(iac_getSegmentName(),
                 ("/morvane-iac-test-" + std::to_string(getpid()) + "-SwitchingSegmentsKeepsAddressesAndData")
                     .c_str());
}

TEST_F(IacTest, ASegmentWithAWrongHeaderIsRefused)
{
    const std::string bad = pidName("/morvane-iac-test-bad-");
    const uint32_t badMagic[4] = {0xDEADBEEF, 1, iac_segmentBytes(), 4096};
    writeRawSegment(bad, badMagic, 4096, 0600);

    ::testing::internal::CaptureStderr();
    EXPECT_EQ(iac_setSegmentName(bad.c_str()), 0);
    EXPECT_EQ(iac_mvn_signIn(), 0);
    EXPECT_EQ(iac_plug_signIn(-1, 253), -1);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("wrong header"), std::string::npos) << said;
    EXPECT_NE(said.find(bad), std::string::npos) << said;
    EXPECT_NE(said.find("0xDEADBEEF"), std::string::npos) << said;

    // The process goes on in private memory; the foreign segment is untouched.
    EXPECT_EQ(iac_isSegmentShared(), 0);
    SR = 22050.0f;
    iac_plugIsOnline[3] = 1;
    EXPECT_NE(iac_getInst(0), nullptr);
    int fd = shm_open(bad.c_str(), O_RDONLY, 0);
    ASSERT_GE(fd, 0);
    uint32_t head[4] = {};
    EXPECT_EQ(pread(fd, head, sizeof head, 0), ssize_t(sizeof head));
    struct stat sb {};
    fstat(fd, &sb);
    close(fd);
    EXPECT_EQ(head[0], 0xDEADBEEFu);
    EXPECT_EQ(sb.st_size, 4096);
    shm_unlink(bad.c_str());
}

TEST_F(IacTest, LayoutMismatchesAndForeignPermissionsAreRefused)
{
    ASSERT_EQ(iac_mvn_signIn(), 1);
    int fd = shm_open(iac_getSegmentName(), O_RDONLY, 0);
    ASSERT_GE(fd, 0);
    uint32_t good[4] = {};
    ASSERT_EQ(pread(fd, good, sizeof good, 0), ssize_t(sizeof good));
    close(fd);
    iac_mvn_signOut();

    const std::string bad = pidName("/morvane-iac-test-layout-");
    const uint32_t newer[4] = {good[0], good[1] + 1, good[2], good[3]};
    const uint32_t smaller[4] = {good[0], good[1], good[2] - 4096, good[3]};
    struct Case {
        const uint32_t* head;
        off_t bytes;
        mode_t mode;
        const char* words;
    };
    const Case cases[] = {
        {newer, off_t(good[2]), 0600, "wrong header"},
        {smaller, off_t(good[2]) - 4096, 0600, "wrong header"},
        {good, off_t(good[2]) - 4096, 0600, "wrong header"},
        {good, off_t(good[2]), 0644, "open to others"},
    };
    for (const Case& c : cases) {
        writeRawSegment(bad, c.head, c.bytes, c.mode);
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(iac_setSegmentName(bad.c_str()), 0);
        EXPECT_EQ(iac_mvn_signIn(), 0);
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find(c.words), std::string::npos) << said;
        EXPECT_EQ(iac_isSegmentShared(), 0);
    }
    shm_unlink(bad.c_str());
}

// Run only as the child of the next test, with the name in the environment.
TEST(IacEnvProbe, NameComesFromTheEnvironment)
{
    const char* probe = std::getenv("MORVANE_IAC_PROBE");
    if (!probe || std::strcmp(probe, "1") != 0) GTEST_SKIP() << "runs as a child of IacEnvironment";
    const std::string expected = pidName("/morvane-iac-envtest-");
    EXPECT_STREQ(iac_getSegmentName(), expected.c_str());
    EXPECT_EQ(iac_isSegmentShared(), 0);
    ASSERT_EQ(iac_mvn_signIn(), 1);
    EXPECT_EQ(iac_isSegmentShared(), 1);
    iac_mvn_signOut();
    EXPECT_EQ(iac_unlinkSegment(), 1);
}

TEST(IacEnvironment, SegmentNameIsReadFromTheEnvironmentWithProcessId)
{
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("MORVANE_IAC_SEGMENT", "/morvane-iac-envtest-%p", 1);
        setenv("MORVANE_IAC_PROBE", "1", 1);
        execl("/proc/self/exe", "iac_tests", "--gtest_filter=IacEnvProbe.*", "--gtest_brief=1",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    EXPECT_EQ(childStatus(pid), 0);
    // The child removed its segment.
    const std::string left = "/morvane-iac-envtest-" + std::to_string(pid);
    EXPECT_LT(shm_open(left.c_str(), O_RDONLY, 0), 0);
}
