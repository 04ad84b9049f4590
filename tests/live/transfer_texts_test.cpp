#include "live/transfer_texts.h"

#include <gtest/gtest.h>

#include "texts/language_table.h"

#include <algorithm>
#include <string>
#include <vector>

namespace talviro6 {
namespace {

TransferLine line(TransferNews news, Transfer job = Transfer::Idle, int corrected = 0)
{
    TransferLine l;
    l.news = news;
    l.job = job;
    l.corrected = corrected;
    return l;
}

// Each message takes the text of its own phase or failure, in the language asked
// for: a wrong role shows only outside English, where the phases differ in form.
TEST(TransferTexts, EachMessageIsWordedInTheLanguageAskedFor)
{
    struct Row {
        TransferLine line;
        int language;
        std::string text;
    } rows[] = {
        {line(TransferNews::JobStarted, Transfer::Program), 0, "Program device:"},
        {line(TransferNews::JobStarted, Transfer::Read), 1, "Lesen:"},
        {line(TransferNews::JobStarted, Transfer::Verify), 2, "Vérifier"},
        {line(TransferNews::VerifyPhase), 3, "Verifikace::"},
        {line(TransferNews::Verified), 1, "Vergleichen:: OK"},
        {line(TransferNews::ReadCorrected, Transfer::Idle, 3), 1, "Lesen: OK - 3 Werte korrigiert"},
        {line(TransferNews::ProgramStored), 2, "Programmer:: OK"},
        {line(TransferNews::Saving), 3, "Ukládání:"},
        {line(TransferNews::JobFailed, Transfer::Program), 1, "Programmier Fehler"},
        {line(TransferNews::JobFailed, Transfer::Verify), 2, "Verifier erreur!"},
        {line(TransferNews::JobFailed, Transfer::Read), 3, "Chyba čtení!"},
        {line(TransferNews::StoringUnconfirmed), 0, "Program error!\nstoring not confirmed"},
        {line(TransferNews::None), 0, ""},
    };
    for (const Row &r : rows)
        EXPECT_EQ(transferText(r.line, r.language), r.text) << r.text;

    TransferLine notice = line(TransferNews::Notice);
    notice.notice = "Date and time of printing:  1.2.2026";
    EXPECT_EQ(transferText(notice, 1), notice.notice) << "the window's own text is never translated";
}

TEST(TransferTexts, BoxesNameTheReasonOrTheVersions)
{
    LinkBox open;
    open.failure.systemText = "COM5: no serial device behind this number";
    EXPECT_EQ(linkBoxText(open, 1), "Falscher COM-Anschlußes!\nCOM5: no serial device behind this number");
    LinkBox version;
    version.kind = MessageBoxKind::VersionMismatch;
    version.pcVersion = 76;
    version.unitVersion = 75;
    EXPECT_EQ(linkBoxText(version, 0), "Unmatched version of PC and Ignition programs!  PC-76, IGN-75");
    EXPECT_EQ(comCaption(21), "COM= COM21");
}

PortOpenFailure failure(PortOpenFailure::Kind kind, const std::string &systemText)
{
    PortOpenFailure f;
    f.kind = kind;
    f.systemText = systemText;
    return f;
}

// Every kind as the tuner reads it: the kept text, the system's line naming the
// device, then what is wrong and what puts it right.
TEST(TransferTexts, APortThatWillNotOpenSaysWhyAndWhatToDo)
{
    using Kind = PortOpenFailure::Kind;
    PortOpenFailure group = failure(Kind::PermissionDenied, "/dev/ttyUSB0: Permission denied");
    group.group = "uucp";
    PortOpenFailure held = failure(Kind::Busy, "/dev/ttyUSB0: in use: Resource temporarily unavailable");
    held.holders = {{812, "minicom"}, {1907, "screen"}};
    PortOpenFailure missing = failure(Kind::Missing, "/dev/ttyUSB3: No such file or directory");
    missing.present = {"/dev/ttyUSB0", "/dev/ttyS0"};
    const struct {
        PortOpenFailure failure;
        const char *text;
    } rows[] = {
        {group, "Com opening error!\n/dev/ttyUSB0: Permission denied\n"
                "This user may not open the device: it belongs to the group uucp.\n"
                "Either install the udev rule /usr/lib/udev/rules.d/70-talviro6-serial.rules (it comes with the "
                "package) and plug the adapter in again,\n"
                "or add this user to the group (sudo usermod -aG uucp $USER) and log in again."},
        {failure(Kind::PermissionDenied, "/dev/ttyS0: Permission denied"),
         "Com opening error!\n/dev/ttyS0: Permission denied\nThis user may not open the device.\n"
         "Install the udev rule /usr/lib/udev/rules.d/70-talviro6-serial.rules (it comes with the package) and plug "
         "the adapter in again."},
        {held, "Com opening error!\n/dev/ttyUSB0: in use: Resource temporarily unavailable\n"
               "Another program holds the device: minicom (PID 812), screen (PID 1907). Close it, then try again."},
        {failure(Kind::Busy, "/dev/ttyUSB0: in use by another program"),
         "Com opening error!\n/dev/ttyUSB0: in use by another program\n"
         "Another program holds the device, one this user cannot see (another user's or the system's)."},
        {missing, "Com opening error!\n/dev/ttyUSB3: No such file or directory\n"
                  "The device is not there. Serial devices present now: /dev/ttyUSB0, /dev/ttyS0"},
        {failure(Kind::Missing, "COM5: no serial device behind this number"),
         "Com opening error!\nCOM5: no serial device behind this number\n"
         "The device is not there: no serial devices found."},
        {failure(Kind::NotSerial, "/dev/null: not a serial port"), "Com opening error!\n/dev/null: not a serial port"},
        {failure(Kind::Other, "/dev/ttyUSB0: cannot set 57600 8N1: Input/output error"),
         "Com opening error!\n/dev/ttyUSB0: cannot set 57600 8N1: Input/output error"},
    };
    for (const auto &r : rows) {
        LinkBox box;
        box.failure = r.failure;
        EXPECT_EQ(linkBoxText(box, 0), r.text);
    }
}

// Each language has its own words for every kind, and every one of them names what
// the facts give: the group twice, each holder, each device present.
TEST(TransferTexts, PortAdviceExistsInEveryLanguageWithItsFacts)
{
    using Kind = PortOpenFailure::Kind;
    PortOpenFailure group = failure(Kind::PermissionDenied, "");
    group.group = "uucp";
    PortOpenFailure held = failure(Kind::Busy, "");
    held.holders = {{812, "minicom"}};
    PortOpenFailure missing = failure(Kind::Missing, "");
    missing.present = {"/dev/ttyACM0"};
    const struct {
        PortOpenFailure failure;
        std::vector<std::string> named;
    } rows[] = {
        {group, {"uucp", "usermod -aG uucp $USER", "/usr/lib/udev/rules.d/70-talviro6-serial.rules"}},
        {failure(Kind::PermissionDenied, ""), {"/usr/lib/udev/rules.d/70-talviro6-serial.rules"}},
        {held, {"minicom (PID 812)"}},
        {failure(Kind::Busy, ""), {}},
        {missing, {"/dev/ttyACM0"}},
        {failure(Kind::Missing, ""), {}},
    };
    for (const auto &r : rows) {
        std::vector<std::string> seen;
        for (int language = 0; language < LanguageTableCount; ++language) {
            const std::string advice = portOpenAdvice(r.failure, language);
            EXPECT_FALSE(advice.empty()) << language;
            EXPECT_EQ(advice.find("%1"), std::string::npos) << advice;
            for (const std::string &name : r.named)
                EXPECT_NE(advice.find(name), std::string::npos) << language << ": " << advice;
            EXPECT_EQ(std::count(seen.begin(), seen.end(), advice), 0)
                << "the same words as another language: " << advice;
            seen.push_back(advice);
        }
    }
}

} // namespace
} // namespace talviro6
