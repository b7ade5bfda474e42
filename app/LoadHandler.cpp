#include "app/LoadHandler.h"

#include "app/Centring.h"
#include "app/TabPages.h"

namespace talmoran {

void LoadTalmoran(WindowGeometry& window, const Screen& screen, FrameArray& ChoiceFrame, TabStrip& TabStrip1,
                  Int16& CurrentPage)
{
    SizeAndCentre(window, screen);
    SetUpPages(ChoiceFrame, TabStrip1, CurrentPage);
}

} // namespace talmoran
