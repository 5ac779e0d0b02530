// The open and save file dialogs: a folder listing filtered by the caller's
// patterns (sub-folders shown in brackets), a file name field, a list of file
// types, going up and into folders, the default extension, and the
// "file not found", "create it?" and "replace it?" questions.
#include "platform/internal.h"
#include <dirent.h>
#include <fnmatch.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cstring>

namespace plat {

enum { ID_PATH = 1090, ID_UP = 1091, ID_FILES = 1120, ID_TYPES = 1136, ID_NAME = 1152 };

struct FileDlgState {
    OPENFILENAMEA* ofn = nullptr;
    bool save = false;
    std::string title;
    std::string dir;
    std::vector<std::pair<std::string, std::string>> filters;
    int filterIndex = 0;
    std::string customPattern;
    std::vector<std::pair<std::string, bool>> entries;  // name, is folder
};

static bool isDir(const std::string& p)
{
    struct stat sb;
    return stat(p.c_str(), &sb) == 0 && S_ISDIR(sb.st_mode);
}

static bool isFile(const std::string& p)
{
    struct stat sb;
    return stat(p.c_str(), &sb) == 0 && S_ISREG(sb.st_mode);
}

static std::string joinPath(const std::string& dir, const std::string& name)
{
    if (!name.empty() && name[0] == '/') return name;
    if (dir.empty() || dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

static std::string parentOf(const std::string& p)
{
    size_t k = p.find_last_of('/');
    if (k == std::string::npos) return ".";
    return k == 0 ? "/" : p.substr(0, k);
}

static std::string normalize(const std::string& p)
{
    char buf[4096];
    return realpath(p.c_str(), buf) ? std::string(buf) : p;
}

static bool matches(const std::string& name, const std::string& patterns)
{
    size_t i = 0;
    while (i <= patterns.size()) {
        size_t j = patterns.find(';', i);
        std::string pat = patterns.substr(i, j == std::string::npos ? std::string::npos : j - i);
        while (!pat.empty() && pat[0] == ' ') pat.erase(0, 1);
        if (pat == "*.*" || pat == "*") return true;
        if (!pat.empty() && fnmatch(pat.c_str(), name.c_str(), FNM_CASEFOLD) == 0) return true;
        if (j == std::string::npos) break;
        i = j + 1;
    }
    return false;
}

static void fill(HWND dlg, FileDlgState* s)
{
    s->entries.clear();
    std::vector<std::string> dirs, files;
    std::string patterns = !s->customPattern.empty() ? s->customPattern
                           : s->filters.empty()      ? "*"
                                                     : s->filters[s->filterIndex].second;
    if (DIR* d = opendir(s->dir.c_str())) {
        while (dirent* e = readdir(d)) {
            std::string n = e->d_name;
            if (n.empty() || n[0] == '.') continue;
            std::string full = joinPath(s->dir, n);
            if (isDir(full))
                dirs.push_back(n);
            else if (matches(n, patterns))
                files.push_back(n);
        }
        closedir(d);
    }
    auto ci = [](const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) < 0; };
    std::sort(dirs.begin(), dirs.end(), ci);
    std::sort(files.begin(), files.end(), ci);
    HWND list = GetDlgItem(dlg, ID_FILES);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    if (s->dir != "/") {
        s->entries.push_back({"..", true});
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM) "[..]");
    }
    for (auto& d : dirs) {
        s->entries.push_back({d, true});
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)("[" + d + "]").c_str());
    }
    for (auto& f : files) {
        s->entries.push_back({f, false});
        SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)f.c_str());
    }
    SetDlgItemTextA(dlg, ID_PATH, s->dir.c_str());
}

static void navigate(HWND dlg, FileDlgState* s, const std::string& to)
{
    if (!isDir(to)) return;
    s->dir = normalize(to);
    fill(dlg, s);
}

// Takes the typed or chosen name; ends the dialog when it names an acceptable file.
static void accept(HWND dlg, FileDlgState* s, std::string text)
{
    while (!text.empty() && text.back() == ' ') text.pop_back();
    if (text.empty()) return;
    std::string path = joinPath(s->dir, text);
    if (isDir(path)) {
        navigate(dlg, s, path);
        SetDlgItemTextA(dlg, ID_NAME, "");
        return;
    }
    if (text.find_first_of("*?") != std::string::npos) {
        s->customPattern = text;
        fill(dlg, s);
        return;
    }
    if (!isDir(parentOf(path))) {
        MessageBoxA(dlg, (path + "\nPath does not exist.\nCheck the path and try again.").c_str(),
                    s->title.c_str(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    OPENFILENAMEA* o = s->ofn;
    std::string name = path.substr(path.find_last_of('/') + 1);
    const char* defExt = o->lpstrDefExt && *o->lpstrDefExt ? o->lpstrDefExt : nullptr;
    if (defExt && name.find('.') == std::string::npos) {
        std::string withExt = path + "." + defExt;
        if (s->save || (!isFile(path) && isFile(withExt))) path = withExt;
    }
    bool exists = isFile(path);
    if (!s->save) {
        if ((o->Flags & OFN_FILEMUSTEXIST) && !exists) {
            MessageBoxA(dlg, (path + "\nFile not found.\nCheck the file name and try again.").c_str(),
                        s->title.c_str(), MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        if ((o->Flags & OFN_CREATEPROMPT) && !exists &&
            MessageBoxA(dlg, (path + "\nThis file does not exist.\nDo you want to create it?").c_str(),
                        s->title.c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
    } else if ((o->Flags & OFN_OVERWRITEPROMPT) && exists &&
               MessageBoxA(dlg, (path + " already exists.\nDo you want to replace it?").c_str(),
                           s->title.c_str(), MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
        return;
    }
    if (path.size() + 1 > o->nMaxFile) {
        st().commDlgError = FNERR_BUFFERTOOSMALL;
        if (o->nMaxFile >= 2) {
            WORD need = (WORD)std::min<size_t>(path.size() + 1, 0xFFFF);
            memcpy(o->lpstrFile, &need, 2);
        }
        EndDialog(dlg, 0);
        return;
    }
    memcpy(o->lpstrFile, path.c_str(), path.size() + 1);
    size_t slash = path.find_last_of('/');
    name = path.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    o->nFileOffset = (WORD)(slash + 1);
    o->nFileExtension = dot == std::string::npos ? 0 : (WORD)(slash + 1 + dot + 1);
    if (o->lpstrFileTitle && o->nMaxFileTitle > 0) {
        size_t n = std::min<size_t>(name.size(), o->nMaxFileTitle - 1);
        memcpy(o->lpstrFileTitle, name.c_str(), n);
        o->lpstrFileTitle[n] = 0;
    }
    o->nFilterIndex = (DWORD)s->filterIndex + 1;
    if (!(o->Flags & OFN_NOCHANGEDIR)) SetCurrentDirectoryA(parentOf(path).c_str());
    EndDialog(dlg, 1);
}

static INT_PTR fileDlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp)
{
    FileDlgState* s = (FileDlgState*)GetWindowLongPtrA(dlg, DWLP_USER);
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrA(dlg, DWLP_USER, lp);
        s = (FileDlgState*)lp;
        HWND types = GetDlgItem(dlg, ID_TYPES);
        for (auto& f : s->filters) SendMessageA(types, LB_ADDSTRING, 0, (LPARAM)f.first.c_str());
        SendMessageA(types, LB_SETCURSEL, (WPARAM)s->filterIndex, 0);
        fill(dlg, s);
        SetFocus(GetDlgItem(dlg, ID_NAME));
        SendDlgItemMessageA(dlg, ID_NAME, EM_SETSEL, 0, -1);
        return FALSE;
    }
    if (msg != WM_COMMAND || !s) return FALSE;
    int id = LOWORD(wp), code = HIWORD(wp);
    if (id == ID_FILES) {
        int sel = (int)SendDlgItemMessageA(dlg, ID_FILES, LB_GETCURSEL, 0, 0);
        if (sel < 0 || sel >= (int)s->entries.size()) return TRUE;
        auto entry = s->entries[sel];
        if (code == LBN_SELCHANGE && !entry.second) SetDlgItemTextA(dlg, ID_NAME, entry.first.c_str());
        if (code == LBN_DBLCLK) {
            if (entry.second)
                navigate(dlg, s, joinPath(s->dir, entry.first));
            else
                accept(dlg, s, entry.first);
        }
    } else if (id == ID_TYPES && code == LBN_SELCHANGE) {
        int sel = (int)SendDlgItemMessageA(dlg, ID_TYPES, LB_GETCURSEL, 0, 0);
        if (sel >= 0 && sel < (int)s->filters.size()) {
            s->filterIndex = sel;
            s->customPattern.clear();
            fill(dlg, s);
        }
    } else if (id == ID_UP) {
        navigate(dlg, s, parentOf(s->dir));
    } else if (id == IDOK) {
        char buf[4096];
        GetDlgItemTextA(dlg, ID_NAME, buf, sizeof buf);
        if (buf[0]) {
            accept(dlg, s, buf);
        } else {
            int sel = (int)SendDlgItemMessageA(dlg, ID_FILES, LB_GETCURSEL, 0, 0);
            if (sel >= 0 && sel < (int)s->entries.size() && s->entries[sel].second)
                navigate(dlg, s, joinPath(s->dir, s->entries[sel].first));
        }
    } else if (id == IDCANCEL) {
        EndDialog(dlg, 0);
    }
    return TRUE;
}

static BOOL runFileDialog(OPENFILENAMEA* ofn, bool save)
{
    State& st0 = st();
    st0.commDlgError = 0;
    if (!st0.running || !ofn || !ofn->lpstrFile || ofn->nMaxFile == 0) {
        st0.commDlgError = FNERR_INVALIDFILENAME;
        return FALSE;
    }
    FileDlgState s;
    s.ofn = ofn;
    s.save = save;
    s.title = ofn->lpstrTitle ? ofn->lpstrTitle : save ? "Save As" : "Open";
    for (const char* p = ofn->lpstrFilter; p && *p;) {
        std::string name = p;
        p += name.size() + 1;
        std::string pattern = *p ? p : "*";
        if (*p) p += pattern.size() + 1;
        s.filters.push_back({name, pattern});
    }
    if (ofn->nFilterIndex >= 1 && ofn->nFilterIndex <= s.filters.size())
        s.filterIndex = (int)ofn->nFilterIndex - 1;
    std::string initial(ofn->lpstrFile, strnlen(ofn->lpstrFile, ofn->nMaxFile));
    std::string initialName = initial;
    char cwd[4096];
    s.dir = getcwd(cwd, sizeof cwd) ? cwd : "/";
    if (initial.find('/') != std::string::npos) {
        if (isDir(parentOf(initial))) s.dir = parentOf(initial);
        initialName = initial.substr(initial.find_last_of('/') + 1);
    }
    if (ofn->lpstrInitialDir && *ofn->lpstrInitialDir && isDir(ofn->lpstrInitialDir))
        s.dir = ofn->lpstrInitialDir;
    s.dir = normalize(s.dir);

    DialogTemplate tpl;
    tpl.title = s.title;
    tpl.cx = 440;
    tpl.cy = 306;
    tpl.items = {
        {"STATIC", "Look in:", -1, 10, 12, 60, 16, SS_LEFTNOWORDWRAP, 0},
        {"STATIC", "", ID_PATH, 70, 12, 300, 16, SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0},
        {"BUTTON", "Up", ID_UP, 380, 8, 50, 22, WS_TABSTOP, 0},
        {"LISTBOX", "", ID_FILES, 10, 36, 420, 186, WS_BORDER | WS_VSCROLL | LBS_NOTIFY | WS_TABSTOP, 0},
        {"STATIC", "File name:", -1, 10, 236, 80, 16, SS_LEFTNOWORDWRAP, 0},
        {"EDIT", initialName, ID_NAME, 90, 232, 250, 22, WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, 0},
        {"BUTTON", save ? "&Save" : "&Open", IDOK, 350, 232, 80, 23, BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
        {"STATIC", "Files of type:", -1, 10, 266, 80, 16, SS_LEFTNOWORDWRAP, 0},
        {"LISTBOX", "", ID_TYPES, 90, 262, 250, 36, WS_BORDER | WS_VSCROLL | LBS_NOTIFY | WS_TABSTOP, 0},
        {"BUTTON", "Cancel", IDCANCEL, 350, 266, 80, 23, WS_TABSTOP, 0},
    };
    HWND dlg = dialogCreate(tpl, ofn->hwndOwner, fileDlgProc, (LPARAM)&s, nullptr);
    if (!dlg) return FALSE;
    ModalRec m = dialogModalRec(dlg);
    m.isFileDialog = true;
    m.answerFile = [dlg](const std::string& path) {
        SetDlgItemTextA(dlg, ID_NAME, path.c_str());
        dialogPressButton(dlg, IDOK);
        return dialogEnded(dlg, nullptr);
    };
    return dialogRunModal(dlg, ofn->hwndOwner, m) == 1 ? TRUE : FALSE;
}

}  // namespace plat

using namespace plat;

BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn) { return runFileDialog(ofn, false); }
BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn) { return runFileDialog(ofn, true); }
DWORD CommDlgExtendedError(void) { return st().commDlgError; }

short GetFileTitleA(LPCSTR path, LPSTR buf, WORD size)
{
    if (!path || !*path) return -1;
    std::string p = path;
    if (p.back() == '/' || p.back() == '\\') return -1;
    size_t k = p.find_last_of("/\\");
    std::string name = k == std::string::npos ? p : p.substr(k + 1);
    if (!buf || size < name.size() + 1) return (short)std::min<size_t>(name.size() + 1, 0x7FFF);
    memcpy(buf, name.c_str(), name.size() + 1);
    return 0;
}
