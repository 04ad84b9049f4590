#include "live/transfer_texts.h"

#include <gtest/gtest.h>

#include <string>

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

} // namespace
} // namespace talviro6
