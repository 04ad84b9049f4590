#include "editor/pages/page_builders.h"
#include "editor/widgets/mouse_up_check_box.h"
#include "editor/widgets/numeric_field.h"
#include "editor/widgets/radio_group.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>

namespace talviro6 {
namespace {

QFrame *makeBevel(QWidget *parent, const QString &name, QFrame::Shape shape, QRect geometry)
{
    auto *bevel = new QFrame(parent);
    bevel->setObjectName(name);
    bevel->setFrameShape(shape);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(geometry);
    bevel->lower(); // under the fields and boxes that sit on its ends
    return bevel;
}

} // namespace

PowerOutPage BuildPowerOutPage(QWidget *page, int width, int height)
{
    PowerOutPage p;
    const int rowHeight = height / 3;
    for (std::size_t n = 0; n < Outputs; ++n) {
        const int top = rowHeight * static_cast<int>(n);
        const QString number = QString::number(n + 1);
        const QString index = QStringLiteral("[") + QString::number(n) + QStringLiteral("]");

        auto *mode = new RadioGroup(QStringLiteral("RadioGroupPOut") + index, 5, page);
        mode->setGeometry(3, top, 140, rowHeight - 2);
        mode->setTitle(QStringLiteral("Mode power out ") + number);
        mode->setItems({QStringLiteral("Off"), QStringLiteral("Fuel pump"), QStringLiteral("Pilot light"),
                        QStringLiteral("Power jet Honda"), QStringLiteral("Special")});
        p.RadioGroupPOut[n] = mode;

        auto *map = new QGroupBox(QStringLiteral("Map power out ") + number, page);
        map->setObjectName(QStringLiteral("GroupBoxPOut") + index);
        map->setGeometry(150, top, width - 150 - 4, rowHeight - 2);
        p.GroupBoxPOut[n] = map;

        p.LabelPOutRpm[n] = makeLabel(map, QStringLiteral("LabelPOutRpm") + index, 94, 22, QStringLiteral("Rpm"));
        p.LabelPOutTps[n] = makeLabel(map, QStringLiteral("LabelPOutTps") + index, 33, 34, QStringLiteral("Tps"));
        p.LabelPOutRpm[n]->adjustSize();
        p.LabelPOutTps[n]->adjustSize();

        for (std::size_t k = 0; k < field::PowerOutRpmThresholds; ++k) {
            const int kk = static_cast<int>(k);
            auto *edit = new NumericField(
                QStringLiteral("POutRpm") + index + QStringLiteral("[") + QString::number(k) + QStringLiteral("]"),
                rangeOf(field::PowerOutRpm(static_cast<int>(n), kk), 2000 * (kk + 1)), 48, map);
            edit->place(165 + 100 * kk, 20);
            edit->setGroupSeparatorShown(true);
            edit->fitDigits();
            p.EditPOutRpm[n][k] = edit;
        }
        for (std::size_t k = 0; k < field::PowerOutTpsThresholds; ++k) {
            const int kk = static_cast<int>(k);
            auto *edit = new NumericField(QStringLiteral("POutTps") + index + QStringLiteral("[") + QString::number(k) +
                                              QStringLiteral("]"),
                                          rangeOf(field::PowerOutTps(static_cast<int>(n), kk), 30 * (kk + 1)), 30, map);
            edit->place(33, 68 + 33 * kk);
            edit->setGroupSeparatorShown(true);
            edit->fitDigits();
            p.EditPOutTps[n][k] = edit;
        }
        for (std::size_t r = 0; r < field::PowerOutRows; ++r) {
            for (std::size_t c = 0; c < field::PowerOutColumns; ++c) {
                auto *cell = new MouseUpCheckBox(map);
                cell->setObjectName(QStringLiteral("CheckBoxPOut") + index + QStringLiteral("[") + QString::number(r) +
                                    QStringLiteral("][") + QString::number(c) + QStringLiteral("]"));
                cell->setGeometry(130 + 100 * static_cast<int>(c), 56 + 33 * static_cast<int>(r), 20, 20);
                p.CheckBoxPOut[n][r][c] = cell;
            }
        }
        for (std::size_t k = 0; k < field::PowerOutRpmThresholds; ++k) {
            const int x = p.EditPOutRpm[n][k]->x() + 20;
            const int y = p.EditPOutTps[n][0]->y() - 14;
            p.BevelPOutRpm[n][k] = makeBevel(map,
                                             QStringLiteral("BevelPOutRpm") + index + QStringLiteral("[") +
                                                 QString::number(k) + QStringLiteral("]"),
                                             QFrame::VLine, QRect(x, y, 4, 90));
        }
        for (std::size_t k = 0; k < field::PowerOutTpsThresholds; ++k) {
            const int x = p.LabelPOutRpm[n]->x();
            const int y = p.EditPOutTps[n][k]->y() + 10;
            p.BevelPOutTps[n][k] = makeBevel(map,
                                             QStringLiteral("BevelPOutTps") + index + QStringLiteral("[") +
                                                 QString::number(k) + QStringLiteral("]"),
                                             QFrame::HLine, QRect(x, y, 380, 4));
        }
    }
    return p;
}

} // namespace talviro6
