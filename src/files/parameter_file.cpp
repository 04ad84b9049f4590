#include "files/parameter_file.h"

#include "files/token_reader.h"
#include "model/conversions.h"
#include "model/field_table.h"
#include "model/fields.h"
#include "model/unit_image.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace talviro6 {
namespace {

constexpr std::string_view FileKey = "KORVALEN_KEY";
constexpr int ValueColumn = 12; ///< key word and padding fill 12 characters

/// One value of the file: a field of the table, whose file form says how it is
/// written and read back.
struct Value {
    const FieldInfo *field;
    int bit = 0;            ///< for FileForm::Bits: the cell of the row
    bool jetSwitch = false; ///< reader only: non-zero turns output 3 into "Special" with rows 3, 1, 1
};

Value value(int offset, int bit = 0)
{
    const FieldInfo *f = fieldAt(offset);
    if (f == nullptr)
        throw std::logic_error("the parameter file names a byte without a field: " + std::to_string(offset));
    return {f, bit};
}

enum class LineKind { Key, Continuation, Empty };

struct Line {
    LineKind kind;
    std::string key; ///< for LineKind::Key
    int width;       ///< key word plus padding
    std::vector<Value> values;
};

std::vector<Value> bytes(std::initializer_list<int> offsets)
{
    std::vector<Value> values;
    for (int offset : offsets)
        values.push_back(value(offset));
    return values;
}

std::vector<Value> range(int first, int count)
{
    std::vector<Value> values;
    for (int i = 0; i < count; ++i)
        values.push_back(value(first + i));
    return values;
}

Line key(std::string word, std::vector<Value> values, int width = ValueColumn)
{
    return {LineKind::Key, std::move(word), width, std::move(values)};
}
Line more(std::vector<Value> values)
{
    return {LineKind::Continuation, {}, ValueColumn, std::move(values)};
}
Line empty()
{
    return {LineKind::Empty, {}, 0, {}};
}

void addPowerOut(std::vector<Line> &lines, int o)
{
    lines.push_back(key("POWER_OUT" + std::to_string(o + 1), bytes({field::PowerOutMode(o)})));
    lines.push_back(more(range(field::PowerOutRpm(o, 0), field::PowerOutRpmThresholds)));
    lines.push_back(more(range(field::PowerOutTps(o, 0), field::PowerOutTpsThresholds)));
    for (int r = 0; r < field::PowerOutRows; ++r) {
        std::vector<Value> flags;
        for (int k = 0; k < field::PowerOutColumns; ++k)
            flags.push_back(value(field::PowerOutCells(o, r), k));
        lines.push_back(more(std::move(flags)));
    }
}

/// Lines 2 ... 57 of the file; line 1 (key and version) is written on its own.
/// The reader takes each key word's values from the same table, so writer and
/// reader cannot drift apart.
const std::vector<Line> &layout()
{
    static const std::vector<Line> lines = [] {
        using namespace field;
        std::vector<Line> l;
        l.push_back(empty());
        l.push_back(key("BIKE", bytes({BikeType})));
        l.push_back(more(bytes({SyncMethod, LobeCount, ChannelCount})));
        for (int c = 0; c < ChannelCountMax; ++c) {
            l.push_back(more(bytes({MaxAdvLobe(c), MaxAdvEdge2(c), MaxAdvPickup2(c)})));
            l.push_back(more(bytes({StartAdvLobe(c), StartAdvEdge2(c), StartAdvPickup2(c)})));
        }
        l.push_back(more({}));
        l.push_back(more(bytes({StartRevolutions, Compensation1, Compensation2})));
        l.push_back(key("GEBER_MODE", bytes({IgnitionsPerRev})));
        l.push_back(key("INPUT", bytes({Input1Function, Input2Function, PickupInvert1, PickupInvert2})));
        l.push_back(key("BASE_ADV", bytes({BaseAdvance})));
        l.push_back(key("LIMITER", bytes({StartLimiter, Limiter, Retard})));
        l.push_back(key("CLUTCH", bytes({ClutchTime, ClutchPause}), 13));
        l.push_back(empty());
        l.push_back(key("TPS", bytes({Tps0Voltage, Tps100Voltage})));
        l.push_back(key("RPM", bytes({TachoPulses, TachoCorrection}), 11));
        l.push_back(key("TPS_MAPA", bytes({TpsMapEnable})));
        l.push_back(empty());
        l.push_back(key("RPM_ADV", range(AdvanceRpmBase, CurvePoints)));
        l.push_back(empty());
        l.push_back(key("ADVANCE", range(AdvanceMap(0, 0), MapColumns)));
        for (int r = 1; r < MapRows; ++r)
            l.push_back(more(range(AdvanceMap(r, 0), MapColumns)));
        l.push_back(more({}));
        l.push_back(key("COR_ADV_12", bytes({AdvanceCorrection1, AdvanceCorrection2})));
        l.push_back(empty());
        l.push_back(key("SERVO_ENABLE", bytes({ServoEnable})));
        l.push_back(key("SERVO_HYSTER", bytes({ServoHysteresis})));
        l.push_back(key("SERVO_RPM", range(ServoRpmBase, CurvePoints)));
        l.push_back(key("SERVO_MV", range(ServoVoltageBase, CurvePoints)));
        for (int o = 0; o < PowerOutputs; ++o)
            addPowerOut(l, o);
        return l;
    }();
    return lines;
}

struct KeyWord {
    std::string word;
    std::vector<Value> values;
};

/// Every key word the reader knows with its values in order: those of the
/// written layout, and two that only files of older versions carry.
const std::vector<KeyWord> &keyWords()
{
    static const std::vector<KeyWord> words = [] {
        std::vector<KeyWord> w;
        for (const Line &line : layout()) {
            if (line.kind == LineKind::Key)
                w.push_back({line.key, line.values});
            else if (line.kind == LineKind::Continuation && !w.empty())
                w.back().values.insert(w.back().values.end(), line.values.begin(), line.values.end());
        }
        w.push_back({"PILOT_LIGHT", bytes({field::PowerOutRpm(1, 0)})});
        Value jetSwitch = value(field::PowerOutMode(2));
        jetSwitch.jetSwitch = true;
        w.push_back({"POWER_JET",
                     {value(field::PowerOutRpm(2, 0)), value(field::PowerOutRpm(2, 1)), value(field::PowerOutTps(2, 0)),
                      jetSwitch}});
        return w;
    }();
    return words;
}

/// A value of the written layout by what it sets: its byte, and for a flag its bit.
int slotOf(const Value &v)
{
    return v.field->offset * 8 + v.bit;
}

/// Every value a whole file of the current version holds, by slot.
const std::vector<int> &layoutSlots()
{
    static const std::vector<int> slots = [] {
        std::vector<int> s;
        for (const Line &line : layout())
            for (const Value &v : line.values)
                s.push_back(slotOf(v));
        return s;
    }();
    return slots;
}

// ---- writing ---------------------------------------------------------------

void put(std::ostream &out, const char *format, int value)
{
    char text[16];
    const int n = std::snprintf(text, sizeof text, format, value);
    out.write(text, n);
}

void writeValue(std::ostream &out, const UnitImage &image, const Value &v)
{
    const FieldInfo &f = *v.field;
    const int b = image[f.offset];
    switch (f.file) {
    case FileForm::Raw:
        put(out, "%5u ", b);
        break;
    case FileForm::SignedRaw:
        put(out, "%5d ", b);
        break;
    case FileForm::OnOff:
        out << (b != 0 ? "    1" : "    0");
        break;
    case FileForm::Scaled:
        put(out, "%5u ", b * f.scale);
        break;
    case FileForm::Tps100:
        put(out, "%5u ", b * convert::TpsVoltageScale + convert::Tps100VoltageBase);
        break;
    case FileForm::Offset:
        put(out, "%5d ", b - convert::SignedOffset);
        break;
    case FileForm::Bits:
        put(out, "%5u ", (b >> v.bit) & 1);
        break;
    }
}

// ---- reading ---------------------------------------------------------------

std::uint32_t low8(std::uint32_t v)
{
    return v & 0xFFu;
}
std::uint32_t low16(std::uint32_t v)
{
    return v & 0xFFFFu;
}

class Reader {
  public:
    Reader(std::istream &in, UnitImage &image, const FileMessageSink &message)
        : m_tokens(in), m_image(image), m_message(message), m_held(ParameterSize * 8, false)
    {
    }

    int run(ParameterFileReport &report)
    {
        const int version = findKey();
        report.keyFound = m_keyFound;
        if (version == 0)
            return 0;
        readValues();
        report.valuesMissing = 0;
        for (const int slot : layoutSlots())
            report.valuesMissing += !m_held[static_cast<std::size_t>(slot)];
        return version;
    }

  private:
    bool nextToken(Token &token)
    {
        if (m_pending) {
            token = std::move(*m_pending);
            m_pending.reset();
            return true;
        }
        return m_tokens.next(token);
    }

    void tell(FileMessage message)
    {
        if (m_message)
            m_message(message);
    }

    int findKey()
    {
        Token token;
        while (nextToken(token)) {
            if (!token.is(FileKey))
                continue;
            m_keyFound = true;
            Token version;
            if (!nextToken(version)) {
                tell(FileMessage::FileVersionMismatch);
                return 0;
            }
            if (!version.isNumber) {
                // Not a version at all: report it as one we do not know and let
                // the token take its ordinary turn, it may be the next key.
                tell(FileMessage::FileVersionMismatch);
                m_pending = std::move(version);
                continue;
            }
            const std::uint32_t number = low16(version.value);
            if (number == ParameterFileVersion)
                return ParameterFileVersion;
            if (number == OlderFileVersion50 || number == OlderFileVersion60) {
                tell(FileMessage::OlderFileVersion);
                applyOlderFileDefaults(static_cast<int>(number));
                return static_cast<int>(number);
            }
            tell(FileMessage::FileVersionMismatch);
        }
        return 0;
    }

    /// Files older than the power-output page knew only a fixed pump, light and jet.
    void applyOlderFileDefaults(int version)
    {
        using namespace field;
        if (version == OlderFileVersion50) {
            m_image[AdvanceCorrection1] = 100;
            m_image[AdvanceCorrection2] = 100;
        }
        m_image[PowerOutMode(0)] = powerout::FuelPump;
        m_image[PowerOutMode(1)] = powerout::PilotLight;
        m_image[PowerOutMode(2)] = powerout::PowerJet;
        m_image[PowerOutRpm(1, 0)] = 90;
        m_image[PowerOutRpm(2, 0)] = 40;
        m_image[PowerOutRpm(2, 1)] = 125;
        m_image[PowerOutTps(2, 0)] = 75;
    }

    void readValues()
    {
        Token token;
        while (nextToken(token)) {
            for (const KeyWord &word : keyWords()) {
                if (token.is(word.word)) {
                    readKeyWordValues(word.values);
                    break;
                }
            }
        }
    }

    void readKeyWordValues(const std::vector<Value> &values)
    {
        std::uint8_t row = 0; // a flag row is stored only once all four flags are in
        for (const Value &v : values) {
            Token token;
            if (!nextToken(token))
                return;
            if (!token.isNumber) {
                m_pending = std::move(token);
                return;
            }
            const std::uint32_t n = token.value;
            if (v.jetSwitch) {
                if (low16(n) != 0) {
                    m_image[field::PowerOutMode(2)] = powerout::Special;
                    m_image[field::PowerOutCells(2, 0)] = 3;
                    m_image[field::PowerOutCells(2, 1)] = 1;
                    m_image[field::PowerOutCells(2, 2)] = 1;
                }
                continue;
            }
            m_held[static_cast<std::size_t>(slotOf(v))] = true;
            const int offset = v.field->offset;
            if (v.field->file == FileForm::Bits) {
                if (v.bit == 0)
                    row = 0;
                if (low16(n) != 0)
                    row = static_cast<std::uint8_t>(row | (1u << v.bit));
                if (v.bit == field::PowerOutColumns - 1)
                    m_image[offset] = row;
                continue;
            }
            m_image[offset] = static_cast<std::uint8_t>(fromFile(*v.field, n));
        }
    }

    static std::uint32_t fromFile(const FieldInfo &f, std::uint32_t n)
    {
        switch (f.file) {
        case FileForm::Scaled:
            return low16(n) / static_cast<std::uint32_t>(f.scale);
        case FileForm::Tps100:
            // 2500 / 10 + 6 = 256 vanishes in the byte: what was written comes back.
            return low16(n) / convert::TpsVoltageScale + 6;
        case FileForm::Offset:
            return low8(n) + convert::SignedOffset;
        case FileForm::Raw:
        case FileForm::SignedRaw:
        case FileForm::OnOff:
        case FileForm::Bits:
            break;
        }
        return low8(n);
    }

    TokenReader m_tokens;
    UnitImage &m_image;
    const FileMessageSink &m_message;
    std::optional<Token> m_pending;
    bool m_keyFound = false;
    std::vector<bool> m_held; ///< by slot: the values the file set
};

} // namespace

void writeParameterFile(std::ostream &out, const UnitImage &image)
{
    out << FileKey << "  ";
    put(out, "%3u ", ParameterFileVersion);
    for (const Line &line : layout()) {
        out << "\r\n";
        if (line.kind == LineKind::Empty)
            continue;
        std::string lead = line.kind == LineKind::Key ? line.key : std::string();
        if (static_cast<int>(lead.size()) < line.width)
            lead.resize(static_cast<std::size_t>(line.width), ' ');
        out << lead;
        for (const Value &v : line.values)
            writeValue(out, image, v);
    }
}

int readParameterFile(std::istream &in, UnitImage &image, const FileMessageSink &message, ParameterFileReport *report)
{
    ParameterFileReport ignored;
    return Reader(in, image, message).run(report ? *report : ignored);
}

} // namespace talviro6
