#pragma once

#include <array>
#include <string_view>

namespace talviro6 {

/// The entries of the window's caption table: captions, menu items, list items,
/// option lists and hints, each in four languages. Texts that read the same in
/// every language (the "Power Out" page, the fixed items of the motorcycle list,
/// the throttle group, the map's row labels, the language items' own hints) are
/// not here; the window sets them once.
enum class Caption {
    FormHlav,     ///< the window's caption
    LabelSpojeni, ///< the no-connection banner
    MenuFile,
    MenuNew,
    MenuOpen,
    MenuOpenExeDir,
    MenuSave,
    MenuSaveExeDir,
    MenuPrint,
    MenuPrintAll,
    MenuExit,
    MenuCom,
    MenuDevice,
    MenuRead,    ///< also ButtonRead
    MenuVerify,  ///< also BitBtnVerify
    MenuProgram, ///< also BitBtnProgram
    MenuTools,
    AdvanceMinus,
    AdvancePlus,
    MenuZpet,
    MenuZnovu,
    MenuLanguage,
    MenuEnglish,
    MenuGerman,
    MenuFrench,
    MenuCzech,
    MenuHelp,
    MenuContens,
    MenuAbout,
    TabSheetRuzne,
    TabSheetBike,
    TabSheetAdvance,
    TabSheetServo, ///< also GroupBoxPrivera
    LabelBike,
    ComboBoxBikeItem0,
    ComboBoxBikeItem4,
    ComboBoxBikeItem5,
    ComboBoxSynchroItem0,
    ComboBoxSynchroItem1,
    ComboBoxSynchroItem2,
    ComboBoxSynchroItem3,
    ComboBoxSynchroItem4,
    ComboBoxSynchroItem5,
    ComboBoxSynchroItem6,
    GroupBoxSpecial,
    LabelSynchro,
    LabelPocPalcu,
    LabelPocKanalu,
    ChannelWord, ///< GroupBoxPalec1, GroupBoxPalec2: the word before " 1", " 2"
    LabelPalecZac,
    LabelPalecEnd,
    LabelLobe,
    LabelHrana2,
    LabelSnimac2,
    ComboBoxNasobekPalcuItem0,
    ComboBoxNasobekPalcuItem1,
    ComboBoxNasobekPalcuItem2,
    ComboBoxNasobekPalcuItem3,
    LabelPocSynchro,
    InversePolarityWord, ///< CheckBoxInvInput1, CheckBoxInvInput2: the words before " 1", " 2"
    LabelKompenz,
    GroupBoxRpm,
    LabelRpmPulsu,
    LabelRpmKorekce,
    LabelServoHyster,
    CheckBoxPrivEnable,
    CheckBoxAll, ///< CheckBoxIgnAll, CheckBoxServoAll
    CheckBoxProgHned,
    LabelAdvance, ///< LabelAdvance1, LabelAdvance2 until a live frame writes them
    LabelOmez1,
    LabelOmez2,
    LabelClutchTime,
    LabelClutchPause,
    LabelRetard,
    LabelBaseAdv,
    LabelKorekceAdv,
    LabelFile1,
    HintLabelRpmAdv,
    HintLabelVerze1,
    HintLabelVerze2,
    HintLabelVerze3,
    HintComboBox, ///< the three drop-down lists: "Type of keying"
    HintOpen,     ///< SpeedButton5, MenuOpen
    HintSpeedButton6,
    HintSave,    ///< SpeedButton7, MenuSave
    HintPrint,   ///< SpeedButtonPrint, MenuPrint
    HintProgram, ///< BitBtnProgram, MenuProgram
    HintVerify,  ///< BitBtnVerify, MenuVerify
    HintRead,    ///< ButtonRead, MenuRead
    HintMenuNew,
    HintMenuExit,
    HintMenuLanguage,
    HintMenuCom,
    HintCheckBoxProgHned,
    AboutCaption, ///< the About window's caption before "TALVIRO6"
};

inline constexpr int CaptionCount = static_cast<int>(Caption::AboutCaption) + 1;

/// The text of an entry in a language (0 English, 1 German, 2 French, 3 Czech; any
/// other gives English), UTF-8.
std::string_view captionText(Caption entry, int languageIndex);

/// The five options of the input radio groups; option 1 differs between them.
std::array<std::string_view, 5> inputOptions(int input, int languageIndex);

/// Hints that read the same in every language: each language item names itself in
/// its own language, and the step buttons' hints are kept in English. A '|' parts
/// the tooltip from the status-bar text.
namespace fixed_hint {
inline constexpr std::string_view MenuHelp = "Not available jet";
inline constexpr std::string_view AdvanceMinus = "Curve A minus|Take off 1 degree of curve A";
inline constexpr std::string_view AdvancePlus = "Curve A plus|Add 1 degree of curve A";
inline constexpr std::string_view MenuEnglish = "Set English menu";
inline constexpr std::string_view MenuGerman = "Deutsches Menü";
inline constexpr std::string_view MenuFrench = "Installer en Francais ";
inline constexpr std::string_view MenuCzech = "Nastavit české menu";
inline constexpr std::string_view ServoMinus = "Take off 20 mV";
inline constexpr std::string_view ServoPlus = "Add 20 mV";
} // namespace fixed_hint

} // namespace talviro6
