#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace jwtest {

/// Runs the event loop until `condition` holds or `ms` pass; returns the condition.
inline bool waitUntil(const std::function<bool()> &condition, int ms = 5000)
{
    QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qSleep(2);
    }
    return true;
}

/// Lets queued work (deferred signals, single-shot timers of 0 ms) run.
inline void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

/// The texts of a modal message box: its title and its message.
struct SeenMessage {
    QString title;
    QString text;
    int buttons = 0;
    bool hasIcon = false;
};

/// Arranges for the next modal dialog to be inspected by `inspect` and then
/// closed (accepted). Call before the action that opens it.
inline void onNextModal(std::function<void(QWidget *)> inspect, int timeoutMs = 5000)
{
    auto *timer = new QTimer;
    auto started = std::make_shared<QDeadlineTimer>(timeoutMs);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, inspect, started] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            if (started->hasExpired()) {
                timer->stop();
                timer->deleteLater();
            }
            return;
        }
        timer->stop();
        timer->deleteLater();
        inspect(modal);
        if (auto *dialog = qobject_cast<QDialog *>(modal); dialog && dialog->isVisible())
            dialog->accept();
    });
    timer->start(10);
}

/// Arranges for the next message box to be read into `seen` and closed.
inline void closeNextMessage(SeenMessage &seen)
{
    onNextModal([&seen](QWidget *modal) {
        seen.title = modal->windowTitle();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            seen.text = box->text();
            seen.buttons = box->buttons().size();
            seen.hasIcon = box->icon() != QMessageBox::NoIcon;
        } else {
            for (auto *label : modal->findChildren<QLabel *>()) {
                if (!label->text().isEmpty())
                    seen.text += label->text();
            }
        }
    });
}

} // namespace jwtest
