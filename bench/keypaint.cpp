// Keystroke to paint in the page editor holding a 10 MB page, with real key
// events: shows the editor on the X display in DISPLAY (no window manager),
// types into the middle of the page through XTest at a fast typist's pace,
// and prints each key's time from sending to the editor's next paint that
// shows it, in milliseconds, one a line. window_bench runs it.
//
// usage: keypaint [KEYS] [laid-out|loading]   (default 200, laid-out)
//   laid-out: the page is laid out to its end first, as some seconds after loading;
//   loading:  typing starts while Qt still lays the page out in the background.
#include "pagegen.h"
#include "ui/richtextedit.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTextBlock>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

namespace {

/// Notes the first paint of the editor's view after its text has grown.
class PaintWatch final : public QObject {
public:
    explicit PaintWatch(jw::ui::RichTextEdit &edit) : m_edit(edit) { edit.viewport()->installEventFilter(this); }
    void arm() { m_count = m_edit.document()->characterCount(), m_painted = false; }
    bool painted() const { return m_painted; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_edit.document()->characterCount() != m_count)
            m_painted = true; // the paint itself follows at once, before processEvents returns
        return QObject::eventFilter(watched, event);
    }

private:
    jw::ui::RichTextEdit &m_edit;
    int m_count = 0;
    bool m_painted = false;
};

bool runUntil(const std::function<bool()> &done, int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

int fail(const char *why)
{
    std::fprintf(stderr, "keypaint: %s\n", why);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int keys = argc > 1 ? std::atoi(argv[1]) : 200;
    const bool settle = argc <= 2 || std::strcmp(argv[2], "loading") != 0;
    auto *x11 = app.nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *c = x11 ? x11->connection() : nullptr;
    if (QGuiApplication::platformName() != QLatin1StringView("xcb") || !c)
        return fail("needs an X display (QT_QPA_PLATFORM=xcb)");
    std::unique_ptr<xcb_key_symbols_t, decltype(&xcb_key_symbols_free)> symbols(xcb_key_symbols_alloc(c),
                                                                                &xcb_key_symbols_free);
    std::unique_ptr<xcb_keycode_t, decltype(&std::free)> codes(xcb_key_symbols_get_keycode(symbols.get(), 'x'),
                                                               &std::free);
    if (!codes || *codes == XCB_NO_SYMBOL)
        return fail("no key code for x");

    jw::ui::RichTextEdit edit;
    edit.resize(800, 600);
    edit.setFromDocument(jwbench::makePage(10 << 20));
    edit.show();
    edit.activateWindow();
    if (!runUntil([&edit] { return edit.isActiveWindow(); }, 30000))
        return fail("the editor did not become active");
    if (settle)
        edit.document()->documentLayout()->blockBoundingRect(edit.document()->lastBlock());
    edit.setSelStart(edit.Text().size() / 2);
    runUntil([] { return false; }, 200); // shown at the caret

    PaintWatch watch(edit);
    for (int i = 0; i < keys; ++i) {
        watch.arm();
        QElapsedTimer clock;
        clock.start();
        for (const uint8_t type : {XCB_KEY_PRESS, XCB_KEY_RELEASE})
            xcb_test_fake_input(c, type, *codes, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_flush(c);
        if (!runUntil([&watch] { return watch.painted(); }, 30000))
            return fail("a key was not painted");
        std::printf("%.3f\n", double(clock.nsecsElapsed()) / 1e6);
        runUntil([] { return false; }, 60); // the typist's pace; background work runs meanwhile
    }
    return 0;
}
