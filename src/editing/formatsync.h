#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace jw {

/// The size box's entry for a size: the last entry of exactly that many
/// points, or -1 when the list has none (the box then shows sizeText()).
int sizeEntry(const QStringList &entries, double points);

/// A size as the size box writes it: "9", "10.5".
QString sizeText(double points);

/// The size the user typed into the size box ("9", " 10.5", "10,5"), or
/// nullopt when it is not a size a page can hold.
std::optional<double> typedSize(const QString &text);

/// The font box's entry for a typed name: the last entry equal to it, else
/// the last equal without regard to case; -1 when none is.
int typedFontEntry(const QStringList &entries, const QString &typed);

/// The font box's names for the platform's families, in their order: the
/// foundry tag ("Nimbus Sans [urw]") is left out unless another family
/// would then read the same.
QStringList plainFontNames(const QStringList &families);

/// The entry chosen as the start-up font: the last entry equal to
/// "ms sans serif" without regard to case, or -1 when there is none.
int startupFontEntry(const QStringList &entries);

/// The button state for a selection attribute: 1 pressed, 0 released, or
/// `current` when the attribute is mixed.
inline int syncButtonValue(const std::optional<bool> &attribute, int current)
{
    return attribute ? (*attribute ? 1 : 0) : current;
}

} // namespace jw
