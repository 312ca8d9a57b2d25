#pragma once
// Knobs and sliders in switch mode rest on the items of a list control. Drawing and sending
// round the same way (to the nearest item), so the item shown is the item sent.

#include <algorithm>
#include <cmath>

// The value of the nearest of steps + 1 evenly spaced items (at least one step).
inline float tsraSnapToStep(float fValue, float fSteps)
{
    const float steps = std::max(1.0f, std::floor(fSteps + 0.5f));
    return std::floor(steps * fValue + 0.5f) / steps;
}
