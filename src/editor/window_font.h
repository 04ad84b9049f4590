#pragma once

namespace talviro6 {

/// The window's font: a sans-serif face 11 pixels high with the metrics of the
/// desktop font its fixed layout was drawn for (Arial's, which Liberation Sans
/// shares), so that numbers and captions fit the widths the pages give them. Falls
/// back to the platform's sans-serif where neither is installed. Called before the
/// window is built, by the tool and by the tests, so both see the same window.
void applyWindowFont();

} // namespace talviro6
