// The start that builds the page the window opens on first and the other pages
// right after the first paint: the window it ends with equals one built whole, and
// nothing a tuner does before that paint meets a page that is not there.
#include "window_fixture.h"

#include "editor/widgets/drop_down_list.h"
#include "editor/widgets/radio_group.h"
#include "files/settings_files.h"
#include "model/field_table.h"

#include <QCheckBox>
#include <QTabBar>
#include <QTabWidget>

#include <map>
#include <memory>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

/// Everything a tuner can see of a widget, as one line.
QString seen(QWidget *w, QWidget *window)
{
    QString s = QStringLiteral("%1 visible=%2 enabled=%3 bg=%4")
                    .arg(QString::fromLatin1(w->metaObject()->className()))
                    .arg(w->isVisibleTo(window))
                    .arg(w->isEnabled())
                    .arg(w->autoFillBackground() ? w->palette().color(w->backgroundRole()).name() : QString());
    if (auto *field = qobject_cast<NumericField *>(w))
        s += QStringLiteral(" value=%1 text=%2").arg(field->value()).arg(field->text());
    else if (auto *list = qobject_cast<DropDownList *>(w))
        s += QStringLiteral(" item=%1 items=%2").arg(list->currentIndex()).arg(list->count());
    else if (auto *group = qobject_cast<RadioGroup *>(w))
        s += QStringLiteral(" item=%1 title=%2").arg(group->itemIndex()).arg(group->title());
    else if (auto *box = qobject_cast<QAbstractButton *>(w))
        s += QStringLiteral(" checked=%1 text=%2").arg(box->isChecked()).arg(box->text());
    else if (auto *label = qobject_cast<QLabel *>(w))
        s += QStringLiteral(" text=%1").arg(label->text());
    else if (auto *box = qobject_cast<QGroupBox *>(w))
        s += QStringLiteral(" title=%1").arg(box->title());
    return s;
}

/// Every named widget of the window and what it shows.
std::map<QString, QString> picture(QWidget &window)
{
    std::map<QString, QString> all;
    for (QWidget *w : window.findChildren<QWidget *>())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            all[w->objectName()] = seen(w, &window);
    return all;
}

/// The widgets the two windows show differently, one a line; empty when none.
std::string differences(QWidget &a, QWidget &b)
{
    const auto inA = picture(a), inB = picture(b);
    std::string lines;
    for (const auto &[name, shown] : inB) {
        const auto other = inA.find(name);
        if (other == inA.end() || other->second != shown)
            lines += name.toStdString() + ": " + (other == inA.end() ? "missing" : other->second.toStdString()) +
                     " | " + shown.toStdString() + "\n";
    }
    if (inA.size() != inB.size())
        lines += std::to_string(inA.size()) + " named widgets against " + std::to_string(inB.size()) + "\n";
    return lines;
}

class DeferredStartTest : public ::testing::Test {
  protected:
    /// A run before: the map page shown, the TPS map on and a cell typed, so that
    /// the next start has settings and a start-up image of its own to show.
    DeferredStartTest()
    {
        WindowRig before(folder.path());
        before.start();
        Controls &c = before.window.controls();
        QTabBar *tabs = c.frame.PageControl1->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(FormHlav::PageAdvance).center());
        QTest::mouseClick(c.advance.CheckBoxTpsMapa, Qt::LeftButton);
        NumericField *cell = c.advance.EditCell[3][4];
        cell->setFocus();
        cell->edit()->selectAll();
        QTest::keyClicks(cell->edit(), QStringLiteral("27"));
        QTest::keyClick(cell->edit(), Qt::Key_Return);
        EXPECT_EQ(before.window.image()[field::TpsMapEnable], 1);
        // Saved, so that the next start shows the file's name on the Bike page.
        before.dialogs.saveName = QDir(folder.path()).filePath(QStringLiteral("track.ign"));
        before.window.MenuSaveClick();
        EXPECT_EQ(before.window.currentFileName(), before.dialogs.saveName);
        before.window.close();
    }

    /// Remembers `page` as the page shown at the last close.
    void rememberPage(int page)
    {
        QFile f(QDir(folder.path()).filePath(QString::fromStdString(settingsFileName())));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        QByteArray ini = f.readAll();
        f.close();
        const QByteArray key = "PageControl1->ActivePageIndex=";
        const qsizetype at = ini.indexOf(key);
        ASSERT_GE(at, 0);
        ini.replace(at + key.size(), 1, QByteArray::number(page));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(ini);
    }

    /// Started the way the program starts, not yet shown.
    std::unique_ptr<WindowRig> startShownFirst()
    {
        auto rig = std::make_unique<WindowRig>(folder.path());
        rig->window.FormCreate({}, FormHlav::StartPages::ShownFirst);
        return rig;
    }

    QTemporaryDir folder;
};

TEST_F(DeferredStartTest, TheRestIsBuiltAfterTheFirstPaintAndEqualsAWholeStart)
{
    struct Case {
        int remembered;
        int shown; ///< what the window opens on
    };
    for (const Case k :
         {Case{FormHlav::PageMisc, FormHlav::PageMisc}, Case{FormHlav::PageAdvance, FormHlav::PageAdvance},
          Case{FormHlav::PageServo, FormHlav::PageServo}, Case{FormHlav::PagePowerOut, FormHlav::PagePowerOut},
          Case{9, FormHlav::PageMisc}}) {
        SCOPED_TRACE(k.remembered);
        rememberPage(k.remembered);
        auto deferred = startShownFirst();
        Controls &c = deferred->window.controls();
        EXPECT_EQ(c.frame.PageControl1->currentIndex(), k.shown);
        EXPECT_EQ(built(c.misc), k.shown == FormHlav::PageMisc);
        EXPECT_EQ(built(c.bike), k.shown == FormHlav::PageBike);
        EXPECT_EQ(built(c.advance), k.shown == FormHlav::PageAdvance);
        EXPECT_EQ(built(c.servo), k.shown == FormHlav::PageServo);
        EXPECT_EQ(built(c.powerOut), k.shown == FormHlav::PagePowerOut);
        EXPECT_FALSE(deferred->window.started());
        EXPECT_FALSE(deferred->port.isOpen()) << "no tick or job before every page is there";
        EXPECT_TRUE(deferred->dialogs.messages.empty());

        deferred->window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&deferred->window));
        QTRY_VERIFY_WITH_TIMEOUT(deferred->window.started(), 2000);
        EXPECT_TRUE(built(c.misc) && built(c.bike) && built(c.advance) && built(c.servo) && built(c.powerOut));
        EXPECT_TRUE(deferred->port.isOpen());
        EXPECT_TRUE(c.bike.LabelFile2->text().endsWith(QStringLiteral("track.ign")));

        WindowRig whole(folder.path());
        whole.start();
        EXPECT_EQ(differences(deferred->window, whole.window), "");
        EXPECT_EQ(deferred->window.image().parameters, whole.window.image().parameters);
        EXPECT_EQ(deferred->window.history().newestIndex(), whole.window.history().newestIndex())
            << "building the rest took no history step";
        EXPECT_FALSE(deferred->window.history().canUndo());
    }
}

TEST_F(DeferredStartTest, InputBeforeThePaintFindsEveryPageBuilt)
{
    auto rig = startShownFirst(); // the map page was shown last
    Controls &c = rig->window.controls();
    ASSERT_FALSE(built(c.servo));
    rig->window.show(); // and no event handled yet: the first paint has not happened
    QTabBar *tabs = c.frame.PageControl1->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(FormHlav::PageServo).center());
    EXPECT_TRUE(rig->window.started());
    ASSERT_TRUE(built(c.servo));
    EXPECT_EQ(c.frame.PageControl1->currentIndex(), FormHlav::PageServo);
    for (std::size_t k = 0; k < Points; ++k)
        EXPECT_EQ(c.servo.EditRpmPriv[k]->value(), toShown(*fieldAt(field::ServoRpm(static_cast<int>(k))),
                                                           rig->window.image()[field::ServoRpm(static_cast<int>(k))]));

    // The typed cell of the run before, then a key on the map: one edit, as always.
    EXPECT_EQ(c.advance.EditCell[3][4]->value(), 27);
    const auto steps = rig->window.history().newestIndex();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(FormHlav::PageAdvance).center());
    NumericField *cell = c.advance.EditCell[3][4];
    cell->setFocus();
    cell->edit()->selectAll();
    QTest::keyClicks(cell->edit(), QStringLiteral("28"));
    QTest::keyClick(cell->edit(), Qt::Key_Return);
    EXPECT_EQ(c.advance.EditCell[3][4]->value(), 28);
    EXPECT_EQ(rig->window.history().newestIndex(), steps + 1);
}

TEST_F(DeferredStartTest, AKeyOrACloseFirstFinishesTheStart)
{
    {
        auto rig = startShownFirst();
        rig->window.show();
        QTest::keyClick(&rig->window, Qt::Key_Tab);
        EXPECT_TRUE(rig->window.started());
    }
    {
        auto rig = startShownFirst();
        rig->window.show();
        rig->window.close();
        EXPECT_TRUE(rig->window.started());
        // What was kept at the close came from every control: the typed cell is there.
        WindowRig next(folder.path());
        next.start();
        EXPECT_EQ(next.window.controls().advance.EditCell[3][4]->value(), 27);
    }
}

} // namespace
