#pragma once

#include "editor/controls.h"
#include "editor/live_display.h"
#include "link/link_engine.h"
#include "model/unit_image.h"
#include "model/validate.h"
#include "texts/kept_texts.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <vector>

namespace talviro6 {

class NumericField;
class SerialPort;
class UserDialogs;
enum class Step;

/// The main window: owns the image, the link engine and every control for the whole
/// run. Every edit goes one way: read back, validate, refresh, history step.
class FormHlav : public QMainWindow, private LinkCallbacks {
    Q_OBJECT

  public:
    static constexpr int TickMilliseconds = 55;

    /// Timer: Timer1 drives the tick. Manual: nothing does; the caller calls
    /// Timer1Timer() itself (tests count ticks, they do not wait for them).
    enum class TickSource { Timer, Manual };

    FormHlav(SerialPort &port, UserDialogs &dialogs, TickSource ticks = TickSource::Timer, QWidget *parent = nullptr);
    ~FormHlav() override;

    /// The start-up sequence; `arguments` without the program name.
    void FormCreate(const QStringList &arguments);

    Controls &controls() { return m_c; }
    UnitImage &image() { return m_image; }
    const SettingsIndexes &settings() const { return m_settings; }
    LinkEngine &link() { return m_link; }
    bool testEnable() const { return m_testEnable; }
    void setTestEnable(bool on);
    /// Every numeric field, for tests and for wiring.
    const std::vector<NumericField *> &numericFields() const { return m_fields; }

    // The binding.
    void readBack();
    void refresh();
    void afterEditStep();
    void historyStep();
    void updateControlStates();

  public slots:
    // Edit handlers.
    void UpDownClick();
    void EditExit();
    void FormKeyPress(talviro6::NumericField *field);
    void CheckBoxMouseUp();
    void RadioGroupInput1Click(int item);
    void RadioGroupInput2Click(int item);
    void RadioGroupPOutClick(int output, int item);
    void ComboBoxBikeChange();
    void BitBtnServoMinusClick();
    void BitBtnServoPlusClick();
    void BitBtnTps0Click();
    void BitBtnTps100Click();
    void CSpinButtonDownClick(int column);
    void CSpinButtonUpClick(int column);
    void CSpinButtonAllDownClick();
    void CSpinButtonAllUpClick();

    // Commands.
    void MenuNewClick();
    void MenuReadClick();
    void MenuVerifyClick();
    void MenuProgramClick();
    void MenuCom1Click(int entry);
    void MenuExitClick();

    /// The tick: the link's receive, job, message and watchdog steps, then the live display.
    void Timer1Timer();

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    // LinkCallbacks
    void readBackControls() override { readBack(); }
    void refreshControls() override { refresh(); }
    void showMessageBox(MessageBoxKind kind, const std::string &text) override;

    void buildControlTables();
    void wireControls();
    void wireMenu();
    void installHintHandler();
    void centreWindow();
    void loadSettings();
    void applyCommandLineLanguage(const QStringList &arguments);
    void LoadMessages();
    void ResetHistory();
    void readTestEnableFile();
    void markPortMenu();
    void paintLive();
    void stepServo(Step step);
    void stepAdvance(Step step);
    void stepColumn(int column, Step step);

    UnitImage m_image;
    SettingsIndexes m_settings;
    KeptTexts m_texts;
    UserDialogs &m_dialogs;
    LinkEngine m_link;
    Controls m_c;
    LiveDisplayPainter m_painter;
    std::vector<NumericField *> m_fields;
    QTimer m_timer;
    TickSource m_tickSource;

    bool m_testEnable = false;
    bool m_printMode = false;
    QString m_exeDirFileName;
    /// The image as the history last recorded it; the undo ring replaces this.
    ParameterArea m_recorded{};
    bool m_programAfterChangeArmed = false;
};

} // namespace talviro6
