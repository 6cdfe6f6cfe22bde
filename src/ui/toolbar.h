#pragma once

#include <QToolBar>

#include <vector>

class QAction;
class QToolButton;

namespace jw::ui {

/// A toolbar of two-state buttons numbered from 1 (the format toolbar).
///
/// A user's click flips the button's Value and then raises ButtonClick;
/// setValue() changes it silently.
class TwoStateToolbar final : public QToolBar {
    Q_OBJECT

public:
    explicit TwoStateToolbar(QWidget *parent = nullptr);

    /// Appends a released button; returns its index (1-based).
    int addButton(const QString &key, const QString &toolTip, const QIcon &picture);
    /// Number of buttons.
    int buttonCount() const { return int(m_buttons.size()); }
    /// 1 when button `index` is pressed, 0 when released or out of range.
    int Value(int index) const;
    /// Sets button `index` to pressed (non-zero) or released (0), silently.
    void setValue(int index, int value);
    /// The key given to addButton, empty when out of range.
    QString Key(int index) const;
    /// The action behind button `index` (nullptr when out of range).
    QAction *buttonAction(int index) const;
    /// The tool button showing button `index` (nullptr when out of range).
    QToolButton *buttonWidget(int index) const;

Q_SIGNALS:
    /// The user clicked button `index`; its Value is already flipped.
    void ButtonClick(int index);

private:
    std::vector<QAction *> m_buttons;
};

} // namespace jw::ui
