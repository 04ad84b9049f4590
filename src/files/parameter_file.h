#pragma once

#include <functional>
#include <istream>
#include <ostream>

namespace talviro6 {

struct UnitImage;

inline constexpr int ParameterFileVersion = 76;
inline constexpr int OlderFileVersion50 = 50;
inline constexpr int OlderFileVersion60 = 60;

/// What the reader has to tell the tuner; the caller chooses the words and the way
/// (a message box in the window, a line on standard error on the command line).
enum class FileMessage {
    OlderFileVersion,    ///< version 50 or 60: some parameters fall back to defaults
    FileVersionMismatch, ///< a key word with a version the tool does not know
};
using FileMessageSink = std::function<void(FileMessage)>;

/// Writes the parameter file of the image: 57 lines, CRLF line ends, no line end
/// after the last one. The stream should be binary so that CRLF is not doubled.
void writeParameterFile(std::ostream &out, const UnitImage &image);

/// How many values a whole file of the current version holds after its key words.
inline constexpr int ParameterFileValueCount = 223;

/// What a reading found besides the version: whether the file is a parameter file
/// at all, and how much of one it is.
struct ParameterFileReport {
    bool keyFound = false; ///< a KORVALEN_KEY, with whatever version
    /// Of a file with an accepted version: the values of a whole current file it did
    /// not hold (key words missing, cut short by its end or by something not a number).
    int valuesMissing = 0;
};

/// Reads a parameter file over the image and returns the accepted file version
/// (76, 50 or 60), or 0 when the file holds none; then the image is unchanged.
/// Bytes the file does not name keep their values. Never throws on bad input.
int readParameterFile(std::istream &in, UnitImage &image, const FileMessageSink &message,
                      ParameterFileReport *report = nullptr);

} // namespace talviro6
