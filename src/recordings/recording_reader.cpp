#include "recordings/recording_reader.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>
#include <utility>

namespace talviro6 {
namespace {

static_assert(sizeof(PackedFrame) == 32);

/// The on/off values of a frame, in the order of a line's columns.
constexpr std::array<bool MonitorFrame::*, 16> Flags{
    &MonitorFrame::killSwitch, &MonitorFrame::retard,         &MonitorFrame::startLimiter,   &MonitorFrame::clutch,
    &MonitorFrame::motorOff,   &MonitorFrame::input1Grounded, &MonitorFrame::input2Grounded, &MonitorFrame::pickup1,
    &MonitorFrame::pickup2,    &MonitorFrame::powerOut1,      &MonitorFrame::powerOut2,      &MonitorFrame::powerOut3,
    &MonitorFrame::speedRed,   &MonitorFrame::speedYellow,    &MonitorFrame::servoOk,        &MonitorFrame::dataError,
};

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

} // namespace

PackedFrame packFrame(const RecordedFrame &recorded)
{
    const MonitorFrame &m = recorded.frame;
    PackedFrame p;
    p.milliseconds = recorded.milliseconds;
    p.engineSpeed = m.engineSpeed;
    p.tpsCounts = m.tpsCounts;
    p.supplyMillivolts = m.supplyMillivolts;
    p.servoMeasured = m.servoMeasured;
    p.servoDesired = m.servoDesired;
    p.programCount = m.programCount;
    p.savingCountdown = m.savingCountdown;
    p.maxAdvance = m.maxAdvance[0];
    for (std::size_t i = 0; i < Flags.size(); ++i)
        p.flags = static_cast<std::uint16_t>(p.flags | (m.*Flags[i] ? 1u << i : 0u));
    p.advance = m.advance;
    p.tpsPercent = m.tpsPercent;
    p.protocolVersion = m.protocolVersion;
    return p;
}

MonitorFrame unpackFrame(const PackedFrame &p)
{
    MonitorFrame m;
    m.engineSpeed = p.engineSpeed;
    m.tpsCounts = p.tpsCounts;
    m.supplyMillivolts = p.supplyMillivolts;
    m.servoMeasured = p.servoMeasured;
    m.servoDesired = p.servoDesired;
    m.programCount = p.programCount;
    m.savingCountdown = p.savingCountdown;
    m.maxAdvance = {p.maxAdvance, p.maxAdvance};
    for (std::size_t i = 0; i < Flags.size(); ++i)
        m.*Flags[i] = (p.flags >> i & 1u) != 0;
    m.advance = p.advance;
    m.tpsPercent = p.tpsPercent;
    m.protocolVersion = p.protocolVersion;
    return m;
}

MonitorCsvReader::MonitorCsvReader(FrameSink frames, CommentSink comments)
    : m_frames(std::move(frames)), m_commentSink(std::move(comments))
{
}

void MonitorCsvReader::feed(std::string_view bytes)
{
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, end);
        if (end == std::string_view::npos) {
            // The line goes on in the next piece; what runs past the limit is not kept.
            const std::size_t room = MaxLineBytes - m_partial.size();
            m_cut = m_cut || piece.size() > room;
            m_partial.append(piece.substr(0, room));
            return;
        }
        bytes.remove_prefix(end + 1);
        if (m_partial.empty() && !m_cut) {
            line(piece.substr(0, MaxLineBytes), piece.size() > MaxLineBytes);
            continue;
        }
        const std::size_t room = MaxLineBytes - m_partial.size();
        const bool cut = m_cut || piece.size() > room;
        m_partial.append(piece.substr(0, room));
        line(m_partial, cut);
        m_partial.clear();
        m_cut = false;
    }
}

void MonitorCsvReader::finish()
{
    if (m_partial.empty() && !m_cut)
        return;
    line(m_partial, m_cut);
    m_partial.clear();
    m_cut = false;
}

void MonitorCsvReader::line(std::string_view raw, bool cut)
{
    ++m_lineNumber;
    const std::string_view text = trimmed(raw);
    if (text.empty() && !cut)
        return;
    if (!text.empty() && text.front() == '#') {
        ++m_comments;
        if (m_commentSink) {
            std::string_view comment = text.substr(1);
            if (!comment.empty() && comment.front() == ' ')
                comment.remove_prefix(1);
            m_commentSink(comment);
        }
        return;
    }
    if (!cut && text.starts_with("time_s,"))
        return;
    RecordedFrame r;
    if (!cut && parseMonitorCsvLine(text, r)) {
        m_frames(r);
        return;
    }
    if (m_skipped == 0)
        m_firstSkipped = m_lineNumber;
    ++m_skipped;
}

MonitorCsv parseMonitorCsv(std::string_view text)
{
    MonitorCsv csv;
    MonitorCsvReader reader([&csv](const RecordedFrame &r) { csv.frames.push_back(r); },
                            [&csv](std::string_view comment) { csv.comments.emplace_back(comment); });
    reader.feed(text);
    reader.finish();
    csv.skippedLines = reader.skippedLines();
    csv.firstSkippedLine = reader.firstSkippedLine();
    return csv;
}

RecordingRead readRecording(const std::filesystem::path &path)
{
    RecordingRead read;
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (ec) {
        read.problem = RecordingProblem::CannotOpen;
        read.reason = ec.message();
        return read;
    }
    // Opening a pipe waits for a writer, and a device may never end: only a file is read.
    if (status.type() != std::filesystem::file_type::regular) {
        read.problem = RecordingProblem::NotARegularFile;
        return read;
    }
    const std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path.string().c_str(), "rb"), &std::fclose);
    if (!file) {
        read.problem = RecordingProblem::CannotOpen;
        read.reason = std::generic_category().message(errno);
        return read;
    }
    Recording &recording = read.recording;
    MonitorCsvReader reader([&recording](const RecordedFrame &r) { recording.frames.push_back(packFrame(r)); });
    std::array<char, 64 * 1024> buffer;
    for (;;) {
        const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), file.get());
        reader.feed(std::string_view(buffer.data(), n));
        if (n < buffer.size())
            break;
    }
    if (std::ferror(file.get())) {
        const int error = errno;
        read = RecordingRead{};
        read.problem = RecordingProblem::CannotRead;
        read.reason = std::generic_category().message(error);
        return read;
    }
    reader.finish();
    recording.comments = reader.comments();
    recording.skippedLines = reader.skippedLines();
    recording.firstSkippedLine = reader.firstSkippedLine();
    return read;
}

} // namespace talviro6
