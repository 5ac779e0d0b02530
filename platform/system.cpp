// Kernel-side calls: the module path and the current directory.
#include "platform/internal.h"
#include <unistd.h>
#include <climits>
#include <cstring>

using namespace plat;

DWORD GetModuleFileNameA(HMODULE, LPSTR buf, DWORD size)
{
    if (!buf || size == 0) return 0;
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) {
        buf[0] = 0;
        return 0;
    }
    path[n] = 0;
    DWORD len = (DWORD)n;
    if (len >= size) {  // truncated, as the classic call does
        memcpy(buf, path, size - 1);
        buf[size - 1] = 0;
        return size;
    }
    memcpy(buf, path, len + 1);
    return len;
}

HMODULE GetModuleHandleA(LPCSTR) { return platform_instance(); }

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buf)
{
    char path[PATH_MAX];
    if (!getcwd(path, sizeof path)) return 0;
    DWORD len = (DWORD)strlen(path);
    if (!buf || size <= len) return len + 1;
    memcpy(buf, path, len + 1);
    return len;
}

BOOL SetCurrentDirectoryA(LPCSTR path) { return path && chdir(path) == 0 ? TRUE : FALSE; }
