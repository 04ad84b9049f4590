#pragma once

#include "link/port_open_failure.h"

#include <cstdint>
#include <string>

namespace talviro6 {

/// Status colours of labels and fields; the window maps them to its palette.
enum class Colour : std::uint8_t {
    Face,   ///< normal background of panels and labels
    Window, ///< normal background of edit fields
    Red,    ///< failure or alarm
    Yellow, ///< warning
    Lime,   ///< the operating point; active pick-ups and outputs
    Fuchsia,
    Aqua,
    White, ///< the print stamp, on paper
};

/// One label of the window as the link or the live data want it shown: text and
/// colour, and visibility only where the tick or a live frame decides it; the
/// window's control-state update owns the rest of `visible` and all of `enabled`.
struct Readout {
    std::string text;
    Colour colour = Colour::Face;
    bool visible = true;
    bool enabled = true;
};

/// The job a transfer runs; a programming runs on into a verify.
enum class Transfer : std::uint8_t { Idle = 0, Program = 1, Verify = 2, Read = 3 };

/// What the transfer line reports; the window words it in its language.
enum class TransferNews : std::uint8_t {
    None,
    JobStarted,         ///< `job` has started
    VerifyPhase,        ///< a programming or a read went on into its verify
    Verified,           ///< the verify found the unit as sent
    ReadCorrected,      ///< a read arrived whole, and validation changed `corrected` values
    ProgramStored,      ///< a verified programming has been stored by the unit
    Saving,             ///< the unit stores; the gauge tells how far
    JobFailed,          ///< `job` (the phase it was in) got no matching answer
    StoringUnconfirmed, ///< a verified programming's storing was not seen to end
    Notice,             ///< the window's own text, `notice`
};

/// The transfer line as the link wants it shown. `worded` grows with every message
/// the link puts up: the window words the message then, in the language in use, so
/// a later change of language leaves a message already shown as it was.
struct TransferLine {
    TransferNews news = TransferNews::None;
    Transfer job = Transfer::Idle;
    int corrected = 0;
    std::string notice;
    std::uint32_t worded = 0;
    Colour colour = Colour::Face;
    bool visible = false;
};

/// The boxes the link asks for, and what they name beyond their kind.
enum class MessageBoxKind : std::uint8_t {
    ComOpenError,    ///< the port the user chose cannot be opened
    VersionMismatch, ///< the unit's header reports another protocol version
};

struct LinkBox {
    MessageBoxKind kind = MessageBoxKind::ComOpenError;
    PortOpenFailure failure; ///< ComOpenError: why the port would not open
    int pcVersion = 0;       ///< VersionMismatch: the protocol this tool speaks
    int unitVersion = 0;     ///< VersionMismatch: the protocol the unit reports
};

struct Gauge {
    int maximum = 100;
    int progress = 0;
    bool visible = true;
};

/// Everything the link wants the window to show. The window paints it after each
/// tick and after each job start; `revision` grows with every change, so nothing
/// needs painting when it has not moved.
struct DisplayState {
    std::uint32_t revision = 0;

    // The transfer message and its gauge (hidden at start, gauge maximum 3).
    TransferLine LabelHlaseni;
    Gauge CGaugeProgram{3, 0, false};

    /// The no-connection banner; shown at start because the unit counts as lost.
    bool LabelSpojeni = true;
    /// The port's number for "COM= COM<n>" (0 before the first opening), and the
    /// device behind it for its tooltip.
    int LabelCom = 0;
    std::string LabelComDevice;

    // The unit's firmware from its header: name, date, time.
    std::string LabelVerze1;
    std::string LabelVerze2;
    std::string LabelVerze3;
};

} // namespace talviro6
