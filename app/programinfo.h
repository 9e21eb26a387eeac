#pragma once

// Facts about the program shown in its windows and messages.

namespace ProgramInfo {

inline constexpr char Title[] = "Conway's Game of Life";
inline constexpr char Version[] = GOL_VERSION;
inline constexpr char Makers[] = "Zoverkamp";
// A public page about the game, where its community also answers questions.
inline constexpr char WebSite[] = "https://conwaylife.com/";
inline constexpr char LicenseName[] = "MIT-licentie";
inline constexpr char LicenseUrl[] = "https://opensource.org/license/mit";

} // namespace ProgramInfo
