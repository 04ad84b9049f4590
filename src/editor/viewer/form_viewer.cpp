#include "editor/viewer/form_viewer.h"

#include "editor/replay/play_controls.h"
#include "editor/viewer/recording_plot.h"
#include "texts/recording_texts.h"
#include "texts/viewer_texts.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace talviro6 {
namespace {

QString viewerTimeText(std::int64_t milliseconds)
{
    return QString::fromStdString(replayTimeText(milliseconds));
}

} // namespace

FormViewer::FormViewer(Recording recording, const QString &fileName, int languageIndex, Feed feed, QWidget *parent)
    : QWidget(parent, Qt::Window), m_clock(std::move(recording.frames)), m_pyramid(m_clock.frames()),
      m_feed(std::move(feed)), m_language(languageIndex)
{
    setObjectName(QStringLiteral("FormViewer"));
    m_fileName = QFileInfo(fileName).fileName();
    m_skipped = recording.skippedLines;

    m_controls = std::make_unique<PlayControls>(
        this, QStringLiteral("Viewer"), m_clock, [this] { play(); }, [this] { pause(); });
    m_controls->file->setToolTip(fileName);
    m_time = new QLabel(this);
    m_time->setObjectName(QStringLiteral("LabelViewerTime"));
    m_range = new QLabel(this);
    m_range->setObjectName(QStringLiteral("LabelViewerRange"));

    m_plot = new RecordingPlot(m_clock.frames(), m_pyramid, this);
    connect(m_plot, &RecordingPlot::cursorFixed, this, [this](qint64 ms) { fixCursor(ms); });
    connect(m_plot, &RecordingPlot::chosenRangeChanged, this, [this](qint64 from, qint64 to) {
        showState();
        emit chosenRangeChanged(from, to);
    });

    auto *controls = new QHBoxLayout;
    m_controls->addTo(controls);
    controls->addSpacing(12);
    controls->addWidget(m_time);
    controls->addSpacing(12);
    controls->addWidget(m_range);
    controls->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_controls->file);
    layout->addLayout(controls);
    layout->addWidget(m_plot, 1);
    resize(900, 640);
    setLanguage(languageIndex);
}

FormViewer::~FormViewer() = default;

std::optional<std::pair<std::int64_t, std::int64_t>> FormViewer::chosenRange() const
{
    return m_plot->chosenRange();
}

void FormViewer::setLanguage(int languageIndex)
{
    m_language = languageIndex;
    setWindowTitle(QString::fromUtf8(viewerText(ViewerText::Caption, m_language)) + QStringLiteral(" \u2014 ") +
                   m_fileName);
    m_controls->setTexts(m_fileName, m_skipped, m_language);
    m_plot->setLanguage(languageIndex);
    showState();
}

void FormViewer::fixCursor(std::int64_t ms)
{
    m_clockStarted = true;
    const std::size_t shown = m_clock.seek(ms);
    m_feed(m_clock.frame(shown));
    showState();
}

void FormViewer::play()
{
    // Play goes on from the cursor; with none yet, from the start of the view.
    if (!m_plot->fixedCursor())
        m_plot->setFixedCursor(static_cast<std::int64_t>(m_plot->viewFrom()));
    if (!m_clockStarted || m_clock.positionMs() != *m_plot->fixedCursor())
        fixCursor(*m_plot->fixedCursor());
    m_clock.play();
    showState();
}

void FormViewer::pause()
{
    m_clock.pause();
    showState();
}

void FormViewer::setSpeed(int factor)
{
    m_controls->setSpeed(factor);
}

void FormViewer::tick()
{
    if (!drivesWindow())
        return;
    // Held, the moment is fed again.
    const std::vector<std::size_t> due = PlayControls::feedTick(m_clock, m_feed);
    if (!due.empty() || m_clock.playing()) {
        m_plot->setFixedCursor(m_clock.positionMs());
        // The cursor stays in sight: the view turns a page when it reaches the edge.
        const double span = m_plot->viewTo() - m_plot->viewFrom();
        const auto at = static_cast<double>(m_clock.positionMs());
        if (at > m_plot->viewTo() || at < m_plot->viewFrom())
            m_plot->setView(at, at + span);
        showState();
    }
}

void FormViewer::showState()
{
    const auto text = [this](ViewerText t) { return QString::fromUtf8(viewerText(t, m_language)); };
    m_controls->play->setText(text(m_clock.playing() ? ViewerText::Pause : ViewerText::Play));
    const std::optional<std::int64_t> cursor = m_plot->fixedCursor();
    m_time->setText(text(ViewerText::Cursor) + QStringLiteral(" ") +
                    (cursor ? viewerTimeText(*cursor) : QStringLiteral("\u2013")) + QStringLiteral(" / ") +
                    viewerTimeText(m_plot->durationMs()));
    const auto range = m_plot->chosenRange();
    m_range->setText(range ? text(ViewerText::ChosenRange) + QStringLiteral(" ") + viewerTimeText(range->first) +
                                 QStringLiteral(" \u2013 ") + viewerTimeText(range->second)
                           : QString());
}

void FormViewer::closeEvent(QCloseEvent *event)
{
    m_clock.pause();
    showState();
    QWidget::closeEvent(event);
}

} // namespace talviro6
