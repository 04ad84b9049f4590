// Four languages: the caption table, the kept texts, the placeholders of the live
// read-outs, the language menu and the About window.
#include "editor/widgets/bar_gauge.h"
#include "window_fixture.h"

#include "editor/about/form_about.h"
#include "editor/qt_translations.h"
#include "editor/widgets/radio_group.h"
#include "texts/caption_table.h"
#include "texts/kept_texts.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include <array>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

QString captionOf(Caption entry, int language)
{
    return QString::fromUtf8(captionText(entry, language));
}

QString kept(TextRole role, int language)
{
    return QString::fromStdString(KeptTexts(language)[role]);
}

class LanguageTest : public WindowFixture {
  protected:
    QAction *languageItem(int language)
    {
        const std::array<QAction *, 4> items{c().menu.MenuEnglish, c().menu.MenuGerman, c().menu.MenuFrench,
                                             c().menu.MenuCzech};
        return items[static_cast<std::size_t>(language)];
    }

    /// The texts of every live read-out, as the tuner reads them.
    std::vector<QString> liveTexts()
    {
        auto &m = c().frame.monitor;
        std::vector<QString> texts;
        for (QLabel *label : {m.LabelRpm, m.LabelTpsMon, m.LabelMonSnimac1, m.LabelNapeti, m.LabelPriveraPoz,
                              m.LabelBlocking1, m.LabelClutchMon, m.LabelMonRetard, m.LabelKillSwitch})
            texts.push_back(label->text());
        return texts;
    }
};

TEST_F(LanguageTest, EachLanguageItemSwitchesTheWholeWindow)
{
    const QString read[] = {QStringLiteral("&Read"), QStringLiteral("&Lesen"), QStringLiteral("&Lire"),
                            QStringLiteral("Čí&st")};
    const QString caption[] = {
        QStringLiteral("Programming of TALVIRO6 unit"), QStringLiteral("Programmierung der TALVIRO6 Zündbox"),
        QStringLiteral("Programation de TALVIRO6 unité"), QStringLiteral("Programování jednotky TALVIRO6")};
    const QString classic[] = {QStringLiteral("Classic (1 lobe, 1 or 2 pick-up) "),
                               QStringLiteral("Klassisch (1 Leitstück, 1 oder 2 Geber)"),
                               QStringLiteral("Classique (1 lobe, 1 or 2 pick-up) "),
                               QStringLiteral("Klasika (1 výstupek, 1 nebo 2 snimače)")};
    const QString standard = c().bike.ComboBoxBike->itemText(1);
    for (int language : {1, 2, 3, 0}) {
        SCOPED_TRACE(language);
        languageItem(language)->trigger();
        EXPECT_EQ(window.settings().languageIndex, language);
        for (int other = 0; other < 4; ++other)
            EXPECT_EQ(languageItem(other)->isChecked(), other == language) << "the check mark on one item";
        EXPECT_TRUE(window.windowTitle().startsWith(caption[language] + QStringLiteral("  \u2014  ")))
            << "the caption, then the unit state marker in the same language";
        EXPECT_EQ(c().menu.MenuRead->text(), read[language]);
        EXPECT_EQ(c().frame.toolBar.ButtonRead->text(), read[language]);
        EXPECT_EQ(c().bike.ComboBoxBike->itemText(0), classic[language]);
        EXPECT_EQ(c().bike.ComboBoxBike->itemText(1), standard) << "items 1 to 3 read the same everywhere";
        EXPECT_EQ(c().misc.RadioGroupInput1->title(), kept(TextRole::TextInput, language) + QStringLiteral(" 1"));

        // A kept message in the same language: the question of New.
        dialogs.answer = UserDialogs::Answer::No;
        c().menu.MenuNew->trigger();
        EXPECT_EQ(dialogs.questions.back(), kept(TextRole::TextDefaultQuestion, language));
    }
}

TEST_F(LanguageTest, TheSelectionOfEveryListSurvivesASwitch)
{
    image()[field::BikeType] = bike::Special;
    image()[field::SyncMethod] = 3;
    image()[field::IgnitionsPerRev] = 0;
    window.refresh();
    c().menu.MenuCzech->trigger();
    EXPECT_EQ(c().bike.ComboBoxBike->currentIndex(), 5);
    EXPECT_EQ(c().bike.ComboBoxSynchro->currentIndex(), 3);
    EXPECT_EQ(c().bike.ComboBoxNasobekPalcu->currentIndex(), 3);
    EXPECT_EQ(image()[field::SyncMethod], 3) << "renaming the items is no choice";
}

TEST_F(LanguageTest, WithoutAUnitEveryPlaceholderIsRewrittenInTheNewLanguage)
{
    ASSERT_FALSE(c().frame.LabelSpojeni->isHidden());
    c().menu.MenuGerman->trigger();
    auto &m = c().frame.monitor;
    EXPECT_EQ(m.LabelAdvance1->text(), kept(TextRole::TextAdvance, 1) + QStringLiteral(" 1 = --- [°]"));
    EXPECT_EQ(m.LabelMonSnimac1->text(), kept(TextRole::TextPickup, 1) + QStringLiteral(" 1 = ---"));
    EXPECT_EQ(m.LabelPriveraMer->text(), kept(TextRole::TextServoMeasured, 1) + QStringLiteral(" ---"));
    EXPECT_EQ(m.LabelClutchMon->text(), kept(TextRole::TextClutch, 1) + QStringLiteral(" - ---"));
    EXPECT_EQ(m.LabelMonPOut[2]->text(), kept(TextRole::TextSpecialOut, 1) + QStringLiteral(" 3 - ---"));
    EXPECT_EQ(c().misc.LabelMonInput2In->text(), kept(TextRole::TextInput, 1) + QStringLiteral(" 2: ---"));
    EXPECT_EQ(c().bike.LabelPocetProgramovani->text(), kept(TextRole::TextProgramCount, 1) + QStringLiteral("---"));
    EXPECT_EQ(c().frame.LabelSpojeni->text(), QStringLiteral("Keine Verbindung zum PC"));
}

TEST_F(LanguageTest, WithAUnitOnlyTheTwoAdvanceReadOutsStartAgain)
{
    tick(40);
    ASSERT_TRUE(c().frame.LabelSpojeni->isHidden()) << "the simulated unit answers";
    const std::vector<QString> before = liveTexts();
    c().menu.MenuFrench->trigger();
    EXPECT_EQ(liveTexts(), before) << "live values stay until the next frame";
    EXPECT_EQ(c().frame.monitor.LabelAdvance1->text(), captionOf(Caption::LabelAdvance, 2));
    EXPECT_EQ(c().frame.monitor.LabelAdvance2->text(), captionOf(Caption::LabelAdvance, 2));
    tick(12);
    EXPECT_TRUE(c().frame.monitor.LabelAdvance1->text().startsWith(kept(TextRole::TextAdvance, 2)))
        << "the next live frame writes them in French";
    EXPECT_TRUE(c().frame.monitor.LabelMonSnimac1->text().startsWith(kept(TextRole::TextPickup, 2)));
}

TEST_F(LanguageTest, ALostUnitsLastValuesNeverLookLive)
{
    tick(40);
    ASSERT_TRUE(c().frame.monitor.LabelRpm->text().startsWith(QStringLiteral("RPM = ")));
    ASSERT_NE(c().frame.monitor.LabelRpm->text(), QStringLiteral("RPM = ---"));
    unit.injectFault(sim::Fault::Silence, -1);
    tick(25);
    ASSERT_FALSE(c().frame.LabelSpojeni->isHidden());
    EXPECT_EQ(c().frame.monitor.LabelRpm->text(), QStringLiteral("RPM = ---"));
    EXPECT_EQ(c().frame.monitor.LabelNapeti->text(), QStringLiteral("U = --- [V]"));
    EXPECT_EQ(c().frame.monitor.LabelMonSnimac1->text(), kept(TextRole::TextPickup, 0) + QStringLiteral(" 1 = ---"));
    EXPECT_EQ(c().frame.monitor.CGaugeRpm->value(), 0);

    unit.clearFaults();
    tick(40);
    ASSERT_TRUE(c().frame.LabelSpojeni->isHidden());
    EXPECT_NE(c().frame.monitor.LabelRpm->text(), QStringLiteral("RPM = ---")) << "back: live values again";
}

TEST_F(LanguageTest, TheAboutWindowTakesTheLanguageInUseEveryTime)
{
    FormAbout *about = window.about();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->LabelRsKey->text(), QStringLiteral("Version - 76"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[A-Z][a-z]{2} \\d{1,2} \\d{4}$"))
                    .match(about->LabelDate->text())
                    .hasMatch())
        << about->LabelDate->text().toStdString();
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$")).match(about->LabelTime->text()).hasMatch());

    const auto showAbout = [&] {
        QString caption;
        QTimer::singleShot(0, about, [&] {
            caption = about->windowTitle();
            QTest::mouseClick(about->LabelExit, Qt::LeftButton); // OK closes
        });
        c().menu.MenuAbout->trigger();
        return caption;
    };
    c().menu.MenuCzech->trigger();
    EXPECT_EQ(showAbout(), QStringLiteral("O programu TALVIRO6"));
    EXPECT_FALSE(about->isVisible());
    c().menu.MenuEnglish->trigger();
    EXPECT_EQ(showAbout(), QStringLiteral("About TALVIRO6"));
    EXPECT_EQ(about->LabelRsKey->text(), QStringLiteral("Version - 76"));
}

/// The texts of a message box's Yes, No and Cancel buttons, without their shortcut marks.
std::array<QString, 3> standardButtons()
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    std::array<QString, 3> texts;
    const QMessageBox::StandardButton which[] = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = box.button(which[i])->text().remove(QLatin1Char('&'));
    return texts;
}

bool qtTranslationsInstalled()
{
    const QDir folder(QtTranslations::defaultFolder());
    for (const char *code : {"de", "fr", "cs"})
        if (!folder.exists(QStringLiteral("qtbase_%1.qm").arg(QLatin1String(code))))
            return false;
    return true;
}

TEST_F(LanguageTest, QtsOwnButtonsFollowEverySwitch)
{
    if (!qtTranslationsInstalled())
        GTEST_SKIP() << "Qt's translations are not installed here (Debian: qt6-translations-l10n)";
    const struct {
        int language;
        std::array<QString, 3> buttons;
    } rows[] = {
        {1, {QStringLiteral("Ja"), QStringLiteral("Nein"), QStringLiteral("Abbrechen")}},
        {3, {QStringLiteral("Ano"), QStringLiteral("Ne"), QStringLiteral("Zrušit")}},
        {2, {QStringLiteral("Oui"), QStringLiteral("Non"), QStringLiteral("Annuler")}},
        {0, {QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("Cancel")}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.language);
        languageItem(row.language)->trigger();
        EXPECT_EQ(standardButtons(), row.buttons);
    }
}

TEST(LanguageAtStart, QtsOwnButtonsSpeakTheLanguageOfTheStartAndAMissingTranslationChangesNothing)
{
    if (!qtTranslationsInstalled())
        GTEST_SKIP() << "Qt's translations are not installed here (Debian: qt6-translations-l10n)";
    {
        QTemporaryDir settings;
        WindowRig rig(settings.path());
        FormHlav &window = rig.window;
        window.FormCreate({QStringLiteral("DEUTSCH")});
        EXPECT_EQ(standardButtons()[2], QStringLiteral("Abbrechen"));
    }
    EXPECT_EQ(standardButtons()[2], QStringLiteral("Cancel")) << "a closed window takes its translation along";

    QTemporaryDir empty;
    QtTranslations missing(empty.path());
    EXPECT_FALSE(missing.apply(1));
    EXPECT_EQ(standardButtons()[0], QStringLiteral("Yes"));
    QtTranslations german;
    ASSERT_TRUE(german.apply(1));
    EXPECT_FALSE(missing.apply(3)) << "one without its file";
    EXPECT_EQ(standardButtons()[0], QStringLiteral("Ja")) << "leaves the others alone";
}

TEST(LanguageAtStart, OnlyTheExactWordPicksTheLanguage)
{
    struct Case {
        QStringList arguments;
        int language;
    };
    const Case cases[] = {{{QStringLiteral("DEUTSCH")}, 1},
                          {{QStringLiteral("CESKY")}, 3},
                          {{QStringLiteral("english")}, 0},
                          {{QStringLiteral("Deutsch")}, 0},
                          {{QStringLiteral("X"), QStringLiteral("FRANCE")}, 0}};
    for (const Case &k : cases) {
        SCOPED_TRACE(k.arguments.join(' ').toStdString());
        QTemporaryDir settings;
        WindowRig rig(settings.path());
        FormHlav &window = rig.window;
        window.FormCreate(k.arguments);
        EXPECT_EQ(window.settings().languageIndex, k.language);
    }
}

} // namespace
