#include "picture_session.h"

#include "editor/compare/form_compare.h"
#include "editor/controls.h"
#include "editor/form_hlav.h"
#include "editor/map_selection.h"
#include "model/fields.h"
#include "editor/about/form_about.h"

#include <QTabWidget>

namespace talviro6 {

bool takeWindowPictures(PictureSession &session)
{
    FormHlav &window = session.window();
    // The unit is read first, so that the Compare window has its last known set;
    // a few seconds of live data then give the read-outs and an operating point.
    session.run(ticksFor(1000));
    window.MenuReadClick();
    session.run(ticksFor(2000));

    auto *pages = window.controls().frame.PageControl1;
    bool ok = true;
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        const QString name = pages->widget(i)->objectName(); // the same in every language
        ok = session.save(&window, QStringLiteral("page-%1-%2").arg(i + 1).arg(name)) && ok;
    }
    pages->setCurrentIndex(2);
    ok = session.save(&window, QStringLiteral("window")) && ok;
    // The About window as it shows over the window, in the language in use.
    FormAbout *about = window.about();
    about->show();
    ok = session.save(about, QStringLiteral("about")) && ok;
    about->hide();
    // The Compare window after two edits: the editor against the unit.
    window.session().edit(
        [](UnitImage &image) {
            image[field::Retard] = static_cast<std::uint8_t>(image[field::Retard] + 3);
            image[field::AdvanceMap(5, 4)] = static_cast<std::uint8_t>(image[field::AdvanceMap(5, 4)] + 4);
        },
        EditFrom::Image);
    FormCompare *compare = window.compareWindow();
    compare->reload();
    compare->show();
    ok = session.save(compare, QStringLiteral("compare")) && ok;
    compare->hide();
    return ok;
}

bool takeMapBlockPicture(PictureSession &session)
{
    // The advance page with the whole map and a block selected on it; then as it was.
    FormHlav &window = session.window();
    EditSession &edits = window.session();
    const std::uint8_t tpsMap = edits.image()[field::TpsMapEnable];
    edits.edit([](UnitImage &image) { image[field::TpsMapEnable] = 1; }, EditFrom::Image);
    window.controls().frame.PageControl1->setCurrentWidget(window.controls().frame.TabSheetAdvance);
    window.mapSelection()->setBlock(MapBlock{3, 2, 6, 5});
    const bool ok = session.save(&window, QStringLiteral("map-block"));
    window.mapSelection()->setBlock(std::nullopt);
    edits.edit([tpsMap](UnitImage &image) { image[field::TpsMapEnable] = tpsMap; }, EditFrom::Image);
    return ok;
}

} // namespace talviro6
