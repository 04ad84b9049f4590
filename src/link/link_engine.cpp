#include "link/link_engine.h"

#include "link/display_writer.h"
#include "link/serial_port.h"
#include "model/fields.h"
#include "model/validate.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <numeric>

namespace talviro6 {

LinkEngine::LinkEngine(SerialPort &port, SettingsIndexes &settings, LinkCallbacks &callbacks)
    : m_port(port), m_settings(settings), m_callbacks(callbacks)
{
    // The tool starts in the no-connection state until the unit answers.
    m_state.SilenceTicks = LostTicks;
}

void LinkEngine::tick()
{
    ReceiveStep();
    lossStep();
    storingStep();
    if (m_state.TransferMode != Transfer::Idle) {
        superviseJob();
    } else {
        pollStep();
        quietStep();
    }
    messageStep();
    watchdogStep();
}

// ---- the serial port --------------------------------------------------------

void LinkEngine::OpenPort()
{
    openPort(false);
}

void LinkEngine::openPort(bool reopening)
{
    const int n = (m_settings.portIndex == AutoPortIndex ? m_settings.scanIndex : m_settings.portIndex) + 1;
    DisplayWriter out(m_display);
    out.set(m_display.LabelCom, n);
    out.text(m_display.LabelComDevice, m_port.deviceName(n));
    // Whatever answers on the port opened now may be another unit.
    m_unitUnfound = true;
    endQuietRead();

    const bool opened = reopening ? m_port.reopen(n) : m_port.open(n);
    m_state.PrintMode = false;
    if (opened)
        return;
    if (m_settings.portIndex == AutoPortIndex) {
        // A number that leads nowhere is left on the next tick, not after 30.
        m_state.ReconnectTicks = 200;
    } else if (!m_state.SilentReopen) {
        // The box names the device and the reason, not only the failure.
        LinkBox box;
        box.kind = MessageBoxKind::ComOpenError;
        box.failure = m_port.openFailure();
        if (box.failure.systemText.empty())
            box.failure.systemText = "COM" + std::to_string(n) + ": cannot be opened";
        m_callbacks.showMessageBox(box);
    }
}

void LinkEngine::ClosePort()
{
    m_port.close();
}

void LinkEngine::choosePort(std::uint8_t portIndex)
{
    m_settings.portIndex = std::min<std::uint8_t>(portIndex, AutoPortIndex);
    ClosePort();
    m_state.SilentReopen = false;
    // The count runs since the last reopening, and the user's choice is one: the
    // chosen port gets its full 30 lost ticks before the watchdog takes it again.
    m_state.ReconnectTicks = 0;
    OpenPort();
}

void LinkEngine::ReceiveStep()
{
    const std::size_t waiting = m_port.bytesWaiting();
    if (waiting < FrameSize)
        return;
    // Everything waiting is taken; only the first frame counts. Dropping the rest
    // is also what brings a line that lost a byte back in step.
    const std::size_t got = m_port.read(std::span<std::uint8_t>(m_rxBuffer.data(), std::min(waiting, RxBufferSize)));
    if (got < FrameSize)
        return;
    ++m_state.receivedFrames;
    // A copy: a handler may show a modal box, during which further ticks reuse m_rxBuffer.
    Frame frame;
    std::memcpy(frame.data(), m_rxBuffer.data(), FrameSize);
    const std::uint32_t acceptedBefore = m_state.acceptedFrames;
    takeFrame(frame);
    if (m_unitUnfound && m_state.acceptedFrames != acceptedBefore) {
        m_unitUnfound = false;
        // Found during a job of the user's, the unit is left to that job.
        if (m_quietEnabled && m_state.TransferMode == Transfer::Idle)
            startQuietRead();
    }
}

void LinkEngine::takeFrame(FrameView frame)
{
    if (frame[0] == code::MonitorFrame) {
        if (!m_unitLiveIgnored)
            HandleMonitorFrame(frame);
    } else
        HandleBlockReply(frame);
}

// ---- the tick's steps 2 ... 4 -------------------------------------------------

void LinkEngine::superviseJob()
{
    const Transfer mode = m_state.TransferMode;
    if (++m_state.SendTicks >= RepeatTicks) {
        m_state.SendTicks = 0;
        if (++m_state.SendCount <= MaxSendings)
            SendBlock();
        else
            failJob();
    }
    if (mode == Transfer::Read)
        m_state.JobSucceeded = false;
}

/// A unit that counts as lost reports nothing any more: a countdown it sent before
/// would otherwise keep "Saving:" on screen for good, and cover a later failure.
void LinkEngine::lossStep()
{
    if (m_state.SilenceTicks < LostTicks || m_state.SavingCountdown == 0)
        return;
    m_state.SavingCountdown = 0;
    if (m_state.TransferMode == Transfer::Idle && m_display.LabelHlaseni.news == TransferNews::Saving) {
        m_state.MessageTicks = 0;
        DisplayWriter out(m_display);
        out.visible(m_display.LabelHlaseni, false);
        out.set(m_display.CGaugeProgram.visible, false);
    }
}

void LinkEngine::storingStep()
{
    if (m_state.storing != Storing::Watching)
        return;
    if (m_state.SilenceTicks >= LostTicks) {
        failStoring(Storing::LinkLost);
        return;
    }
    // Only a frame that came after the programming speaks of its storing; until the
    // first one, the watchdog's silence bounds the wait.
    if (m_state.monitorFrames == m_storingFramesBefore)
        return;
    const int countdown = m_state.SavingCountdown;
    if (countdown == 0) {
        m_state.storing = Storing::Stored;
    } else if (countdown < m_storingLast) {
        m_storingLast = countdown;
        m_storingStillTicks = 0;
    } else if (++m_storingStillTicks >= LostTicks) {
        failStoring(Storing::Stalled);
    }
}

void LinkEngine::failStoring(Storing why)
{
    m_state.storing = why;
    m_state.JobSucceeded = false;
    m_state.SavingCountdown = 0;
    setKnownUnit(std::nullopt);
    showMessage(TransferNews::StoringUnconfirmed, Colour::Red);
    // The second line takes the gauge's place.
    DisplayWriter out(m_display);
    out.set(m_display.CGaugeProgram.maximum, ProgressMaximum);
    out.set(m_display.CGaugeProgram.progress, 0);
    out.set(m_display.CGaugeProgram.visible, false);
}

void LinkEngine::pollStep()
{
    if (++m_state.SendTicks >= PollTicks) {
        m_state.SendTicks = 0;
        SendPoll();
    }
    DisplayWriter out(m_display);
    // A countdown from before the programming says nothing of its storing: the
    // verify's own message stays until the unit's next live frame.
    if (m_state.storing == Storing::Watching && m_state.monitorFrames == m_storingFramesBefore)
        return;
    // The red failure of an unconfirmed storing keeps its time, even when the unit,
    // back again, reports a countdown.
    const bool storingFailed = m_state.storing == Storing::LinkLost || m_state.storing == Storing::Stalled;
    if (storingFailed && m_state.MessageTicks > 0)
        return;
    if (m_state.SavingCountdown > 0) {
        retell(TransferNews::Saving);
        out.colour(m_display.LabelHlaseni, Colour::Face);
        m_state.MessageTicks = MessageShowTicks;
        out.set(m_display.CGaugeProgram.maximum, 100);
        const int progress = 100 * (SavingStart - static_cast<int>(m_state.SavingCountdown)) / SavingStart;
        out.set(m_display.CGaugeProgram.progress, std::clamp(progress, 0, 100));
    } else {
        out.set(m_display.CGaugeProgram.maximum, ProgressMaximum);
        if (m_state.JobSucceeded && m_state.storing == Storing::Stored) {
            retell(TransferNews::ProgramStored);
            out.set(m_display.CGaugeProgram.progress, m_display.CGaugeProgram.maximum);
        }
    }
}

void LinkEngine::messageStep()
{
    DisplayWriter out(m_display);
    if (m_state.MessageTicks > 0) {
        --m_state.MessageTicks;
        out.visible(m_display.LabelHlaseni, !m_state.PrintMode);
    } else {
        out.visible(m_display.LabelHlaseni, false);
        out.set(m_display.CGaugeProgram.visible, false);
        m_state.JobSucceeded = false;
    }
}

void LinkEngine::watchdogStep()
{
    DisplayWriter out(m_display);
    if (m_state.SilenceTicks < LostTicks) {
        ++m_state.SilenceTicks;
        out.set(m_display.LabelSpojeni, false);
        return;
    }
    out.set(m_display.LabelSpojeni, !m_state.PrintMode);
    if (++m_state.ReconnectTicks >= ReopenTicks) {
        m_state.ReconnectTicks = 0;
        m_state.SilentReopen = true;
        m_settings.scanIndex = m_settings.scanIndex >= LastScanIndex ? 0 : m_settings.scanIndex + 1;
        // Closed and opened in one step: the device is not let go in between, where
        // another program (a command-line job) could take the unit.
        openPort(true);
    }
}

// ---- block transfer ---------------------------------------------------------

void LinkEngine::SendBlock()
{
    m_state.SendTicks = 0;
    m_state.BlockIndex = m_state.RequestByte & code::BlockMask;
    Frame frame{};
    frame[0] = m_state.RequestByte;
    const int b = m_state.BlockIndex;
    if (m_state.TransferMode != Transfer::Read && b >= 1 && b <= ParameterBlocks) {
        const auto block = referenceBlock(b);
        std::copy(block.begin(), block.end(), frame.begin() + 1);
    }
    seal(frame);
    m_port.writeAndDrain(frame);
}

void LinkEngine::SendPoll()
{
    static constexpr Frame Poll = makeFrame(code::Poll);
    m_port.writeAndDrain(Poll);
}

void LinkEngine::showMessage(TransferNews news, Colour colour, Transfer job)
{
    DisplayWriter out(m_display);
    TransferLine &line = m_display.LabelHlaseni;
    out.set(line.news, news);
    out.set(line.job, job);
    out.set(line.corrected, news == TransferNews::ReadCorrected ? int(m_state.correctedValues) : 0);
    out.set(line.worded, line.worded + 1);
    out.colour(line, colour);
    out.visible(m_display.LabelHlaseni, true);
    m_state.MessageTicks = MessageShowTicks;
}

void LinkEngine::retell(TransferNews news)
{
    TransferLine &line = m_display.LabelHlaseni;
    if (line.news == news)
        return;
    DisplayWriter out(m_display);
    out.set(line.news, news);
    out.set(line.worded, line.worded + 1);
}

void LinkEngine::showNotice(std::string_view text, Colour colour)
{
    DisplayWriter(m_display).text(m_display.LabelHlaseni.notice, text);
    showMessage(TransferNews::Notice, colour);
    DisplayWriter(m_display).set(m_display.CGaugeProgram.visible, false);
}

void LinkEngine::setMessageColour(Colour colour)
{
    DisplayWriter(m_display).set(m_display.LabelHlaseni.colour, colour);
}

void LinkEngine::startJob(Transfer mode, std::uint8_t request)
{
    m_abandonedAnswer.reset();
    if (m_quiet.waiting)
        m_abandonedAnswer = static_cast<std::uint8_t>(m_quiet.request ^ code::AnswerBit);
    endQuietRead(); // the user's job has the line
    m_state.TransferMode = mode;
    m_state.RequestByte = request;
    m_state.SendCount = 0;
    // A success left over from an earlier job must not relabel this one: the idle
    // tick would otherwise turn this job's failure text into "... : OK".
    m_state.JobSucceeded = false;
    m_state.lastJobEnd = JobEnd::Running;
    m_state.lastJobKind = mode;
    m_state.storing = Storing::None; // a new job replaces the watch over an earlier one
    m_state.correctedValues = 0;
    m_verifyAgainstRead = false;
    showMessage(TransferNews::JobStarted, Colour::Face, mode);
    DisplayWriter out(m_display);
    out.set(m_display.CGaugeProgram.maximum, ProgressMaximum);
    out.set(m_display.CGaugeProgram.progress, 0);
    out.set(m_display.CGaugeProgram.visible, true);
}

void LinkEngine::StartProgramJob(const ParameterArea &area)
{
    m_jobStage = area;
    startJob(Transfer::Program, code::ProgramHeader);
}

void LinkEngine::StartVerifyJob(const ParameterArea &area)
{
    m_jobStage = area;
    startJob(Transfer::Verify, code::VerifyFirst);
}

void LinkEngine::StartReadJob()
{
    startJob(Transfer::Read, code::ReadHeader);
}

int takeReadInto(UnitImage &image, const ParameterArea &received)
{
    image.parameters = received;
    validate(image);
    return static_cast<int>(std::inner_product(received.begin(), received.end(), image.parameters.begin(), 0,
                                               std::plus<>(), std::not_equal_to<>()));
}

void LinkEngine::setKnownUnit(std::optional<ParameterArea> area)
{
    m_knownUnit = area;
    m_knownFromQuiet = false;
    ++m_knownUnitRevision;
}

// ---- the quiet read -----------------------------------------------------------

void LinkEngine::setQuietReadEnabled(bool on)
{
    m_quietEnabled = on;
    if (!on)
        endQuietRead();
}

void LinkEngine::startQuietRead()
{
    m_quiet = QuietRead{};
    m_quiet.running = true;
    m_quiet.request = code::ReadHeader;
}

void LinkEngine::quietStep()
{
    if (!m_quiet.running)
        return;
    if (m_quiet.waiting) {
        if (++m_quiet.waitTicks < RepeatTicks)
            return;
        if (m_quiet.sendings >= MaxSendings) {
            endQuietRead(); // given up without a word: knownUnitArea stays as it was
            return;
        }
    }
    // The poll's tick and the one before it belong to the live data: were a block's
    // answer and the live frame both on their way, only the first to arrive would
    // count, and a live frame would be lost.
    if (m_state.SendTicks < 1 || m_state.SendTicks > PollTicks - 2)
        return;
    sendQuietRequest();
}

void LinkEngine::sendQuietRequest()
{
    Frame frame{};
    frame[0] = m_quiet.request;
    if (m_quiet.verifying) {
        const int b = m_quiet.request & code::BlockMask;
        std::copy_n(m_quiet.stage.begin() + (b - 1) * BlockSize, BlockSize, frame.begin() + 1);
    }
    seal(frame);
    m_port.writeAndDrain(frame);
    m_quiet.waiting = true;
    m_quiet.waitTicks = 0;
    ++m_quiet.sendings;
}

bool LinkEngine::takeQuietReply(FrameView frame)
{
    if (!m_quiet.running || !m_quiet.waiting || frame[0] != (m_quiet.request ^ code::AnswerBit))
        return false;
    m_state.SilenceTicks = 0;
    ++m_state.acceptedFrames;
    const int b = m_quiet.request & code::BlockMask;
    const auto data = frameData(frame);
    const auto staged = [&] { return m_quiet.stage.begin() + (b - 1) * BlockSize; };
    if (b == 0) {
        if (data[header::ProtocolVersion] != ProtocolVersion) {
            // Another firmware: its area means something else. The user's own read says so.
            endQuietRead();
            return true;
        }
    } else if (!m_quiet.verifying) {
        std::copy(data.begin(), data.end(), staged());
    } else if (!std::equal(data.begin(), data.end(), staged())) {
        return true; // asked again when the repeat is due, as a read's verify does
    }
    if (b == ParameterBlocks && m_quiet.verifying) {
        const ParameterArea read = m_quiet.stage;
        endQuietRead();
        setKnownUnit(read);
        m_knownFromQuiet = true;
        return true;
    }
    if (b == ParameterBlocks) {
        m_quiet.verifying = true;
        m_quiet.request = code::VerifyFirst;
    } else {
        ++m_quiet.request;
    }
    m_quiet.waiting = false;
    m_quiet.sendings = 0;
    return true;
}

void LinkEngine::failJob()
{
    // A failed read wrote nothing; after any other failure the unit may hold
    // something other than what it held before.
    if (m_state.TransferMode != Transfer::Read)
        setKnownUnit(std::nullopt);
    showMessage(TransferNews::JobFailed, Colour::Red, m_state.TransferMode);
    // A gauge left full by the blocks already sent would contradict the red text.
    DisplayWriter(m_display).set(m_display.CGaugeProgram.progress, 0);
    m_state.TransferMode = Transfer::Idle;
    // Cleared for every kind of job, not only a verify: the idle tick would write
    // ": OK" over a failed program job's red text.
    m_state.JobSucceeded = false;
    m_state.lastJobEnd = JobEnd::Failed;
}

std::span<const std::uint8_t> LinkEngine::referenceBlock(int block) const
{
    if (m_verifyAgainstRead)
        return std::span<const std::uint8_t>(m_readStage)
            .subspan(static_cast<std::size_t>(block - 1) * BlockSize, BlockSize);
    return std::span<const std::uint8_t>(m_jobStage)
        .subspan(static_cast<std::size_t>(block - 1) * BlockSize, BlockSize);
}

bool LinkEngine::matchesReference(FrameView frame) const
{
    const auto data = frameData(frame);
    const auto block = referenceBlock(m_state.BlockIndex);
    return std::equal(data.begin(), data.end(), block.begin());
}

void LinkEngine::showHeader()
{
    m_header = DecodeUnitHeader(m_unitHeader);
    DisplayWriter out(m_display);
    out.text(m_display.LabelVerze1, m_header.UnitNameText);
    out.text(m_display.LabelVerze2, m_header.UnitDateText);
    out.text(m_display.LabelVerze3, m_header.UnitTimeText);
}

void LinkEngine::advanceJob()
{
    if (m_state.BlockIndex < ParameterBlocks) {
        DisplayWriter(m_display).set(m_display.CGaugeProgram.progress, m_display.CGaugeProgram.progress + 1);
        ++m_state.RequestByte;
        m_state.SendCount = 1;
        SendBlock();
        return;
    }
    if (m_state.TransferMode == Transfer::Program)
        m_state.JobSucceeded = true;
    enterVerifyPhase();
}

void LinkEngine::enterVerifyPhase()
{
    m_state.TransferMode = Transfer::Verify;
    m_state.RequestByte = code::VerifyFirst;
    m_state.SendCount = 1;
    SendBlock();
    showMessage(TransferNews::VerifyPhase, Colour::Face);
    DisplayWriter(m_display).set(m_display.CGaugeProgram.progress, 0);
}

void LinkEngine::storeRead()
{
    m_state.correctedValues = static_cast<std::uint16_t>(m_callbacks.readFinished(m_readStage));
}

void LinkEngine::versionMismatch()
{
    setKnownUnit(std::nullopt); // another unit, or another firmware
    // The job state is final before the box: ticks run while it is open.
    m_state.TransferMode = Transfer::Idle;
    m_state.JobSucceeded = false;
    m_state.lastJobEnd = JobEnd::VersionMismatch;
    LinkBox box;
    box.kind = MessageBoxKind::VersionMismatch;
    box.pcVersion = ProtocolVersion;
    box.unitVersion = m_unitHeader[header::ProtocolVersion];
    m_callbacks.showMessageBox(box);
    m_state.TransferMode = Transfer::Idle;
    m_state.MessageTicks = 0;
}

void LinkEngine::HandleBlockReply(FrameView frame)
{
    if (!hasMatchingCheckByte(frame))
        return;
    if (takeQuietReply(frame))
        return;
    m_state.BlockIndex = m_state.RequestByte & code::BlockMask;
    if (m_state.BlockIndex > ParameterBlocks)
        return;
    // A late answer to an earlier request, or nothing of ours.
    if (frame[0] != (m_state.RequestByte ^ code::AnswerBit))
        return;
    if (m_state.TransferMode == Transfer::Idle)
        return;
    // Before its first sending a job has asked nothing: this answers the quiet read's
    // request given up when the job started, which may carry the same code.
    if (m_state.SendCount == 0 && m_abandonedAnswer == frame[0]) {
        m_abandonedAnswer.reset();
        return;
    }
    m_state.SilenceTicks = 0;
    ++m_state.acceptedFrames;

    const int b = m_state.BlockIndex;
    const auto data = frameData(frame);
    switch (m_state.TransferMode) {
    case Transfer::Program:
        if (b == 0) {
            std::copy(data.begin(), data.end(), m_unitHeader.begin());
            showHeader();
            if (m_unitHeader[header::ProtocolVersion] != ProtocolVersion) {
                versionMismatch();
                return;
            }
        } else if (!matchesReference(frame)) {
            return; // written again by the tick's repeat
        }
        advanceJob();
        return;

    case Transfer::Verify:
        if (b == 0 || !matchesReference(frame))
            return;
        std::copy(data.begin(), data.end(), m_verifiedStage.begin() + (b - 1) * BlockSize);
        if (b < ParameterBlocks) {
            advanceJob();
            return;
        }
        if (m_verifyAgainstRead)
            storeRead();
        {
            DisplayWriter out(m_display);
            out.set(m_display.CGaugeProgram.progress, m_display.CGaugeProgram.maximum);
            if (m_verifyAgainstRead && m_state.correctedValues > 0) {
                // The transfer was sound, but the editor now holds other values than the unit.
                showMessage(TransferNews::ReadCorrected, Colour::Yellow);
            } else {
                showMessage(TransferNews::Verified, Colour::Face);
            }
        }
        m_state.TransferMode = Transfer::Idle;
        m_state.lastJobEnd = JobEnd::Verified;
        if (m_state.JobSucceeded) {
            m_state.storing = Storing::Watching;
            m_storingFramesBefore = m_state.monitorFrames;
            m_storingLast = SavingStart + 1;
            m_storingStillTicks = 0;
        }
        setKnownUnit(m_verifiedStage);
        return;

    case Transfer::Read:
        if (b == 0) {
            std::copy(data.begin(), data.end(), m_unitHeader.begin());
            showHeader();
            if (m_unitHeader[header::ProtocolVersion] != ProtocolVersion) {
                m_state.TransferMode = Transfer::Idle;
                versionMismatch();
                return;
            }
            advanceJob();
            return;
        }
        std::copy(data.begin(), data.end(), m_readStage.begin() + (b - 1) * BlockSize);
        if (b == ParameterBlocks)
            m_verifyAgainstRead = true;
        advanceJob();
        return;

    case Transfer::Idle:
        return;
    }
}

// ---- the live monitor -------------------------------------------------------

void LinkEngine::HandleMonitorFrame(FrameView frame)
{
    const std::optional<MonitorFrame> decoded = decodeMonitorFrame(frame);
    if (!decoded)
        return;
    const MonitorFrame &m = *decoded;
    m_state.SilenceTicks = 0;
    m_state.SavingCountdown = m.savingCountdown;
    ++m_state.acceptedFrames;
    ++m_state.monitorFrames;
    m_lastMonitor = m;
    m_callbacks.liveFrame(m);
}

} // namespace talviro6
