#pragma once

#include "model/fields.h"

#include <array>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QToolButton;
class QWidget;

namespace talviro6 {

class ArrowPair;
class DropDownList;
class BarGauge;
class MouseUpCheckBox;
class NumericField;
class RadioGroup;

// Every control of the main window by its name. The names keep the unit's own Czech
// stems, so a control, its handler and the tuner's manual name the same thing:
//   Hlav main window        Hlaseni message (transfer line)   Spojeni connection
//   Poc number of           Palec lobe                         Snimac pick-up
//   Privera servo           Napeti, Nap voltage                Omez limiter
//   Kompenz compensation    Nasobek multiple                   Korekce correction
//   Ruzne miscellaneous     Zpet / Znovu undo / redo           PocKanalu number of channels
//   PocetProgramovani       programming count                  Zac / End maximum / start advance
//
// Families of like controls are
// arrays so that read back, refresh and the control states run in loops. The
// widgets are owned by their Qt parents; these are plain references.

template <typename T, std::size_t N> using ControlRow = std::array<T, N>;
template <typename T, std::size_t R, std::size_t C> using ControlGrid = std::array<std::array<T, C>, R>;

inline constexpr std::size_t Points = field::CurvePoints;
inline constexpr std::size_t Outputs = field::PowerOutputs;

struct MainMenu {
    QMenu *MenuFile = nullptr;
    QAction *MenuNew = nullptr;
    QAction *MenuOpen = nullptr;
    QAction *MenuOpenExeDir = nullptr;
    QAction *MenuSave = nullptr;
    QAction *MenuSaveExeDir = nullptr;
    QAction *MenuPrint = nullptr;
    QAction *MenuPrintAll = nullptr;
    QAction *MenuExit = nullptr;
    QMenu *MenuCom = nullptr;
    std::array<QAction *, 21> MenuComItems{}; ///< "Com 1" ... "Com 20", "Com Auto"
    QMenu *MenuDevice = nullptr;
    QAction *MenuRead = nullptr;
    QAction *MenuVerify = nullptr;
    QAction *MenuProgram = nullptr;
    QMenu *MenuTools = nullptr;
    QAction *AdvanceMinus = nullptr;
    QAction *AdvancePlus = nullptr;
    QAction *MenuZpet = nullptr;
    QAction *MenuZnovu = nullptr;
    QMenu *MenuLanguage = nullptr;
    QAction *MenuEnglish = nullptr;
    QAction *MenuGerman = nullptr;
    QAction *MenuFrench = nullptr;
    QAction *MenuCzech = nullptr;
    QMenu *MenuHelp = nullptr;
    QAction *MenuContens = nullptr;
    QAction *MenuAbout = nullptr;
    // Extras: a menu of its own, before Help.
    QMenu *MenuExtras = nullptr;
    QAction *MenuCompare = nullptr;
    QAction *MenuSnapshots = nullptr;
    QAction *MenuHistory = nullptr;
    QAction *MenuReadWhenFound = nullptr; ///< checkable: the quiet read when the unit is found
    QAction *MenuRecord = nullptr;        ///< checkable: live data to a CSV file
    QAction *MenuReplay = nullptr;
    QAction *MenuViewer = nullptr;
    QAction *MenuDwell = nullptr; ///< checkable: where the engine ran, shaded in the maps
    QAction *MenuDwellReset = nullptr;
    QAction *MenuDwellRecording = nullptr; ///< where the engine ran in a recording
    QAction *MenuCharts = nullptr;
    QAction *MenuReview = nullptr; ///< checkable: the review before programming is asked for
};

struct ToolBar {
    QGroupBox *GroupBoxToolBar = nullptr;
    QToolButton *SpeedButton6 = nullptr; ///< New
    QToolButton *SpeedButton5 = nullptr; ///< Open
    QToolButton *SpeedButton7 = nullptr; ///< Save
    QToolButton *SpeedButtonPrint = nullptr;
    QToolButton *SpeedButtonZpet = nullptr;  ///< undo
    QToolButton *SpeedButtonZnovu = nullptr; ///< redo
    QPushButton *ButtonRead = nullptr;
    QPushButton *BitBtnVerify = nullptr;
    QPushButton *BitBtnProgram = nullptr;
};

struct MonitorColumn {
    QLabel *LabelRpm = nullptr;
    BarGauge *CGaugeRpm = nullptr;
    QLabel *LabelTpsMon = nullptr;
    BarGauge *CGaugeTps = nullptr;
    QLabel *LabelAdvance1 = nullptr;
    QLabel *LabelAdvance2 = nullptr;
    QLabel *LabelMonSnimac1 = nullptr;
    QLabel *LabelMonSnimac2 = nullptr;
    QLabel *LabelNapeti = nullptr;
    QLabel *LabelPriveraPoz = nullptr;
    QLabel *LabelPriveraMer = nullptr;
    QLabel *LabelBlocking1 = nullptr;
    QLabel *LabelClutchMon = nullptr;
    QLabel *LabelMonRetard = nullptr;
    QLabel *LabelMonStartLimiterOut = nullptr;
    QLabel *LabelKillSwitch = nullptr;
    ControlRow<QLabel *, Outputs> LabelMonPOut{}; ///< LabelMonPOut1 ... LabelMonPOut3
    QLabel *LabelCom = nullptr;
    MouseUpCheckBox *CheckBoxProgHned = nullptr;
    QLabel *LabelHlaseni = nullptr;
    BarGauge *CGaugeProgram = nullptr;
};

struct WindowFrame {
    QLabel *LabelUnitState = nullptr; ///< in the status bar: the editor against the unit's last known set
    /// In the status bar, yellow while shown: what the file opened last did not hold.
    QLabel *LabelFileNote = nullptr;
    /// In the status bar, yellow while shown: the first warning on a risky value,
    /// how many more there are, and all of them in its tooltip.
    QLabel *LabelRiskWarning = nullptr;
    ToolBar toolBar;
    QLabel *LabelSpojeni = nullptr;
    QTabWidget *PageControl1 = nullptr;
    QWidget *TabSheetRuzne = nullptr;
    QWidget *TabSheetBike = nullptr;
    QWidget *TabSheetAdvance = nullptr;
    QWidget *TabSheetServo = nullptr;
    QWidget *TabSheetPowerOut = nullptr;
    MonitorColumn monitor;
    QLabel *LabelEeDataErr = nullptr;
    QLabel *LabelVersion = nullptr;
    ControlRow<QLabel *, 8> LabelTest{}; ///< LabelTest1 ... LabelTest8
    QStatusBar *StatusBar1 = nullptr;
};

struct MiscPage {
    NumericField *EditOmez1 = nullptr; ///< start limiter
    NumericField *EditOmez2 = nullptr; ///< limiter
    NumericField *EditClutchTime = nullptr;
    NumericField *EditClutchPause = nullptr;
    NumericField *EditRetard = nullptr;
    NumericField *EditPocSynchro = nullptr;
    QLabel *LabelOmez1 = nullptr;
    QLabel *LabelOmez2 = nullptr;
    QLabel *LabelClutchTime = nullptr;
    QLabel *LabelClutchPause = nullptr;
    QLabel *LabelRetard = nullptr;
    QLabel *LabelPocSynchro = nullptr;
    QGroupBox *GroupBoxTps = nullptr;
    QLabel *LabelTps0 = nullptr;
    NumericField *EditTps0 = nullptr;
    QPushButton *BitBtnTps0 = nullptr;
    QLabel *LabelTps100 = nullptr;
    NumericField *EditTps100 = nullptr;
    QPushButton *BitBtnTps100 = nullptr;
    RadioGroup *RadioGroupInput1 = nullptr;
    RadioGroup *RadioGroupInput2 = nullptr;
    QLabel *LabelMonInput1In = nullptr;
    QLabel *LabelMonInput2In = nullptr;
};

/// One channel group of the Bike page; c = 1, 2 in the names.
struct ChannelControls {
    QGroupBox *GroupBoxPalec = nullptr;
    QLabel *LabelPalecZac = nullptr;
    NumericField *EditPalecZac = nullptr; ///< maximum-advance lobe
    MouseUpCheckBox *CheckBoxPalecZacH2 = nullptr;
    MouseUpCheckBox *CheckBoxPalecZacP2 = nullptr;
    QLabel *LabelPalecEnd = nullptr;
    NumericField *EditPalecEnd = nullptr; ///< start-advance lobe
    MouseUpCheckBox *CheckBoxPalecEndH2 = nullptr;
    MouseUpCheckBox *CheckBoxPalecEndP2 = nullptr;
};

struct BikePage {
    QLabel *LabelBike = nullptr;
    DropDownList *ComboBoxBike = nullptr;
    QGroupBox *GroupBoxRpm = nullptr;
    NumericField *EditRpmPulsu = nullptr;
    QLabel *LabelRpmPulsu = nullptr;
    NumericField *EditRpmKorekce = nullptr;
    QLabel *LabelRpmKorekce = nullptr;
    MouseUpCheckBox *CheckBoxInvInput1 = nullptr;
    MouseUpCheckBox *CheckBoxInvInput2 = nullptr;
    QLabel *LabelVerze1 = nullptr;
    QLabel *LabelVerze2 = nullptr;
    QLabel *LabelVerze3 = nullptr;
    QGroupBox *GroupBoxSpecial = nullptr;
    QLabel *LabelSynchro = nullptr;
    DropDownList *ComboBoxSynchro = nullptr;
    NumericField *EditPocPalcu = nullptr;
    QLabel *LabelPocPalcu = nullptr;
    NumericField *EditPocKanalu = nullptr;
    QLabel *LabelPocKanalu = nullptr;
    QLabel *LabelLobe = nullptr;
    QLabel *LabelHrana2 = nullptr;
    QLabel *LabelSnimac2 = nullptr;
    ControlRow<ChannelControls, field::ChannelCountMax> channel{};
    DropDownList *ComboBoxNasobekPalcu = nullptr;
    QLabel *LabelFile1 = nullptr;
    QLabel *LabelFile2 = nullptr;
    QLabel *LabelPocetProgramovani = nullptr;
    NumericField *EditKompenz1 = nullptr;
    NumericField *EditKompenz2 = nullptr;
    QLabel *LabelKompenz = nullptr;
};

struct AdvancePage {
    QGroupBox *GroupBox6 = nullptr;
    QLabel *LabelRpmAdv = nullptr;
    ControlRow<NumericField *, Points> EditRpmAdv{};        ///< EditRpmAdv1 ... EditRpmAdv10
    ControlRow<QLabel *, Points> LabelTps{};                ///< LabelTps1 ... LabelTps10, rows 0 ... 9
    ControlGrid<NumericField *, Points, Points> EditCell{}; ///< [r][c] = Edit<50 + 10 r + c>
    ControlRow<ArrowPair *, Points> CSpinButton{};          ///< CSpinButton1 ... CSpinButton10
    MouseUpCheckBox *CheckBoxTpsMapa = nullptr;
    ArrowPair *CSpinButtonAll = nullptr;
    QCheckBox *CheckBoxIgnAll = nullptr;
    NumericField *EditBaseAdv = nullptr;
    QLabel *LabelBaseAdv = nullptr;
    NumericField *EditKorekceAdv1 = nullptr;
    NumericField *EditKorekceAdv2 = nullptr;
    QLabel *LabelKorekceAdv = nullptr;
};

struct ServoPage {
    MouseUpCheckBox *CheckBoxPrivEnable = nullptr;
    QGroupBox *GroupBoxPrivera = nullptr;
    QLabel *Label6 = nullptr; ///< "RPM"
    QLabel *Label5 = nullptr; ///< "[mV]"
    ControlRow<NumericField *, Points> EditRpmPriv{};
    ControlRow<NumericField *, Points> EditNapPriv{};
    NumericField *EditPrivHyster = nullptr;
    QLabel *LabelServoHyster = nullptr;
    QPushButton *BitBtnServoMinus = nullptr;
    QPushButton *BitBtnServoPlus = nullptr;
    QCheckBox *CheckBoxServoAll = nullptr;
};

struct PowerOutPage {
    ControlRow<RadioGroup *, Outputs> RadioGroupPOut{};
    ControlRow<QGroupBox *, Outputs> GroupBoxPOut{};
    ControlRow<QLabel *, Outputs> LabelPOutRpm{};
    ControlRow<QLabel *, Outputs> LabelPOutTps{};
    ControlGrid<NumericField *, Outputs, field::PowerOutRpmThresholds> EditPOutRpm{};
    ControlGrid<NumericField *, Outputs, field::PowerOutTpsThresholds> EditPOutTps{};
    std::array<ControlGrid<MouseUpCheckBox *, field::PowerOutRows, field::PowerOutColumns>, Outputs> CheckBoxPOut{};
    ControlGrid<QFrame *, Outputs, field::PowerOutRpmThresholds> BevelPOutRpm{};
    ControlGrid<QFrame *, Outputs, field::PowerOutTpsThresholds> BevelPOutTps{};
};

/// Whether a page's builder has run. The start builds the page shown first and
/// builds the others right after the window's first paint, before any input,
/// tick or job can reach them; code that runs before that passes over them.
inline bool built(const MiscPage &p)
{
    return p.RadioGroupInput1 != nullptr;
}
inline bool built(const BikePage &p)
{
    return p.ComboBoxBike != nullptr;
}
inline bool built(const AdvancePage &p)
{
    return p.GroupBox6 != nullptr;
}
inline bool built(const ServoPage &p)
{
    return p.GroupBoxPrivera != nullptr;
}
inline bool built(const PowerOutPage &p)
{
    return p.RadioGroupPOut[0] != nullptr;
}

struct Controls {
    MainMenu menu;
    WindowFrame frame;
    MiscPage misc;
    BikePage bike;
    AdvancePage advance;
    ServoPage servo;
    PowerOutPage powerOut;
};

} // namespace talviro6
