#include "editor/replay/play_controls.h"

#include "texts/recording_texts.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>

namespace talviro6 {

PlayControls::PlayControls(QWidget *owner, const QString &stem, ReplayClock &clock, std::function<void()> play,
                           std::function<void()> pause)
    : m_clock(clock)
{
    file = new QLabel(owner);
    file->setObjectName(QStringLiteral("Label%1File").arg(stem));
    this->play = new QPushButton(owner);
    this->play->setObjectName(QStringLiteral("Button%1Play").arg(stem));
    QObject::connect(
        this->play, &QPushButton::clicked, owner,
        [this, play = std::move(play), pause = std::move(pause)] { m_clock.playing() ? pause() : play(); });
    m_speedLabel = new QLabel(owner);
    m_speed1 = new QPushButton(QStringLiteral("1\u00d7"), owner);
    m_speed1->setObjectName(QStringLiteral("Button%1Speed1").arg(stem));
    m_speed4 = new QPushButton(QStringLiteral("4\u00d7"), owner);
    m_speed4->setObjectName(QStringLiteral("Button%1Speed4").arg(stem));
    auto *speeds = new QButtonGroup(owner);
    for (QPushButton *b : {m_speed1, m_speed4}) {
        b->setCheckable(true);
        b->setMaximumWidth(44);
        speeds->addButton(b);
    }
    m_speed1->setChecked(true);
    QObject::connect(m_speed1, &QPushButton::clicked, owner, [this] { setSpeed(1); });
    QObject::connect(m_speed4, &QPushButton::clicked, owner, [this] { setSpeed(4); });
}

void PlayControls::addTo(QBoxLayout *row) const
{
    row->addWidget(play);
    row->addSpacing(12);
    row->addWidget(m_speedLabel);
    row->addWidget(m_speed1);
    row->addWidget(m_speed4);
}

void PlayControls::setSpeed(int factor)
{
    m_clock.setSpeed(factor);
    (factor == 4 ? m_speed4 : m_speed1)->setChecked(true);
}

void PlayControls::setTexts(const QString &fileName, std::size_t skippedLines, int language)
{
    QString fileText = fileName;
    if (skippedLines > 0)
        fileText += QStringLiteral("    ") + QString::fromUtf8(recordingText(RecordingText::ReplaySkipped, language)) +
                    QStringLiteral(" ") + QString::number(skippedLines);
    file->setText(fileText);
    m_speedLabel->setText(QString::fromUtf8(recordingText(RecordingText::Speed, language)));
}

std::vector<std::size_t> PlayControls::feedTick(ReplayClock &clock, const Feed &feed)
{
    std::vector<std::size_t> due = clock.tick();
    for (std::size_t i : due)
        feed(clock.frame(i));
    if (!clock.playing() && due.empty() && clock.current())
        feed(clock.frame(*clock.current()));
    return due;
}

} // namespace talviro6
