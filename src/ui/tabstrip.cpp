#include "ui/tabstrip.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QMouseEvent>
#include <QKeySequence>
#include <QShortcut>

namespace jw::ui {

namespace {

QString shown(QString caption) { return caption.replace(u'&', QStringLiteral("&&")); }
QString unshown(QString text) { return text.replace(QStringLiteral("&&"), QStringLiteral("&")); }

} // namespace

TabStrip::TabStrip(QWidget *parent) : QTabBar(parent)
{
    setElideMode(Qt::ElideNone);
    setUsesScrollButtons(true);
    setExpanding(false);
    setDrawBase(true);
    setMovable(true);
    connect(this, &QTabBar::currentChanged, this, &TabStrip::onCurrentChanged);
    connect(this, &QTabBar::tabMoved, this, [this] {
        // The selected tab moved with its number, or another one past it.
        m_stableIndex = currentIndex();
        if (m_mode == Mode::Idle)
            Q_EMIT TabMoved();
    });

    // The window-wide page keys of tabbed windows (a shortcut's default
    // context); the editor does not take Ctrl+Tab for itself.
    const QKeySequence forward[] = {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)};
    const QKeySequence backward[] = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                                     QKeySequence(Qt::CTRL | Qt::Key_PageUp)};
    for (const QKeySequence &key : forward) {
        auto *next = new QShortcut(key, this);
        connect(next, &QShortcut::activated, this, [this] { step(1); });
    }
    for (const QKeySequence &key : backward) {
        auto *prev = new QShortcut(key, this);
        connect(prev, &QShortcut::activated, this, [this] { step(-1); });
    }

    insertTab(1);
}

QString TabStrip::caption(int index) const
{
    if (index < 1 || index > count())
        return {};
    return unshown(tabText(index - 1));
}

void TabStrip::setCaption(int index, const QString &caption)
{
    if (index < 1 || index > count())
        return;
    setTabText(index - 1, shown(caption));
}

void TabStrip::insertTab(int index, const QString &caption)
{
    index = std::clamp(index, 1, count() + 1);
    const Mode old = m_mode;
    m_mode = Mode::Program;
    QTabBar::insertTab(index - 1, shown(caption));
    m_mode = old;
    m_stableIndex = currentIndex();
}

void TabStrip::removeTab(int index)
{
    if (index < 1 || index > count())
        return;
    const Mode old = m_mode;
    m_mode = Mode::Program;
    QTabBar::removeTab(index - 1);
    m_mode = old;
    m_stableIndex = currentIndex();
}

void TabStrip::setCaptions(const QStringList &captions, int select)
{
    // QTabBar lays out every tab after each insertion; while the strip is
    // filled, that layout sees fixed sizes, and the real one follows once.
    const Mode old = m_mode;
    m_mode = Mode::Program;
    m_bulk = true;
    for (int i = count(); i >= 1; --i)
        QTabBar::removeTab(i - 1);
    for (const QString &caption : captions)
        QTabBar::addTab(shown(caption));
    m_bulk = false;
    setElideMode(elideMode()); // lays the tabs out again with their sizes
    if (count() > 0)
        setCurrentIndex(std::clamp(select, 1, count()) - 1);
    m_mode = old;
    m_stableIndex = currentIndex();
}

QSize TabStrip::tabSizeHint(int index) const { return m_bulk ? QSize(1, 1) : QTabBar::tabSizeHint(index); }

QSize TabStrip::minimumTabSizeHint(int index) const
{
    return m_bulk ? QSize(1, 1) : QTabBar::minimumTabSizeHint(index);
}

int TabStrip::selectedIndex() const { return currentIndex() + 1; }

void TabStrip::selectTab(int index)
{
    if (index < 1 || index > count())
        return;
    const Mode old = m_mode;
    m_mode = Mode::Program;
    setCurrentIndex(index - 1);
    m_mode = old;
    m_stableIndex = currentIndex();
}

bool TabStrip::requestTab(int index)
{
    // A handler that is still deciding (perhaps in a message box) is not
    // asked again.
    if (m_mode == Mode::User)
        return false;
    if (index < 1 || index > count() || index == selectedIndex())
        return false;
    const Mode old = m_mode;
    m_mode = Mode::User;
    const bool allowed = !m_beforeClick || m_beforeClick(index);
    // The handler may have changed the strip.
    if (!allowed || index > count() || index == selectedIndex()) {
        m_mode = old;
        m_stableIndex = currentIndex();
        return false;
    }
    m_mode = Mode::Program;
    setCurrentIndex(index - 1);
    m_mode = old;
    m_stableIndex = currentIndex();
    Q_EMIT Click();
    return true;
}

void TabStrip::step(int delta)
{
    const int n = count();
    if (n < 2 || selectedIndex() == 0)
        return;
    const int target = ((selectedIndex() - 1 + delta) % n + n) % n + 1;
    requestTab(target);
}

bool TabStrip::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        const bool handled = QTabBar::event(event);
        // After the release, so that a dialog opened for it finds the strip at rest.
        if (const int index = std::exchange(m_doubleClicked, 0); index == selectedIndex() && index > 0)
            Q_EMIT DblClick(index);
        return handled;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::Shortcut: {
        if (m_mode != Mode::Idle)
            break;
        // Let QTabBar work out which tab the user means, take its change
        // back, and ask for it properly.
        m_stableIndex = currentIndex();
        m_mode = Mode::Capture;
        m_captured = -1;
        const bool handled = QTabBar::event(event);
        m_mode = Mode::Idle;
        if (m_captured >= 0)
            requestTab(m_captured + 1);
        if (event->type() == QEvent::MouseButtonDblClick
            && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            m_doubleClicked = tabAt(static_cast<QMouseEvent *>(event)->position().toPoint()) + 1;
        return handled;
    }
    default: break;
    }
    return QTabBar::event(event);
}

void TabStrip::contextMenuEvent(QContextMenuEvent *event)
{
    Q_EMIT ContextMenu(tabAt(event->pos()) + 1, event->globalPos());
    event->accept();
}

void TabStrip::onCurrentChanged(int index)
{
    switch (m_mode) {
    case Mode::Program: m_stableIndex = index; return;
    case Mode::User: // the user clicked again while a handler decides
    case Mode::Capture:
    case Mode::Idle: {
        const Mode old = m_mode;
        if (old == Mode::Capture)
            m_captured = index;
        m_mode = Mode::Program;
        setCurrentIndex(m_stableIndex);
        m_mode = old;
        // A path not routed through event(), e.g. the scroll buttons.
        if (old == Mode::Idle && index >= 0)
            requestTab(index + 1);
        return;
    }
    }
}

} // namespace jw::ui
