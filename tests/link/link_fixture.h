#pragma once

#include "link/link_engine.h"
#include "live/live_data.h"
#include "model/defaults.h"
#include "model/fields.h"
#include "model/validate.h"
#include "sim/loopback_port.h"
#include "sim/simulated_unit.h"
#include "texts/kept_texts.h"
#include "live/transfer_texts.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace talviro6::testing {

/// Stands in for the window: takes a read into the fixture's image, records boxes,
/// can run ticks while a box is "open", as the window's modal box does, and hands
/// live frames to the live data.
struct RecordingCallbacks : LinkCallbacks {
    explicit RecordingCallbacks(UnitImage &image) : image(image) {}
    UnitImage &image;
    std::vector<std::pair<MessageBoxKind, std::string>> boxes;
    std::function<void()> whileBoxOpen;
    LiveData *live = nullptr;

    int readFinished(const ParameterArea &received) override { return takeReadInto(image, received); }
    void showMessageBox(const LinkBox &box) override
    {
        boxes.emplace_back(box.kind, linkBoxText(box, 0));
        if (whileBoxOpen)
            whileBoxOpen();
    }
    void liveFrame(const MonitorFrame &frame) override
    {
        if (live)
            live->takeFrame(frame);
    }
};

/// The transfer line's message as the window words it in English.
inline std::string shownMessage(const LinkEngine &engine)
{
    return transferText(engine.display().LabelHlaseni, 0);
}

/// The port caption as the window shows it.
inline std::string shownCom(const LinkEngine &engine)
{
    return comCaption(engine.display().LabelCom);
}

inline constexpr sim::Micros TickMicros = 55'000;

/// A validated image, which a job's own validation leaves alone, so that it does
/// not change what a test compares.
inline UnitImage startImage()
{
    UnitImage image;
    image[field::BikeType] = bike::Classic;
    newParameterSet(image, NewSetCause::StartOrNew);
    validate(image);
    return image;
}

/// The engine on a loopback to a simulated unit on COM1, time moved by hand.
class LinkFixture : public ::testing::Test {
  protected:
    LinkFixture()
    {
        image = startImage();
        unit.setLogging(true); // the tests read what went over the line
        callbacks.live = &liveData;
    }

    /// One 55 ms period, then the engine's tick and the live data's, as the window runs them.
    void tick(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            clock.advance(TickMicros);
            engine.tick();
            liveData.tick(engine.display().LabelSpojeni);
        }
    }

    /// Ticks until the predicate holds; returns the ticks taken, or -1 after `limit`.
    int tickUntil(const std::function<bool()> &done, int limit = 400)
    {
        for (int n = 1; n <= limit; ++n) {
            tick();
            if (done())
                return n;
        }
        return -1;
    }

    int runJob(int limit = 400)
    {
        return tickUntil([&] { return engine.state().TransferMode == Transfer::Idle; }, limit);
    }

    /// The requests of jobs, polls left out.
    std::vector<Frame> blockRequests() const
    {
        std::vector<Frame> out;
        for (const Frame &f : unit.requests())
            if (f[0] != code::Poll)
                out.push_back(f);
        return out;
    }
    std::vector<std::uint8_t> blockRequestCodes() const
    {
        std::vector<std::uint8_t> out;
        for (const Frame &f : blockRequests())
            out.push_back(f[0]);
        return out;
    }
    std::vector<std::uint8_t> answerCodes() const
    {
        std::vector<std::uint8_t> out;
        for (const Frame &f : unit.answers())
            if (f[0] != code::MonitorFrame)
                out.push_back(f[0]);
        return out;
    }

    /// A unit memory that differs from the tool's image but survives validation.
    void giveUnitOtherParameters()
    {
        UnitImage other = startImage();
        other[field::AdvanceMap(9, 4)] = static_cast<std::uint8_t>(other[field::AdvanceMap(9, 4)] + 3);
        other[field::Retard] = 7;
        other[field::PowerOutMode(1)] = 1;
        other[299] = 0x5A; // a byte no field names travels too
        validate(other);
        unit.memory() = other.parameters;
    }

    sim::SimulatedUnit unit;
    sim::ManualClock clock;
    sim::LoopbackPort port{unit, clock};
    UnitImage image;
    SettingsIndexes settings;
    KeptTexts texts;
    RecordingCallbacks callbacks{image};
    LinkEngine engine{port, settings, callbacks};
    LiveData liveData{image, texts};
};

} // namespace talviro6::testing
