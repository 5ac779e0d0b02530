// The toolkit tests' fixture: start-up, windows, input and pixel helpers.
#include "toolkit_fixture.h"
#include <cstring>

std::vector<EventRec>& events()
{
    static std::vector<EventRec> v;
    return v;
}

void recordingEventProc(short id, long event, long a, long b)
{
    events().push_back(EventRec{g_currentWindow, id, event, a, b});
}

std::vector<EventRec> eventsOf(long event)
{
    std::vector<EventRec> v;
    for (const EventRec& e : events())
        if (e.event == event) v.push_back(e);
    return v;
}

static LRESULT childProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    short id = (short)GetWindowLongPtrA(h, GWLP_USERDATA);
    if (id) window_preProcess(id, h, msg, wp, lp, 0);
    return DefMDIChildProcA(h, msg, wp, lp);
}

static HWND s_client = nullptr;
static LRESULT frameProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    return DefFrameProcA(h, s_client, msg, wp, lp);
}

// A solid bitmap of one colour.
static void registerSolid(int id, int w, int h, uint32_t xrgb)
{
    std::vector<uint32_t> px((size_t)w * h, xrgb);
    platform_registerBitmapPixels(MAKEINTRESOURCE(id), w, h, px.data());
}

static void registerTestBitmaps()
{
    registerSolid(kTestRed, 10, 8, 0xFF0000);
    registerSolid(kTestGreen, 10, 8, 0x00FF00);
    registerSolid(kTestBlue, 10, 8, 0x0000FF);
    std::vector<uint32_t> mask(80);
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 10; x++) mask[y * 10 + x] = x < 5 ? 0x000000 : 0xFFFFFF;
    platform_registerBitmapPixels(MAKEINTRESOURCE(kTestMask), 10, 8, mask.data());
    std::vector<uint32_t> quad(16);
    const uint32_t colours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 4; x++) quad[y * 4 + x] = colours[(y / 2) * 2 + x / 2];
    platform_registerBitmapPixels(MAKEINTRESOURCE(kTestQuad), 4, 4, quad.data());
    registerSolid(kTestRedish, 6, 6, 0x7F0000);
    registerSolid(kTestDark, 6, 6, 0x7E0000);
}

void ToolkitTest::SetUp()
{
    ASSERT_EQ(1, platform_init(PLATFORM_PRESENTER_HEADLESS, 1024, 768));
    events().clear();
    ASSERT_EQ(1, resources_registerAll());
    registerTestBitmaps();
    initBrambix();
    loadBitmaps(platform_instance());
    for (int id : {kTestRed, kTestGreen, kTestBlue, kTestMask, kTestQuad, kTestRedish, kTestDark})
        bitmap_load(id, g_bitmapList, platform_instance());

    WNDCLASSA fc{};
    fc.lpfnWndProc = frameProc;
    fc.lpszClassName = "testFrame";
    fc.hbrBackground = (HBRUSH)GetStockObject(DKGRAY_BRUSH);
    RegisterClassA(&fc);
    WNDCLASSA cc{};
    cc.lpfnWndProc = childProc;
    cc.lpszClassName = "testChild";
    cc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    RegisterClassA(&cc);
    frame = CreateWindowExA(0, "testFrame", "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1024, 768,
                            nullptr, nullptr, platform_instance(), nullptr);
    CLIENTCREATESTRUCT ccs{nullptr, 1000};
    RECT fr;
    GetClientRect(frame, &fr);
    client = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, fr.right,
                             fr.bottom, frame, nullptr, platform_instance(), &ccs);
    s_client = client;
    window_setFrameHWND(client);
    alert_init(frame);
    headless_runUntilIdle();
}

void ToolkitTest::TearDown()
{
    brambixCleanup();
    platform_shutdown();
    s_client = nullptr;
}

HWND ToolkitTest::makeWindow(short id, int x, int y, int w, int h, short clickMax, int show)
{
    HWND hwnd = CreateMDIWindowA("testChild", "test", WS_CAPTION | WS_SYSMENU, x, y, w + 20, h + 40, client,
                                 platform_instance(), 0);
    EXPECT_NE(nullptr, hwnd);
    window_brambixize(id, hwnd, clickMax, clickMax);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, id);
    window_size(id, (short)w, (short)h);
    window_postBrambixize(id);
    if (show) window_show(id, 1);
    headless_runUntilIdle();
    return hwnd;
}

POINT ToolkitTest::screenPoint(short id, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(window_getHWND(id), &p);
    return p;
}

void ToolkitTest::clickAt(short id, int x, int y, int button)
{
    POINT p = screenPoint(id, x, y);
    headless_click(p.x, p.y, button);
    headless_runUntilIdle();
}

COLORREF ToolkitTest::pixelAt(short id, int x, int y)
{
    HDC hdc = GetDC(window_getHWND(id));
    COLORREF c = GetPixel(hdc, x, y);
    ReleaseDC(window_getHWND(id), hdc);
    return c;
}
