#pragma once

#include "link/display_state.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace talviro6 {

/// Composes one line of text on the stack, so a tick that rewrites a read-out with
/// the same text neither allocates nor marks the display as changed.
class TextLine {
  public:
    static constexpr std::size_t Capacity = 240;

    TextLine &operator<<(std::string_view s);
    TextLine &operator<<(char c) { return *this << std::string_view(&c, 1); }
    TextLine &operator<<(int value);
    /// printf's "%<width>.1f", independent of the process locale.
    TextLine &fixed1(double value, int width);

    std::string_view view() const { return {m_buffer.data(), m_length}; }

  private:
    std::array<char, Capacity> m_buffer{};
    std::size_t m_length = 0;
};

/// Writes into a display (the link's, the monitor column) and counts its revision
/// only when something moved.
class DisplayWriter {
  public:
    template <typename Display> explicit DisplayWriter(Display &display) : m_revision(display.revision) {}

    void text(std::string &target, std::string_view value)
    {
        if (target != value) {
            target.assign(value);
            changed();
        }
    }
    template <typename Line> void colour(Line &target, Colour value) { set(target.colour, value); }
    template <typename Line> void visible(Line &target, bool value) { set(target.visible, value); }
    void readout(Readout &target, std::string_view value, Colour c)
    {
        text(target.text, value);
        colour(target, c);
    }
    void readout(Readout &target, const TextLine &line, Colour c) { readout(target, line.view(), c); }

    template <typename T> void set(T &target, T value)
    {
        if (target != value) {
            target = value;
            changed();
        }
    }

  private:
    void changed() { ++m_revision; }
    std::uint32_t &m_revision;
};

} // namespace talviro6
