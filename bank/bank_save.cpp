// Saving a bank to disk so that no failure costs the old file.
//
// The chunks go to a temporary file beside the file they replace (the file a
// symbolic link points to, so the link stays a link), which holds a lock
// while it is written, is synced, and is renamed over the old file only when
// all of it was written; the old file is kept as "<name>.bak" and the folder
// is synced after the rename. A folder that may not be written but holds a
// writable file gets the bank rendered in memory first and written over the
// file in place, with the old bytes put back when that write fails. Every
// failure shows the program's message with the system's reason on a second
// line. Temporary files of ours that a killed save left behind are removed
// at the next save into their folder.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "bank/bank_internal.h"

namespace {
const char kTempPrefix[] = ".morvane-save-";
const char kCreateFailed[] = "File Error! Unable to create file. Error 81774";
const char kWriteFailed[] = "File Error! Can't write file. Error: 52236";
const char kRenameFailed[] = "File error, save failed! Error 53374";
const char kLocked[] = "This file is locked, please use Save As... to save changes to this bank";
enum { fail_noBuffer = 18834 };

// The message, with the system's reason for err on a second line (none for 0).
long fail(const char* text, int err)
{
    std::string full = text;
    if (err) full += std::string("\n") + std::strerror(err);
    bank_message(full.c_str(), bankButtons_ok);
    return 0;
}

long failNumbered(int code, int err)
{
    char text[64];
    if (code == fail_noBuffer)
        std::snprintf(text, sizeof text, "file error: 18834. The file was not saved");
    else
        std::snprintf(text, sizeof text, "File save failed! Error %d", code);
    return fail(text, err);
}

std::string folderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

const char* nameOf(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

// The file a path names, following symbolic links (also to a file not yet there).
std::string linkTarget(const std::string& path)
{
    std::string at = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        std::vector<char> to(PATH_MAX + 1);
        ssize_t n = readlink(at.c_str(), to.data(), PATH_MAX);
        if (n <= 0) break;
        std::string next(to.data(), static_cast<size_t>(n));
        at = next[0] == '/' ? next : folderOf(at) + "/" + next;
    }
    return at;
}

// 0 when the existing file may be written, else the reason.
int lockReason(const char* path, const struct stat& st)
{
    if (access(path, W_OK) != 0) return errno;
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ? EACCES : 0;
}

mode_t newFileMode()
{
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

bool writeAll(int fd, const std::vector<char>& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t put = pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += static_cast<size_t>(put);
    }
    return true;
}

bool readAll(int fd, std::vector<char>* bytes)
{
    struct stat st;
    if (fstat(fd, &st) != 0) return false;
    bytes->resize(static_cast<size_t>(st.st_size));
    size_t done = 0;
    while (done < bytes->size()) {
        ssize_t got = pread(fd, bytes->data() + done, bytes->size() - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += static_cast<size_t>(got);
    }
    return true;
}

void syncFolder(const std::string& folder)
{
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// A live save holds a lock on its temporary file, whose name carries its
// process id; a file of ours that no live process can be writing goes.
void removeStaleTemps(const std::string& folder)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir) return;
    while (dirent* entry = readdir(dir)) {
        const char* name = entry->d_name;
        if (std::strncmp(name, kTempPrefix, sizeof kTempPrefix - 1) != 0) continue;
        const std::string path = folder + "/" + name;
        struct stat st;
        if (lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid()) continue;
        char* end = nullptr;
        long pid = std::strtol(name + sizeof kTempPrefix - 1, &end, 10);
        if (pid > 0 && *end == '-' && pid != getpid() &&
            (kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM))
            continue;
        int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) continue;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) unlink(path.c_str());
        close(fd);
    }
    closedir(dir);
}

// The file about to be replaced stays as "<name>.bak" (one generation): a
// second name for it, or a copy where the file system has none.
void keepBackup(const std::string& target, mode_t mode)
{
    const std::string bak = target + ".bak";
    if (unlink(bak.c_str()) != 0 && errno != ENOENT) return bank_error("the backup could not be replaced");
    if (link(target.c_str(), bak.c_str()) == 0) return;
    std::vector<char> bytes;
    int in = open(target.c_str(), O_RDONLY | O_CLOEXEC);
    bool read = in >= 0 && readAll(in, &bytes);
    if (in >= 0) close(in);
    int out = read ? open(bak.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode) : -1;
    if (out < 0 || !writeAll(out, bytes) || fsync(out) != 0) bank_error("the backup could not be written");
    if (out >= 0) close(out);
}

// The bank rendered into memory; 0 after the message when that fails.
long render(bankRec* bank, int otherByteOrder, std::vector<char>* image)
{
    int code = 0;
    return bank_renderFile(bank, otherByteOrder, image, &code) ? 1 : failNumbered(code, 0);
}

// The whole bank over the file itself, for a folder that may not be written.
long saveInPlace(bankRec* bank, const std::string& target, int otherByteOrder)
{
    std::vector<char> image, old;
    if (!render(bank, otherByteOrder, &image)) return 0;
    int fd = open(target.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return fail(kCreateFailed, errno);
    int err = readAll(fd, &old) ? 0 : errno;
    // Room first, so that a full disk or a size limit is met before a byte changes.
    if (!err && image.size() > old.size() && fallocate(fd, 0, 0, static_cast<off_t>(image.size())) != 0 &&
        errno != EOPNOTSUPP && errno != ENOSYS)
        err = errno;
    bool touched = false;
    if (!err) touched = true, err = writeAll(fd, image) ? 0 : errno;
    if (!err && ftruncate(fd, static_cast<off_t>(image.size())) != 0) err = errno;
    if (!err && fsync(fd) != 0) err = errno;
    if (err && touched) {
        writeAll(fd, old);
        if (ftruncate(fd, static_cast<off_t>(old.size())) == 0) fsync(fd);
    }
    close(fd);
    return err ? fail(kWriteFailed, err) : 1;
}

// Through a temporary file renamed over the target; 0 after the message.
long saveReplacing(bankRec* bank, const std::string& target, bool exists, const struct stat& st,
                   int otherByteOrder)
{
    const std::string folder = folderOf(target);
    removeStaleTemps(folder);
    std::string temp = folder + "/" + kTempPrefix + std::to_string(getpid()) + "-XXXXXX";
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back(0);
    int fd = mkstemp(name.data());
    if (fd < 0) {
        int err = errno;
        if (exists && (err == EACCES || err == EPERM)) return saveInPlace(bank, target, otherByteOrder);
        return fail(kCreateFailed, err);
    }
    flock(fd, LOCK_EX);  // held until the rename: the file is not stale
    fileRec out;
    file_initFileRec(&out, bank->file.owner);
    out.handle = fd;
    int code = 0;
    long result = 1;
    if (!mvnFile_writeBankOrder(&out, bank, otherByteOrder, &code))
        result = failNumbered(code, errno);
    else if (fsync(fd) != 0)
        result = fail(kWriteFailed, errno);
    if (result) {
        fchmod(fd, exists ? (st.st_mode & 07777) : newFileMode());
        if (exists) keepBackup(target, st.st_mode & 07777);
        if (rename(name.data(), target.c_str()) != 0) result = fail(kRenameFailed, errno);
    }
    if (!result) unlink(name.data());
    file_close(&out);
    if (result) syncFolder(folder);
    return result;
}

long saveTo(bankRec* bank, const char* path, const char* title, int otherByteOrder)
{
    if (!bank || !path || !path[0] || std::strlen(path) >= kFilePathSize)
        return failNumbered(fail_noBuffer, 0);
    const std::string target = linkTarget(path);
    struct stat st = {};
    const bool exists = stat(target.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) return fail(kCreateFailed, EISDIR);
    if (exists)
        if (int reason = lockReason(target.c_str(), st)) return fail(kLocked, reason);
    if (!saveReplacing(bank, target, exists, st, otherByteOrder)) return 0;

    if (bank->file.path != path) bank_copyText(bank->file.path, kFilePathSize, path);
    if (title && title[0])
        bank_copyText(bank->file.title, kFilePathSize, title);
    else
        bank_copyText(bank->file.title, kFilePathSize, nameOf(path));
    bank->dirty = 0;
    bank->readDamaged = 0;
    return 1;
}
}  // namespace

long mvnFile_save(bankRec* bank)
{
    if (!bank) return 0;
    char path[kFilePathSize];
    bank_copyText(path, sizeof path, bank->file.path);
    char title[kFilePathSize];
    bank_copyText(title, sizeof title, bank->file.title);
    return saveTo(bank, path, title, 0);
}

long mvnFile_saveAs(bankRec* bank, const char* path, const char* title)
{
    return saveTo(bank, path, title, 0);
}

long mvnFile_exportByteOrder(bankRec* bank, const char* path, int bigEndian)
{
    const uint16_t probe = 1;
    unsigned char first;
    std::memcpy(&first, &probe, 1);
    const int machineIsBig = first == 0;
    if (!bank) return 0;
    // The bank keeps its own file: an export is a copy.
    fileRec keep = bank->file;
    int dirty = bank->dirty, damaged = bank->readDamaged;
    long ok = saveTo(bank, path, nullptr, bigEndian != machineIsBig);
    bank->file = keep;
    bank->dirty = dirty;
    bank->readDamaged = damaged;
    return ok;
}
