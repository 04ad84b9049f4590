#include "editor/captions.h"
#include "editor/widgets/bar_gauge.h"

#include "editor/colours.h"

#include "editor/widgets/arrow_pair.h"
#include "editor/widgets/mouse_up_check_box.h"
#include "editor/widgets/radio_group.h"
#include "texts/caption_table.h"
#include "texts/extras_texts.h"
#include "texts/kept_texts.h"
#include "texts/recording_dwell_texts.h"
#include "texts/review_texts.h"
#include "texts/viewer_texts.h"

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

QString fixedHint(std::string_view hint)
{
    return QString::fromUtf8(hint.data(), static_cast<qsizetype>(hint.size()));
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

/// The entries of the caption table in one language.
class Table {
  public:
    explicit Table(int language) : m_language(language) {}
    QString operator()(Caption entry) const { return QString::fromUtf8(captionText(entry, m_language)); }
    QStringList options(int input) const
    {
        QStringList list;
        for (const std::string_view option : inputOptions(input, m_language))
            list << QString::fromUtf8(option);
        return list;
    }
    int language() const { return m_language; }

  private:
    int m_language;
};

void applyMenuCaptions(MainMenu &m, const Table &t)
{
    m.MenuFile->setTitle(t(Caption::MenuFile));
    m.MenuNew->setText(t(Caption::MenuNew));
    m.MenuOpen->setText(t(Caption::MenuOpen));
    m.MenuOpenExeDir->setText(t(Caption::MenuOpenExeDir));
    m.MenuSave->setText(t(Caption::MenuSave));
    m.MenuSaveExeDir->setText(t(Caption::MenuSaveExeDir));
    m.MenuPrint->setText(t(Caption::MenuPrint));
    m.MenuPrintAll->setText(t(Caption::MenuPrintAll));
    m.MenuExit->setText(t(Caption::MenuExit));
    m.MenuCom->setTitle(t(Caption::MenuCom));
    m.MenuDevice->setTitle(t(Caption::MenuDevice));
    m.MenuRead->setText(t(Caption::MenuRead));
    m.MenuVerify->setText(t(Caption::MenuVerify));
    m.MenuProgram->setText(t(Caption::MenuProgram));
    m.MenuTools->setTitle(t(Caption::MenuTools));
    m.AdvanceMinus->setText(t(Caption::AdvanceMinus));
    m.AdvancePlus->setText(t(Caption::AdvancePlus));
    m.MenuZpet->setText(t(Caption::MenuZpet));
    m.MenuZnovu->setText(t(Caption::MenuZnovu));
    m.MenuLanguage->setTitle(t(Caption::MenuLanguage));
    m.MenuEnglish->setText(t(Caption::MenuEnglish));
    m.MenuGerman->setText(t(Caption::MenuGerman));
    m.MenuFrench->setText(t(Caption::MenuFrench));
    m.MenuCzech->setText(t(Caption::MenuCzech));
    m.MenuHelp->setTitle(t(Caption::MenuHelp));
    m.MenuContens->setText(t(Caption::MenuContens));
    m.MenuAbout->setText(t(Caption::MenuAbout));
    const auto extra = [&t](ExtraText e) { return QString::fromUtf8(extraText(e, t.language())); };
    m.MenuExtras->setTitle(extra(ExtraText::MenuExtras));
    m.MenuCompare->setText(extra(ExtraText::MenuCompare));
    m.MenuSnapshots->setText(extra(ExtraText::MenuSnapshots));
    m.MenuHistory->setText(extra(ExtraText::MenuHistory));
    setHint(m.MenuCompare, extra(ExtraText::HintCompare));
    setHint(m.MenuSnapshots, extra(ExtraText::HintSnapshots));
    setHint(m.MenuHistory, extra(ExtraText::HintHistory));
    m.MenuReadWhenFound->setText(extra(ExtraText::MenuReadWhenFound));
    setHint(m.MenuReadWhenFound, extra(ExtraText::HintReadWhenFound));
    m.MenuRecord->setText(extra(ExtraText::MenuRecord));
    m.MenuReplay->setText(extra(ExtraText::MenuReplay));
    m.MenuDwell->setText(extra(ExtraText::MenuDwell));
    m.MenuDwellReset->setText(extra(ExtraText::MenuDwellReset));
    m.MenuDwellRecording->setText(
        QString::fromUtf8(recordingDwellText(RecordingDwellText::MenuItem, t.language()).data()));
    m.MenuCharts->setText(extra(ExtraText::MenuCharts));
    setHint(m.MenuRecord, extra(ExtraText::HintRecord));
    setHint(m.MenuReplay, extra(ExtraText::HintReplay));
    m.MenuViewer->setText(QString::fromUtf8(viewerText(ViewerText::MenuViewer, t.language())));
    setHint(m.MenuViewer, QString::fromUtf8(viewerText(ViewerText::HintViewer, t.language())));
    setHint(m.MenuDwell, extra(ExtraText::HintDwell));
    setHint(m.MenuDwellRecording, QString::fromUtf8(recordingDwellText(RecordingDwellText::Hint, t.language()).data()));
    setHint(m.MenuCharts, extra(ExtraText::HintCharts));
    m.MenuReview->setText(QString::fromUtf8(reviewText(ReviewText::Caption, t.language())));
    setHint(m.MenuReview, QString::fromUtf8(reviewText(ReviewText::Hint, t.language())));
    // The check mark shows the language in use.
    const std::array<QAction *, 4> languages{m.MenuEnglish, m.MenuGerman, m.MenuFrench, m.MenuCzech};
    for (std::size_t i = 0; i < languages.size(); ++i)
        languages[i]->setChecked(static_cast<int>(i) == t.language());

    setHint(m.MenuNew, t(Caption::HintMenuNew));
    setHint(m.MenuOpen, t(Caption::HintOpen));
    setHint(m.MenuSave, t(Caption::HintSave));
    setHint(m.MenuPrint, t(Caption::HintPrint));
    setHint(m.MenuRead, t(Caption::HintRead));
    setHint(m.MenuVerify, t(Caption::HintVerify));
    setHint(m.MenuProgram, t(Caption::HintProgram));
    setHint(m.MenuExit, t(Caption::HintMenuExit));
    setHint(m.MenuCom->menuAction(), t(Caption::HintMenuCom));
    setHint(m.MenuLanguage->menuAction(), t(Caption::HintMenuLanguage));
    // Fixed: the same in every language, each language's item in its own words.
    setHint(m.MenuHelp->menuAction(), fixedHint(fixed_hint::MenuHelp));
    setHint(m.AdvanceMinus, fixedHint(fixed_hint::AdvanceMinus));
    setHint(m.AdvancePlus, fixedHint(fixed_hint::AdvancePlus));
    setHint(m.MenuEnglish, fixedHint(fixed_hint::MenuEnglish));
    setHint(m.MenuGerman, fixedHint(fixed_hint::MenuGerman));
    setHint(m.MenuFrench, fixedHint(fixed_hint::MenuFrench));
    setHint(m.MenuCzech, fixedHint(fixed_hint::MenuCzech));
}

void applyFrameCaptions(WindowFrame &f, const Table &t)
{
    auto &b = f.toolBar;
    setHint(b.SpeedButton6, t(Caption::HintSpeedButton6), true);
    setHint(b.SpeedButton5, t(Caption::HintOpen), true);
    setHint(b.SpeedButton7, t(Caption::HintSave), true);
    setHint(b.SpeedButtonPrint, t(Caption::HintPrint), true);
    caption(b.ButtonRead, t(Caption::MenuRead));
    caption(b.BitBtnVerify, t(Caption::MenuVerify));
    caption(b.BitBtnProgram, t(Caption::MenuProgram));
    setHint(b.ButtonRead, t(Caption::HintRead), true);
    setHint(b.BitBtnVerify, t(Caption::HintVerify), true);
    setHint(b.BitBtnProgram, t(Caption::HintProgram), true);

    f.LabelSpojeni->setText(t(Caption::LabelSpojeni));
    f.LabelUnitState->setToolTip(QString::fromUtf8(extraText(ExtraText::HintUnitState, t.language())));
    f.PageControl1->setTabText(0, t(Caption::TabSheetRuzne));
    f.PageControl1->setTabText(1, t(Caption::TabSheetBike));
    f.PageControl1->setTabText(2, t(Caption::TabSheetAdvance));
    f.PageControl1->setTabText(3, t(Caption::TabSheetServo));

    auto &m = f.monitor;
    caption(m.CheckBoxProgHned, t(Caption::CheckBoxProgHned));
    setHint(m.CheckBoxProgHned, t(Caption::HintCheckBoxProgHned), true);
    m.LabelAdvance1->setText(t(Caption::LabelAdvance));
    m.LabelAdvance2->setText(t(Caption::LabelAdvance));
}

void applyMiscCaptions(MiscPage &p, const Table &t, const KeptTexts &texts)
{
    caption(p.LabelOmez1, t(Caption::LabelOmez1));
    caption(p.LabelOmez2, t(Caption::LabelOmez2));
    caption(p.LabelClutchTime, t(Caption::LabelClutchTime));
    caption(p.LabelClutchPause, t(Caption::LabelClutchPause));
    caption(p.LabelRetard, t(Caption::LabelRetard));
    caption(p.LabelPocSynchro, t(Caption::LabelPocSynchro));
    const QString input = text(texts, TextRole::TextInput);
    p.RadioGroupInput1->setTitle(input + QStringLiteral(" 1"));
    p.RadioGroupInput1->setItems(t.options(1));
    p.RadioGroupInput2->setTitle(input + QStringLiteral(" 2"));
    p.RadioGroupInput2->setItems(t.options(2));
}

void applyBikeCaptions(BikePage &p, const Table &t)
{
    caption(p.LabelBike, t(Caption::LabelBike));
    p.ComboBoxBike->setItemText(0, t(Caption::ComboBoxBikeItem0));
    p.ComboBoxBike->setItemText(4, t(Caption::ComboBoxBikeItem4));
    p.ComboBoxBike->setItemText(5, t(Caption::ComboBoxBikeItem5));
    p.GroupBoxRpm->setTitle(t(Caption::GroupBoxRpm));
    caption(p.LabelRpmPulsu, t(Caption::LabelRpmPulsu));
    caption(p.LabelRpmKorekce, t(Caption::LabelRpmKorekce));
    caption(p.CheckBoxInvInput1, t(Caption::InversePolarityWord) + QStringLiteral(" 1"));
    caption(p.CheckBoxInvInput2, t(Caption::InversePolarityWord) + QStringLiteral(" 2"));
    setHint(p.LabelVerze1, t(Caption::HintLabelVerze1), true);
    setHint(p.LabelVerze2, t(Caption::HintLabelVerze2), true);
    setHint(p.LabelVerze3, t(Caption::HintLabelVerze3), true);

    p.GroupBoxSpecial->setTitle(t(Caption::GroupBoxSpecial));
    caption(p.LabelSynchro, t(Caption::LabelSynchro));
    const Caption synchro[] = {Caption::ComboBoxSynchroItem0, Caption::ComboBoxSynchroItem1,
                               Caption::ComboBoxSynchroItem2, Caption::ComboBoxSynchroItem3,
                               Caption::ComboBoxSynchroItem4, Caption::ComboBoxSynchroItem5,
                               Caption::ComboBoxSynchroItem6};
    for (int i = 0; i < static_cast<int>(std::size(synchro)); ++i)
        p.ComboBoxSynchro->setItemText(i, t(synchro[i]));
    caption(p.LabelPocPalcu, t(Caption::LabelPocPalcu));
    caption(p.LabelPocKanalu, t(Caption::LabelPocKanalu));
    caption(p.LabelLobe, t(Caption::LabelLobe));
    caption(p.LabelHrana2, t(Caption::LabelHrana2));
    caption(p.LabelSnimac2, t(Caption::LabelSnimac2));
    for (std::size_t c = 0; c < p.channel.size(); ++c) {
        auto &ch = p.channel[c];
        ch.GroupBoxPalec->setTitle(t(Caption::ChannelWord) + QStringLiteral(" ") + QString::number(c + 1));
        caption(ch.LabelPalecZac, t(Caption::LabelPalecZac));
        caption(ch.LabelPalecEnd, t(Caption::LabelPalecEnd));
    }
    const Caption ignitions[] = {Caption::ComboBoxNasobekPalcuItem0, Caption::ComboBoxNasobekPalcuItem1,
                                 Caption::ComboBoxNasobekPalcuItem2, Caption::ComboBoxNasobekPalcuItem3};
    for (int i = 0; i < static_cast<int>(std::size(ignitions)); ++i)
        p.ComboBoxNasobekPalcu->setItemText(i, t(ignitions[i]));
    for (auto *list : {p.ComboBoxBike, p.ComboBoxSynchro, p.ComboBoxNasobekPalcu})
        setHint(list, t(Caption::HintComboBox), true);
    caption(p.LabelFile1, t(Caption::LabelFile1));
    caption(p.LabelKompenz, t(Caption::LabelKompenz));
}

void applyAdvanceCaptions(AdvancePage &p, const Table &t)
{
    setHint(p.LabelRpmAdv, t(Caption::HintLabelRpmAdv), false);
    caption(p.CheckBoxIgnAll, t(Caption::CheckBoxAll));
    caption(p.LabelBaseAdv, t(Caption::LabelBaseAdv));
    caption(p.LabelKorekceAdv, t(Caption::LabelKorekceAdv));
    setHint(p.CSpinButtonAll->upButton(), fixedHint(fixed_hint::AdvancePlus), false);
    setHint(p.CSpinButtonAll->downButton(), fixedHint(fixed_hint::AdvanceMinus), false);
}

void applyServoCaptions(ServoPage &p, const Table &t)
{
    caption(p.CheckBoxPrivEnable, t(Caption::CheckBoxPrivEnable));
    p.GroupBoxPrivera->setTitle(t(Caption::TabSheetServo));
    caption(p.LabelServoHyster, t(Caption::LabelServoHyster));
    setHint(p.BitBtnServoMinus, fixedHint(fixed_hint::ServoMinus), true);
    setHint(p.BitBtnServoPlus, fixedHint(fixed_hint::ServoPlus), true);
    caption(p.CheckBoxServoAll, t(Caption::CheckBoxAll));
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

void applyCaptionTable(Controls &c, const KeptTexts &texts)
{
    const Table t(texts.languageIndex());
    applyMenuCaptions(c.menu, t);
    applyFrameCaptions(c.frame, t);
    if (built(c.misc))
        applyMiscCaptions(c.misc, t, texts);
    if (built(c.bike))
        applyBikeCaptions(c.bike, t);
    if (built(c.advance))
        applyAdvanceCaptions(c.advance, t);
    if (built(c.servo))
        applyServoCaptions(c.servo, t);
}

void writeLivePlaceholders(Controls &c, const KeptTexts &texts)
{
    auto &m = c.frame.monitor;
    const auto placeholder = [](QLabel *label, const QString &caption) {
        label->setText(caption);
        setStatusBackground(label, Colour::Face);
    };
    placeholder(m.LabelRpm, QStringLiteral("RPM = ---"));
    placeholder(m.LabelTpsMon, QStringLiteral("TP= --- [%]"));
    placeholder(m.LabelNapeti, QStringLiteral("U = --- [V]"));
    placeholder(m.LabelAdvance1, text(texts, TextRole::TextAdvance) + QStringLiteral(" 1 = --- [°]"));
    placeholder(m.LabelAdvance2, text(texts, TextRole::TextAdvance) + QStringLiteral(" 2 = --- [°]"));
    placeholder(m.LabelMonSnimac1, text(texts, TextRole::TextPickup) + QStringLiteral(" 1 = ---"));
    placeholder(m.LabelMonSnimac2, text(texts, TextRole::TextPickup) + QStringLiteral(" 2 = ---"));
    placeholder(m.LabelPriveraPoz, text(texts, TextRole::TextServoDesired) + QStringLiteral(" ---"));
    placeholder(m.LabelPriveraMer, text(texts, TextRole::TextServoMeasured) + QStringLiteral(" ---"));
    placeholder(m.LabelBlocking1, text(texts, TextRole::TextBlocking) + QStringLiteral(" - ---"));
    placeholder(m.LabelClutchMon, text(texts, TextRole::TextClutch) + QStringLiteral(" - ---"));
    placeholder(m.LabelMonRetard, text(texts, TextRole::TextRetard) + QStringLiteral(": ---"));
    placeholder(m.LabelMonStartLimiterOut, text(texts, TextRole::TextStartLimiter) + QStringLiteral(": ---"));
    placeholder(m.LabelKillSwitch, text(texts, TextRole::TextKillSwitch) + QStringLiteral(": ---"));
    for (std::size_t o = 0; o < m.LabelMonPOut.size(); ++o)
        placeholder(m.LabelMonPOut[o], text(texts, TextRole::TextSpecialOut) + QStringLiteral(" ") +
                                           QString::number(o + 1) + QStringLiteral(" - ---"));
    const QString input = text(texts, TextRole::TextInput);
    if (built(c.misc)) {
        placeholder(c.misc.LabelMonInput1In, input + QStringLiteral(" 1: ---"));
        placeholder(c.misc.LabelMonInput2In, input + QStringLiteral(" 2: ---"));
    }
    if (built(c.bike))
        c.bike.LabelPocetProgramovani->setText(text(texts, TextRole::TextProgramCount) + QStringLiteral("---"));
    for (std::size_t i = 0; i < c.frame.LabelTest.size(); ++i)
        c.frame.LabelTest[i]->setText(QStringLiteral("Test%1 = ---").arg(i + 1));
    for (auto *gauge : {m.CGaugeRpm, m.CGaugeTps})
        gauge->setValue(0);
}

} // namespace talviro6
