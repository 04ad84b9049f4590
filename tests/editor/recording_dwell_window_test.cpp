// Where the engine ran in a recording, in the window: the filters typed in re-count,
// the table shows what talviro6-cli dwell prints for the same recording and filters,
// and the maps shade the recording's counts alone while its window is shown.
#include "window_fixture.h"

#include "editor/live_display.h"
#include "editor/recording_dwell/form_recording_dwell.h"
#include "link/monitor_frame.h"
#include "model/field_table.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

const QString Data = QStringLiteral(TALVIRO6_RECORDINGS_DATA);

class RecordingDwellWindowTest : public WindowFixture {
  protected:
    RecordingDwellWindowTest()
    {
        window.openParameterFile(Data + QStringLiteral("/throttle_map.ign"));
        unit.injectFault(sim::Fault::Silence, -1);
        c().frame.PageControl1->setCurrentWidget(c().frame.TabSheetAdvance);
    }

    FormRecordingDwell *openRide()
    {
        dialogs.openName = Data + QStringLiteral("/ride.csv");
        c().menu.MenuDwellRecording->trigger();
        FormRecordingDwell *form = window.recordingDwellWindow();
        EXPECT_TRUE(form && form->isVisible());
        return form;
    }

    /// Types `text` over what the field holds, as a tuner does, and confirms it.
    static void type(QAbstractSpinBox *box, const QString &text)
    {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }

    /// `ticks` ticks of a live engine at the speed of the map's column and the throttle of its row.
    void runLive(int row, int column, int ticks)
    {
        MonitorFrame live;
        live.protocolVersion = ProtocolVersion;
        live.engineSpeed = static_cast<std::uint16_t>(
            toShown(*fieldAt(field::AdvanceRpm(column)), image()[field::AdvanceRpm(column)]));
        live.tpsPercent = ThrottleRows[static_cast<std::size_t>(row)];
        for (int i = 0; i < ticks; ++i) {
            window.link().HandleMonitorFrame(encodeMonitorFrame(live));
            tick();
        }
    }

    QColor painted(int row, int column)
    {
        QApplication::processEvents();
        const QImage shot = window.grab().toImage();
        QWidget *cell = c().advance.EditCell[row][column];
        return shot.pixelColor(cell->mapTo(&window, QPoint(4, cell->height() / 2)));
    }

    static std::vector<QStringList> cliRows(const QStringList &options)
    {
        QProcess cli;
        cli.start(QStringLiteral(TALVIRO6_CLI), QStringList{QStringLiteral("dwell"), Data + QStringLiteral("/ride.csv"),
                                                            Data + QStringLiteral("/throttle_map.ign")} +
                                                    options);
        EXPECT_TRUE(cli.waitForFinished(60000));
        EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        std::vector<QStringList> rows;
        for (const QString &line : QString::fromUtf8(cli.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
            rows.push_back(line.split('\t'));
        return rows;
    }
};

} // namespace

TEST_F(RecordingDwellWindowTest, TableShowsWhatTheCommandLinePrints)
{
    ASSERT_EQ(image()[field::TpsMapEnable], 1);
    FormRecordingDwell *form = openRide();
    ASSERT_TRUE(form);
    EXPECT_FALSE(form->table()->isVisible());

    struct Row {
        QString minCount, maxRpm, maxTps, from, to;
        QStringList options;
    };
    const Row rows[] = {
        {"0", "0", "0", "0", "23", {"--to", "23"}},
        {"3", "0", "30", "2", "20", {"--min", "3", "--max-tps-per-s", "30", "--from", "2", "--to", "20"}},
        {"0", "1500", "0", "0", "23", {"--max-rpm-per-s", "1500", "--to", "23"}},
        {"0", "2500", "5", "3", "15", {"--max-rpm-per-s", "2500", "--max-tps-per-s", "5", "--from", "3", "--to", "15"}},
    };
    QTest::mouseClick(form->tableButton(), Qt::LeftButton);
    ASSERT_TRUE(form->table()->isVisible());
    for (const Row &r : rows) {
        type(form->minCountBox(), r.minCount);
        type(form->maxRpmRateBox(), r.maxRpm);
        type(form->maxTpsRateBox(), r.maxTps);
        type(form->fromBox(), r.from);
        type(form->toBox(), r.to);
        const std::vector<QStringList> cli = cliRows(r.options);
        ASSERT_EQ(cli.size(), 13u) << r.options.join(' ').toStdString();
        QTableWidget *table = form->table();
        ASSERT_EQ(table->rowCount(), 12);
        for (int c = 0; c < table->columnCount(); ++c)
            EXPECT_EQ(table->horizontalHeaderItem(c)->text(), cli[0][c + 1]);
        for (int row = 0; row < table->rowCount(); ++row) {
            const QStringList &line = cli[static_cast<std::size_t>(row + 1)];
            ASSERT_EQ(line.size(), 11);
            if (row < 10) { // the servo rows are labelled in the window's language
                EXPECT_EQ(table->verticalHeaderItem(row)->text(), line[0]);
            }
            for (int c = 0; c < table->columnCount(); ++c)
                EXPECT_EQ(table->item(row, c)->text(), line[c + 1])
                    << r.options.join(' ').toStdString() << " row " << row << " column " << c;
        }
    }
    // Something was left out in the filtered rows, or they would prove nothing.
    EXPECT_GT(form->counts().transientsLeftOut, 0u);
}

TEST_F(RecordingDwellWindowTest, MapsShadeTheRecordingAloneWhileShown)
{
    // Live counts first: the engine held at 5 %, 10000 rpm, then one tick a column lower,
    // which leaves the first cell in the live trail. The recording never goes there.
    c().menu.MenuDwell->trigger();
    runLive(2, 9, 10);
    runLive(2, 8, 1);
    const QColor window = painted(0, 5);
    ASSERT_NE(painted(2, 9), window);

    FormRecordingDwell *form = openRide();
    ASSERT_TRUE(form);
    type(form->minCountBox(), QStringLiteral("3"));
    const DwellCounts &counts = form->counts();
    ASSERT_GE(counts.cells[8][7], 3u); // cruising
    ASSERT_EQ(counts.cells[4][1], 1u); // passed once on the run-up
    EXPECT_EQ(painted(8, 7), dwellShadeColour(form->shading().cellShade(8, 7)));
    EXPECT_EQ(painted(4, 1), window) << "below the minimum count";
    EXPECT_EQ(painted(2, 9), window) << "a live count shown with the recording's";
    EXPECT_EQ(counts.cells[2][9], 0u);

    type(form->minCountBox(), QStringLiteral("1"));
    EXPECT_NE(painted(4, 1), window);

    // Closed, the live counts come back, and the recording's go.
    form->close();
    EXPECT_NE(painted(2, 9), window);
    EXPECT_EQ(painted(8, 7), window);
}

TEST_F(RecordingDwellWindowTest, RefusesAFileWithoutLiveData)
{
    dialogs.openName = Data + QStringLiteral("/throttle_map.ign");
    c().menu.MenuDwellRecording->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_FALSE(window.recordingDwellWindow()->hasRecording());
    EXPECT_FALSE(window.openDwellRecording(Data));
    EXPECT_EQ(dialogs.messages.size(), 2u);
}
