#include "app/screenshots.h"

#include "app/dwell_screenshots.h"
#include "app/recording_screenshots.h"

#include "editor/compare/form_compare.h"
#include "editor/controls.h"
#include "editor/form_hlav.h"
#include "editor/map_selection.h"
#include "model/fields.h"
#include "texts/form_about.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>

namespace talviro6 {
namespace {

constexpr int SettleMilliseconds = 3000; ///< long enough for a few live frames and an operating point

bool save(QWidget *widget, const QString &path)
{
    const bool ok = widget->grab().save(path, "PNG");
    std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

} // namespace

void takeScreenshotsLater(FormHlav &window, const QString &dir)
{
    // The unit is read first, so that the Compare window has its last known set.
    QTimer::singleShot(SettleMilliseconds / 3, &window, [&window] { window.MenuReadClick(); });
    QTimer::singleShot(SettleMilliseconds, &window, [&window, dir] {
        QDir().mkpath(dir);
        auto *pages = window.controls().frame.PageControl1;
        bool ok = true;
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            QApplication::processEvents();
            const QString name = pages->widget(i)->objectName(); // the same in every language
            ok = save(&window, QDir(dir).filePath(QStringLiteral("page-%1-%2.png").arg(i + 1).arg(name))) && ok;
        }
        pages->setCurrentIndex(2);
        QApplication::processEvents();
        ok = save(&window, QDir(dir).filePath(QStringLiteral("window.png"))) && ok;
        // The About window as it shows over the window, in the language in use.
        FormAbout *about = window.about();
        about->show();
        QApplication::processEvents();
        ok = save(about, QDir(dir).filePath(QStringLiteral("about.png"))) && ok;
        about->hide();
        // The Compare window after two edits: the editor against the unit.
        EditSession &session = window.session();
        session.edit(
            [](UnitImage &image) {
                image[field::Retard] = static_cast<std::uint8_t>(image[field::Retard] + 3);
                image[field::AdvanceMap(5, 4)] = static_cast<std::uint8_t>(image[field::AdvanceMap(5, 4)] + 4);
            },
            EditFrom::Image);
        FormCompare *compare = window.compareWindow();
        compare->reload();
        compare->show();
        QApplication::processEvents();
        ok = save(compare, QDir(dir).filePath(QStringLiteral("compare.png"))) && ok;
        compare->hide();
        ok = takeDwellScreenshots(window, dir) && ok;
        // The advance page with the whole map and a block selected on it; then as it was.
        const std::uint8_t tpsMap = session.image()[field::TpsMapEnable];
        session.edit([](UnitImage &image) { image[field::TpsMapEnable] = 1; }, EditFrom::Image);
        pages->setCurrentWidget(window.controls().frame.TabSheetAdvance);
        window.mapSelection()->setBlock(MapBlock{3, 2, 6, 5});
        QApplication::processEvents();
        ok = save(&window, QDir(dir).filePath(QStringLiteral("map-block.png"))) && ok;
        window.mapSelection()->setBlock(std::nullopt);
        session.edit([tpsMap](UnitImage &image) { image[field::TpsMapEnable] = tpsMap; }, EditFrom::Image);
        takeRecordingScreenshotsThenQuit(window, dir, ok);
    });
}

} // namespace talviro6
