#pragma once

namespace skyvane {

// The product's identity, in one place: window title, about box, splash, report footers and the
// Help menu's web site item all read it from here.
inline constexpr char kProductTitle[] = "quor's Skyvane";
inline constexpr char kProductVersion[] = "0.5";
inline constexpr char kProductWebAddress[] = "https://www.skyvane.org";

} // namespace skyvane
