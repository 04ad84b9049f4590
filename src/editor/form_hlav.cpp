#include "editor/form_hlav.h"

#include "editor/widgets/bar_gauge.h"
#include "editor/widgets/mouse_up_check_box.h"

#include "editor/about/form_about.h"
#include "editor/binding.h"
#include "editor/captions.h"
#include "editor/control_states.h"
#include "editor/deferred_start.h"
#include "editor/frame/frame_builders.h"
#include "editor/map_selection.h"
#include "editor/pages/page_builders.h"
#include "editor/user_dialogs.h"
#include "editor/widgets/numeric_field.h"
#include "live/transfer_texts.h"
#include "model/defaults.h"
#include "model/fields.h"
#include "model/settle.h"
#include "texts/caption_table.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPixmapCache>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace talviro6 {

FormHlav::FormHlav(SerialPort &port, WindowServices services, TickSource ticks, QWidget *parent)
    : QMainWindow(parent), m_services(services), m_link(port, m_session.settings(), *this),
      m_live(m_session.image(), m_texts), m_painter(m_c), m_tickSource(ticks)
{
    setAcceptDrops(true); // a parameter file dropped on the window opens
    setObjectName(QStringLiteral("FormHlav"));
    // Qt's style keeps a picture of a control's look in the pixmap cache under a key
    // that holds the identity of the control's palette, and every recolouring makes
    // a new palette. The live display recolours map cells at every move of the
    // operating point, so pictures and keys piled up while the engine ran, about 150
    // bytes a tick on the advance page (the keys outlive the cache's size limit).
    // Without the cache the window ticks no slower: its controls are simple to draw.
    QPixmapCache::setCacheLimit(0);
#ifdef __GLIBC__
    // A printed page is a 3 MB picture. The C library's default moves such blocks
    // into its heap after the first is freed, and there the holes they leave are
    // taken by small blocks, so the process grew by a picture every few dozen
    // prints. Blocks of 1 MiB and more go straight back to the system when freed.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
    m_session.setEditor(this);
    m_session.setListener([this](const EditChange &change) { showEdit(change); });
    m_c.menu = buildMainMenu(menuBar());
    m_c.frame = buildFrame(this); // the pages come with FormCreate
    m_files = std::make_unique<WindowFiles>(m_session, m_texts, m_services.dialogs,
                                            WindowFiles::Widgets{nullptr, m_c.frame.LabelFileNote,
                                                                 m_c.frame.monitor.LabelHlaseni,
                                                                 m_c.frame.monitor.CGaugeProgram},
                                            [this](UnitImage &image) {
                                                m_binding->refresh(image);
                                                readBack(image);
                                                refresh();
                                            });
    m_settings = std::make_unique<WindowSettings>(
        m_session, m_texts, m_services.dialogs, *m_files, m_services.settingsFolder,
        WindowSettings::Window{this, m_c.frame.PageControl1, m_c.frame.LabelFileNote, m_c.menu.MenuReview});
    m_printing = std::make_unique<WindowPrinting>(
        m_texts, m_services.printer, m_services.dialogs,
        WindowPrinting::Window{centralWidget(), m_c.frame.PageControl1, m_c.frame.toolBar.BitBtnVerify,
                               [this](const QString &stamp) { enterPrintMode(stamp); }, [this] { leavePrintMode(); },
                               [this] { updateControlStates(); }});
    m_history = std::make_unique<WindowHistory>(
        m_session,
        WindowHistory::Widgets{m_c.frame.toolBar.SpeedButtonZpet, m_c.menu.MenuZpet, m_c.frame.toolBar.SpeedButtonZnovu,
                               m_c.menu.MenuZnovu, m_c.frame.monitor.CheckBoxProgHned},
        [this](const ParameterArea &parameters) {
            m_link.StartProgramJob(parameters);
            paintLive();
        });
    m_unitState = std::make_unique<WindowUnitState>(
        m_session, [this]() -> const std::optional<ParameterArea> & { return m_link.knownUnitArea(); },
        m_c.frame.LabelUnitState,
        [this](const QString &title) {
            if (windowTitle() != title)
                setWindowTitle(title);
        });
    m_riskWarnings = std::make_unique<WindowRiskWarnings>(
        m_session, [this]() -> const std::optional<ParameterArea> & { return m_link.knownUnitArea(); },
        m_c.frame.LabelRiskWarning);
    m_desktop = std::make_unique<DesktopOpener>(m_services.shell, m_services.dialogs, m_texts);
    m_liveWindow = std::make_unique<WindowLive>(
        m_session, m_link, m_live, m_services.dialogs, *m_files, m_painter,
        WindowLive::Widgets{m_c.menu.MenuRecord, m_c.menu.MenuDwell, m_c.frame.StatusBar1, this}, m_services.charts);
    m_transfers = std::make_unique<WindowTransfers>(m_session, m_link, *m_files, m_qtTexts, m_c.menu.MenuComItems,
                                                    WindowTransfers::Window{[this] { paintLive(); },
                                                                            [this] {
                                                                                LoadMessages();
                                                                                ApplyCaptions();
                                                                            },
                                                                            [this] { refresh(); }});
    m_review = std::make_unique<WindowReview>(
        m_session, [this]() -> const std::optional<ParameterArea> & { return m_link.knownUnitArea(); },
        WindowReview::Window{this, m_c.menu.MenuReview, [this] { m_transfers->program(); },
                             [this] { return m_link.state().TransferMode == Transfer::Program; }});
    m_snapshots = std::make_unique<WindowSnapshots>(m_session, m_link, m_services.dialogs, *m_desktop, *m_files,
                                                    m_services.settingsFolder,
                                                    WindowSnapshots::Widgets{m_c.frame.StatusBar1, this});
    m_unitState->openOnClick([this] { m_snapshots->compareEditorWithUnit(); });
    // The captions the window is designed with; the menu bar takes its height from
    // them, and the window must have its final height before it is centred.
    setWindowTitle(QString::fromUtf8(captionText(Caption::FormHlav, 0)));
    applyCaptionTable(m_c, m_texts);
    writeLivePlaceholders(m_c, m_texts);
    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());

    m_timer.setObjectName(QStringLiteral("Timer1"));
    m_timer.setInterval(TickMilliseconds);
    // The default coarse timer fires a 55 ms timer every ~52 ms.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &FormHlav::Timer1Timer);
}

FormHlav::~FormHlav() = default;

void FormHlav::FormCreate(const QStringList &arguments, StartPages pages)
{
    if (pages == StartPages::ShownFirst) {
        buildPage(m_settings->rememberedPage());
        m_binding = std::make_unique<ControlBinding>(m_c, ControlBinding::Coverage::BuiltPages);
    } else {
        buildPages();
    }
    buildPortMenu(m_c.menu);
    wireMenu();
    installHintHandler();
    m_session.settings().portIndex = 1;
    UnitImage start;
    start[field::BikeType] = 0;
    newParameterSet(start, NewSetCause::StartOrNew);
    centreWindow();
    m_settings->load(start);
    m_link.setQuietReadEnabled(m_settings->readUnitWhenFound());
    m_c.menu.MenuReadWhenFound->setChecked(m_settings->readUnitWhenFound());
    applyCommandLineLanguage(arguments);
    // Read before the first validation: outside test mode the compensations are
    // fixed, in it they keep the values the last run left.
    m_settings->readTestEnableFile();
    // SilenceTicks starts at 18 in the link: the tool starts in the no-connection state.
    m_qtTexts.apply(m_session.settings().languageIndex);
    LoadMessages();
    m_session.load(start.parameters, LoadHow::Start);
    ApplyCaptions();
    refresh();
    m_c.frame.monitor.LabelHlaseni->hide();
    m_c.frame.monitor.CGaugeProgram->hide();
    m_c.frame.monitor.CGaugeProgram->setMaximum(LinkEngine::ProgressMaximum);
    m_c.frame.LabelEeDataErr->hide();
    m_c.frame.LabelVersion->hide();
    for (auto *label : m_c.frame.LabelTest)
        label->setVisible(m_session.testEnable());
    updateControlStates();
    if (pages == StartPages::All) {
        finishStart();
    } else {
        paintLive(); // the first paint shows the live display's placeholders
        m_deferredStart = new DeferredStart(this, [this] { finishStart(); });
    }
}

void FormHlav::finishStart()
{
    if (m_started)
        return;
    m_started = true;
    if (m_deferredStart) {
        m_deferredStart->disarm();
        m_deferredStart = nullptr;
    }
    const bool partly = !m_edits;
    emit finishingStart();
    buildPages();
    if (partly) {
        // The new pages show the session's image in the language in use, as the
        // first ones did: no edit, no history step. The live display follows below.
        ApplyCaptions();
        refresh();
    }
    m_files->readStartFileParameters();
    // The tick runs from here on, also while a box of the start-up (a port that
    // cannot be opened) waits for the tuner: the watchdog keeps reopening the port.
    if (m_tickSource == TickSource::Timer)
        m_timer.start();
    m_link.OpenPort();
    m_transfers->markPortMenu();
    paintLive();
    m_settings->showStartNotes();
}

void FormHlav::buildPage(int index)
{
    if (index == PageMisc && !built(m_c.misc)) {
        m_c.misc = buildMiscPage(m_c.frame.TabSheetRuzne);
    } else if (index == PageBike && !built(m_c.bike)) {
        m_c.bike = buildBikePage(m_c.frame.TabSheetBike);
        m_files->setFileLabel(m_c.bike.LabelFile2);
    } else if (index == PageAdvance && !built(m_c.advance)) {
        m_c.advance = buildAdvancePage(m_c.frame.TabSheetAdvance);
    } else if (index == PageServo && !built(m_c.servo)) {
        m_c.servo = buildServoPage(m_c.frame.TabSheetServo);
    } else if (index == PagePowerOut && !built(m_c.powerOut)) {
        m_c.powerOut = BuildPowerOutPage(m_c.frame.TabSheetPowerOut, PageClientWidth, PageClientHeight);
    }
}

void FormHlav::buildPages()
{
    if (m_edits)
        return; // built and bound
    for (const int page : {PageMisc, PageBike, PageAdvance, PageServo, PagePowerOut})
        buildPage(page);
    m_binding = std::make_unique<ControlBinding>(m_c);
    const auto fields = findChildren<NumericField *>();
    m_fields.assign(fields.begin(), fields.end());
    wireControls();
    m_mapSelection = new MapSelection(
        m_c.advance, m_session, m_services.dialogs, [this] { return printMode(); }, this);
    m_edits = std::make_unique<WindowEdits>(
        m_session,
        WindowEdits::Widgets{m_c.bike.ComboBoxBike, m_c.bike.ComboBoxSynchro, m_c.servo.CheckBoxServoAll,
                             m_c.advance.CheckBoxIgnAll},
        WindowEdits::Live{[this] { return int(m_live.state().operatingPoint.OperatingServoPoint); },
                          [this]() -> std::optional<MapCell> {
                              const OperatingPoint &p = m_live.state().operatingPoint;
                              if (p.BelowSpeedRange)
                                  return std::nullopt;
                              return MapCell{p.OperatingRow, p.OperatingColumn};
                          },
                          [this] { return int(m_live.state().TpsMillivolts); }});
}

void FormHlav::installHintHandler()
{
    // Status tips travel to the main window, which shows them in StatusBar1; an item
    // or control without a hint sends an empty one, so the line is emptied.
    m_c.frame.StatusBar1->clearMessage();
}

void FormHlav::centreWindow()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->geometry();
    move(available.x() + (available.width() - width()) / 2, available.y() + (available.height() - height()) / 2);
}

void FormHlav::applyCommandLineLanguage(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return;
    static const char *const names[] = {"ENGLISH", "DEUTSCH", "FRANCE", "CESKY"};
    for (std::uint8_t i = 0; i < LanguageCount; ++i)
        if (arguments.front() == QLatin1String(names[i])) {
            m_session.settings().languageIndex = i;
            return;
        }
}

void FormHlav::LoadMessages()
{
    m_texts.load(m_session.settings().languageIndex);
    // While no unit answers, the read-outs show their placeholders in the new words.
    if (!m_c.frame.LabelSpojeni->isHidden())
        writeLivePlaceholders(m_c, m_texts);
}

void FormHlav::ApplyCaptions()
{
    m_unitState->refreshTitle();
    // The table goes by the language of the kept texts, which LoadMessages loaded;
    // the input groups' captions use one of them.
    applyCaptionTable(m_c, m_texts);
    LoadMessages();
    m_riskWarnings->update();
}

void FormHlav::openFromCommandLine(const QStringList &arguments)
{
    if (!arguments.isEmpty())
        finishStart(); // a file opened goes through every control
    m_files->openFromCommandLine(arguments);
}

void FormHlav::MenuOpenClick()
{
    m_files->open();
}

void FormHlav::MenuOpenExeDirClick()
{
    m_files->openExeDir();
}

void FormHlav::MenuSaveClick()
{
    m_files->save();
}

void FormHlav::MenuSaveExeDirClick()
{
    m_files->saveExeDir();
}

void FormHlav::SpeedButtonPrintClick()
{
    m_printing->printShown();
}

void FormHlav::MenuPrintAllClick()
{
    m_printing->printAll();
}

void FormHlav::SpeedButtonZpetClick()
{
    m_history->undo();
}

void FormHlav::SpeedButtonZnovuClick()
{
    m_history->redo();
}

void FormHlav::dragEnterEvent(QDragEnterEvent *event)
{
    m_files->dragEnter(event);
}

void FormHlav::dropEvent(QDropEvent *event)
{
    m_files->drop(event);
}

void FormHlav::MenuEnglishClick()
{
    m_transfers->switchLanguage(0);
}

void FormHlav::MenuGermanClick()
{
    m_transfers->switchLanguage(1);
}

void FormHlav::MenuFrenchClick()
{
    m_transfers->switchLanguage(2);
}

void FormHlav::MenuCzechClick()
{
    m_transfers->switchLanguage(3);
}

FormAbout *FormHlav::about()
{
    // Made when first asked for: it is hidden until then, and its fonts and logo
    // would only slow down the start.
    if (!m_about)
        m_about = new FormAbout([this] { return m_session.settings().languageIndex; }, this);
    return m_about;
}

void FormHlav::MenuAboutClick()
{
    about()->exec();
}

void FormHlav::setTestEnable(bool on)
{
    m_session.setTestEnable(on);
    for (auto *label : m_c.frame.LabelTest)
        label->setVisible(on);
    updateControlStates();
}

void FormHlav::closeEvent(QCloseEvent *event)
{
    // FormClose: closing is never refused. What is kept needs every control.
    finishStart();
    m_timer.stop();
    m_link.ClosePort();
    // What is kept for the next start is what the controls hold.
    m_session.takeControls();
    m_settings->save();
    event->accept();
}

void FormHlav::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    m_settings->shown();
}

void FormHlav::MenuExitClick()
{
    close();
}

void FormHlav::Timer1Timer()
{
    m_liveWindow->replayStep();
    m_link.tick();
    m_live.tick(m_link.display().LabelSpojeni);
    m_liveWindow->recordStep();
    m_liveWindow->countDwell();
    paintLive();
}

void FormHlav::MenuCompareClick()
{
    m_snapshots->menuCompareClick();
}

void FormHlav::MenuContensClick()
{
    m_desktop->openManual();
}

void FormHlav::MenuSnapshotsClick()
{
    m_snapshots->menuSnapshotsClick();
}

void FormHlav::MenuHistoryClick()
{
    m_snapshots->menuHistoryClick();
}

void FormHlav::MenuRecordClick()
{
    m_liveWindow->menuRecordClick();
}

void FormHlav::MenuReplayClick()
{
    m_liveWindow->menuReplayClick();
}

void FormHlav::MenuViewerClick()
{
    m_liveWindow->menuViewerClick();
}

void FormHlav::MenuDwellClick()
{
    m_liveWindow->menuDwellClick();
}

void FormHlav::MenuDwellResetClick()
{
    m_liveWindow->menuDwellResetClick();
}

void FormHlav::MenuChartsClick()
{
    m_liveWindow->menuChartsClick();
}

void FormHlav::MenuReadWhenFoundClick()
{
    const bool on = m_c.menu.MenuReadWhenFound->isChecked();
    m_settings->setReadUnitWhenFound(on);
    m_link.setQuietReadEnabled(on);
}

void FormHlav::paintLive()
{
    if (m_link.knownUnitRevision() != m_knownUnitSeen) {
        m_knownUnitSeen = m_link.knownUnitRevision();
        m_snapshots->noteVerifiedJob();
        m_unitState->update();
        m_riskWarnings->update();
    }
    const bool bannerBefore = !m_c.frame.LabelSpojeni->isHidden();
    bool changed = m_painter.paint(m_link.display(), m_live.display(), m_texts.languageIndex());
    const bool banner = m_link.display().LabelSpojeni;
    if (bannerBefore && !banner) {
        // The unit is back: everything it reports is painted anew, over the placeholders.
        m_painter.invalidate();
        changed = m_painter.paint(m_link.display(), m_live.display(), m_texts.languageIndex()) || changed;
    } else if (banner && changed) {
        // Lost: the last values must not look live.
        writeLivePlaceholders(m_c, m_texts);
    }
    m_liveWindow->paintOperatingPoint(printMode());
    // The firmware texts come with a header; the control states show them.
    if (changed && built(m_c.bike)) {
        const auto &d = m_link.display();
        const auto &bike = m_c.bike;
        if (bike.LabelVerze1->text() != QString::fromStdString(d.LabelVerze1) ||
            bike.LabelVerze2->text() != QString::fromStdString(d.LabelVerze2) ||
            bike.LabelVerze3->text() != QString::fromStdString(d.LabelVerze3))
            updateControlStates();
    }
}

void FormHlav::showMessageBox(const LinkBox &box)
{
    m_services.dialogs.message(QString::fromStdString(linkBoxText(box, m_texts.languageIndex())));
}

void FormHlav::liveFrame(const MonitorFrame &frame)
{
    m_live.takeFrame(frame);
}

int FormHlav::readFinished(const ParameterArea &received)
{
    return m_session.load(received, LoadHow::FromUnit);
}

void FormHlav::updateControlStates()
{
    const auto &d = m_link.display();
    ControlStateInputs in;
    in.testEnable = m_session.testEnable();
    in.printMode = printMode();
    in.unitName = QString::fromStdString(d.LabelVerze1);
    in.unitDate = QString::fromStdString(d.LabelVerze2);
    in.unitTime = QString::fromStdString(d.LabelVerze3);
    talviro6::updateControlStates(m_c, centralWidget(), m_session.image(), in);
}

} // namespace talviro6
