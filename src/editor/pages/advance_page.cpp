#include "editor/pages/page_builders.h"
#include "editor/widgets/arrow_pair.h"
#include "editor/widgets/mouse_up_check_box.h"
#include "editor/widgets/numeric_field.h"

#include <QGroupBox>
#include <QLabel>

namespace talviro6 {

AdvancePage buildAdvancePage(QWidget *page)
{
    AdvancePage p;
    p.GroupBox6 = new QGroupBox(page);
    p.GroupBox6->setObjectName(QStringLiteral("GroupBox6"));
    p.GroupBox6->setGeometry(0, 0, PageClientWidth, PageClientHeight);
    auto *box = p.GroupBox6;

    p.LabelRpmAdv = makeLabel(box, QStringLiteral("LabelRpmAdv"), 8, 32, QStringLiteral("RPM"));
    for (std::size_t c = 0; c < Points; ++c) {
        const int value = 1000 * static_cast<int>(c + 1);
        auto *edit = new NumericField(QStringLiteral("RpmAdv") + QString::number(c + 1),
                                      rangeOf(field::AdvanceRpm(static_cast<int>(c)), value), 40, box);
        edit->place(ColumnX[c], 29);
        p.EditRpmAdv[c] = edit;
    }

    static const char *const rowCaptions[Points] = {"0%", "2%", "5%", "10%", "20%", "30%", "40%", "60%", "80%", "100%"};
    for (std::size_t r = 0; r < Points; ++r) {
        const int y = 69 + 33 * static_cast<int>(r);
        auto *label = makeLabel(box, QStringLiteral("LabelTps") + QString::number(r + 1), 2, y + 4,
                                QString::fromLatin1(rowCaptions[r]));
        label->resize(38, 16);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        p.LabelTps[r] = label;
        for (std::size_t c = 0; c < Points; ++c) {
            const int number = 50 + 10 * static_cast<int>(r) + static_cast<int>(c);
            auto *cell =
                new NumericField(QString::number(number),
                                 rangeOf(field::AdvanceMap(static_cast<int>(r), static_cast<int>(c)), 20), 30, box);
            cell->place(ColumnX[c] + 7, y);
            p.EditCell[r][c] = cell;
        }
    }

    const int stepY = 69 + 33 * static_cast<int>(Points);
    for (std::size_t c = 0; c < Points; ++c) {
        auto *pair = new ArrowPair(QStringLiteral("CSpinButton") + QString::number(c + 1), 15, 21, box);
        pair->move(ColumnX[c] + 19, stepY - 4);
        p.CSpinButton[c] = pair;
    }

    const int bottomY = stepY + 30;
    p.CheckBoxTpsMapa = new MouseUpCheckBox(QStringLiteral("TPS"), box);
    p.CheckBoxTpsMapa->setObjectName(QStringLiteral("CheckBoxTpsMapa"));
    p.CheckBoxTpsMapa->setGeometry(8, bottomY + 2, 48, 20);
    p.CSpinButtonAll = new ArrowPair(QStringLiteral("CSpinButtonAll"), 20, 25, box);
    p.CSpinButtonAll->move(60, bottomY);
    p.CheckBoxIgnAll = new QCheckBox(box);
    p.CheckBoxIgnAll->setObjectName(QStringLiteral("CheckBoxIgnAll"));
    p.CheckBoxIgnAll->setGeometry(88, bottomY + 2, 50, 20);
    p.EditBaseAdv = new NumericField(QStringLiteral("BaseAdv"), rangeOf(field::BaseAdvance, 40), 30, box);
    p.EditBaseAdv->place(150, bottomY + 2);
    p.LabelBaseAdv = makeLabel(box, QStringLiteral("LabelBaseAdv"), 202, bottomY + 5);
    p.EditKorekceAdv1 =
        new NumericField(QStringLiteral("KorekceAdv1"), rangeOf(field::AdvanceCorrection1, 20), 30, box);
    p.EditKorekceAdv1->place(340, bottomY + 2);
    p.EditKorekceAdv2 =
        new NumericField(QStringLiteral("KorekceAdv2"), rangeOf(field::AdvanceCorrection2, 20), 30, box);
    p.EditKorekceAdv2->place(392, bottomY + 2);
    p.LabelKorekceAdv = makeLabel(box, QStringLiteral("LabelKorekceAdv"), 446, bottomY + 5);
    return p;
}

} // namespace talviro6
