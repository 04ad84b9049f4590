#include "editor/replay/form_replay.h"

#include "texts/recording_texts.h"

#include <QButtonGroup>
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
    m_file = new QLabel(this);
    m_file->setObjectName(QStringLiteral("LabelReplayFile"));
    m_file->setToolTip(fileName);

    m_play = new QPushButton(this);
    m_play->setObjectName(QStringLiteral("ButtonReplayPlay"));
    m_play->setMinimumWidth(110);
    connect(m_play, &QPushButton::clicked, this, [this] { m_clock.playing() ? pause() : play(); });

    m_speedLabel = new QLabel(this);
    m_speed1 = new QPushButton(QStringLiteral("1\u00d7"), this);
    m_speed1->setObjectName(QStringLiteral("ButtonReplaySpeed1"));
    m_speed4 = new QPushButton(QStringLiteral("4\u00d7"), this);
    m_speed4->setObjectName(QStringLiteral("ButtonReplaySpeed4"));
    auto *speeds = new QButtonGroup(this);
    for (QPushButton *b : {m_speed1, m_speed4}) {
        b->setCheckable(true);
        b->setMaximumWidth(44);
        speeds->addButton(b);
    }
    m_speed1->setChecked(true);
    connect(m_speed1, &QPushButton::clicked, this, [this] { setSpeed(1); });
    connect(m_speed4, &QPushButton::clicked, this, [this] { setSpeed(4); });

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
    controls->addWidget(m_play);
    controls->addSpacing(12);
    controls->addWidget(m_speedLabel);
    controls->addWidget(m_speed1);
    controls->addWidget(m_speed4);
    controls->addStretch(1);
    auto *position = new QHBoxLayout;
    position->addWidget(m_slider, 1);
    position->addWidget(m_time);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_file);
    layout->addLayout(controls);
    layout->addLayout(position);
    setLanguage(languageIndex);
}

void FormReplay::setLanguage(int languageIndex)
{
    m_language = languageIndex;
    const auto text = [this](RecordingText t) { return QString::fromUtf8(recordingText(t, m_language)); };
    setWindowTitle(text(RecordingText::ReplayCaption) + QStringLiteral(" \u2014 ") + m_fileName);
    QString fileText = m_fileName;
    if (m_skipped > 0)
        fileText += QStringLiteral("    ") + text(RecordingText::ReplaySkipped) + QStringLiteral(" ") +
                    QString::number(m_skipped);
    m_file->setText(fileText);
    m_speedLabel->setText(text(RecordingText::Speed));
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
    m_clock.setSpeed(factor);
    (factor == 4 ? m_speed4 : m_speed1)->setChecked(true);
}

void FormReplay::tick()
{
    if (isHidden())
        return;
    const std::vector<std::size_t> due = m_clock.tick();
    for (std::size_t i : due)
        m_feed(m_clock.frame(i));
    // Paused (or at the end), the moment shown is held: without frames the link would
    // count the silence and blank the monitor after a second.
    if (!m_clock.playing() && due.empty() && m_clock.current())
        m_feed(m_clock.frame(*m_clock.current()));
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
    m_play->setText(
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
