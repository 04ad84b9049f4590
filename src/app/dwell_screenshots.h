#pragma once

#include <QString>

namespace talviro6 {

class FormHlav;

/// Where the engine ran and the charts, against the live unit: turns the throttle map
/// and the shading on, lets the engine run through a sweep (the window keeps ticking
/// meanwhile), then writes dwell-advance.png (the shaded map with its trail),
/// dwell-servo.png and charts.png into `dir`, and turns the shading off again.
/// True when every picture was written.
bool takeDwellScreenshots(FormHlav &window, const QString &dir);

} // namespace talviro6
