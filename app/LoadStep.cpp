#include "app/LoadStep.h"

#include <cmath>
#include <optional>

#include "platform/RuntimeError.h"
#include "platform/Twips.h"

namespace talmoran {
namespace {

constexpr float kLoadedWidth = 7000.0F;
constexpr float kLoadedHeight = 4000.0F;

float CentredOffset(float screenExtent, float windowExtent)
{
    const double offset = (static_cast<double>(screenExtent) - static_cast<double>(windowExtent)) / 2.0;
    const auto result = static_cast<float>(offset);
    if (!std::isfinite(result)) {
        throw RuntimeError::Overflow();
    }
    return result;
}

} // namespace

TwipsRect LoadedPlace(ScreenSize screen, unsigned dpi, std::optional<PixelSize> kept)
{
    const PixelSize size =
        kept.value_or(PixelSize{TwipsToPixels(kLoadedWidth, dpi), TwipsToPixels(kLoadedHeight, dpi)});
    const float width = PixelsToTwips(size.width, dpi);
    const float height = PixelsToTwips(size.height, dpi);
    return {CentredOffset(screen.width, width), CentredOffset(screen.height, height), width, height};
}

} // namespace talmoran
