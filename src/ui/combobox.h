#pragma once

#include <QComboBox>

namespace jw::ui {

/// A drop-down box with an editable field, unsorted, entries from 0.
///
/// Click is raised only when the user chooses an entry from the list (mouse,
/// arrow keys, wheel) and by chooseIndex(). Typing in the field, Enter
/// included, applies nothing and adds no entry; setListIndex() is silent.
class ComboBox final : public QComboBox {
    Q_OBJECT

public:
    explicit ComboBox(QWidget *parent = nullptr);

    /// Index of the shown entry, -1 when none.
    int ListIndex() const { return currentIndex(); }
    /// Shows entry `index` (-1: none) without raising Click.
    void setListIndex(int index);
    /// Shows entry `index` and raises Click, as a user's choice would.
    /// An index out of range shows nothing and raises nothing.
    void chooseIndex(int index);
    /// The field's text.
    QString Text() const { return currentText(); }

Q_SIGNALS:
    /// The user chose an entry.
    void Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void onActivated(int index);

    bool m_typing = false;
};

} // namespace jw::ui
