#include "base/windowposition.h"

#include "base/ioerror.h"
#include "base/log.h"
#include "base/placement.h"
#include "base/settingsnames.h"
#include "base/settingsstore.h"

namespace jw {

WindowPosition::Stored WindowPosition::read() const
{
    Stored stored;
    const auto entries = m_store.readSection(kApp, kPositionSection);
    if (!entries)
        return stored;
    stored.exists = true;
    std::optional<double> *slots[] = {&stored.top, &stored.left, &stored.width, &stored.height};
    for (int i = 0; i < 4 && i < entries->size(); ++i) {
        if (const auto value = toInt32(entries->at(i).second))
            *slots[i] = *value;
    }
    return stored;
}

void WindowPosition::recordCorner(double top, double left)
{
    record({{kTopKey, twipsText(top)}, {kLeftKey, twipsText(left)}});
}

void WindowPosition::recordAll(double top, double left, double width, double height)
{
    record({{kTopKey, twipsText(top)},
            {kLeftKey, twipsText(left)},
            {kWidthKey, twipsText(width)},
            {kHeightKey, twipsText(height)}});
}

void WindowPosition::record(const QList<QPair<QString, QString>> &entries)
{
    try {
        m_store.writeEntries(kApp, kPositionSection, entries);
        m_failureLogged = false;
    } catch (const IoError &error) {
        // Only the window's corner is at stake, and it is written on every
        // paint: one line per run of failures.
        if (!m_failureLogged)
            qCWarning(lcSettings) << "cannot record the window position:" << error.what();
        m_failureLogged = true;
    }
}

} // namespace jw
