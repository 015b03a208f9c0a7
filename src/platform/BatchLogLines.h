#pragma once

// How brivanel-batch writes a line's outcome into Execute.log, below the
// line itself; the program reads a launch's outcome back by these words.
namespace BatchLogLines {

inline constexpr char16_t kOk[] = u"    ok";
inline constexpr char16_t kFailed[] = u"    failed: ";
// The last line a failed program wrote to its error output.
inline constexpr char16_t kLastOutput[] = u"    last output: ";

}  // namespace BatchLogLines
