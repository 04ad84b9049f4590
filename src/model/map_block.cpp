#include "model/map_block.h"

#include "model/field_table.h"
#include "model/fields.h"
#include "model/unit_image.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace talviro6 {
namespace {

using Grid = std::array<std::array<long long, field::MapColumns>, field::MapRows>;

/// num / den to the nearest whole number, halves up; den > 0.
long long roundHalfUp(long long num, long long den)
{
    const long long twice = 2 * num + den;
    const long long twiceDen = 2 * den;
    // Floor division: C++ truncates toward zero, which would round -2.5 to -2 but -3.5 to -3.
    return twice >= 0 ? twice / twiceDen : -((-twice + twiceDen - 1) / twiceDen);
}

MapBlock clipped(MapBlock b)
{
    b.top = std::clamp(b.top, 0, field::MapRows - 1);
    b.bottom = std::clamp(b.bottom, b.top, field::MapRows - 1);
    b.left = std::clamp(b.left, 0, field::MapColumns - 1);
    b.right = std::clamp(b.right, b.left, field::MapColumns - 1);
    return b;
}

std::uint8_t clampedCell(int row, int column, long long value)
{
    const FieldInfo *f = fieldAt(field::AdvanceMap(row, column));
    return static_cast<std::uint8_t>(std::clamp<long long>(value, f->minimum, f->maximum));
}

Grid mapOf(const UnitImage &image)
{
    Grid g{};
    for (int r = 0; r < field::MapRows; ++r)
        for (int c = 0; c < field::MapColumns; ++c)
            g[r][c] = image[field::AdvanceMap(r, c)];
    return g;
}

/// Linear between a (at 0) and b (at n), at i.
long long between(long long a, long long b, long long i, long long n)
{
    return n == 0 ? a : roundHalfUp(a * (n - i) + b * i, n);
}

long long bilinear(const Grid &v, const MapBlock &b, int r, int c)
{
    const long long rows = b.rows() - 1;
    const long long columns = b.columns() - 1;
    const long long i = r - b.top;
    const long long j = c - b.left;
    if (rows == 0)
        return between(v[r][b.left], v[r][b.right], j, columns);
    if (columns == 0)
        return between(v[b.top][c], v[b.bottom][c], i, rows);
    const long long sum = v[b.top][b.left] * (rows - i) * (columns - j) + v[b.top][b.right] * (rows - i) * j +
                          v[b.bottom][b.left] * i * (columns - j) + v[b.bottom][b.right] * i * j;
    return roundHalfUp(sum, rows * columns);
}

long long smoothed(const Grid &v, const MapBlock &b, int r, int c)
{
    long long sum = 0;
    long long count = 0;
    for (int rr = std::max(r - 1, b.top); rr <= std::min(r + 1, b.bottom); ++rr)
        for (int cc = std::max(c - 1, b.left); cc <= std::min(c + 1, b.right); ++cc) {
            sum += v[rr][cc];
            ++count;
        }
    return roundHalfUp(sum, count);
}

long long resultOf(const Grid &v, const MapBlock &b, BlockOperation operation, int argument, int r, int c)
{
    switch (operation) {
    case BlockOperation::Set:
        return argument;
    case BlockOperation::Add:
        return v[r][c] + argument;
    case BlockOperation::Scale:
        return roundHalfUp(v[r][c] * argument, 100);
    case BlockOperation::InterpolateRows:
        return between(v[r][b.left], v[r][b.right], c - b.left, b.columns() - 1);
    case BlockOperation::InterpolateColumns:
        return between(v[b.top][c], v[b.bottom][c], r - b.top, b.rows() - 1);
    case BlockOperation::Bilinear:
        return bilinear(v, b, r, c);
    case BlockOperation::Smooth:
        return smoothed(v, b, r, c);
    }
    return v[r][c];
}

// --- Tab-separated text ---

constexpr std::string_view NoBreakSpace = "\xC2\xA0"; ///< some spreadsheets' thousands blank, UTF-8
constexpr std::string_view DegreeSign = "\xC2\xB0";   ///< UTF-8

std::string_view trimmed(std::string_view s)
{
    for (bool again = true; again;) {
        again = false;
        for (const std::string_view blank : {std::string_view(" "), NoBreakSpace}) {
            if (s.starts_with(blank)) {
                s.remove_prefix(blank.size());
                again = true;
            }
            if (s.ends_with(blank)) {
                s.remove_suffix(blank.size());
                again = true;
            }
        }
    }
    return s;
}

/// The cell's text inside its quotes, doubled quotes made single; empty when the
/// quotes are not a whole quoted cell.
std::optional<std::string> unquoted(std::string_view s)
{
    if (s.size() < 2 || s.front() != '"' || s.back() != '"')
        return std::nullopt;
    std::string out;
    for (std::size_t i = 1; i + 1 < s.size(); ++i) {
        if (s[i] == '"') {
            if (i + 2 >= s.size() || s[i + 1] != '"')
                return std::nullopt; // a lone quote inside
            ++i;
        }
        out.push_back(s[i]);
    }
    return out;
}

constexpr long long Saturation = 1'000'000; ///< far beyond any cell, and no overflow below it

/// A number with an optional sign and a decimal point or comma, rounded halves up.
std::optional<long long> number(std::string_view s)
{
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    long long whole = 0;
    long long tenths = 0; ///< the first digit after the decimal mark decides the rounding
    bool tail = false;    ///< digits after the first decimal one that are not all 0
    bool digits = false;
    bool decimal = false;
    int decimals = 0;
    for (const char ch : s) {
        if (ch == '.' || ch == ',') {
            if (decimal)
                return std::nullopt;
            decimal = true;
        } else if (ch >= '0' && ch <= '9') {
            digits = true;
            if (!decimal)
                whole = std::min(Saturation, whole * 10 + (ch - '0'));
            else if (decimals++ == 0)
                tenths = ch - '0';
            else
                tail = tail || ch != '0';
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    // Halves up: 2.5 -> 3, -2.5 -> -2, -2.51 -> -3.
    if (!negative)
        return whole + (tenths >= 5 ? 1 : 0);
    const bool awayFromZero = tenths > 5 || (tenths == 5 && tail);
    return -(whole + (awayFromZero ? 1 : 0));
}

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

std::vector<std::string_view> lines(std::string_view text)
{
    std::vector<std::string_view> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r')
            continue;
        out.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    out.push_back(text.substr(start));
    while (!out.empty() && out.back().empty())
        out.pop_back();
    return out;
}

} // namespace

MapBlock MapBlock::spanning(MapCell a, MapCell b)
{
    return MapBlock{std::min(a.row, b.row), std::min(a.column, b.column), std::max(a.row, b.row),
                    std::max(a.column, b.column)};
}

void applyBlockOperation(UnitImage &image, const MapBlock &block, BlockOperation operation, int argument)
{
    const MapBlock b = clipped(block);
    const Grid before = mapOf(image);
    for (int r = b.top; r <= b.bottom; ++r)
        for (int c = b.left; c <= b.right; ++c)
            image[field::AdvanceMap(r, c)] = clampedCell(r, c, resultOf(before, b, operation, argument, r, c));
}

std::string blockToText(const UnitImage &image, const MapBlock &block)
{
    const MapBlock b = clipped(block);
    std::string text;
    for (int r = b.top; r <= b.bottom; ++r) {
        for (int c = b.left; c <= b.right; ++c) {
            if (c > b.left)
                text += '\t';
            text += std::to_string(image[field::AdvanceMap(r, c)]);
        }
        text += '\n';
    }
    return text;
}

ParsedPaste parseTabSeparated(std::string_view text)
{
    ParsedPaste parsed;
    bool anyNumber = false;
    const auto rows = lines(text);
    for (std::size_t l = 0; l < rows.size(); ++l) {
        std::vector<std::optional<int>> row;
        const auto cells = split(rows[l], '\t');
        for (std::size_t k = 0; k < cells.size(); ++k) {
            const std::string_view raw = trimmed(cells[k]);
            const std::optional<std::string> inner = unquoted(raw);
            std::string_view s = inner ? trimmed(*inner) : raw;
            if (s.empty()) {
                row.emplace_back();
                continue;
            }
            if (s.ends_with(DegreeSign))
                s = trimmed(s.substr(0, s.size() - DegreeSign.size()));
            const auto value = number(s);
            if (!value) {
                parsed.error = PasteError{PasteError::Kind::NotANumber, int(l) + 1, int(k) + 1, std::string(raw)};
                parsed.cells.clear();
                return parsed;
            }
            row.emplace_back(static_cast<int>(std::clamp(*value, -Saturation, Saturation)));
            anyNumber = true;
        }
        parsed.cells.push_back(std::move(row));
    }
    if (!anyNumber) {
        parsed.error = PasteError{};
        parsed.cells.clear();
    }
    return parsed;
}

MapBlock pasteCells(UnitImage &image, MapCell topLeft, const PastedCells &cells)
{
    MapBlock covered{topLeft.row, topLeft.column, topLeft.row, topLeft.column};
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const int r = topLeft.row + static_cast<int>(i);
        if (r >= field::MapRows)
            break;
        for (std::size_t j = 0; j < cells[i].size(); ++j) {
            const int c = topLeft.column + static_cast<int>(j);
            if (c >= field::MapColumns)
                break;
            covered.bottom = std::max(covered.bottom, r);
            covered.right = std::max(covered.right, c);
            if (cells[i][j])
                image[field::AdvanceMap(r, c)] = clampedCell(r, c, *cells[i][j]);
        }
    }
    return covered;
}

} // namespace talviro6
