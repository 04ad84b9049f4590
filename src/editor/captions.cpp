#include "editor/captions.h"

#include "editor/widgets/arrow_pair.h"
#include "editor/widgets/mouse_up_check_box.h"
#include "editor/widgets/radio_group.h"
#include "texts/kept_texts.h"

#include "editor/widgets/drop_down_list.h"
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

namespace talviro6 {
namespace {

QString text(const KeptTexts &texts, TextRole role)
{
    return QString::fromStdString(texts[role]);
}

void caption(QLabel *label, const QString &text)
{
    label->setText(text);
    // A wrapping caption keeps the box its page gave it.
    if (!label->wordWrap())
        label->adjustSize();
}

void caption(QAbstractButton *button, const QString &text)
{
    button->setText(text);
}

void items(QComboBox *list, std::initializer_list<std::pair<int, const char *>> texts)
{
    for (const auto &[index, t] : texts)
        list->setItemText(index, QString::fromUtf8(t));
}

void applyMenuCaptions(MainMenu &m)
{
    m.MenuFile->setTitle(QStringLiteral("&File"));
    m.MenuNew->setText(QStringLiteral("&New"));
    m.MenuOpen->setText(QStringLiteral("&Open"));
    m.MenuOpenExeDir->setText(QStringLiteral("Open from exe dir"));
    m.MenuSave->setText(QStringLiteral("&Save"));
    m.MenuSaveExeDir->setText(QStringLiteral("Save to exe dir"));
    m.MenuPrint->setText(QStringLiteral("&Print"));
    m.MenuPrintAll->setText(QStringLiteral("Print all"));
    m.MenuExit->setText(QStringLiteral("E&xit"));
    m.MenuCom->setTitle(QStringLiteral("&Com"));
    m.MenuDevice->setTitle(QStringLiteral("&Ignition"));
    m.MenuRead->setText(QStringLiteral("&Read"));
    m.MenuVerify->setText(QStringLiteral("&Verify"));
    m.MenuProgram->setText(QStringLiteral("&Program"));
    m.MenuTools->setTitle(QStringLiteral("Tools"));
    m.AdvanceMinus->setText(QStringLiteral("Advance -"));
    m.AdvancePlus->setText(QStringLiteral("Advance +"));
    m.MenuZpet->setText(QStringLiteral("Undo"));
    m.MenuZnovu->setText(QStringLiteral("Redo"));
    m.MenuLanguage->setTitle(QStringLiteral("&Language"));
    m.MenuEnglish->setText(QStringLiteral("&English"));
    m.MenuGerman->setText(QStringLiteral("&German"));
    m.MenuFrench->setText(QStringLiteral("&French"));
    m.MenuCzech->setText(QStringLiteral("&Czech"));
    m.MenuHelp->setTitle(QStringLiteral("&Help"));
    m.MenuContens->setText(QStringLiteral("&Contents..."));
    m.MenuAbout->setText(QStringLiteral("&About..."));

    setHint(m.MenuNew, QStringLiteral("Set default parameters "));
    setHint(m.MenuOpen, QStringLiteral("Open file with parametrs"));
    setHint(m.MenuSave, QStringLiteral("Save parametrs to file"));
    setHint(m.MenuPrint, QStringLiteral("Print parametrs"));
    setHint(m.MenuRead, QStringLiteral("Reading parametrs from ignition"));
    setHint(m.MenuVerify, QStringLiteral("Compare set parametrs  with parametrs of ignition"));
    setHint(m.MenuProgram, QStringLiteral("Programing  set parametrs to ignition"));
    setHint(m.MenuExit, QStringLiteral("End of program"));
    setHint(m.MenuCom->menuAction(), QStringLiteral("Set number of com"));
    setHint(m.MenuLanguage->menuAction(), QStringLiteral("Set English or German or French or Czech "));
    setHint(m.MenuHelp->menuAction(), QStringLiteral("Not available jet"));
    setHint(m.AdvanceMinus, QStringLiteral("Curve A minus|Take off 1 degree of curve A"));
    setHint(m.AdvancePlus, QStringLiteral("Curve A plus|Add 1 degree of curve A"));
    setHint(m.MenuEnglish, QStringLiteral("Set English menu"));
    setHint(m.MenuGerman, QStringLiteral("Deutsches Menü"));
    setHint(m.MenuFrench, QStringLiteral("Installer en Francais "));
    setHint(m.MenuCzech, QStringLiteral("Nastavit české menu"));
}

void applyFrameCaptions(WindowFrame &f, const KeptTexts &texts)
{
    auto &t = f.toolBar;
    setHint(t.SpeedButton6, QStringLiteral("Set default parametrs"), true);
    setHint(t.SpeedButton5, QStringLiteral("Open file with parametrs"), true);
    setHint(t.SpeedButton7, QStringLiteral("Save parametrs to file"), true);
    setHint(t.SpeedButtonPrint, QStringLiteral("Print parametrs"), true);
    caption(t.ButtonRead, QStringLiteral("&Read"));
    caption(t.BitBtnVerify, QStringLiteral("&Verify"));
    caption(t.BitBtnProgram, QStringLiteral("&Program"));
    setHint(t.ButtonRead, QStringLiteral("Reading parametrs from ignition"), true);
    setHint(t.BitBtnVerify, QStringLiteral("Compare set parametrs  with parametrs of ignition"), true);
    setHint(t.BitBtnProgram, QStringLiteral("Programing  set parametrs to ignition"), true);

    f.LabelSpojeni->setText(QStringLiteral("No connection with PC"));
    f.PageControl1->setTabText(0, QStringLiteral("Miscellaneous"));
    f.PageControl1->setTabText(1, QStringLiteral("Bike"));
    f.PageControl1->setTabText(2, QStringLiteral("Advance Map"));
    f.PageControl1->setTabText(3, QStringLiteral("Servo"));

    auto &m = f.monitor;
    m.LabelRpm->setText(QStringLiteral("RPM = ---"));
    m.LabelTpsMon->setText(QStringLiteral("TP= --- [%]"));
    m.LabelAdvance1->setText(text(texts, TextRole::TextAdvance) + QStringLiteral(" 1 = --- [°]"));
    m.LabelAdvance2->setText(text(texts, TextRole::TextAdvance) + QStringLiteral(" 2 = --- [°]"));
    m.LabelMonSnimac1->setText(text(texts, TextRole::TextPickup) + QStringLiteral(" 1 = ---"));
    m.LabelMonSnimac2->setText(text(texts, TextRole::TextPickup) + QStringLiteral(" 2 = ---"));
    m.LabelNapeti->setText(QStringLiteral("U = --- [V]"));
    m.LabelPriveraPoz->setText(text(texts, TextRole::TextServoDesired) + QStringLiteral(" ---"));
    m.LabelPriveraMer->setText(text(texts, TextRole::TextServoMeasured) + QStringLiteral(" ---"));
    m.LabelBlocking1->setText(text(texts, TextRole::TextBlocking) + QStringLiteral(" - ---"));
    m.LabelClutchMon->setText(text(texts, TextRole::TextClutch) + QStringLiteral(" - ---"));
    m.LabelMonRetard->setText(text(texts, TextRole::TextRetard) + QStringLiteral(": ---"));
    m.LabelMonStartLimiterOut->setText(text(texts, TextRole::TextStartLimiter) + QStringLiteral(": ---"));
    m.LabelKillSwitch->setText(text(texts, TextRole::TextKillSwitch) + QStringLiteral(": ---"));
    for (std::size_t o = 0; o < m.LabelMonPOut.size(); ++o)
        m.LabelMonPOut[o]->setText(text(texts, TextRole::TextSpecialOut) + QStringLiteral(" ") +
                                   QString::number(o + 1) + QStringLiteral(" - ---"));
    caption(m.CheckBoxProgHned, QStringLiteral("Programming after change"));
    setHint(m.CheckBoxProgHned, QStringLiteral("Programing at once after change"), true);
    m.LabelHlaseni->setText(text(texts, TextRole::TextProgramming));
}

void applyMiscCaptions(MiscPage &p, const KeptTexts &texts)
{
    caption(p.LabelOmez1, QStringLiteral("Start limiter [rpm]"));
    caption(p.LabelOmez2, QStringLiteral("Limiter [rpm]"));
    caption(p.LabelClutchTime, QStringLiteral("Clutch master time [ms]"));
    caption(p.LabelClutchPause, QStringLiteral("Clutch master pause [ms]"));
    caption(p.LabelRetard, QStringLiteral("Retard [°]"));
    caption(p.LabelPocSynchro, QStringLiteral("Revolutions without ignition"));
    const QString input = text(texts, TextRole::TextInput);
    p.RadioGroupInput1->setTitle(input + QStringLiteral(" 1"));
    p.RadioGroupInput1->setItems({QStringLiteral("Off"), QStringLiteral("Kill switch"), QStringLiteral("Clutch master"),
                                  QStringLiteral("Retard"), QStringLiteral("Start Limiter")});
    p.RadioGroupInput2->setTitle(input + QStringLiteral(" 2"));
    p.RadioGroupInput2->setItems({QStringLiteral("Off"), QStringLiteral("Blocking"), QStringLiteral("Clutch master"),
                                  QStringLiteral("Retard"), QStringLiteral("Start Limiter")});
    p.LabelMonInput1In->setText(input + QStringLiteral(" 1: ---"));
    p.LabelMonInput2In->setText(input + QStringLiteral(" 2: ---"));
}

void applyBikeCaptions(BikePage &p, const KeptTexts &texts)
{
    caption(p.LabelBike, QStringLiteral("Motorbike type"));
    items(p.ComboBoxBike,
          {{0, "Classic (1 lobe, 1 or 2 pick-up) "}, {4, "Honda NSR 250 MC18 -"}, {5, "Special setting"}});
    setHint(p.ComboBoxBike, QStringLiteral("Type of keying"), true);
    p.GroupBoxRpm->setTitle(QStringLiteral("Tachometer output"));
    caption(p.LabelRpmPulsu, QStringLiteral("Pulses per revolution"));
    caption(p.LabelRpmKorekce, QStringLiteral("Correction [%]"));
    caption(p.CheckBoxInvInput1, QStringLiteral("Inverse polarity of pick-up 1"));
    caption(p.CheckBoxInvInput2, QStringLiteral("Inverse polarity of pick-up 2"));
    setHint(p.LabelVerze1, QStringLiteral("Version of program in ignition"), true);
    setHint(p.LabelVerze2, QStringLiteral("Date of program in ignition"), true);
    setHint(p.LabelVerze3, QStringLiteral("Time of program in ignition"), true);

    p.GroupBoxSpecial->setTitle(
        QStringLiteral("Specification of synchronization - Caution - For experienced user only!"));
    caption(p.LabelSynchro, QStringLiteral("Synchronization method"));
    items(p.ComboBoxSynchro, {{0, "1 lobe, 1 or 2 pick-up"},
                              {1, "Short gap between lobes (inserted lobe)"},
                              {2, "Wide lobe"},
                              {3, "Long gap between lobes (missing lobe)"},
                              {4, "2 pick-ups, missing lobe"},
                              {5, "2 Short gaps between lobes (inserted lobe)"},
                              {6, "Honda NSR 250 MC18 -"}});
    setHint(p.ComboBoxSynchro, QStringLiteral("Type of keying"), true);
    caption(p.LabelPocPalcu, QStringLiteral("Number of lobe at rotor"));
    caption(p.LabelPocKanalu, QStringLiteral("Number of outputs (coils)"));
    caption(p.LabelLobe, QStringLiteral("Lobe"));
    caption(p.LabelHrana2, QStringLiteral("2nd Edge"));
    caption(p.LabelSnimac2, QStringLiteral("2nd Pick-up"));
    for (std::size_t c = 0; c < p.channel.size(); ++c) {
        auto &ch = p.channel[c];
        ch.GroupBoxPalec->setTitle(QStringLiteral("Channel ") + QString::number(c + 1));
        caption(ch.LabelPalecZac, QStringLiteral("Maximum advance"));
        caption(ch.LabelPalecEnd, QStringLiteral("Start advance"));
    }
    items(p.ComboBoxNasobekPalcu, {{0, "1 ignition per revolution"},
                                   {1, "2 ignitions per revolution"},
                                   {2, "3 ignitions per revolution"},
                                   {3, "1 ignition per 2 revolutions (camshaft)"}});
    setHint(p.ComboBoxNasobekPalcu, QStringLiteral("Type of keying"), true);
    caption(p.LabelFile1, QStringLiteral("File:"));
    p.LabelPocetProgramovani->setText(text(texts, TextRole::TextProgramCount) + QStringLiteral("---"));
    caption(p.LabelKompenz, QStringLiteral("Compensation "));
}

void applyAdvanceCaptions(AdvancePage &p)
{
    setHint(p.LabelRpmAdv, QStringLiteral("Round per Minute|Speed - Round per Minute"), false);
    caption(p.CheckBoxIgnAll, QStringLiteral("All"));
    caption(p.LabelBaseAdv, QStringLiteral("Base advance [°]"));
    caption(p.LabelKorekceAdv, QStringLiteral("Correction for cyl. 1,2"));
    setHint(p.CSpinButtonAll->upButton(), QStringLiteral("Curve A plus|Add 1 degree of curve A"), false);
    setHint(p.CSpinButtonAll->downButton(), QStringLiteral("Curve A minus|Take off 1 degree of curve A"), false);
}

void applyServoCaptions(ServoPage &p)
{
    caption(p.CheckBoxPrivEnable, QStringLiteral("Servo enable"));
    p.GroupBoxPrivera->setTitle(QStringLiteral("Servo"));
    caption(p.LabelServoHyster, QStringLiteral("Servo Hysteresis [mV]"));
    setHint(p.BitBtnServoMinus, QStringLiteral("Take off 20 mV"), true);
    setHint(p.BitBtnServoPlus, QStringLiteral("Add 20 mV"), true);
    caption(p.CheckBoxServoAll, QStringLiteral("All"));
}

} // namespace

void setHint(QWidget *widget, const QString &hint, bool withTooltip)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    const QString tooltip = bar < 0 ? hint : hint.left(bar);
    const QString longHint = bar < 0 ? hint : hint.mid(bar + 1);
    widget->setStatusTip(longHint);
    widget->setToolTip(withTooltip ? tooltip : QString());
}

void setHint(QAction *action, const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

void ApplyCaptions(Controls &c, const KeptTexts &texts)
{
    applyMenuCaptions(c.menu);
    applyFrameCaptions(c.frame, texts);
    applyMiscCaptions(c.misc, texts);
    applyBikeCaptions(c.bike, texts);
    applyAdvanceCaptions(c.advance);
    applyServoCaptions(c.servo);
}

} // namespace talviro6
