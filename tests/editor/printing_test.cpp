// Print and Print all: pictures of the pages, white, without the working controls,
// stamped; the window as it was afterwards, also when there is no printer.
#include "window_fixture.h"

#include "editor/colours.h"
#include "editor/live_display.h"
#include "editor/print/on_demand_printer.h"
#include "editor/widgets/mouse_up_check_box.h"
#include "link/monitor_frame.h"
#include "live/operating_point.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>

#include <utility>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

class PrintingTest : public WindowFixture {
  protected:
    /// The window as the tuner works in it, checked after every print.
    void expectRestored(int page)
    {
        EXPECT_FALSE(window.printMode());
        EXPECT_EQ(c().frame.PageControl1->currentIndex(), page);
        for (int i = 0; i < c().frame.PageControl1->count(); ++i)
            EXPECT_TRUE(c().frame.PageControl1->isTabVisible(i)) << "tab " << i;
        EXPECT_FALSE(c().frame.toolBar.GroupBoxToolBar->isHidden());
        EXPECT_FALSE(c().frame.StatusBar1->isHidden());
        EXPECT_FALSE(field(QStringLiteral("EditOmez2"))->isSpinnerVisible() == false);
    }

    /// A picture is white where the tool bar sits on the screen: it was not printed,
    /// and the window's background is white.
    static void expectPaperLook(const QImage &picture, QWidget *toolBar)
    {
        const QPoint inToolBar = toolBar->geometry().center();
        EXPECT_EQ(picture.pixelColor(inToolBar), QColor(Qt::white));
        EXPECT_EQ(picture.pixelColor(2, picture.height() - 3), QColor(Qt::white));
    }
};

TEST_F(PrintingTest, PrintAllPrintsTheFourParameterPagesAndComesBack)
{
    c().frame.PageControl1->setCurrentIndex(4); // the power-output page is not one of them
    c().menu.MenuPrintAll->trigger();
    ASSERT_EQ(printer.jobs.size(), 1u);
    const auto &pages = printer.jobs.front();
    ASSERT_EQ(pages.size(), 4u);
    for (const QImage &page : pages) {
        expectPaperLook(page, c().frame.toolBar.GroupBoxToolBar);
        // The client area; without the status bar, which is not printed, it reaches down to the edge.
        EXPECT_EQ(page.width(), window.centralWidget()->width());
        EXPECT_GT(page.height(), window.centralWidget()->height());
    }
    for (std::size_t i = 1; i < pages.size(); ++i)
        EXPECT_NE(pages[i], pages[i - 1]) << "each picture shows its own page";
    expectRestored(4);
    EXPECT_TRUE(c().frame.monitor.LabelHlaseni->text().startsWith(QStringLiteral("Date and time of printing:  ")));
    EXPECT_TRUE(c().frame.monitor.LabelHlaseni->isVisible()) << "the stamp stays on the screen";
}

TEST_F(PrintingTest, PrintPrintsThePageShownWithTheStamp)
{
    c().frame.PageControl1->setCurrentIndex(2);
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    ASSERT_EQ(printer.jobs.size(), 1u);
    ASSERT_EQ(printer.jobs.front().size(), 1u);
    const QImage &page = printer.jobs.front().front();
    expectPaperLook(page, c().frame.toolBar.GroupBoxToolBar);
    // The stamp is on paper where the transfer line is.
    const QRect stamp = c().frame.monitor.LabelHlaseni->geometry();
    bool ink = false;
    for (int x = stamp.left(); x < stamp.right() && !ink; ++x)
        ink = page.pixelColor(x, stamp.center().y()).lightness() < 100;
    EXPECT_TRUE(ink);
    auto *label = c().frame.monitor.LabelHlaseni;
    EXPECT_LE(label->heightForWidth(label->width()), label->height()) << "the whole stamp shows";
    expectRestored(2);
}

TEST_F(PrintingTest, AValueBeingTypedIsTakenOverBeforePrinting)
{
    c().frame.PageControl1->setCurrentWidget(c().frame.TabSheetAdvance);
    auto *cell = field(QStringLiteral("Edit145"));
    cell->setFocus();
    cell->edit()->selectAll();
    QTest::keyClicks(cell->edit(), QStringLiteral("57"));
    c().menu.MenuPrint->trigger();
    EXPECT_EQ(image()[field::AdvanceMap(9, 5)], 57);
}

TEST_F(PrintingTest, WithoutAPrinterTheTunerIsToldAndTheWindowComesBack)
{
    printer.fail = true;
    c().frame.PageControl1->setCurrentIndex(1);
    c().menu.MenuPrintAll->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages.front(), QStringLiteral("No printer is installed."));
    expectRestored(1);
}

TEST_F(PrintingTest, PaperShowsTheParametersNotWhereTheEngineRunsAndTheScreenGetsItBack)
{
    image()[field::TpsMapEnable] = 1;
    image()[field::ServoEnable] = 1;
    window.refresh();
    c().menu.MenuDwell->trigger(); // where the engine ran, shaded and trailed
    unit.injectFault(sim::Fault::Silence, -1);
    MonitorFrame live;
    live.protocolVersion = ProtocolVersion;
    const auto runAt = [&](int speed, int throttle) {
        live.engineSpeed = static_cast<std::uint16_t>(speed);
        live.tpsPercent = static_cast<std::uint8_t>(throttle);
        for (int i = 0; i < 5; ++i) {
            window.link().HandleMonitorFrame(encodeMonitorFrame(live));
            tick();
        }
        return window.live().state().operatingPoint;
    };
    const OperatingPoint earlier = runAt(5600, 0);
    const OperatingPoint point = runAt(5000, 30);
    ASSERT_FALSE(point.BelowSpeedRange);
    const std::size_t row = point.OperatingRow, column = point.OperatingColumn, servo = point.OperatingServoPoint;
    ASSERT_EQ(window.dwell().trailAge(earlier.OperatingRow, earlier.OperatingColumn), 1)
        << "the cell before is in the trail";
    auto &adv = c().advance;
    QWidget *operating = adv.EditCell[row][column];
    QWidget *before = adv.EditCell[earlier.OperatingRow][earlier.OperatingColumn];
    QWidget *untouched = adv.EditCell[(row + 3) % Points][(column + 3) % Points];
    QWidget *speedBox = adv.EditRpmAdv[column];
    QWidget *throttleLabel = adv.LabelTps[row];
    QWidget *servoPoint = c().servo.EditNapPriv[servo];

    c().menu.MenuPrintAll->trigger();
    ASSERT_EQ(printer.jobs.size(), 1u);
    ASSERT_EQ(printer.jobs.front().size(), 4u);
    const QImage &advancePaper = printer.jobs.front()[2];
    const QImage &servoPaper = printer.jobs.front()[3];
    const auto inside = [this](const QImage &picture, QWidget *w) {
        return picture.pixelColor(w->mapTo(window.centralWidget(), QPoint(3, w->height() / 2)));
    };
    const QColor lime = toQColor(Colour::Lime);
    const QColor normal = inside(advancePaper, untouched);
    EXPECT_EQ(normal, toQColor(Colour::Window));
    EXPECT_EQ(inside(advancePaper, operating), normal) << "the operating cell";
    EXPECT_EQ(inside(advancePaper, before), normal) << "a cell of the trail";
    EXPECT_EQ(inside(advancePaper, speedBox), normal) << "the operating speed";
    EXPECT_NE(inside(advancePaper, throttleLabel), lime) << "the operating throttle";
    EXPECT_EQ(inside(advancePaper, throttleLabel), inside(advancePaper, adv.LabelTps[(row + 3) % Points]));
    EXPECT_EQ(inside(servoPaper, servoPoint), normal) << "the operating servo point";

    // The throttle map is a parameter: its box and its tick are on paper.
    const QRect box(adv.CheckBoxTpsMapa->mapTo(window.centralWidget(), QPoint(0, 0)), adv.CheckBoxTpsMapa->size());
    int ink = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            ink += advancePaper.pixelColor(x, y).lightness() < 100;
    EXPECT_GT(ink, 20) << "the box with its caption";
    EXPECT_FALSE(adv.CheckBoxTpsMapa->isHidden());

    c().frame.PageControl1->setCurrentWidget(c().frame.TabSheetAdvance);
    QApplication::processEvents();
    const QImage screen = window.centralWidget()->grab().toImage();
    EXPECT_EQ(inside(screen, operating), lime) << "the live state is back on the screen";
    EXPECT_EQ(inside(screen, speedBox), lime);
    EXPECT_EQ(inside(screen, throttleLabel), lime);
    EXPECT_EQ(inside(screen, before), dwellTrailColour(1));
    EXPECT_EQ(c().servo.EditNapPriv[servo]->palette().color(QPalette::Base), lime);
}

TEST_F(PrintingTest, ThePdfPrinterWritesOnePagePerPicture)
{
    // The printers' library is linked: the copy loaded gives the printer.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pages.pdf"));
    OnDemandPrinter pdf(path, {});
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QString error;
    ASSERT_TRUE(pdf.print({picture, picture, picture, picture}, &error)) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.startsWith("%PDF"));
    EXPECT_EQ(content.count("/Type /Page\n") + content.count("/Type /Page\r") + content.count("/Type /Page>") +
                  content.count("/Type /Page/"),
              4);
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".part")));

    OnDemandPrinter nowhere(dir.filePath(QStringLiteral("gone/pages.pdf")), {});
    EXPECT_FALSE(nowhere.print({picture}, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("cannot write"))) << error.toStdString();
}

TEST(PrintLibraryMissing, PrintSaysWhyInTheWindowsLanguageAndTriesAgainNextTime)
{
    const struct {
        QAction *MainMenu::*language;
        const char *firstLine;
    } languages[] = {
        {&MainMenu::MenuEnglish, "Printing is not possible:"},
        {&MainMenu::MenuFrench, "L´impression n´est pas possible :"},
    };
    for (const auto &l : languages) {
        SCOPED_TRACE(l.firstLine);
        QTemporaryDir settings;
        QTemporaryDir empty;
        WindowRig *shown = nullptr;
        OnDemandPrinter printer(
            empty.filePath(QStringLiteral("pages.pdf")),
            [&shown] { return shown->window.session().settings().languageIndex; },
            PrintLibrary{QStringLiteral("talviro6_print_absent"), QStringList{empty.path()}});
        WindowRig rig(settings.path(), nullptr, {}, &printer);
        shown = &rig;
        rig.start();
        Controls &c = rig.window.controls();
        (c.menu.*l.language)->trigger();
        c.frame.PageControl1->setCurrentIndex(1);
        QTest::keyClick(&rig.window, Qt::Key_P, Qt::ControlModifier);

        ASSERT_EQ(rig.dialogs.messages.size(), 1u);
        const QStringList lines = rig.dialogs.messages[0].split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 3) << "the copy already loaded, then the folder: " << lines.join('|').toStdString();
        EXPECT_EQ(lines[0], QString::fromUtf8(l.firstLine));
        EXPECT_TRUE(lines[1].contains(QStringLiteral("talviro6_print_absent"))) << lines[1].toStdString();
        EXPECT_TRUE(lines[2].contains(QDir::toNativeSeparators(empty.path())) &&
                    lines[2].contains(QStringLiteral("talviro6_print_absent")))
            << lines[2].toStdString();
        EXPECT_FALSE(rig.window.printMode());
        EXPECT_EQ(c.frame.PageControl1->currentIndex(), 1);
        EXPECT_TRUE(QDir(empty.path()).entryList(QDir::Files).isEmpty()) << "no PDF, not even part of one";

        // Every print tries again, and says so again.
        c.menu.MenuPrintAll->trigger();
        EXPECT_EQ(rig.dialogs.messages.size(), 2u);
    }
}

} // namespace
