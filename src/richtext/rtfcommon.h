#pragma once

namespace jw::rtf::detail {

/// Largest font size word processors accept, in half points (1638 pt).
inline constexpr int kMaxHalfPoints = 3276;
/// Size of text that names none, in half points (12 pt).
inline constexpr int kDefaultHalfPoints = 24;

/// The size reader and writer agree on: nonsense sizes (zero, negative)
/// mean the default, huge ones are capped so no view tries to draw them.
constexpr int normalizedHalfPoints(long long halfPoints)
{
    if (halfPoints <= 0)
        return kDefaultHalfPoints;
    return halfPoints > kMaxHalfPoints ? kMaxHalfPoints : static_cast<int>(halfPoints);
}

} // namespace jw::rtf::detail
