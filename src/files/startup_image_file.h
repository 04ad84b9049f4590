#pragma once

#include <istream>
#include <ostream>
#include <string_view>

namespace talviro6 {

struct UnitImage;

/// The parameter area as 300 numbers: "%5u " each, a line end after every 10th
/// and one more after every 100th, CRLF. The stream should be binary.
void writeStartupImage(std::ostream &out, const UnitImage &image);

/// Reads up to 300 numbers into bytes 0, 1, 2 ... (each modulo 256) and stops at
/// the end of the stream or at the first token that is not a number; the bytes
/// after the last number keep their values. Returns how many bytes were set.
int readStartupImage(std::istream &in, UnitImage &image);
/// The same from a file's whole content, read already.
int readStartupImage(std::string_view content, UnitImage &image);

} // namespace talviro6
