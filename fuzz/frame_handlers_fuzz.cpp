// Any bytes as frames from the line, during any job: the two frame handlers must
// neither crash nor report a block verified that was not, and the parameter area may
// change only when the verify that follows a read has confirmed the bytes the read
// received: then it holds them, validated, and one pass of validation over any
// bytes is a fixed point.
#include "link/link_engine.h"
#include "link/serial_port.h"
#include "live/live_data.h"
#include "model/defaults.h"
#include "model/fields.h"
#include "model/validate.h"
#include "texts/kept_texts.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace talviro6;

namespace {

/// A line that takes everything and delivers nothing: the frames come from the fuzzer.
struct DeadPort final : SerialPort {
    bool open(int) override { return true; }
    void close() override {}
    bool isOpen() const override { return true; }
    std::size_t bytesWaiting() override { return 0; }
    std::size_t read(std::span<std::uint8_t>) override { return 0; }
    void writeAndDrain(std::span<const std::uint8_t>) override {}
    std::string deviceName(int) const override { return {}; }
};

struct QuietWindow final : LinkCallbacks {
    UnitImage *image = nullptr; ///< where a read lands
    int readFinished(const ParameterArea &received) override { return takeReadInto(*image, received); }
    void showMessageBox(const LinkBox &) override {}
    void liveFrame(const MonitorFrame &frame) override { live->takeFrame(frame); }
    LiveData *live = nullptr; ///< the monitor column the frames are shown in
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    UnitImage image;
    newParameterSet(image, NewSetCause::StartOrNew);
    validate(image);
    SettingsIndexes settings;
    KeptTexts texts;
    DeadPort port;
    QuietWindow window;
    window.image = &image;
    LinkEngine engine(port, settings, window);
    LiveData live(image, texts);
    window.live = &live;

    // Each record: one control byte (job to start, ticks to run), then a frame.
    constexpr std::size_t Record = 1 + FrameSize;
    // Blocks 1 ... 3 as the running read received them; the verify after that read
    // compares with them, and only its success puts them into the image.
    ParameterArea readBlocks{};
    bool verifyAfterRead = false;
    for (std::size_t at = 0; at + Record <= size; at += Record) {
        const std::uint8_t control = data[at];
        if ((control & 0x07) >= 1 && (control & 0x07) <= 3)
            verifyAfterRead = false;
        switch (control & 0x07) {
        case 1:
            engine.StartProgramJob(image.parameters);
            break;
        case 2:
            engine.StartVerifyJob(image.parameters);
            break;
        case 3:
            engine.StartReadJob();
            break;
        default:
            break;
        }
        Frame frame;
        std::memcpy(frame.data(), data + at + 1, FrameSize);
        if (control & 0x80)
            seal(frame); // let well-formed frames through as often as broken ones

        const ParameterArea before = image.parameters;
        const Transfer mode = engine.state().TransferMode;
        const std::uint8_t request = engine.state().RequestByte;
        engine.takeFrame(frame);

        const bool blockRead = mode == Transfer::Read && request >= 0x41 && request <= 0x43 &&
                               (engine.state().RequestByte != request || engine.state().TransferMode != mode);
        if (blockRead)
            std::copy(frame.begin() + 1, frame.begin() + 1 + BlockSize,
                      readBlocks.begin() + (request - 0x41) * BlockSize);
        const bool readVerified =
            mode == Transfer::Verify && verifyAfterRead && engine.state().lastJobEnd == JobEnd::Verified;
        if (readVerified) {
            // The verified read is the image now, validated.
            UnitImage expected;
            expected.parameters = readBlocks;
            validate(expected);
            if (image.parameters != expected.parameters)
                std::abort();
            UnitImage again = expected;
            validate(again);
            if (again.parameters != expected.parameters)
                std::abort(); // a second pass would change what the first settled
        } else if (image.parameters != before) {
            // The handlers validate at the unit's header, but the area was validated
            // already, so nothing else may move it.
            std::abort();
        }
        if (blockRead && request == 0x43)
            verifyAfterRead = true;
        if (engine.state().lastJobEnd == JobEnd::Verified && mode == Transfer::Verify) {
            // This frame ended the verify: it must be the answer to block 3, and match.
            const auto reference = verifyAfterRead ? std::span<const std::uint8_t>(readBlocks).subspan(200, BlockSize)
                                                   : std::span<const std::uint8_t>(before).subspan(200, BlockSize);
            const bool matches = frame[0] == 0xC3 && hasMatchingCheckByte(frame) &&
                                 std::equal(frame.begin() + 1, frame.begin() + 101, reference.begin());
            if (!matches)
                std::abort();
        }
        if (engine.state().lastJobEnd == JobEnd::Verified && mode != Transfer::Verify)
            std::abort(); // success comes only out of a verify phase
        for (int t = 0; t < ((control >> 3) & 0x07); ++t) {
            engine.tick();
            live.tick(engine.display().LabelSpojeni);
        }
        if (engine.state().lastJobEnd == JobEnd::Verified) {
            engine.StartReadJob(); // keep each success visible to the check above only once
            verifyAfterRead = false;
        }
    }
    return 0;
}
