#include "editor/pages/page_builders.h"
#include "editor/widgets/drop_down_list.h"
#include "editor/widgets/mouse_up_check_box.h"
#include "editor/widgets/numeric_field.h"

#include <QGroupBox>
#include <QLabel>

namespace talviro6 {
namespace {

DropDownList *makeList(QWidget *parent, const QString &name, int x, int y, int width, int rows, int items)
{
    auto *list = new DropDownList(name, items, parent);
    list->setGeometry(x, y, width, 22);
    list->setMaxVisibleItems(rows);
    return list;
}

MouseUpCheckBox *makeFlag(QWidget *parent, const QString &name, int x, int y)
{
    auto *box = new MouseUpCheckBox(parent);
    box->setObjectName(name);
    box->setGeometry(x, y, 20, 20);
    return box;
}

ChannelControls buildChannel(QWidget *special, int c, int y)
{
    const QString n = QString::number(c);
    ChannelControls ch;
    ch.GroupBoxPalec = new QGroupBox(special);
    ch.GroupBoxPalec->setObjectName(QStringLiteral("GroupBoxPalec") + n);
    ch.GroupBoxPalec->setGeometry(8, y, 377, 80);
    auto *box = ch.GroupBoxPalec;
    const QString zac = QStringLiteral("Palec") + n + QStringLiteral("Zac");
    const QString end = QStringLiteral("Palec") + n + QStringLiteral("End");
    ch.LabelPalecZac = makeLabel(box, QStringLiteral("Label") + zac, 10, 24);
    ch.EditPalecZac = new NumericField(zac, rangeOf(field::MaxAdvLobe(c - 1), 40), 30, box);
    ch.EditPalecZac->place(150, 21);
    ch.CheckBoxPalecZacH2 = makeFlag(box, QStringLiteral("CheckBox") + zac + QStringLiteral("H2"), 232, 22);
    ch.CheckBoxPalecZacP2 = makeFlag(box, QStringLiteral("CheckBox") + zac + QStringLiteral("P2"), 312, 22);
    ch.LabelPalecEnd = makeLabel(box, QStringLiteral("Label") + end, 10, 52);
    ch.EditPalecEnd = new NumericField(end, rangeOf(field::StartAdvLobe(c - 1), 40), 30, box);
    ch.EditPalecEnd->place(150, 49);
    ch.CheckBoxPalecEndH2 = makeFlag(box, QStringLiteral("CheckBox") + end + QStringLiteral("H2"), 232, 50);
    ch.CheckBoxPalecEndP2 = makeFlag(box, QStringLiteral("CheckBox") + end + QStringLiteral("P2"), 312, 50);
    return ch;
}

} // namespace

BikePage buildBikePage(QWidget *page)
{
    BikePage p;
    p.LabelBike = makeLabel(page, QStringLiteral("LabelBike"), 8, 8);
    p.ComboBoxBike = makeList(page, QStringLiteral("ComboBoxBike"), 8, 26, 241, 40, 6);
    // Items 1 to 3 read the same in every language.
    p.ComboBoxBike->setItemText(1, QStringLiteral("Standard  (2 lobe  per revol., 1 or 2 pick-up) "));
    p.ComboBoxBike->setItemText(2, QStringLiteral("Standard  (3 lobe  per revol., 1 pick-up) "));
    p.ComboBoxBike->setItemText(3, QStringLiteral("Standard  (1 lobe 2  rev. (CMPS), 1 or 2 pick-up) "));

    p.GroupBoxRpm = new QGroupBox(page);
    p.GroupBoxRpm->setObjectName(QStringLiteral("GroupBoxRpm"));
    // 249 wide beside the 393 of the synchronisation box on a 645 page: it starts at 2
    // so the two frames do not overlap.
    p.GroupBoxRpm->setGeometry(2, 60, 249, 113);
    p.EditRpmPulsu = new NumericField(QStringLiteral("RpmPulsu"), rangeOf(field::TachoPulses, 1), 42, p.GroupBoxRpm);
    p.EditRpmPulsu->place(18, 30);
    p.LabelRpmPulsu = makeLabel(p.GroupBoxRpm, QStringLiteral("LabelRpmPulsu"), 84, 33);
    p.EditRpmKorekce =
        new NumericField(QStringLiteral("RpmKorekce"), rangeOf(field::TachoCorrection, 0), 42, p.GroupBoxRpm);
    p.EditRpmKorekce->place(18, 70);
    p.LabelRpmKorekce = makeLabel(p.GroupBoxRpm, QStringLiteral("LabelRpmKorekce"), 84, 73);

    p.CheckBoxInvInput1 = new MouseUpCheckBox(page);
    p.CheckBoxInvInput1->setObjectName(QStringLiteral("CheckBoxInvInput1"));
    p.CheckBoxInvInput1->setGeometry(8, 186, 240, 20);
    p.CheckBoxInvInput2 = new MouseUpCheckBox(page);
    p.CheckBoxInvInput2->setObjectName(QStringLiteral("CheckBoxInvInput2"));
    p.CheckBoxInvInput2->setGeometry(8, 210, 240, 20);

    p.LabelVerze1 = makeLabel(page, QStringLiteral("LabelVerze1"), 8, 250);
    p.LabelVerze2 = makeLabel(page, QStringLiteral("LabelVerze2"), 8, 274);
    p.LabelVerze2->setFont(pixelFont(13));
    p.LabelVerze3 = makeLabel(page, QStringLiteral("LabelVerze3"), 8, 298);
    for (auto *label : {p.LabelVerze1, p.LabelVerze2, p.LabelVerze3})
        label->resize(240, 20);

    p.GroupBoxSpecial = new QGroupBox(page);
    p.GroupBoxSpecial->setObjectName(QStringLiteral("GroupBoxSpecial"));
    p.GroupBoxSpecial->setGeometry(PageClientWidth - 393, 0, 393, PageClientHeight);
    auto *special = p.GroupBoxSpecial;
    p.LabelSynchro = makeLabel(special, QStringLiteral("LabelSynchro"), 10, 22);
    p.ComboBoxSynchro = makeList(special, QStringLiteral("ComboBoxSynchro"), 10, 40, 353, 20, 7);
    p.EditPocPalcu = new NumericField(QStringLiteral("PocPalcu"), rangeOf(field::LobeCount, 40), 30, special);
    p.EditPocPalcu->place(10, 74);
    p.EditPocKanalu = new NumericField(QStringLiteral("PocKanalu"), rangeOf(field::ChannelCount, 2), 30, special);
    p.EditPocKanalu->place(192, 74);
    // The two captions share the row with their fields and wrap onto a second line
    // where a language needs it, rather than run into the next field or the frame.
    p.LabelPocPalcu = makeLabel(special, QStringLiteral("LabelPocPalcu"), 62, 68);
    p.LabelPocKanalu = makeLabel(special, QStringLiteral("LabelPocKanalu"), 244, 68);
    for (auto *label : {p.LabelPocPalcu, p.LabelPocKanalu}) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    p.LabelPocPalcu->resize(124, 34);
    p.LabelPocKanalu->resize(140, 34);

    // Column headings over the edits and the two check-box columns of the channels.
    p.LabelLobe = makeLabel(special, QStringLiteral("LabelLobe"), 160, 108);
    p.LabelHrana2 = makeLabel(special, QStringLiteral("LabelHrana2"), 222, 108);
    p.LabelSnimac2 = makeLabel(special, QStringLiteral("LabelSnimac2"), 296, 108);
    p.channel[0] = buildChannel(special, 1, 126);
    p.channel[1] = buildChannel(special, 2, 212);

    p.ComboBoxNasobekPalcu = makeList(special, QStringLiteral("ComboBoxNasobekPalcu"), 10, 304, 233, 30, 4);
    p.LabelFile1 = makeLabel(special, QStringLiteral("LabelFile1"), 10, 342);
    p.LabelFile2 = makeLabel(special, QStringLiteral("LabelFile2"), 44, 342, QStringLiteral("----------"));
    p.LabelFile2->resize(340, 18);
    p.LabelPocetProgramovani = makeLabel(special, QStringLiteral("LabelPocetProgramovani"), 10, 366);
    p.LabelPocetProgramovani->resize(360, 18);
    p.LabelPocetProgramovani->hide();

    p.EditKompenz1 = new NumericField(QStringLiteral("Kompenz1"), rangeOf(field::Compensation1, 40), 36, special);
    p.EditKompenz1->place(10, 430);
    p.EditKompenz2 = new NumericField(QStringLiteral("Kompenz2"), rangeOf(field::Compensation2, 40), 36, special);
    p.EditKompenz2->place(68, 430);
    p.LabelKompenz = makeLabel(special, QStringLiteral("LabelKompenz"), 128, 433);
    return p;
}

} // namespace talviro6
