#include "app/Centring.h"

#include <cmath>

#include "platform/RuntimeError.h"

namespace talmoran {

float CentredOffset(float screenExtent, float windowExtent)
{
    const double offset = (static_cast<double>(screenExtent) - static_cast<double>(windowExtent)) / 2.0;
    const auto result = static_cast<float>(offset);
    if (!std::isfinite(result)) {
        throw RuntimeError::Overflow();
    }
    return result;
}

void SizeAndCentre(WindowGeometry& window, const Screen& screen)
{
    window.SetWidth(kLoadedWidth);
    window.SetHeight(kLoadedHeight);
    window.SetTop(CentredOffset(screen.Height(), window.Height()));
    window.SetLeft(CentredOffset(screen.Width(), window.Width()));
}

} // namespace talmoran
