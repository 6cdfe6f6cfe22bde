#pragma once

#include <QComboBox>

namespace jw::ui {

/// A drop-down box with an editable field, unsorted, entries from 0.
///
/// Click is raised only when the user chooses an entry from the list (mouse,
/// arrow keys, wheel) and by chooseIndex(). Enter in the field adds no entry
/// and raises Entered with the typed text left for the owner to judge;
/// setListIndex() and setText() are silent. The field shows the start of a
/// long name, and the list opens wide enough for its longest entry.
class ComboBox final : public QComboBox {
    Q_OBJECT

public:
    explicit ComboBox(QWidget *parent = nullptr);

    /// Index of the shown entry, -1 when none.
    int ListIndex() const { return currentIndex(); }
    /// Shows entry `index` (-1: none, an empty field) without raising Click.
    void setListIndex(int index);
    /// Shows `text` in the field without an entry, raising nothing.
    void setText(const QString &text);
    /// Shows entry `index` and raises Click, as a user's choice would.
    /// An index out of range shows nothing and raises nothing.
    void chooseIndex(int index);
    /// The field's text.
    QString Text() const { return currentText(); }
    /// Tells the user the typed text was refused: a beep and `why` as a
    /// short note under the box.
    void refuse(const QString &why);

    void showPopup() override;

Q_SIGNALS:
    /// The user chose an entry.
    void Click();
    /// The user pressed Enter in the field.
    void Entered();
    /// The user pressed Esc in the field (with the list closed).
    void Escaped();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void onActivated(int index);
    void showStart();
};

} // namespace jw::ui
