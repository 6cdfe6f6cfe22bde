// The pad measured from outside, as a user meets it: the real program under
// openbox on the X display in DISPLAY, driven by XTest keys and clicks, and
// timed until it answers _NET_WM_PING twice in a row (its event loop free
// again, with the repaint the keys caused behind it).
//
// BM_OutsideSwitch10MB: Ctrl+PageUp to a 10 MB page of mixed formatting and
// a key typed at once, then 20 keys each at its top (at once, while it may still be loading), middle
// and end. BM_OutsideFreeze/<shape>: the longest the pad does not answer
// within ten seconds after switching to a hostile page.
#include "spawn.h"
#include "base/settingsstore.h"
#include "pagegen.h"
#include "richtext/rtffile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include <X11/keysym.h>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;
std::string g_program;

double msSince(Clock::time_point t0) { return std::chrono::duration<double, std::milli>(Clock::now() - t0).count(); }

/// One connection to the X server with what the measures need.
class X {
public:
    X() : m_c(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_c))
            return;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
        m_symbols = xcb_key_symbols_alloc(m_c);
        // The pad's answers to pings go to the root window.
        const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_c, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_c);
    }
    ~X()
    {
        if (m_symbols)
            xcb_key_symbols_free(m_symbols);
        xcb_disconnect(m_c);
    }
    bool ok() const { return !xcb_connection_has_error(m_c); }

    xcb_atom_t atom(const char *name)
    {
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> r(
            xcb_intern_atom_reply(m_c, xcb_intern_atom(m_c, 0, uint16_t(std::strlen(name)), name), nullptr),
            &std::free);
        return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    std::vector<uint32_t> cardinals(xcb_window_t w, const char *property, xcb_atom_t type)
    {
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> r(
            xcb_get_property_reply(m_c, xcb_get_property(m_c, 0, w, atom(property), type, 0, 4096), nullptr),
            &std::free);
        if (!r || r->format != 32)
            return {};
        const auto *v = static_cast<const uint32_t *>(xcb_get_property_value(r.get()));
        return {v, v + xcb_get_property_value_length(r.get()) / 4};
    }

    std::string text(xcb_window_t w, const char *property)
    {
        std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> r(
            xcb_get_property_reply(m_c, xcb_get_property(m_c, 0, w, atom(property), XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
                                   nullptr),
            &std::free);
        if (!r)
            return {};
        return {static_cast<const char *>(xcb_get_property_value(r.get())),
                std::size_t(xcb_get_property_value_length(r.get()))};
    }

    /// The managed windows of process `pid`, each with whether it is a splash.
    std::vector<std::pair<xcb_window_t, bool>> windowsOf(pid_t pid)
    {
        std::vector<std::pair<xcb_window_t, bool>> out;
        for (const uint32_t w : cardinals(m_root, "_NET_CLIENT_LIST", XCB_ATOM_WINDOW)) {
            const auto pids = cardinals(w, "_NET_WM_PID", XCB_ATOM_CARDINAL);
            const auto types = cardinals(w, "_NET_WM_WINDOW_TYPE", XCB_ATOM_ATOM);
            if (!pids.empty() && pid_t(pids.front()) == pid)
                out.emplace_back(w, std::find(types.begin(), types.end(), atom("_NET_WM_WINDOW_TYPE_SPLASH"))
                                        != types.end());
        }
        return out;
    }

    /// The managed window of process `pid` titled `title`, or 0; the splash
    /// carries the main window's title and is passed over.
    xcb_window_t findWindow(pid_t pid, const std::string &title)
    {
        for (const auto &[w, splash] : windowsOf(pid))
            if (!splash && text(w, "_NET_WM_NAME") == title)
                return w;
        return 0;
    }

    /// Whether process `pid` shows its splash: it takes the first key for itself.
    bool showsSplash(pid_t pid)
    {
        const auto windows = windowsOf(pid);
        return std::any_of(windows.begin(), windows.end(), [](const auto &w) { return w.second; });
    }

    bool activate(xcb_window_t w)
    {
        xcb_client_message_event_t e{};
        e.response_type = XCB_CLIENT_MESSAGE;
        e.format = 32;
        e.window = w;
        e.type = atom("_NET_ACTIVE_WINDOW");
        e.data.data32[0] = 2; // from a pager: the window manager obeys
        xcb_send_event(m_c, 0, m_root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char *>(&e));
        xcb_flush(m_c);
        return waitFor([&] { return cardinals(m_root, "_NET_ACTIVE_WINDOW", XCB_ATOM_WINDOW) == std::vector{w}; }, 30);
    }

    /// Sends a ping to the window `find` gives and waits for its answer;
    /// milliseconds, or nothing after `limit` seconds. Qt may replace a
    /// window (a change of its flags makes a new one): the ping goes again to
    /// the new one when the old stays silent.
    std::optional<double> ping(const std::function<xcb_window_t()> &find, int limit = 120)
    {
        const auto t0 = Clock::now();
        xcb_window_t w = find();
        send(w);
        const int fd = xcb_get_file_descriptor(m_c);
        auto asked = Clock::now();
        while (msSince(t0) < limit * 1000.0) {
            while (xcb_generic_event_t *ev = xcb_poll_for_event(m_c)) {
                const bool answer = (ev->response_type & 0x7f) == XCB_CLIENT_MESSAGE
                                    && reinterpret_cast<xcb_client_message_event_t *>(ev)->data.data32[1] == m_serial;
                std::free(ev);
                if (answer)
                    return msSince(t0);
            }
            if (xcb_connection_has_error(m_c))
                return std::nullopt;
            if (msSince(asked) > 500) {
                if (const xcb_window_t now = find(); now && now != w)
                    send(w = now);
                asked = Clock::now();
            }
            fd_set set;
            FD_ZERO(&set);
            FD_SET(fd, &set);
            timeval tv{0, 20000};
            select(fd + 1, &set, nullptr, nullptr, &tv);
        }
        return std::nullopt;
    }

    void send(xcb_window_t w)
    {
        xcb_client_message_event_t e{};
        e.response_type = XCB_CLIENT_MESSAGE;
        e.format = 32;
        e.window = w;
        e.type = atom("WM_PROTOCOLS");
        e.data.data32[0] = atom("_NET_WM_PING");
        e.data.data32[1] = ++m_serial;
        e.data.data32[2] = w;
        xcb_send_event(m_c, 0, w, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&e));
        xcb_flush(m_c);
    }

    /// Presses `keysym` with `modifiers` held (keysyms too) and lets them go.
    void key(xcb_keysym_t keysym, std::vector<xcb_keysym_t> modifiers = {})
    {
        for (const xcb_keysym_t m : modifiers)
            fake(XCB_KEY_PRESS, code(m));
        fake(XCB_KEY_PRESS, code(keysym));
        taken(code(keysym), true);
        fake(XCB_KEY_RELEASE, code(keysym));
        for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m)
            fake(XCB_KEY_RELEASE, code(*m));
        taken(code(keysym), false);
    }

    /// Waits until the server has taken `code` down or up. XTest input is
    /// queued, and a ping sent after it could otherwise reach the pad first.
    void taken(xcb_keycode_t code, bool down)
    {
        const auto t0 = Clock::now();
        while (msSince(t0) < 5000) {
            std::unique_ptr<xcb_query_keymap_reply_t, decltype(&std::free)> r(
                xcb_query_keymap_reply(m_c, xcb_query_keymap(m_c), nullptr), &std::free);
            if (!r || bool(r->keys[code / 8] & (1 << (code % 8))) == down)
                return;
        }
    }

    /// Clicks `button` at (x, y) of window `w`.
    void click(xcb_window_t w, int x, int y, uint8_t button)
    {
        std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&std::free)> r(
            xcb_translate_coordinates_reply(m_c, xcb_translate_coordinates(m_c, w, m_root, int16_t(x), int16_t(y)),
                                            nullptr),
            &std::free);
        if (!r)
            return;
        xcb_test_fake_input(m_c, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, m_root, r->dst_x, r->dst_y, 0);
        xcb_test_fake_input(m_c, XCB_BUTTON_PRESS, button, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_test_fake_input(m_c, XCB_BUTTON_RELEASE, button, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_flush(m_c);
    }

    std::pair<int, int> size(xcb_window_t w)
    {
        std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> r(
            xcb_get_geometry_reply(m_c, xcb_get_geometry(m_c, w), nullptr), &std::free);
        return r ? std::pair{int(r->width), int(r->height)} : std::pair{0, 0};
    }

    bool hasWindowManager() { return !cardinals(m_root, "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW).empty(); }

    static bool waitFor(const std::function<bool()> &condition, int seconds)
    {
        const auto t0 = Clock::now();
        while (!condition()) {
            if (msSince(t0) > seconds * 1000.0)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return true;
    }

private:
    xcb_keycode_t code(xcb_keysym_t keysym)
    {
        std::unique_ptr<xcb_keycode_t, decltype(&std::free)> codes(xcb_key_symbols_get_keycode(m_symbols, keysym),
                                                                   &std::free);
        return codes ? *codes : 0;
    }
    void fake(uint8_t type, xcb_keycode_t code)
    {
        xcb_test_fake_input(m_c, type, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    }

    xcb_connection_t *m_c;
    xcb_window_t m_root = 0;
    xcb_key_symbols_t *m_symbols = nullptr;
    uint32_t m_serial = 0;
};

/// The pad running in a folder of its own with the given pages (title, RTF
/// file writer), the last one current, and its main window shown and active.
class Pad {
public:
    Pad(X &x, const std::vector<std::pair<QString, std::function<void(const QString &)>>> &pages) : m_x(x)
    {
        const QString home = m_dir.path();
        jw::SettingsStore store(home + QStringLiteral("/config/jotwell/settings.json"));
        jw::SettingsEntries list;
        for (std::size_t i = 0; i < pages.size(); ++i) {
            list.append({pages[i].first, QString::number(i + 1)});
            pages[i].second(home + u'/' + pages[i].first + QStringLiteral(".rtf"));
        }
        store.writeEntries(QStringLiteral("Jotwell"), QStringLiteral("Tabs"), list);
        QDir().mkpath(home + QStringLiteral("/runtime"));
        QFile::setPermissions(home + QStringLiteral("/runtime"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        m_pid = spawn(nullptr);
        const auto listening = [&] {
            return !QDir(home + QStringLiteral("/runtime"))
                        .entryList({QStringLiteral("*.socket")}, QDir::System)
                        .isEmpty();
        };
        if (m_pid < 0 || !X::waitFor(listening, 60)) {
            std::fprintf(stderr, "pingbench: the pad did not start\n");
            return;
        }
        const pid_t show = spawn("--show");
        int status = 0;
        if (show < 0 || waitpid(show, &status, 0) != show || status != 0) {
            std::fprintf(stderr, "pingbench: --show failed\n");
            return;
        }
        X::waitFor([&] { return (m_window = x.findWindow(m_pid, "Jotwell Pro")) != 0; }, 60);
        // A key typed while the splash is up dismisses the splash, as a user would see.
        X::waitFor([&] { return !x.showsSplash(m_pid); }, 60);
        if (m_window && !x.activate(m_window))
            m_window = 0;
        // Keys sent before the pad has taken the activation miss its shortcuts.
        if (m_window && (!x.ping(finder()) || !x.ping(finder())))
            m_window = 0;
        std::fprintf(stderr, "pingbench: main window %s\n", m_window ? "active" : "not found");
    }
    ~Pad()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }
    /// The main window now: Qt may have replaced it since.
    xcb_window_t window()
    {
        if (const xcb_window_t w = m_x.findWindow(m_pid, "Jotwell Pro"))
            m_window = w;
        return m_window;
    }
    std::function<xcb_window_t()> finder()
    {
        return [this] { return window(); };
    }

    /// Milliseconds from `act` to the second of two answered pings.
    std::optional<double> timed(const std::function<void()> &act)
    {
        const auto t0 = Clock::now();
        act();
        if (!m_x.ping(finder()) || !m_x.ping(finder()))
            return std::nullopt;
        return msSince(t0);
    }

private:
    pid_t spawn(const char *option)
    {
        std::vector<std::string> env;
        for (char **e = environ; *e; ++e) {
            const std::string entry = *e;
            if (entry.rfind("HOME=", 0) != 0 && entry.rfind("XDG_", 0) != 0 && entry.rfind("QT_QPA_PLATFORM=", 0) != 0
                && entry.rfind("DBUS_SESSION_BUS_ADDRESS=", 0) != 0)
                env.push_back(entry);
        }
        const std::string home = m_dir.path().toStdString();
        env.emplace_back("HOME=" + home);
        env.emplace_back("XDG_CONFIG_HOME=" + home + "/config");
        env.emplace_back("XDG_RUNTIME_DIR=" + home + "/runtime");
        env.emplace_back("QT_QPA_PLATFORM=xcb");
        env.emplace_back("DBUS_SESSION_BUS_ADDRESS=disabled:");
        std::vector<std::string> args{g_program};
        if (option)
            args.emplace_back(option);
        return jwbench::spawnIn(args, home, env);
    }

    X &m_x;
    QTemporaryDir m_dir;
    pid_t m_pid = -1;
    xcb_window_t m_window = 0;
};

auto pageOf(jw::rtf::Document doc)
{
    return [doc = std::move(doc)](const QString &path) { jw::saveRtfFile(path, doc); };
}

auto smallPage() { return pageOf(jwbench::makePage(2000)); }

/// A window manager of our own for the run, unless the display has one.
struct WindowManager {
    pid_t pid = -1;
    explicit WindowManager(X &x)
    {
        if (x.hasWindowManager())
            return;
        std::vector<std::string> env;
        for (char **e = environ; *e; ++e)
            env.emplace_back(*e);
        pid = jwbench::spawnIn({"openbox", "--sm-disable"}, "/", env);
        X::waitFor([&] { return x.hasWindowManager(); }, 30);
    }
    ~WindowManager()
    {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }
};

void setStats(benchmark::State &state, const std::string &name, std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    state.counters[name + "_median_ms"] = times[times.size() / 2];
    state.counters[name + "_max_ms"] = times.back();
}

void BM_OutsideSwitch10MB(benchmark::State &state)
{
    X x;
    if (!x.ok()) {
        state.SkipWithError("no X display");
        return;
    }
    for (auto _ : state) {
        Pad pad(x, {{QStringLiteral("Big"), pageOf(jwbench::makePageOfRtfSize(std::size_t(10) << 20))},
                    {QStringLiteral("Small"), smallPage()}});
        const xcb_window_t w = pad.window();
        if (!w) {
            state.SkipWithError("the pad's main window did not show");
            return;
        }
        // The switch counts until the new page has taken a key typed at once
        // and painted it: a pad that puts off the work would look fast otherwise.
        const auto switched = pad.timed([&] {
            x.key(XK_Page_Up, {XK_Control_L});
            x.key(XK_x);
        });
        std::vector<double> top, middle, end;
        auto type = [&](std::vector<double> &into) {
            for (int i = 0; i < 20; ++i) {
                if (const auto t = pad.timed([&] { x.key(XK_x); }))
                    into.push_back(*t);
                std::this_thread::sleep_for(std::chrono::milliseconds(60)); // a fast typist's pace
            }
        };
        std::fprintf(stderr, "pingbench: switched in %.1f ms\n", switched.value_or(-1));
        type(top);
        // The middle: a middle click on the scroll bar jumps there, a click in the text puts the caret there.
        const auto size = x.size(pad.window());
        const int width = size.first;
        const int height = size.second;
        pad.timed([&] { x.click(pad.window(), width - 6, height * 3 / 5, 2); });
        pad.timed([&] { x.click(pad.window(), width / 2, height * 3 / 5, 1); });
        std::fprintf(stderr, "pingbench: typed at the top\n");
        type(middle);
        std::fprintf(stderr, "pingbench: typed in the middle\n");
        pad.timed([&] { x.key(XK_End, {XK_Control_L}); });
        type(end);
        if (!switched || top.size() < 20 || middle.size() < 20 || end.size() < 20) {
            state.SkipWithError("the pad stopped answering");
            return;
        }
        state.counters["switch_ms"] = *switched;
        setStats(state, "top", top);
        setStats(state, "middle", middle);
        setStats(state, "end", end);
    }
}
BENCHMARK(BM_OutsideSwitch10MB)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

/// 400,000 empty paragraphs, 2 MB of RTF.
jw::rtf::Document emptyParagraphs()
{
    jw::rtf::Document doc;
    doc.text.assign(400000, u'\n');
    doc.runs.push_back({0, doc.text.size(), {"DejaVu Sans", 24, false, false, false}});
    return doc;
}

/// One line of 10 MB.
jw::rtf::Document oneLine()
{
    jw::rtf::Document doc;
    while (doc.text.size() < (std::size_t(10) << 20))
        doc.text += u"notes pad keep shopping ideas remember ";
    doc.runs.push_back({0, doc.text.size(), {"DejaVu Sans", 24, false, false, false}});
    return doc;
}

/// 500 MB of RTF written piece by piece: paragraphs of plain words.
void hugePage(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 DejaVu Sans;}}\\f0\\fs24 ");
    QByteArray chunk;
    for (int i = 0; chunk.size() < (1 << 20); ++i)
        chunk += i % 7 == 6 ? "remember the notes\\par\n" : "notes pad keep shopping ideas ";
    for (qint64 written = 0; written < (qint64(500) << 20); written += chunk.size())
        file.write(chunk);
    file.write("}");
}

void BM_OutsideFreeze(benchmark::State &state)
{
    X x;
    if (!x.ok()) {
        state.SkipWithError("no X display");
        return;
    }
    std::function<void(const QString &)> write;
    switch (state.range(0)) {
    case 0: write = pageOf(emptyParagraphs()); break;
    case 1: write = pageOf(oneLine()); break;
    default: write = hugePage; break;
    }
    for (auto _ : state) {
        Pad pad(x, {{QStringLiteral("Hostile"), write}, {QStringLiteral("Small"), smallPage()}});
        const xcb_window_t w = pad.window();
        if (!w) {
            state.SkipWithError("the pad's main window did not show");
            return;
        }
        // The longest wait for an answer in the ten seconds after the switch key.
        const auto t0 = Clock::now();
        x.key(XK_Page_Up, {XK_Control_L});
        double worst = 0;
        while (msSince(t0) < 10000) {
            const auto answered = x.ping(pad.finder(), 600);
            if (!answered) {
                state.SkipWithError("the pad did not answer within ten minutes");
                return;
            }
            worst = std::max(worst, *answered);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        state.counters["freeze_ms"] = worst;
        // Typing at once, wherever the load has got to.
        if (const auto key = pad.timed([&] { x.key(XK_x); }))
            state.counters["key_ms"] = *key;
    }
}
BENCHMARK(BM_OutsideFreeze)->Arg(0)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) > 0)
        g_program = QFileInfo(QString::fromLocal8Bit(self)).absolutePath().toStdString() + "/../jotwell";
    if (const char *program = std::getenv("JOTWELL_PROGRAM"))
        g_program = program;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // One window manager for the run: one that has left keeps its mark on the root window.
    X x;
    std::optional<WindowManager> wm;
    if (x.ok())
        wm.emplace(x);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
