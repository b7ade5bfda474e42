#include "app/LoadStep.h"

#include <cmath>

namespace talmoran {

void LoadTalmoran(WindowGeometry& window, ScreenSize screen, FrameArray& ChoiceFrame, TabStrip& TabStrip1,
                  Int16& CurrentPage)
{
    // Centred from the size read back: the window system may have adjusted it.
    window.Resize(kLoadedWidth, kLoadedHeight);
    const TwipsRect outer = window.Outer();
    window.MoveTo(CentredOffset(screen.width, outer.width), CentredOffset(screen.height, outer.height));
    // Every other frame stacked on ChoiceFrame(0), hidden; tab 1 and its page shown.
    StackFramesOnFirst(ChoiceFrame, true);
    CurrentPage = 1;
    TabStrip1.Select(CurrentPage);
    ChoiceFrame.SetVisible(CheckedSub<Int16>(CurrentPage, 1), true);
}

TwipsRect LoadedPlace(ScreenSize screen)
{
    return {CentredOffset(screen.width, kLoadedWidth), CentredOffset(screen.height, kLoadedHeight), kLoadedWidth,
            kLoadedHeight};
}

float CentredOffset(float screenExtent, float windowExtent)
{
    const double offset = (static_cast<double>(screenExtent) - static_cast<double>(windowExtent)) / 2.0;
    const auto result = static_cast<float>(offset);
    if (!std::isfinite(result)) {
        throw RuntimeError::Overflow();
    }
    return result;
}

void ShowSelectedPage(FrameArray& ChoiceFrame, const TabStrip& TabStrip1, Int16& CurrentPage)
{
    ChoiceFrame.SetVisible(CheckedSub<Int16>(CurrentPage, 1), false);
    CurrentPage = TabStrip1.SelectedIndex();
    ChoiceFrame.SetVisible(CheckedSub<Int16>(CurrentPage, 1), true);
}

void StackFramesOnFirst(FrameArray& ChoiceFrame, bool hide)
{
    const Int16 n = ChoiceFrame.UBound();
    for (Int16 i = 1; i <= n; i = CheckedAdd<Int16>(i, 1)) {
        ChoiceFrame.Move(i, ChoiceFrame.Rect(0));
        if (hide) {
            ChoiceFrame.SetVisible(i, false);
        }
    }
}

} // namespace talmoran
