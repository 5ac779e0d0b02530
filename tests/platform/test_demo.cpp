// The demo program run headless: its screenshot is checked for the expected
// structure (captions, menu bar, workspace, the drawings at their places),
// then it is driven through its pop-up menu, message box, list dialog,
// open-file dialog and dropped files.
#include "tools/platform-demo/demo.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace {

class DemoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(1, platform_init(PLATFORM_PRESENTER_HEADLESS, 1024, 768));
        ASSERT_EQ(1, demo_create(&demo));
        headless_runUntilIdle();
    }
    void TearDown() override { platform_shutdown(); }
    // Runs the demo's own loop step by step (with its accelerators) until idle.
    void pump()
    {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) {
                PostQuitMessage((int)m.wParam);
                break;
            }
            if (TranslateMDISysAccel(demo.client, &m)) continue;
            if (TranslateAcceleratorA(demo.frame, demo.accel, &m)) continue;
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        headless_runUntilIdle();
    }
    DemoRec demo;
};

struct Png {
    cairo_surface_t* s;
    explicit Png(const std::string& path) : s(cairo_image_surface_create_from_png(path.c_str())) {}
    ~Png() { cairo_surface_destroy(s); }
    COLORREF at(int x, int y) const
    {
        const uint32_t* p = (const uint32_t*)(cairo_image_surface_get_data(s) +
                                              (size_t)y * cairo_image_surface_get_stride(s)) +
                            x;
        return RGB((*p >> 16) & 0xFF, (*p >> 8) & 0xFF, *p & 0xFF);
    }
    int darkIn(int l, int t, int r, int b) const
    {
        int n = 0;
        for (int y = t; y < b; y++)
            for (int x = l; x < r; x++)
                if (GetRValue(at(x, y)) + GetGValue(at(x, y)) + GetBValue(at(x, y)) < 300) n++;
        return n;
    }
};

POINT clientPoint(HWND h, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(h, &p);
    return p;
}

}  // namespace

TEST_F(DemoTest, ScreenshotHasTheExpectedStructure)
{
    char dir[] = "/tmp/platform-demo-XXXXXX";
    ASSERT_TRUE(mkdtemp(dir));
    std::string path = std::string(dir) + "/screen.png";
    ASSERT_EQ(1, platform_saveScreenPNG(path.c_str()));
    Png png(path);
    ASSERT_EQ(CAIRO_STATUS_SUCCESS, cairo_surface_status(png.s));
    EXPECT_EQ(1024, cairo_image_surface_get_width(png.s));
    RECT frame;
    GetWindowRect(demo.frame, &frame);
    // The frame's caption is active and carries its title in light text.
    EXPECT_EQ(GetSysColor(COLOR_ACTIVECAPTION), png.at(frame.right - 200, frame.top + 6));
    // The menu bar lies between the caption and the client area, with three titles.
    POINT client = clientPoint(demo.frame, 0, 0);
    int barTop = client.y - GetSystemMetrics(SM_CYMENU);
    EXPECT_EQ(GetSysColor(COLOR_MENU), png.at(frame.right - 100, barTop + 10));
    for (int i = 0; i < 3; i++) {
        RECT item;
        ASSERT_TRUE(platform_menuBarItemScreenRect(demo.frame, i, &item));
        EXPECT_GT(png.darkIn(item.left, item.top, item.right, item.bottom), 10) << "menu title " << i;
    }
    // The MDI workspace shows below and beside the children.
    RECT mdi;
    GetWindowRect(demo.client, &mdi);
    EXPECT_EQ(GetSysColor(COLOR_APPWORKSPACE), png.at(mdi.right - 20, mdi.bottom - 20));
    // Two children: the last created is active, the other not.
    RECT d, c;
    GetWindowRect(demo.drawing, &d);
    GetWindowRect(demo.controls, &c);
    EXPECT_EQ(GetSysColor(COLOR_INACTIVECAPTION), png.at(d.left + 150, d.top + 8));
    EXPECT_EQ(GetSysColor(COLOR_ACTIVECAPTION), png.at(c.left + 150, c.top + 8));
    // The drawing child's rectangles, triangle, text band and bitmaps are where it drew them.
    POINT red = clientPoint(demo.drawing, 60, 50), green = clientPoint(demo.drawing, 150, 50),
          blue = clientPoint(demo.drawing, 240, 50);
    EXPECT_EQ(RGB(220, 40, 40), png.at(red.x, red.y));
    EXPECT_EQ(RGB(40, 180, 60), png.at(green.x, green.y));
    EXPECT_EQ(RGB(40, 80, 220), png.at(blue.x, blue.y));
    POINT frameCorner = clientPoint(demo.drawing, 20, 20);
    EXPECT_EQ(RGB(0, 0, 0), png.at(frameCorner.x, frameCorner.y));
    POINT tri = clientPoint(demo.drawing, 380, 160);
    EXPECT_EQ(RGB(250, 210, 40), png.at(tri.x, tri.y));
    POINT band = clientPoint(demo.drawing, 0, 196);
    EXPECT_GT(png.darkIn(band.x + 21, band.y, band.x + 80, band.y + 18), 5);    // "left"
    EXPECT_GT(png.darkIn(band.x + 200, band.y, band.x + 260, band.y + 18), 5);  // "centre"
    EXPECT_GT(png.darkIn(band.x + 380, band.y, band.x + 439, band.y + 18), 5);  // "right"
    EXPECT_EQ(0, png.darkIn(band.x + 100, band.y + 2, band.x + 180, band.y + 17));
    POINT bmp = clientPoint(demo.drawing, 22, 232);
    EXPECT_NE(RGB(255, 255, 255), png.at(bmp.x, bmp.y));
    POINT maskCorner = clientPoint(demo.drawing, 91, 231), maskCentre = clientPoint(demo.drawing, 114, 254);
    EXPECT_EQ(RGB(255, 255, 255), png.at(maskCorner.x, maskCorner.y));  // outside the round mask
    EXPECT_NE(RGB(255, 255, 255), png.at(maskCentre.x, maskCentre.y));
    // The controls child shows its edit text.
    RECT e;
    GetWindowRect(demo.edit, &e);
    EXPECT_GT(png.darkIn(e.left + 2, e.top + 2, e.right - 2, e.bottom - 2), 20);
    // One window alone, as PNG.
    std::string one = std::string(dir) + "/drawing.png";
    ASSERT_EQ(1, platform_saveWindowPNG(demo.drawing, one.c_str()));
    Png child(one);
    EXPECT_EQ(d.right - d.left, cairo_image_surface_get_width(child.s));
    unlink(path.c_str());
    unlink(one.c_str());
    rmdir(dir);
}

TEST_F(DemoTest, DrivenThroughMenusPromptsAndDialogs)
{
    // Right-click in the controls child: the pop-up menu; choose "Red".
    POINT p = clientPoint(demo.controls, 200, 120);
    headless_pushIdleAction([](HWND) {
        RECT r;
        ASSERT_TRUE(platform_menuItemScreenRect(DEMO_POPUP_RED, &r));
        headless_click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    });
    headless_click(p.x, p.y, 3);
    pump();
    EXPECT_EQ("pop-up: Red", demo.lastAction);
    char status[64];
    GetWindowTextA(demo.status, status, sizeof status);
    EXPECT_STREQ("pop-up: Red", status);
    // F5: the message box, answered No.
    headless_answerNextPrompt(IDNO);
    headless_key(VK_F5);
    pump();
    EXPECT_EQ("message: No", demo.lastAction);
    EXPECT_EQ("Save changes to \"Factory Presets\"?", platform_lastMessageBox().text);
    // The list dialog from the menu bar: Ctrl+click line 3, then OK.
    RECT bar;
    ASSERT_TRUE(platform_menuBarItemScreenRect(demo.frame, 1, &bar));
    headless_pushIdleAction([](HWND) {
        RECT r;
        ASSERT_TRUE(platform_menuItemScreenRect(DEMO_LIST, &r));
        headless_click(r.left + 10, (r.top + r.bottom) / 2);
    });
    headless_pushIdleAction([](HWND dlg) {
        HWND list = GetDlgItem(dlg, 11);
        RECT r;
        SendMessageA(list, LB_GETITEMRECT, 3, (LPARAM)&r);
        POINT q{r.left + 10, (r.top + r.bottom) / 2};
        ClientToScreen(list, &q);
        headless_keyDown(VK_CONTROL);
        headless_click(q.x, q.y);
        headless_keyUp(VK_CONTROL);
    });
    headless_answerNextPrompt(IDOK);
    headless_click((bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2);
    pump();
    EXPECT_EQ("list: 0,3", demo.lastAction);
    // Ctrl+O: the open-file dialog, answered with a file in a temporary folder.
    char dir[] = "/tmp/platform-demo-XXXXXX";
    ASSERT_TRUE(mkdtemp(dir));
    std::string bank = std::string(dir) + "/My Bank.glo";
    std::ofstream(bank) << "x";
    headless_answerNextFileDialog(std::string(dir) + "/My Bank");
    headless_keyDown(VK_CONTROL);
    headless_key('O');
    headless_keyUp(VK_CONTROL);
    pump();
    EXPECT_EQ("opened: My Bank.glo", demo.lastAction);
    // Files dropped on the frame.
    POINT f = clientPoint(demo.drawing, 100, 100);
    headless_dropFiles(f.x, f.y, {bank});
    pump();
    EXPECT_EQ("dropped: " + bank, demo.lastAction);
    // The scroll bar's right arrow moves it by one.
    RECT sb;
    GetWindowRect(demo.scroll, &sb);
    headless_click(sb.right - 4, (sb.top + sb.bottom) / 2);
    pump();
    EXPECT_EQ("scroll: 1", demo.lastAction);
    EXPECT_EQ(0, headless_unansweredPrompts());
    // Ctrl+Q ends the program's loop.
    headless_keyDown(VK_CONTROL);
    headless_key('Q');
    headless_keyUp(VK_CONTROL);
    pump();
    EXPECT_FALSE(IsWindow(demo.frame));
    MSG m;
    EXPECT_TRUE(PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    unlink(bank.c_str());
    rmdir(dir);
}
