#include "recordings/live_recorder.h"

#include "recordings/monitor_csv.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace talviro6 {

LiveRecorder::~LiveRecorder()
{
    if (m_file)
        std::fclose(m_file);
}

bool LiveRecorder::fail(const char *what, std::string *error)
{
    const int code = errno;
    if (error)
        *error = std::string(what) + " " + m_path + ": " + std::strerror(code);
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
    return false;
}

bool LiveRecorder::write(const std::string &text, std::string *error)
{
    if (std::fwrite(text.data(), 1, text.size(), m_file) != text.size())
        return fail("cannot write", error);
    return true;
}

bool LiveRecorder::start(const std::string &path, const std::vector<std::string> &comments, std::string *error)
{
    if (m_file)
        std::fclose(m_file);
    m_path = path;
    m_ticks = 0;
    m_lines = 0;
    errno = 0;
    m_file = std::fopen(path.c_str(), "wb");
    if (!m_file)
        return fail("cannot create", error);
    // A second of frames is far below this, so the file only ever grows by whole
    // lines at the flushes: a crash never leaves half a line.
    std::setvbuf(m_file, nullptr, _IOFBF, BufferBytes);
    std::string head = std::string(FirstLine) + '\n';
    for (std::string c : comments) {
        // A line end in a file name would end the comment and start a line of garbage.
        std::replace(c.begin(), c.end(), '\n', ' ');
        std::replace(c.begin(), c.end(), '\r', ' ');
        head += "# " + c + '\n';
    }
    head += monitorCsvHeader();
    head += '\n';
    if (!write(head, error))
        return false;
    if (std::fflush(m_file) != 0)
        return fail("cannot write", error);
    return true;
}

bool LiveRecorder::frame(const MonitorFrame &frame, std::uint16_t tpsMillivolts, std::string *error)
{
    if (!m_file)
        return false;
    const double seconds = m_ticks * (TickMilliseconds / 1000.0);
    if (!write(monitorCsvLine(seconds, frame, tpsMillivolts) + '\n', error))
        return false;
    ++m_lines;
    return true;
}

bool LiveRecorder::tick(std::string *error)
{
    if (!m_file)
        return false;
    ++m_ticks;
    if (m_ticks % FlushTicks == 0 && std::fflush(m_file) != 0)
        return fail("cannot write", error);
    return true;
}

bool LiveRecorder::stop(std::string *error)
{
    if (!m_file)
        return true;
    const bool flushed = std::fflush(m_file) == 0;
    if (!flushed)
        return fail("cannot write", error);
    const int closed = std::fclose(m_file);
    m_file = nullptr;
    if (closed != 0)
        return fail("cannot close", error);
    return true;
}

std::string recordingBadge(std::uint32_t seconds)
{
    char text[32];
    const unsigned h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
    if (h > 0)
        std::snprintf(text, sizeof text, "REC %u:%02u:%02u", h, m, s);
    else
        std::snprintf(text, sizeof text, "REC %02u:%02u", m, s);
    return text;
}

} // namespace talviro6
