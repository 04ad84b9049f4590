#pragma once

#include "link/display_state.h"
#include "link/frame.h"
#include "link/monitor_frame.h"
#include "link/unit_header.h"
#include "model/unit_image.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace talviro6 {

class SerialPort;
struct SettingsIndexes;

/// The editor's steps that the link cannot do itself. Tests pass a double that records.
class LinkCallbacks {
  public:
    virtual ~LinkCallbacks() = default;
    /// A read's three blocks, received and verified, for the editor to take
    /// (validated, shown). Returns the values it holds otherwise than the unit.
    virtual int readFinished(const ParameterArea &received) = 0;
    /// A modal box with OK. The window keeps the tick running while it is open, so
    /// tick() may be called from inside this call; the engine is ready for that.
    /// The caller words the box in its language.
    virtual void showMessageBox(const LinkBox &box) = 0;
    /// A live frame the link accepted, the unit's or a replay's, for whoever shows
    /// live data; called at once, before the tick goes on.
    virtual void liveFrame(const MonitorFrame &) {}
};

/// For a caller whose editor is a plain image: `received` into `image`, validated;
/// the values validation changed.
int takeReadInto(UnitImage &image, const ParameterArea &received);

/// How the last job ended; for callers that wait for a job (the command line).
enum class JobEnd : std::uint8_t { None, Running, Verified, Failed, VersionMismatch };

/// A verified programming is finished only once the unit has stored what it was
/// sent: unplugged before that, it may hold none of it. The live frames that follow
/// the programming tell how far the unit's saving countdown has got.
enum class Storing : std::uint8_t {
    None,     ///< no programming waits for its storing
    Watching, ///< programmed and verified; the unit's countdown has not reached 0 yet
    Stored,   ///< a live frame after the programming reported the countdown at 0
    LinkLost, ///< the unit stopped answering before it reported the end of storing
    Stalled,  ///< the unit answered, but its countdown stopped moving
};

/// The counters of the link. Names are those used across the
/// window, the settings and the tests.
struct LinkState {
    Transfer TransferMode = Transfer::Idle;
    std::uint8_t SendTicks = 0;    ///< ticks since the last frame was sent
    std::uint8_t SendCount = 0;    ///< sendings of the current block
    std::uint8_t MessageTicks = 0; ///< ticks LabelHlaseni stays shown
    bool JobSucceeded = false;     ///< a programming job passed its verification
    std::uint16_t SavingCountdown = 0;
    std::uint8_t SilenceTicks = 0; ///< ticks since the last accepted frame, up to 18
    std::uint8_t ReconnectTicks = 0;
    bool SilentReopen = false; ///< the watchdog reopened the port: no message box
    bool PrintMode = false;    ///< the window is being printed: banners hidden
    std::uint8_t RequestByte = 0;
    std::uint8_t BlockIndex = 0;

    JobEnd lastJobEnd = JobEnd::None;
    Transfer lastJobKind = Transfer::Idle; ///< the job as started (program runs on into verify)
    Storing storing = Storing::None;
    std::uint32_t receivedFrames = 0; ///< every whole frame taken in, valid or not
    std::uint32_t acceptedFrames = 0; ///< every frame that counted as a sign of life
    /// Parameter bytes that validation changed after the last read: the editor then
    /// holds other values than the unit, and the tuner is told how many.
    std::uint16_t correctedValues = 0;
    std::uint32_t monitorFrames = 0; ///< accepted live frames
};

/// The unit link: the tick, the serial port's open/receive/send, block transfer and
/// the live frames' acceptance. Driven only by tick() every 55 ms and by the job
/// starters; it never waits and never owns the port, and what it is to send it is
/// handed at the start of each job. It reports what happened, never words: the
/// window and the command line word its display in their language.
class LinkEngine {
  public:
    static constexpr int RepeatTicks = 4;  ///< a job block unanswered this long is sent again
    static constexpr int MaxSendings = 5;  ///< a block sent this often without answer ends the job
    static constexpr int PollTicks = 6;    ///< idle ticks between polls (330 ms)
    static constexpr int LostTicks = 18;   ///< silent ticks after which the unit counts as lost
    static constexpr int ReopenTicks = 30; ///< ticks between reopenings while lost (1.65 s)
    static constexpr int MessageShowTicks = 200;
    static constexpr int ProgressMaximum = 3;
    static constexpr int SavingStart = 600; ///< SavingCountdown when the unit starts storing
    static constexpr std::uint8_t AutoPortIndex = 20;
    static constexpr std::uint8_t LastScanIndex = 20; ///< COM21
    static constexpr std::size_t RxBufferSize = 10000;

    /// All references must outlive the engine. `settings` holds PortIndex and ScanIndex.
    LinkEngine(SerialPort &port, SettingsIndexes &settings, LinkCallbacks &callbacks);

    /// Timer1Timer: receive, supervise or poll, message, watchdog.
    void tick();

    /// Opens port PortIndex + 1, or ScanIndex + 1 with "Com Auto".
    void OpenPort();
    void ClosePort();
    /// MenuCom1Click: the user picked entry `portIndex` (0 ... 20) of the port menu.
    void choosePort(std::uint8_t portIndex);

    /// Program (then verify) or verify `area`, kept as it is when the job starts: an
    /// edit made while the job runs is the next job's. The caller has validated it.
    void StartProgramJob(const ParameterArea &area);
    void StartVerifyJob(const ParameterArea &area);
    /// The window empties LabelFile2 itself when it starts a read.
    void StartReadJob();

    /// When on, the unit's parameter area is read quietly into knownUnitArea once the
    /// unit is found: at its first answer after start-up and after every opening of
    /// the port. Nothing of it shows: no message, no gauge, no job state, no box, and
    /// the editor is not touched. Every job started gives it up at once. Off unless
    /// switched on: the command line reads when it is told to.
    void setQuietReadEnabled(bool on);
    bool quietReadEnabled() const { return m_quietEnabled; }
    bool quietReadRunning() const { return m_quiet.running; }
    /// knownUnitArea came from a quiet read, not from a job of the user's.
    bool knownUnitFromQuietRead() const { return m_knownFromQuiet; }

    void setPrintMode(bool on) { m_state.PrintMode = on; }

    /// A message of the window's own in the transfer line (the print stamp): shown,
    /// in `colour`, for as long as a transfer message, without the gauge.
    void showNotice(std::string_view text, Colour colour);
    /// Recolours the transfer line's message, leaving its text and time.
    void setMessageColour(Colour colour);

    const LinkState &state() const { return m_state; }
    /// The header block the unit last sent, as it came.
    const UnitHeader &unitHeader() const { return m_unitHeader; }
    /// The window paints the transfer line, the banner and the unit's texts from here.
    DisplayState &display() { return m_display; }
    const DisplayState &display() const { return m_display; }
    const UnitHeaderTexts &unitHeaderTexts() const { return m_header; }
    /// The unit's parameter area as its last verify saw it (a job's or a quiet
    /// read's), block by block as the unit answered; empty before the first verified
    /// job or quiet read, and after a job that may have left the unit holding
    /// something else (a failed programming or verify, another protocol version).
    const std::optional<ParameterArea> &knownUnitArea() const { return m_knownUnit; }
    /// Grows whenever knownUnitArea changes.
    std::uint32_t knownUnitRevision() const { return m_knownUnitRevision; }
    const MonitorFrame &lastMonitorFrame() const { return m_lastMonitor; }
    /// While a replay feeds the live display, the unit's own live frames are taken off
    /// the line and dropped, so that the two never mix; block replies count as ever.
    void setUnitLiveFramesIgnored(bool on) { m_unitLiveIgnored = on; }

    /// A whole frame as the receive step takes it off the line: a live frame (unless
    /// a replay feeds the display) or a block reply.
    void takeFrame(FrameView frame);
    /// A live frame, from the line or from a replay: a sign of life, the saving
    /// countdown, and the frame handed on through LinkCallbacks::liveFrame.
    void HandleMonitorFrame(FrameView frame);

  private:
    void HandleBlockReply(FrameView frame);
    void openPort(bool reopening);
    void ReceiveStep();
    void superviseJob();
    void lossStep();
    void storingStep();
    void failStoring(Storing why);
    void pollStep();
    void messageStep();
    void watchdogStep();

    void SendBlock();
    void SendPoll();
    void startJob(Transfer mode, std::uint8_t request);
    void advanceJob();
    void enterVerifyPhase();
    /// The verified read handed to the editor, and the corrections it made counted.
    void storeRead();
    void failJob();
    void versionMismatch();
    bool matchesReference(FrameView frame) const;
    std::span<const std::uint8_t> referenceBlock(int block) const;
    void showHeader();
    /// Puts up a new message, worded by the window as it arrives.
    /// The line tells `news` from now on, worded anew, in the job, colour and time it
    /// has; nothing changes when it tells that already (the storing step asks each tick).
    void retell(TransferNews news);
    void showMessage(TransferNews news, Colour colour, Transfer job = Transfer::Idle);
    void setKnownUnit(std::optional<ParameterArea> area);

    void startQuietRead();
    void quietStep();
    void sendQuietRequest();
    /// Takes the frame when it answers the quiet read's request; false when it is not one.
    bool takeQuietReply(FrameView frame);
    void endQuietRead() { m_quiet = QuietRead{}; }

    SerialPort &m_port;
    SettingsIndexes &m_settings;
    LinkCallbacks &m_callbacks;

    LinkState m_state;
    DisplayState m_display;
    UnitHeaderTexts m_header;
    MonitorFrame m_lastMonitor;
    bool m_unitLiveIgnored = false;
    /// A read job collects blocks 1 ... 3 here and puts them into the image only when
    /// its verify has confirmed all three, so a read that fails leaves the editor as
    /// it was: no mixture of blocks, and no block taken from a frame read out of step
    /// (the XOR check byte cannot tell one; the verify can).
    ParameterArea m_readStage{};
    /// What a program or verify job sends and compares.
    ParameterArea m_jobStage{};
    UnitHeader m_unitHeader{}; ///< the header block last received
    /// The verify that follows a read compares the unit with the bytes it sent, not
    /// with the validated image: validation may change a foreign unit's values by
    /// design, and that is not a transfer error.
    bool m_verifyAgainstRead = false;
    /// The blocks a running verify has seen match, as the unit sent them.
    ParameterArea m_verifiedStage{};
    /// The watch over a verified programming's storing: the live frames counted when
    /// it began, the countdown last seen falling, and the ticks since it last fell.
    std::uint32_t m_storingFramesBefore = 0;
    int m_storingLast = SavingStart + 1;
    int m_storingStillTicks = 0;
    std::optional<ParameterArea> m_knownUnit;
    std::uint32_t m_knownUnitRevision = 0;
    bool m_knownFromQuiet = false;

    /// The quiet read: the read's request sequence (header, blocks 1 ... 3, their
    /// verify), one request out at a time, sent only between polls.
    struct QuietRead {
        bool running = false;
        bool waiting = false;   ///< a request is out and unanswered
        bool verifying = false; ///< blocks 1 ... 3 sent back and compared
        std::uint8_t request = 0;
        std::uint8_t waitTicks = 0; ///< ticks since the request went out
        std::uint8_t sendings = 0;  ///< sendings of the current request
        ParameterArea stage{};
    };
    QuietRead m_quiet;
    /// The answer code of the quiet read's request that was out when a job took over.
    std::optional<std::uint8_t> m_abandonedAnswer;
    bool m_quietEnabled = false;
    /// No answer since start-up or since the port was last opened: the next valid
    /// answer finds the unit.
    bool m_unitUnfound = true;
    std::array<std::uint8_t, RxBufferSize> m_rxBuffer{};
};

} // namespace talviro6
