#include "editor/pages/page_builders.h"
#include "editor/widgets/numeric_field.h"
#include "editor/widgets/radio_group.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace talviro6 {

MiscPage buildMiscPage(QWidget *page)
{
    MiscPage p;
    struct Single {
        NumericField *MiscPage::*edit;
        QLabel *MiscPage::*label;
        const char *stem;
        int offset;
        int initial;
    };
    const Single singles[] = {
        {&MiscPage::EditOmez1, &MiscPage::LabelOmez1, "Omez1", field::StartLimiter, 15000},
        {&MiscPage::EditOmez2, &MiscPage::LabelOmez2, "Omez2", field::Limiter, 15000},
        {&MiscPage::EditClutchTime, &MiscPage::LabelClutchTime, "ClutchTime", field::ClutchTime, 0},
        {&MiscPage::EditClutchPause, &MiscPage::LabelClutchPause, "ClutchPause", field::ClutchPause, 0},
        {&MiscPage::EditRetard, &MiscPage::LabelRetard, "Retard", field::Retard, 0},
        {&MiscPage::EditPocSynchro, &MiscPage::LabelPocSynchro, "PocSynchro", field::StartRevolutions, 40},
    };
    int y = 16;
    for (const auto &s : singles) {
        const QString stem = QString::fromLatin1(s.stem);
        auto *edit = new NumericField(stem, rangeOf(s.offset, s.initial), 50, page);
        edit->place(16, y);
        p.*s.edit = edit;
        p.*s.label = makeLabel(page, QStringLiteral("Label") + stem, 90, y + 3);
        y += 33;
    }

    p.GroupBoxTps = new QGroupBox(QStringLiteral("TPS"), page);
    p.GroupBoxTps->setObjectName(QStringLiteral("GroupBoxTps"));
    p.GroupBoxTps->setGeometry(330, 8, 305, 92);
    p.LabelTps0 = makeLabel(p.GroupBoxTps, QStringLiteral("LabelTps0"), 10, 27, QStringLiteral("0%  [mV]"));
    p.EditTps0 = new NumericField(QStringLiteral("Tps0"), rangeOf(field::Tps0Voltage, 300), 40, p.GroupBoxTps);
    p.EditTps0->place(86, 24);
    p.BitBtnTps0 = new QPushButton(QStringLiteral("Set TPS 0 %"), p.GroupBoxTps);
    p.BitBtnTps0->setObjectName(QStringLiteral("BitBtnTps0"));
    p.BitBtnTps0->setGeometry(160, 22, 130, 25);
    p.LabelTps100 = makeLabel(p.GroupBoxTps, QStringLiteral("LabelTps100"), 10, 60, QStringLiteral("100%  [mv]"));
    p.EditTps100 = new NumericField(QStringLiteral("Tps100"), rangeOf(field::Tps100Voltage, 2500), 40, p.GroupBoxTps);
    p.EditTps100->place(86, 57);
    p.BitBtnTps100 = new QPushButton(QStringLiteral("Set TPS 100 %"), p.GroupBoxTps);
    p.BitBtnTps100->setObjectName(QStringLiteral("BitBtnTps100"));
    p.BitBtnTps100->setGeometry(160, 55, 130, 25);
    for (auto *single : {p.EditOmez1, p.EditOmez2, p.EditClutchTime, p.EditClutchPause, p.EditTps0, p.EditTps100}) {
        single->setGroupSeparatorShown(true);
        single->fitDigits();
    }

    p.RadioGroupInput1 = new RadioGroup(QStringLiteral("RadioGroupInput1"), 5, page);
    p.RadioGroupInput1->setGeometry(16, 240, 289, 140);
    p.RadioGroupInput2 = new RadioGroup(QStringLiteral("RadioGroupInput2"), 5, page);
    p.RadioGroupInput2->setGeometry(330, 240, 289, 140);
    p.LabelMonInput1In = makeLabel(page, QStringLiteral("LabelMonInput1In"), 20, 388);
    p.LabelMonInput2In = makeLabel(page, QStringLiteral("LabelMonInput2In"), 334, 388);
    for (auto *label : {p.LabelMonInput1In, p.LabelMonInput2In}) {
        label->setFont(pixelFont(13));
        label->resize(280, 20);
    }
    return p;
}

} // namespace talviro6
