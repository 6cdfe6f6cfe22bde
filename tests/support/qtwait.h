#pragma once

// Waiting for conditions and answering modal dialogs in widget tests.

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "support/files.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace jwtest {

/// Runs the event loop until `condition` holds or `ms` pass; returns the condition.
/// The deadline is generous: it only bounds a test that has already failed.
inline bool waitUntil(const std::function<bool()> &condition, int ms = 20000)
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

/// Lets queued work (deferred signals, zero-delay timers) run.
inline void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

/// The modal-dialog watcher: the next modal widget to open is handed to
/// `inspect` and then, if it is still open, accepted. Call it before the
/// action that opens the dialog; `inspect` may also close it another way.
/// Watchers set up one after another take the dialogs in their order.
inline void onNextModal(const std::function<void(QWidget *)> &inspect)
{
    // Modals a watcher took already, so that the next watcher waits for the next one.
    static QList<QPointer<QWidget>> handled;
    // Owned by the application: a watcher whose dialog never came goes with it.
    auto *timer = new QTimer(qApp);
    auto deadline = std::make_shared<QDeadlineTimer>(20000);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, inspect, deadline] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && handled.contains(modal))
            modal = nullptr;
        if (!modal && !deadline->hasExpired())
            return;
        timer->stop();
        timer->deleteLater();
        if (!modal)
            return;
        handled.removeAll(nullptr);
        handled.append(modal);
        inspect(modal);
        if (auto *dialog = qobject_cast<QDialog *>(modal); dialog && dialog->isVisible())
            dialog->accept();
    });
    timer->start(10);
}

/// Reads the next message box into `text` (and its title into `title`) and closes it.
inline void closeNextMessage(QString &text, QString *title = nullptr)
{
    onNextModal([&text, title](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            text = box->text();
        if (title)
            *title = modal->windowTitle();
    });
}

/// The text of the message box that `act` opens, which is closed; "" when none opens.
inline QString messageFrom(const std::function<void()> &act)
{
    auto text = std::make_shared<QString>();
    onNextModal([text](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            *text = box->text();
    });
    act();
    return *text;
}

/// Clicks the button of `window` whose caption is `caption`, access letter and all.
inline void clickButton(QWidget *window, const QString &caption)
{
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
        if (button->text() == caption)
            return button->click();
}

/// Every shown control of `window` lies inside it, clear of all but its own
/// parts and holders: a lost layout call piles controls up or hides them.
inline void expectLaidOut(const QWidget &window)
{
    QList<const QWidget *> shown;
    for (const QWidget *w : window.findChildren<QWidget *>())
        if (w->isVisible() && !w->isWindow())
            shown << w;
    const auto rect = [&](const QWidget *w) { return QRect(w->mapTo(&window, QPoint()), w->size()); };
    for (qsizetype i = 0; i < shown.size(); ++i) {
        EXPECT_TRUE(window.rect().contains(rect(shown[i]))) << shown[i]->metaObject()->className();
        for (qsizetype j = i + 1; j < shown.size(); ++j)
            EXPECT_TRUE(shown[i]->isAncestorOf(shown[j]) || shown[j]->isAncestorOf(shown[i])
                        || !rect(shown[i]).intersects(rect(shown[j])))
                << shown[i]->metaObject()->className() << " over " << shown[j]->metaObject()->className();
    }
}

} // namespace jwtest
