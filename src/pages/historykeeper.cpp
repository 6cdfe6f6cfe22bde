#include "pages/historykeeper.h"

#include "base/fileio.h"
#include "base/ioerror.h"
#include "base/log.h"

#include <QFile>

namespace jw {

HistoryKeeper::HistoryKeeper(PageHistory history, QString pagesFolder)
    : m_history(std::move(history)), m_pagesFolder(std::move(pagesFolder))
{
    m_worker.setMaxThreadCount(1);
}

HistoryKeeper::~HistoryKeeper() { m_worker.waitForDone(); }

void HistoryKeeper::setFailureHandler(std::function<void(const QString &)> handler)
{
    m_onFailure = std::move(handler);
}

void HistoryKeeper::failed(const QString &reason)
{
    qCWarning(lcFiles).noquote() << "could not keep a version in the page history:" << reason;
    if (m_told.exchange(true))
        return;
    QMetaObject::invokeMethod(
        &m_home,
        [this, reason] {
            if (m_onFailure)
                m_onFailure(reason);
        },
        Qt::QueuedConnection);
}

void HistoryKeeper::run(std::function<void()> task)
{
    m_worker.start([this, task = std::move(task)] {
        try {
            task();
        } catch (const IoError &error) {
            failed(QString::fromStdString(error.what()));
        } catch (const std::bad_alloc &) {
            failed(QStringLiteral("there is not enough memory"));
        }
    });
}

void HistoryKeeper::replaced(const QString &title, const QString &path, PageHistory::Reason reason)
{
    QString linked;
    try {
        linked = m_history.linkIn(m_pagesFolder, title, path, reason);
    } catch (const IoError &error) {
        failed(QString::fromStdString(error.what()));
        return;
    }
    if (linked.isEmpty()) {
        copyLater(title, path, reason);
        return;
    }
    run([this, linked] { m_history.settle(linked); });
}

void HistoryKeeper::keepCopy(const QString &title, const QString &path, PageHistory::Reason reason)
{
    copyLater(title, path, reason);
}

void HistoryKeeper::copyLater(const QString &title, const QString &path, PageHistory::Reason reason)
{
    // Held open, the file's text outlives its removal from the pages folder.
    auto source = std::make_shared<QFile>(path);
    if (!source->exists())
        return;
    if (!source->open(QIODevice::ReadOnly)) {
        failed(QStringLiteral("%1: %2").arg(path, source->errorString()));
        return;
    }
    const QDateTime time = m_history.now(); // kept now, whenever the copy is done
    auto copy = [this, title, source, time, reason] {
        const QString kept = m_history.copyIn(m_pagesFolder, title, *source, time, reason);
        if (!kept.isEmpty())
            m_history.settle(kept);
    };
#if defined(Q_OS_UNIX)
    run(std::move(copy));
#else
    // An open file cannot be removed here: copy it before the caller removes it.
    try {
        copy();
    } catch (const IoError &error) {
        failed(QString::fromStdString(error.what()));
    }
#endif
}

void HistoryKeeper::keepPage(const QString &title, const rtf::Document &page, PageHistory::Reason reason)
{
    run([this, title, page, reason] { m_history.keepPage(m_pagesFolder, title, page, reason); });
}

void HistoryKeeper::thinSoon(qint64 sizeLimit)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (m_lastThin.isValid() && m_lastThin.secsTo(now) < 600)
        return;
    m_lastThin = now;
    run([this, sizeLimit] {
        const int dropped = m_history.thin(sizeLimit, &m_typing);
        qCDebug(lcFiles) << "page history thinned:" << dropped << "versions dropped";
    });
}

void HistoryKeeper::waitIdle() { m_worker.waitForDone(); }

} // namespace jw
