#include "editor/pages/page_builders.h"
#include "editor/widgets/mouse_up_check_box.h"
#include "editor/widgets/numeric_field.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace talviro6 {

ServoPage buildServoPage(QWidget *page)
{
    ServoPage p;
    p.CheckBoxPrivEnable = new MouseUpCheckBox(page);
    p.CheckBoxPrivEnable->setObjectName(QStringLiteral("CheckBoxPrivEnable"));
    p.CheckBoxPrivEnable->setGeometry(8, 8, 200, 20);

    // At the page's left edge, so the columns line up with those of the advance map.
    p.GroupBoxPrivera = new QGroupBox(page);
    p.GroupBoxPrivera->setObjectName(QStringLiteral("GroupBoxPrivera"));
    p.GroupBoxPrivera->setGeometry(0, 36, 641, 201);
    auto *box = p.GroupBoxPrivera;

    p.Label6 = makeLabel(box, QStringLiteral("Label6"), 8, 35, QStringLiteral("RPM"));
    p.Label5 = makeLabel(box, QStringLiteral("Label5"), 8, 79, QStringLiteral("[mV]"));
    static const int rpmValues[Points] = {1000, 2000, 3000, 4000, 6000, 8000, 10000, 12000, 14000, 16000};
    for (std::size_t i = 0; i < Points; ++i) {
        const QString n = QString::number(i + 1);
        const int ii = static_cast<int>(i);
        p.EditRpmPriv[i] =
            new NumericField(QStringLiteral("RpmPriv") + n, rangeOf(field::ServoRpm(ii), rpmValues[i]), 40, box);
        p.EditRpmPriv[i]->place(ColumnX[i], 32);
        p.EditNapPriv[i] =
            new NumericField(QStringLiteral("NapPriv") + n, rangeOf(field::ServoVoltage(ii), 100), 40, box);
        p.EditNapPriv[i]->place(ColumnX[i], 76);
    }

    p.EditPrivHyster = new NumericField(QStringLiteral("PrivHyster"), rangeOf(field::ServoHysteresis, 300), 42, box);
    p.EditPrivHyster->place(ColumnX[0], 140);
    p.EditPrivHyster->setGroupSeparatorShown(true);
    p.EditPrivHyster->fitDigits();
    p.LabelServoHyster = makeLabel(box, QStringLiteral("LabelServoHyster"), ColumnX[0] + 64, 143);

    p.BitBtnServoMinus = new QPushButton(QStringLiteral("-"), box);
    p.BitBtnServoMinus->setObjectName(QStringLiteral("BitBtnServoMinus"));
    p.BitBtnServoMinus->setGeometry(ColumnX[6], 140, 20, 20);
    p.BitBtnServoPlus = new QPushButton(QStringLiteral("+"), box);
    p.BitBtnServoPlus->setObjectName(QStringLiteral("BitBtnServoPlus"));
    p.BitBtnServoPlus->setGeometry(ColumnX[6] + 24, 140, 20, 20);
    for (auto *button : {p.BitBtnServoMinus, p.BitBtnServoPlus}) {
        button->setFont(pixelFont(19));
        button->setFocusPolicy(Qt::NoFocus);
    }
    p.CheckBoxServoAll = new QCheckBox(box);
    p.CheckBoxServoAll->setObjectName(QStringLiteral("CheckBoxServoAll"));
    p.CheckBoxServoAll->setGeometry(ColumnX[6] + 54, 140, 60, 20);
    return p;
}

} // namespace talviro6
