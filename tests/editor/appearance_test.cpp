// What the tuner sees, checked on the pixels the window paints: a colour set on a
// palette role the widget never fills, or a text cut by a fixed width, passes any
// test that only reads properties back.
#include "window_fixture.h"

#include "editor/colours.h"
#include "editor/live_display.h"
#include "editor/widgets/mouse_up_check_box.h"
#include "link/monitor_frame.h"
#include "texts/kept_texts.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTabWidget>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

class AppearanceTest : public WindowFixture {
  protected:
    QImage shot()
    {
        QApplication::processEvents();
        return window.grab().toImage();
    }

    /// The colour painted behind a control's text: near its right end, where a
    /// left-aligned text does not reach.
    QColor backgroundOf(const QImage &image, QWidget *w)
    {
        const QPoint at = w->mapTo(&window, QPoint(w->width() - 3, w->height() / 2));
        return image.pixelColor(at);
    }

    /// The colour of the surface a control sits on, at a spot of its parent where no
    /// other control is.
    QColor surfaceUnder(const QImage &image, QWidget *w)
    {
        QWidget *parent = w->parentWidget();
        for (int dy : {0, -6, 6, -12, 12})
            for (int dx = 4; dx < 60; dx += 4) {
                const QPoint p(w->geometry().right() + dx, w->geometry().center().y() + dy);
                if (parent->rect().contains(p) && !parent->childAt(p))
                    return image.pixelColor(parent->mapTo(&window, p));
            }
        ADD_FAILURE() << "no free spot beside " << w->objectName().toStdString();
        return {};
    }

    void showPage(QWidget *page) { c().frame.PageControl1->setCurrentWidget(page); }

    /// A live frame as if the unit had sent it, then one tick that paints it. The
    /// unit itself stays silent so that nothing else arrives in between.
    void showLive(const MonitorFrame &live)
    {
        unit.injectFault(sim::Fault::Silence, -1);
        window.link().HandleMonitorFrame(encodeMonitorFrame(live));
        tick();
    }
};

TEST_F(AppearanceTest, ProgrammingAfterChangeIsPaintedRedWhileTicked)
{
    auto *box = c().frame.monitor.CheckBoxProgHned;
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    ASSERT_TRUE(box->isChecked());
    QImage image = shot();
    EXPECT_EQ(backgroundOf(image, box), QColor(Qt::red));

    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    ASSERT_FALSE(box->isChecked());
    image = shot();
    EXPECT_NE(backgroundOf(image, box), QColor(Qt::red));
    EXPECT_EQ(backgroundOf(image, box), surfaceUnder(image, box)) << "no patch of another grey";
}

TEST_F(AppearanceTest, EveryColouredReadOutIsPaintedInItsColour)
{
    image()[field::Input1Function] = 1; // every read-out enabled, as in the workshop
    image()[field::Input2Function] = 2;
    image()[field::ServoEnable] = 1;
    image()[field::TpsMapEnable] = 1;
    window.refresh();

    MonitorFrame live;
    live.protocolVersion = ProtocolVersion;
    live.engineSpeed = 5000;
    live.supplyMillivolts = 7000;
    live.tpsPercent = 150; // sensor error with the throttle map in use: red
    live.speedRed = live.motorOff = true;
    live.pickup1 = live.pickup2 = true;
    live.input1Grounded = live.input2Grounded = true;
    live.clutch = live.startLimiter = live.retard = live.killSwitch = true;
    live.powerOut1 = live.powerOut2 = live.powerOut3 = true;
    live.servoOk = false;
    live.advance = {130, 130};
    live.maxAdvance = {25, 25}; // at or beyond the maximum: yellow
    showLive(live);

    auto &m = c().frame.monitor;
    struct Case {
        QWidget *readOut;
        QColor colour;
    };
    const QColor red(Qt::red), yellow(Qt::yellow), lime(Qt::green), fuchsia(Qt::magenta), aqua(Qt::cyan);
    const Case monitorColumn[] = {
        {m.LabelRpm, red},           {m.LabelTpsMon, red},      {m.LabelAdvance1, yellow},
        {m.LabelMonSnimac1, lime},   {m.LabelMonSnimac2, lime}, {m.LabelNapeti, red},
        {m.LabelPriveraPoz, red},    {m.LabelPriveraMer, red},  {m.LabelBlocking1, red},
        {m.LabelClutchMon, lime},    {m.LabelMonRetard, aqua},  {m.LabelMonStartLimiterOut, fuchsia},
        {m.LabelKillSwitch, red},    {m.LabelMonPOut[0], lime}, {m.LabelMonPOut[1], aqua},
        {m.LabelMonPOut[2], yellow},
    };
    showPage(c().frame.TabSheetRuzne);
    QImage image = shot();
    for (const Case &k : monitorColumn) {
        SCOPED_TRACE(k.readOut->objectName().toStdString());
        ASSERT_TRUE(k.readOut->isVisible());
        EXPECT_EQ(backgroundOf(image, k.readOut), k.colour);
    }
    EXPECT_EQ(backgroundOf(image, c().misc.LabelMonInput1In), fuchsia);
    EXPECT_EQ(backgroundOf(image, c().misc.LabelMonInput2In), aqua);

    // All quiet: no read-out keeps a colour, and none sits on a patch of its own.
    MonitorFrame quiet;
    quiet.protocolVersion = ProtocolVersion;
    quiet.engineSpeed = 5000;
    quiet.supplyMillivolts = 13000;
    quiet.tpsPercent = 30;
    quiet.servoOk = true;
    quiet.advance = {120, 120};
    showLive(quiet);
    image = shot();
    for (const Case &k : monitorColumn) {
        SCOPED_TRACE(k.readOut->objectName().toStdString());
        EXPECT_EQ(backgroundOf(image, k.readOut), surfaceUnder(image, k.readOut));
    }
    for (auto *label : {c().misc.LabelMonInput1In, c().misc.LabelMonInput2In}) {
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_EQ(backgroundOf(image, label), surfaceUnder(image, label));
    }
}

TEST_F(AppearanceTest, TheOperatingRowCaptionIsLimeAndTheOthersSitOnTheMap)
{
    image()[field::TpsMapEnable] = 1;
    window.refresh();
    MonitorFrame live;
    live.protocolVersion = ProtocolVersion;
    live.engineSpeed = 5000;
    live.tpsPercent = 30; // row 5
    showLive(live);
    showPage(c().frame.TabSheetAdvance);
    const QImage image = shot();
    const auto &rows = c().advance.LabelTps;
    EXPECT_EQ(image.pixelColor(rows[5]->mapTo(&window, QPoint(1, rows[5]->height() / 2))), QColor(Qt::green));
    for (std::size_t r : {0u, 4u, 9u}) {
        SCOPED_TRACE(r);
        const QPoint corner = rows[r]->mapTo(&window, QPoint(1, 1));
        EXPECT_EQ(image.pixelColor(corner), surfaceUnder(image, rows[r]));
    }
}

TEST_F(AppearanceTest, TheVersionBannerShowsItsWholeTextInEveryLanguage)
{
    LiveDisplayPainter painter(c());
    DisplayState d;
    d.LabelSpojeni = false;
    MonitorDisplay live;
    auto *banner = c().frame.LabelVersion;
    for (int language = 0; language < LanguageTableCount; ++language) {
        SCOPED_TRACE(language);
        const KeptTexts texts(language);
        live.LabelVersion.text = texts[TextRole::TextVersionMismatch] + "  PC-76, IGN-75";
        live.LabelVersion.visible = true;
        ++live.revision;
        painter.paint(d, live, language);
        QApplication::processEvents();
        ASSERT_TRUE(banner->isVisible());
        EXPECT_TRUE(banner->text().endsWith(QStringLiteral("IGN-75")));
        EXPECT_GE(banner->height(), banner->heightForWidth(banner->width())) << "no line is cut off";
        EXPECT_LE(banner->geometry().bottom(), c().frame.LabelTest[0]->y()) << "the test row stays free";
        EXPECT_LE(banner->geometry().right(), c().frame.monitor.LabelRpm->x()) << "the monitor column stays free";
    }
}

TEST_F(AppearanceTest, EveryFieldShowsItsWidestNumberWhole)
{
    // "10000" in a 40 px field once showed as "1000" with a sliver of the last zero.
    image()[field::TpsMapEnable] = 1;
    image()[field::ServoEnable] = 1;
    for (int o = 0; o < field::PowerOutputs; ++o)
        image()[field::PowerOutMode(o)] = 4;
    window.setTestEnable(true);
    window.refresh();
    std::size_t checked = 0;
    for (int page = 0; page < c().frame.PageControl1->count(); ++page) {
        c().frame.PageControl1->setCurrentIndex(page);
        for (auto *f : window.numericFields()) {
            if (!c().frame.PageControl1->widget(page)->isAncestorOf(f))
                continue;
            SCOPED_TRACE(f->editName().toStdString());
            f->setSpinnerVisible(true); // the narrowest the edit gets
            QApplication::processEvents();
            ASSERT_TRUE(f->isVisible());
            for (const int value : {f->maximum(), f->minimum()}) {
                f->showValue(value);
                QLineEdit *edit = f->edit();
                const int room = edit->contentsRect().width() - 2 * 2; // the line edit's text margins
                EXPECT_LE(QFontMetrics(edit->font()).horizontalAdvance(edit->text()), room)
                    << edit->text().toStdString();
            }
            ++checked;
        }
    }
    EXPECT_EQ(checked, window.numericFields().size());
}

TEST_F(AppearanceTest, TheWindowIsCentredWithItsFinalSize)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window.x() - screen.x(), (screen.width() - window.width()) / 2);
    EXPECT_EQ(window.y() - screen.y(), (screen.height() - window.height()) / 2);
    // The caption, then only the unit state marker; no program name appended by Qt.
    EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("Programming of TALVIRO6 unit  \u2014  ")));
    EXPECT_FALSE(window.windowTitle().contains(QStringLiteral("talviro6")));
}

TEST_F(AppearanceTest, BikePageBoxesDoNotOverlap)
{
    const QRect tacho = c().bike.GroupBoxRpm->geometry();
    const QRect special = c().bike.GroupBoxSpecial->geometry();
    EXPECT_EQ(tacho.width(), 249);
    EXPECT_EQ(special.width(), 393);
    EXPECT_FALSE(tacho.intersects(special));
    // Every caption stands clear of the field before it.
    for (auto [edit, label] : {std::pair{c().bike.EditPocPalcu, c().bike.LabelPocPalcu},
                               std::pair{c().bike.EditPocKanalu, c().bike.LabelPocKanalu}}) {
        SCOPED_TRACE(label->objectName().toStdString());
        edit->setSpinnerVisible(true);
        EXPECT_GE(label->x() - edit->geometry().right(), 5);
        EXPECT_LE(label->geometry().right(), c().bike.GroupBoxSpecial->contentsRect().right());
        EXPECT_LE(label->heightForWidth(label->width()), label->height()) << "the whole caption shows";
    }
}

} // namespace
