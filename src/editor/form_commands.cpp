#include "editor/form_hlav.h"
#include "editor/widgets/bar_gauge.h"

#include "editor/user_dialogs.h"
#include "editor/widgets/arrow_pair.h"
#include "editor/widgets/drop_down_list.h"
#include "editor/widgets/mouse_up_check_box.h"
#include "editor/widgets/numeric_field.h"
#include "editor/widgets/radio_group.h"
#include "model/defaults.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

// Menus, tool bar and the wiring of every control to its handler.

namespace talviro6 {

void FormHlav::wireControls()
{
    for (auto *field : m_fields) {
        connect(field, &NumericField::upDownClick, this, &FormHlav::UpDownClick);
        connect(field, &NumericField::editExit, this, &FormHlav::EditExit);
        connect(field, &NumericField::enterPressed, this, [this, field] { FormKeyPress(field); });
    }
    for (auto *box : findChildren<MouseUpCheckBox *>())
        connect(box, &MouseUpCheckBox::mouseUp, this, &FormHlav::CheckBoxMouseUp);

    auto &bike = m_c.bike;
    connect(bike.ComboBoxBike, &DropDownList::selectionChanged, this, &FormHlav::ComboBoxBikeChange);
    connect(bike.ComboBoxSynchro, &DropDownList::selectionChanged, this, &FormHlav::ComboBoxBikeChange);
    connect(bike.ComboBoxNasobekPalcu, &DropDownList::selectionChanged, this, &FormHlav::EditExit);

    connect(m_c.misc.RadioGroupInput1, &RadioGroup::itemClicked, this, &FormHlav::RadioGroupInput1Click);
    connect(m_c.misc.RadioGroupInput2, &RadioGroup::itemClicked, this, &FormHlav::RadioGroupInput2Click);
    for (std::size_t n = 0; n < Outputs; ++n)
        connect(m_c.powerOut.RadioGroupPOut[n], &RadioGroup::itemClicked, this,
                [this, n](int item) { RadioGroupPOutClick(static_cast<int>(n), item); });

    connect(m_c.misc.BitBtnTps0, &QPushButton::clicked, this, &FormHlav::BitBtnTps0Click);
    connect(m_c.misc.BitBtnTps100, &QPushButton::clicked, this, &FormHlav::BitBtnTps100Click);
    connect(m_c.servo.BitBtnServoMinus, &QPushButton::clicked, this, &FormHlav::BitBtnServoMinusClick);
    connect(m_c.servo.BitBtnServoPlus, &QPushButton::clicked, this, &FormHlav::BitBtnServoPlusClick);
    for (std::size_t c = 0; c < Points; ++c) {
        const int column = static_cast<int>(c);
        connect(m_c.advance.CSpinButton[c], &ArrowPair::upClicked, this,
                [this, column] { CSpinButtonUpClick(column); });
        connect(m_c.advance.CSpinButton[c], &ArrowPair::downClicked, this,
                [this, column] { CSpinButtonDownClick(column); });
    }
    connect(m_c.advance.CSpinButtonAll, &ArrowPair::upClicked, this, &FormHlav::CSpinButtonAllUpClick);
    connect(m_c.advance.CSpinButtonAll, &ArrowPair::downClicked, this, &FormHlav::CSpinButtonAllDownClick);
}

void FormHlav::wireMenu()
{
    auto &m = m_c.menu;
    auto &t = m_c.frame.toolBar;
    connect(m.MenuNew, &QAction::triggered, this, &FormHlav::MenuNewClick);
    connect(t.SpeedButton6, &QToolButton::clicked, this, &FormHlav::MenuNewClick);
    connect(m.MenuExit, &QAction::triggered, this, &FormHlav::MenuExitClick);
    connect(m.MenuRead, &QAction::triggered, this, &FormHlav::MenuReadClick);
    connect(t.ButtonRead, &QPushButton::clicked, this, &FormHlav::MenuReadClick);
    connect(m.MenuVerify, &QAction::triggered, this, &FormHlav::MenuVerifyClick);
    connect(t.BitBtnVerify, &QPushButton::clicked, this, &FormHlav::MenuVerifyClick);
    connect(m.MenuProgram, &QAction::triggered, this, &FormHlav::MenuProgramClick);
    connect(t.BitBtnProgram, &QPushButton::clicked, this, &FormHlav::MenuProgramClick);
    connect(m.AdvanceMinus, &QAction::triggered, this, &FormHlav::CSpinButtonAllDownClick);
    connect(m.AdvancePlus, &QAction::triggered, this, &FormHlav::CSpinButtonAllUpClick);
    for (std::size_t i = 0; i < m.MenuComItems.size(); ++i)
        connect(m.MenuComItems[i], &QAction::triggered, this, [this, i] { MenuCom1Click(static_cast<int>(i)); });
    connect(m.MenuOpen, &QAction::triggered, this, &FormHlav::MenuOpenClick);
    connect(t.SpeedButton5, &QToolButton::clicked, this, &FormHlav::MenuOpenClick);
    connect(m.MenuOpenExeDir, &QAction::triggered, this, &FormHlav::MenuOpenExeDirClick);
    connect(m.MenuSave, &QAction::triggered, this, &FormHlav::MenuSaveClick);
    connect(t.SpeedButton7, &QToolButton::clicked, this, &FormHlav::MenuSaveClick);
    connect(m.MenuSaveExeDir, &QAction::triggered, this, &FormHlav::MenuSaveExeDirClick);
    connect(m.MenuPrint, &QAction::triggered, this, &FormHlav::SpeedButtonPrintClick);
    connect(t.SpeedButtonPrint, &QToolButton::clicked, this, &FormHlav::SpeedButtonPrintClick);
    connect(m.MenuPrintAll, &QAction::triggered, this, &FormHlav::MenuPrintAllClick);
    connect(m.MenuZpet, &QAction::triggered, this, &FormHlav::SpeedButtonZpetClick);
    connect(t.SpeedButtonZpet, &QToolButton::clicked, this, &FormHlav::SpeedButtonZpetClick);
    connect(m.MenuZnovu, &QAction::triggered, this, &FormHlav::SpeedButtonZnovuClick);
    connect(t.SpeedButtonZnovu, &QToolButton::clicked, this, &FormHlav::SpeedButtonZnovuClick);
    connect(m.MenuContens, &QAction::triggered, this, &FormHlav::MenuContensClick);
    connect(m.MenuAbout, &QAction::triggered, this, &FormHlav::MenuAboutClick);
    connect(m.MenuCompare, &QAction::triggered, this, &FormHlav::MenuCompareClick);
    connect(m.MenuSnapshots, &QAction::triggered, this, &FormHlav::MenuSnapshotsClick);
    connect(m.MenuHistory, &QAction::triggered, this, &FormHlav::MenuHistoryClick);
    connect(m.MenuReadWhenFound, &QAction::triggered, this, &FormHlav::MenuReadWhenFoundClick);
    connect(m.MenuRecord, &QAction::triggered, this, &FormHlav::MenuRecordClick);
    connect(m.MenuReplay, &QAction::triggered, this, &FormHlav::MenuReplayClick);
    connect(m.MenuViewer, &QAction::triggered, this, &FormHlav::MenuViewerClick);
    connect(m.MenuDwell, &QAction::triggered, this, &FormHlav::MenuDwellClick);
    connect(m.MenuDwellReset, &QAction::triggered, this, &FormHlav::MenuDwellResetClick);
    connect(m.MenuDwellRecording, &QAction::triggered, this, [this] { m_liveWindow->menuRecordingDwellClick(); });
    connect(m.MenuCharts, &QAction::triggered, this, &FormHlav::MenuChartsClick);
    connect(m.MenuEnglish, &QAction::triggered, this, &FormHlav::MenuEnglishClick);
    connect(m.MenuGerman, &QAction::triggered, this, &FormHlav::MenuGermanClick);
    connect(m.MenuFrench, &QAction::triggered, this, &FormHlav::MenuFrenchClick);
    connect(m.MenuCzech, &QAction::triggered, this, &FormHlav::MenuCzechClick);
}

void FormHlav::MenuNewClick()
{
    // The live read-outs are painted anew over what the defaults show.
    if (m_files->newSet())
        m_painter.invalidate();
}

void FormHlav::MenuReadClick()
{
    m_transfers->read();
}

void FormHlav::MenuVerifyClick()
{
    m_transfers->verify();
}

void FormHlav::MenuProgramClick()
{
    m_review->program();
}

void FormHlav::MenuCom1Click(int entry)
{
    m_transfers->choosePort(entry);
}

} // namespace talviro6
