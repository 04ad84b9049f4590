#include "editor/replay/form_replay.h"

#include "texts/recording_texts.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace talviro6 {
namespace {

QString timeText(std::int64_t milliseconds)
{
    return QString::fromStdString(replayTimeText(milliseconds));
}

} // namespace

FormReplay::FormReplay(ReplayClock clock, const QString &fileName, std::size_t skippedLines, int languageIndex,
                       Feed feed, QWidget *parent)
    : QWidget(parent, Qt::Tool), m_clock(std::move(clock)), m_feed(std::move(feed)), m_language(languageIndex)
{
    setObjectName(QStringLiteral("FormReplay"));
    m_fileName = QFileInfo(fileName).fileName();
    m_skipped = skippedLines;
    m_controls = std::make_unique<PlayControls>(
        this, QStringLiteral("Replay"), m_clock, [this] { play(); }, [this] { pause(); });
    m_controls->file->setToolTip(fileName);
    m_controls->play->setMinimumWidth(110);

    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("SliderReplayPosition"));
    // A slider counts in int: a recording longer than some 11 days moves in coarser steps.
    m_scale = std::max<std::int64_t>(1, m_clock.durationMs() / 1'000'000'000 + 1);
    m_slider->setRange(0, static_cast<int>(m_clock.durationMs() / m_scale));
    m_slider->setSingleStep(static_cast<int>(std::max<std::int64_t>(1, 1000 / m_scale)));
    m_slider->setPageStep(static_cast<int>(std::max<std::int64_t>(1, 10'000 / m_scale)));
    m_slider->setMinimumWidth(320);
    connect(m_slider, &QSlider::valueChanged, this, [this](int value) {
        if (!m_showing)
            seekTo(value * m_scale);
    });

    m_time = new QLabel(this);
    m_time->setObjectName(QStringLiteral("LabelReplayTime"));
    m_time->setMinimumWidth(m_time->fontMetrics().horizontalAdvance(QStringLiteral("00:00 / 00:00")) + 8);
    m_time->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto *controls = new QHBoxLayout;
    m_controls->addTo(controls);
    controls->addStretch(1);
    auto *position = new QHBoxLayout;
    position->addWidget(m_slider, 1);
    position->addWidget(m_time);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_controls->file);
    layout->addLayout(controls);
    layout->addLayout(position);
    setLanguage(languageIndex);
}

FormReplay::~FormReplay() = default;

void FormReplay::setLanguage(int languageIndex)
{
    m_language = languageIndex;
    setWindowTitle(QString::fromUtf8(recordingText(RecordingText::ReplayCaption, m_language)) +
                   QStringLiteral(" \u2014 ") + m_fileName);
    m_controls->setTexts(m_fileName, m_skipped, m_language);
    showPosition();
}

void FormReplay::play()
{
    m_clock.play();
    showPosition();
}

void FormReplay::pause()
{
    m_clock.pause();
    showPosition();
}

void FormReplay::setSpeed(int factor)
{
    m_controls->setSpeed(factor);
}

void FormReplay::tick()
{
    if (isHidden())
        return;
    // Paused (or at the end), the moment shown is held.
    const std::vector<std::size_t> due = PlayControls::feedTick(m_clock, m_feed);
    // The tick that plays the last frame also ends the play: the button shows it.
    if (!due.empty() || m_clock.playing())
        showPosition();
}

void FormReplay::seekTo(std::int64_t milliseconds)
{
    const std::size_t shown = m_clock.seek(milliseconds);
    if (m_clock.frameCount() > 0)
        m_feed(m_clock.frame(shown));
    showPosition();
}

void FormReplay::showPosition()
{
    m_controls->play->setText(
        QString::fromUtf8(recordingText(m_clock.playing() ? RecordingText::Pause : RecordingText::Play, m_language)));
    m_showing = true;
    m_slider->setValue(static_cast<int>(m_clock.positionMs() / m_scale));
    m_showing = false;
    m_time->setText(timeText(m_clock.positionMs()) + QStringLiteral(" / ") + timeText(m_clock.durationMs()));
}

void FormReplay::closeEvent(QCloseEvent *event)
{
    m_clock.pause();
    showPosition();
    QWidget::closeEvent(event);
}

} // namespace talviro6
