// The headless presenter for tests: a virtual clock, a queue of injected
// input, and the controls that drive a program without a display (running
// until idle, scripted answers to modal prompts).
#include "platform/internal.h"
#include <cstdio>

namespace plat {

class HeadlessPresenter : public Presenter {
public:
    std::deque<InputEvent> input;
    DWORD clock = 100000;
    int mouseX = 0, mouseY = 0;
    std::string clipboard;
    int frames = 0;

    int kind() const override { return PLATFORM_PRESENTER_HEADLESS; }
    bool open(int, int) override { return true; }
    void present(cairo_surface_t*, const cairo_region_t*) override { frames++; }
    bool poll(InputEvent* ev) override
    {
        if (input.empty()) return false;
        *ev = input.front();
        input.pop_front();
        return true;
    }
    void idle(int timeoutMs, bool modal) override;
    DWORD ticks() override { return clock; }
    void sleep(DWORD ms) override { clock += ms; }
    void setCursor(const CursorRec*, bool) override {}
    void setClipboardText(const std::string& text) override { clipboard = text; }
    bool clipboardText(std::string* out) override
    {
        *out = clipboard;
        return true;
    }
    void setTitle(const std::string&) override {}
    void minimize() override {}
    void restore() override {}
    void raise() override {}
};

Presenter* makeHeadlessPresenter() { return new HeadlessPresenter(); }

static HeadlessPresenter* hp()
{
    State& s = st();
    if (!s.presenter || s.presenter->kind() != PLATFORM_PRESENTER_HEADLESS) return nullptr;
    return static_cast<HeadlessPresenter*>(s.presenter.get());
}

void pushInput(const InputEvent& ev)
{
    if (HeadlessPresenter* p = hp()) p->input.push_back(ev);
}

void HeadlessPresenter::idle(int timeoutMs, bool modal)
{
    State& s = st();
    if (!s.idleActions.empty()) {
        auto action = s.idleActions.front();
        s.idleActions.pop_front();
        action(headless_topModal());
        postInternal(nullptr, WM_NULL, 0, 0);
        return;
    }
    if (modal && !s.modals.empty()) {
        s.unanswered++;
        fprintf(stderr, "platform: a modal prompt had no scripted answer and was cancelled\n");
        auto cancel = s.modals.back().cancel;
        if (cancel) cancel();
        postInternal(nullptr, WM_NULL, 0, 0);
        return;
    }
    if (timeoutMs >= 0) {  // the virtual clock jumps to the next timer
        clock += timeoutMs > 0 ? timeoutMs : 1;
        return;
    }
    // Nothing can ever happen again: end the loop instead of hanging.
    PostQuitMessage(0);
}

}  // namespace plat

using namespace plat;

static void pushMouse(InputType t, int button)
{
    HeadlessPresenter* p = hp();
    if (!p) return;
    InputEvent ev;
    ev.type = t;
    ev.x = p->mouseX;
    ev.y = p->mouseY;
    ev.button = button;
    p->input.push_back(ev);
}

void headless_mouseMove(int x, int y)
{
    HeadlessPresenter* p = hp();
    if (!p) return;
    p->mouseX = x;
    p->mouseY = y;
    pushMouse(IN_MOUSEMOVE, 0);
}

void headless_mouseDown(int button) { pushMouse(IN_BUTTONDOWN, button); }
void headless_mouseUp(int button) { pushMouse(IN_BUTTONUP, button); }

void headless_click(int x, int y, int button)
{
    headless_mouseMove(x, y);
    headless_mouseDown(button);
    headless_mouseUp(button);
}

void headless_doubleClick(int x, int y)
{
    headless_click(x, y, 1);
    headless_click(x, y, 1);
}

void headless_wheel(int x, int y, int notches)
{
    headless_mouseMove(x, y);
    InputEvent ev;
    ev.type = IN_WHEEL;
    ev.x = x;
    ev.y = y;
    ev.delta = notches;
    pushInput(ev);
}

void headless_keyDown(int vk)
{
    InputEvent ev;
    ev.type = IN_KEYDOWN;
    ev.vk = vk;
    pushInput(ev);
}

void headless_keyUp(int vk)
{
    InputEvent ev;
    ev.type = IN_KEYUP;
    ev.vk = vk;
    pushInput(ev);
}

void headless_key(int vk)
{
    headless_keyDown(vk);
    headless_keyUp(vk);
}

void headless_typeText(const char* text)
{
    if (!text) return;
    InputEvent ev;
    ev.type = IN_TEXT;
    ev.text = text;
    pushInput(ev);
}

void headless_dropFiles(int x, int y, const std::vector<std::string>& paths)
{
    InputEvent ev;
    ev.type = IN_DROPFILES;
    ev.x = x;
    ev.y = y;
    ev.files = paths;
    pushInput(ev);
}

void headless_requestClose(void)
{
    InputEvent ev;
    ev.type = IN_CLOSE;
    pushInput(ev);
}

void headless_clickWindow(HWND hwnd)
{
    if (!win(hwnd)) return;
    RECT c;
    GetClientRect(hwnd, &c);
    POINT o = clientOriginOnScreen(hwnd);
    headless_click(o.x + c.right / 2, o.y + c.bottom / 2, 1);
}

int headless_runUntilIdle(void)
{
    State& s = st();
    if (!hp()) return 0;
    int n = 0;
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) {
            PostQuitMessage((int)m.wParam);
            break;
        }
        TranslateMessage(&m);
        DispatchMessageA(&m);
        n++;
        if (n > 1000000) break;
    }
    (void)s;
    platform_composeAndPresent(0);
    return n;
}

int headless_advanceTime(DWORD ms)
{
    HeadlessPresenter* p = hp();
    if (!p) return 0;
    DWORD remaining = ms;
    int dispatched = headless_runUntilIdle();
    while (remaining > 0 && !st().quitPending) {
        int next = timerNextDue(p->clock, nullptr);
        DWORD step = (next < 0 || (DWORD)next > remaining) ? remaining : (DWORD)(next > 0 ? next : 1);
        p->clock += step;
        remaining -= step;
        dispatched += headless_runUntilIdle();
    }
    return dispatched;
}

void headless_pushIdleAction(std::function<void(HWND modal)> action)
{
    if (action) st().idleActions.push_back(action);
}

void headless_answerNextPrompt(int id)
{
    headless_pushIdleAction([id](HWND) {
        State& s = st();
        if (s.modals.empty()) {
            fprintf(stderr, "platform: a scripted answer found no prompt\n");
            return;
        }
        auto answer = s.modals.back().answer;
        if (answer) answer(id);
    });
}

void headless_answerNextFileDialog(const std::string& path)
{
    headless_pushIdleAction([path](HWND) {
        State& s = st();
        if (s.modals.empty() || !s.modals.back().isFileDialog) {
            fprintf(stderr, "platform: a scripted file name found no file dialog\n");
            if (!s.modals.empty() && s.modals.back().cancel) s.modals.back().cancel();
            return;
        }
        // Copies: answering can open another prompt, which grows the modal stack.
        auto cancel = s.modals.back().cancel;
        auto answerFile = s.modals.back().answerFile;
        if (path.empty())
            cancel();
        else
            answerFile(path);
    });
}

HWND headless_topModal(void)
{
    State& s = st();
    return s.modals.empty() ? nullptr : s.modals.back().hwnd;
}

int headless_unansweredPrompts(void) { return st().unanswered; }
