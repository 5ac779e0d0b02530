// File dialogs in a temporary folder, the MDI frame, clipboard text, dropped
// files, cursors, the module path, and RIFF reading of good and damaged files.
#include "test_support.h"
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {
struct TempDir {
    std::string path;
    TempDir()
    {
        char tpl[] = "/tmp/platform-test-XXXXXX";
        path = mkdtemp(tpl);
    }
    ~TempDir()
    {
        std::string cmd = "rm -rf '" + path + "'";
        if (system(cmd.c_str()) != 0) {}
    }
    void file(const std::string& name, const std::string& bytes = "x")
    {
        std::ofstream(path + "/" + name, std::ios::binary) << bytes;
    }
};

const char kFilter[] = "Morvane Files (*.GLO)\0*.glo\0All Files (*.*)\0*.*\0";

std::vector<std::string> listLines(HWND dlg)
{
    std::vector<std::string> v;
    HWND list = GetDlgItem(dlg, 1120);
    int n = (int)SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; i++) {
        char buf[256];
        SendMessageA(list, LB_GETTEXT, (WPARAM)i, (LPARAM)buf);
        v.push_back(buf);
    }
    return v;
}
}  // namespace

TEST_F(PlatformTest, FileDialogsBrowseFilterAndAddTheExtension)
{
    TempDir dir;
    dir.file("a.glo");
    dir.file("B.GLO");
    dir.file("notes.txt");
    mkdir((dir.path + "/sub").c_str(), 0700);
    dir.file("sub/inner.glo");
    char file[260] = "", title[260] = "";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = sizeof title;
    ofn.lpstrInitialDir = dir.path.c_str();
    ofn.lpstrDefExt = "glo";
    ofn.Flags = OFN_HIDEREADONLY | OFN_CREATEPROMPT | OFN_NOCHANGEDIR;
    // Open: the list shows folders and *.glo files only; a double click on a
    // folder goes in, one on a file chooses it.
    std::vector<std::string> seen, inside;
    auto doubleClickLine = [](HWND dlg, const char* text) {
        HWND list = GetDlgItem(dlg, 1120);
        int i = (int)SendMessageA(list, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)text);
        RECT r;
        SendMessageA(list, LB_GETITEMRECT, (WPARAM)i, (LPARAM)&r);
        POINT p{r.left + 20, (r.top + r.bottom) / 2};
        ClientToScreen(list, &p);
        headless_doubleClick(p.x, p.y);
    };
    headless_pushIdleAction([&](HWND dlg) {
        seen = listLines(dlg);
        doubleClickLine(dlg, "[sub]");
    });
    headless_pushIdleAction([&](HWND dlg) {
        inside = listLines(dlg);
        doubleClickLine(dlg, "inner.glo");
    });
    ASSERT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_EQ((std::vector<std::string>{"[..]", "[sub]", "a.glo", "B.GLO"}), seen);
    EXPECT_EQ((std::vector<std::string>{"[..]", "inner.glo"}), inside);
    EXPECT_EQ(dir.path + "/sub/inner.glo", std::string(file));
    EXPECT_STREQ("inner.glo", title);
    EXPECT_EQ(std::string(file).size() - 9, ofn.nFileOffset);
    char t2[16];
    EXPECT_EQ(0, GetFileTitleA(file, t2, sizeof t2));
    EXPECT_STREQ("inner.glo", t2);
    EXPECT_EQ(10, GetFileTitleA(file, t2, 4));  // too small: the size needed
    // Typing a name without extension finds the .glo file; Cancel gives 0.
    file[0] = 0;
    headless_answerNextFileDialog("a");
    ASSERT_TRUE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(dir.path + "/a.glo", std::string(file));
    headless_answerNextFileDialog("");
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    // A missing file asks whether to create it; No keeps the dialog open.
    headless_answerNextFileDialog("missing");
    headless_answerNextPrompt(IDNO);
    headless_answerNextFileDialog("");
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_NE(std::string::npos, platform_lastMessageBox().text.find("does not exist"));
    // Save: the default extension is added; an existing file asks to replace it.
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
    headless_answerNextFileDialog("newbank");
    ASSERT_TRUE(GetSaveFileNameA(&ofn));
    EXPECT_EQ(dir.path + "/newbank.glo", std::string(file));
    EXPECT_EQ(std::string(file).size() - 3, ofn.nFileExtension);
    headless_answerNextFileDialog("a");
    headless_answerNextPrompt(IDYES);
    ASSERT_TRUE(GetSaveFileNameA(&ofn));
    EXPECT_NE(std::string::npos, platform_lastMessageBox().text.find("already exists"));
    // A buffer too small fails cleanly.
    char tiny[8];
    ofn.lpstrFile = tiny;
    ofn.nMaxFile = sizeof tiny;
    tiny[0] = 0;
    headless_answerNextFileDialog("newbank");
    EXPECT_FALSE(GetSaveFileNameA(&ofn));
    EXPECT_EQ((DWORD)FNERR_BUFFERTOOSMALL, CommDlgExtendedError());
}

static std::vector<std::string> mdiLog;
static LRESULT childProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    char t[16] = "";
    if (msg == WM_MDIACTIVATE || msg == WM_MOUSEACTIVATE) GetWindowTextA(h, t, sizeof t);
    if (msg == WM_MDIACTIVATE) mdiLog.push_back(std::string(t) + ((HWND)lp == h ? " on" : " off"));
    if (msg == WM_MOUSEACTIVATE) mdiLog.push_back(std::string(t) + " mouse");
    if (msg == WM_CLOSE) {
        ShowWindow(h, SW_HIDE);  // hidden, never destroyed
        return 0;
    }
    return DefMDIChildProcA(h, msg, wp, lp);
}

static HWND gClient;
static LRESULT frameProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_CREATE) {
        CLIENTCREATESTRUCT ccs{nullptr, 300};
        gClient = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 10, 10,
                                  980, 700, h, (HMENU)1, nullptr, &ccs);
        return 0;
    }
    return DefFrameProcA(h, gClient, msg, wp, lp);
}

TEST_F(PlatformTest, MdiChildrenActivateDragMinimiseAndHide)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = frameProc;
    wc.lpszClassName = "frame";
    RegisterClassA(&wc);
    wc.lpfnWndProc = childProc;
    wc.lpszClassName = "child";
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    RegisterClassA(&wc);
    HWND frame = CreateWindowExA(0, "frame", "Frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0,
                                 0, 780, 580, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(gClient);
    RECT cr;
    GetClientRect(gClient, &cr);
    RECT fr;
    GetClientRect(frame, &fr);
    EXPECT_EQ(fr.right, cr.right);  // the frame's default procedure fits the client
    HWND one = CreateMDIWindowA("child", "one", WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 10, 10,
                                200, 150, gClient, nullptr, 0);
    MDICREATESTRUCTA mcs{
        "child", "two", nullptr, 250, 10, 200, 150, WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0};
    HWND two = (HWND)SendMessageA(gClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    ASSERT_TRUE(one && two);
    EXPECT_EQ(300, GetDlgCtrlID(one));
    EXPECT_EQ(two, (HWND)SendMessageA(gClient, WM_MDIGETACTIVE, 0, 0));
    headless_runUntilIdle();
    // Clicking inside "one" activates it: mouse-activate, then both are told.
    mdiLog.clear();
    POINT p{50, 50};
    ClientToScreen(one, &p);
    headless_click(p.x, p.y);
    headless_runUntilIdle();
    EXPECT_EQ((std::vector<std::string>{"one mouse", "two off", "one on"}), mdiLog);
    EXPECT_EQ(one, (HWND)SendMessageA(gClient, WM_MDIGETACTIVE, 0, 0));
    // Dragging the caption moves it by the mouse's distance.
    RECT before, after;
    GetWindowRect(one, &before);
    headless_mouseMove(before.left + 40, before.top + 10);
    headless_mouseDown(1);
    headless_mouseMove(before.left + 70, before.top + 35);
    headless_mouseUp(1);
    headless_runUntilIdle();
    GetWindowRect(one, &after);
    EXPECT_EQ(before.left + 30, after.left);
    EXPECT_EQ(before.top + 25, after.top);
    // The minimise box, then restoring.
    {
        RECT w;
        GetWindowRect(one, &w);
        headless_click(w.right - 3 - 2 - 16 - 2 - 8, w.top + 3 + 10);  // left of the close box
        headless_runUntilIdle();
    }
    EXPECT_TRUE(IsIconic(one));
    SendMessageA(gClient, WM_MDIRESTORE, (WPARAM)one, 0);
    EXPECT_FALSE(IsIconic(one));
    RECT w2;
    GetWindowRect(one, &w2);
    EXPECT_EQ(after.right - after.left, w2.right - w2.left);
    // The close box hides it (the window's choice) and the other one becomes active.
    RECT w;
    GetWindowRect(one, &w);
    headless_click(w.right - 3 - 2 - 8, w.top + 3 + 10);
    headless_runUntilIdle();
    EXPECT_FALSE(IsWindowVisible(one));
    EXPECT_TRUE(IsWindow(one));
    EXPECT_EQ(two, (HWND)SendMessageA(gClient, WM_MDIGETACTIVE, 0, 0));
    // Shown again and activated by message.
    ShowWindow(one, SW_SHOW);
    SendMessageA(gClient, WM_MDIACTIVATE, (WPARAM)one, 0);
    EXPECT_EQ(one, (HWND)SendMessageA(gClient, WM_MDIGETACTIVE, 0, 0));
    // A tool window owned by the frame stays above it.
    HWND tool = CreateWindowExA(WS_EX_TOOLWINDOW, "recorder", "", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 64,
                                70, 200, frame, nullptr, nullptr, nullptr);
    SetActiveWindow(frame);
    EXPECT_EQ(tool, WindowFromPoint(POINT{10, 100}));
}

TEST_F(PlatformTest, ClipboardDroppedFilesCursorsAndModulePath)
{
    HWND h = CreateWindowExA(0, "recorder", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr,
                             nullptr, nullptr);
    const char text[] = "one\r\ntwo";
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, sizeof text);
    memcpy(GlobalLock(g), text, sizeof text);
    GlobalUnlock(g);
    EXPECT_FALSE(SetClipboardData(CF_TEXT, g));  // not open
    ASSERT_TRUE(OpenClipboard(h));
    EXPECT_FALSE(OpenClipboard(h));
    EmptyClipboard();
    EXPECT_EQ(g, SetClipboardData(CF_TEXT, g));
    CloseClipboard();
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    ASSERT_TRUE(OpenClipboard(h));
    HGLOBAL back = GetClipboardData(CF_TEXT);
    ASSERT_TRUE(back);
    EXPECT_STREQ(text, (const char*)GlobalLock(back));
    GlobalUnlock(back);
    CloseClipboard();
    // Dropped files reach only windows that accept them.
    headless_dropFiles(100, 100, {"/tmp/first.glo", "/tmp/second.glo"});
    recorded().clear();
    headless_runUntilIdle();
    EXPECT_TRUE(messagesOf(h, WM_DROPFILES, WM_DROPFILES).empty());
    DragAcceptFiles(h, TRUE);
    headless_dropFiles(100, 100, {"/tmp/first.glo", "/tmp/second.glo"});
    headless_runUntilIdle();
    HDROP drop = nullptr;
    for (auto& r : recorded())
        if (r.hwnd == h && r.msg == WM_DROPFILES) drop = (HDROP)r.wp;
    ASSERT_TRUE(drop);
    EXPECT_EQ(2u, DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0));
    char path[260];
    EXPECT_EQ(14u, DragQueryFileA(drop, 0, path, sizeof path));
    EXPECT_STREQ("/tmp/first.glo", path);
    char small[5];
    EXPECT_EQ(4u, DragQueryFileA(drop, 1, small, sizeof small));
    EXPECT_STREQ("/tmp", small);
    EXPECT_EQ(0u, DragQueryFileA(drop, 2, path, sizeof path));
    DragFinish(drop);
    EXPECT_EQ(0u, DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0));  // finished: refused safely
    // Cursors: system shapes, registered ones, the show counter.
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_TRUE(arrow);
    cairo_surface_t* img = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 16, 16);
    ASSERT_TRUE(platform_registerCursor("caretCur", img, 8, 8));
    cairo_surface_destroy(img);
    HCURSOR caret = LoadCursorA(platform_instance(), "caretCur");
    ASSERT_TRUE(caret);
    EXPECT_EQ(caret, LoadCursorA(platform_instance(), "CARETCUR"));
    EXPECT_EQ(nullptr, LoadCursorA(platform_instance(), "upDownCur"));
    SetCursor(caret);
    EXPECT_EQ(caret, platform_currentCursor());
    EXPECT_EQ(-1, ShowCursor(FALSE));
    EXPECT_FALSE(platform_cursorShown());
    EXPECT_EQ(0, ShowCursor(TRUE));
    // Module path and current directory.
    char exe[512];
    DWORD n = GetModuleFileNameA(nullptr, exe, sizeof exe);
    EXPECT_GT(n, 0u);
    EXPECT_NE(std::string::npos, std::string(exe).find("platform_tests"));
    char cwd[512];
    EXPECT_GT(GetCurrentDirectoryA(sizeof cwd, cwd), 0u);
    EXPECT_TRUE(SetCurrentDirectoryA(cwd));
    EXPECT_FALSE(SetCurrentDirectoryA("/no/such/folder"));
}

static std::string le32(uint32_t v)
{
    return std::string{(char)(v & 0xFF), (char)((v >> 8) & 0xFF), (char)((v >> 16) & 0xFF), (char)(v >> 24)};
}
static std::string chunk(const std::string& id, const std::string& body)
{
    std::string s = id + le32((uint32_t)body.size()) + body;
    if (body.size() & 1) s += '\0';
    return s;
}

TEST_F(PlatformTest, RiffReadingFindsChunksAndRefusesDamage)
{
    TempDir dir;
    std::string fmt(16, '\0');
    fmt[0] = 1;    // PCM
    fmt[2] = 1;    // mono
    fmt[14] = 16;  // bits
    std::string data = "\x01\x02\x03\x04\x05";
    std::string riff =
        chunk("RIFF", "WAVE" + chunk("LIST", "INFOabcd") + chunk("fmt ", fmt) + chunk("data", data));
    dir.file("good.wav", riff);
    std::string path = dir.path + "/good.wav";
    HMMIO h = mmioOpenA((LPSTR)path.c_str(), nullptr, MMIO_READ | MMIO_ALLOCBUF);
    ASSERT_TRUE(h);
    MMCKINFO parent{}, ck{};
    parent.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    ASSERT_EQ(0u, mmioDescend(h, &parent, nullptr, MMIO_FINDRIFF));
    EXPECT_EQ(riff.size() - 8, parent.cksize);
    ck.ckid = mmioFOURCC('f', 'm', 't', ' ');
    ASSERT_EQ(0u, mmioDescend(h, &ck, &parent, MMIO_FINDCHUNK));
    EXPECT_EQ(16u, ck.cksize);
    char buf[18] = {};
    EXPECT_EQ(16, mmioRead(h, buf, 16));
    EXPECT_EQ(1, buf[0]);
    EXPECT_EQ(0u, mmioAscend(h, &ck, 0));
    ck.ckid = mmioFOURCC('d', 'a', 't', 'a');
    ASSERT_EQ(0u, mmioDescend(h, &ck, &parent, MMIO_FINDCHUNK));
    EXPECT_EQ(5u, ck.cksize);
    char d[16] = {};
    EXPECT_EQ(6, mmioRead(h, d, 16));  // reads are not bounded by the chunk: 5 bytes and the pad byte
    EXPECT_EQ(0x05, d[4]);
    ck.ckid = mmioFOURCC('c', 'u', 'e', ' ');
    EXPECT_EQ((MMRESULT)MMIOERR_CHUNKNOTFOUND, mmioDescend(h, &ck, &parent, MMIO_FINDCHUNK));
    EXPECT_EQ(0u, mmioClose(h, 0));
    // Not RIFF/WAVE, damaged sizes, truncation, missing files.
    dir.file("text.wav", "hello, this is not a wave file");
    dir.file("short.wav", "RIFF");
    dir.file("huge.wav", "RIFF" + le32(0xFFFFFFF0u) + "WAVE" + "fmt " + le32(0x7FFFFFFFu) + "xx");
    for (const char* name : {"text.wav", "short.wav", "huge.wav"}) {
        std::string p = dir.path + "/" + name;
        HMMIO m = mmioOpenA((LPSTR)p.c_str(), nullptr, MMIO_READ);
        ASSERT_TRUE(m) << name;
        MMCKINFO r{};
        r.fccType = mmioFOURCC('W', 'A', 'V', 'E');
        MMRESULT res = mmioDescend(m, &r, nullptr, MMIO_FINDRIFF);
        if (res == 0) {
            MMCKINFO c{};
            c.ckid = mmioFOURCC('d', 'a', 't', 'a');
            EXPECT_EQ((MMRESULT)MMIOERR_CHUNKNOTFOUND, mmioDescend(m, &c, &r, MMIO_FINDCHUNK)) << name;
        } else {
            EXPECT_EQ((MMRESULT)MMIOERR_CHUNKNOTFOUND, res) << name;
        }
        mmioClose(m, 0);
    }
    EXPECT_EQ(nullptr, mmioOpenA((LPSTR)(dir.path + "/none.wav").c_str(), nullptr, MMIO_READ));
    EXPECT_EQ(-1, mmioRead(nullptr, buf, 4));
    EXPECT_NE(0u, mmioClose(nullptr, 0));
}
