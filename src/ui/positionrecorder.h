#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

class QWidget;

namespace jw::ui {

/// Calls `record` after every repaint of `window` (once per burst, after
/// the paint rather than inside it, since it touches a file) and when a move
/// of the shown window comes to rest: a moved window is not always repainted.
class PositionRecorder final : public QObject {
public:
    PositionRecorder(QWidget *window, std::function<void()> record);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    std::function<void()> m_record;
    QTimer m_afterPaint;
    QTimer m_moveSettled;
};

} // namespace jw::ui
