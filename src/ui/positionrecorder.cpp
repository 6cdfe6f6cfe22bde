#include "ui/positionrecorder.h"

#include <QEvent>
#include <QWidget>

namespace jw::ui {

PositionRecorder::PositionRecorder(QWidget *window, std::function<void()> record)
    : QObject(window), m_window(window), m_record(std::move(record))
{
    m_afterPaint.setSingleShot(true);
    m_afterPaint.setInterval(0);
    // A drag moves a window many times: record where it comes to rest.
    m_moveSettled.setSingleShot(true);
    m_moveSettled.setInterval(300);
    for (QTimer *timer : {&m_afterPaint, &m_moveSettled}) {
        connect(timer, &QTimer::timeout, this, [this] {
            if (m_window->isVisible())
                m_record();
        });
    }
    window->installEventFilter(this);
}

bool PositionRecorder::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window) {
        if (event->type() == QEvent::Paint && !m_afterPaint.isActive())
            m_afterPaint.start();
        else if (event->type() == QEvent::Move && m_window->isVisible())
            m_moveSettled.start();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace jw::ui
