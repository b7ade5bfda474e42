#include "app/TabPages.h"

namespace talmoran {

void StackFramesOnFirst(FrameArray& ChoiceFrame, bool hide)
{
    const Int16 n = ChoiceFrame.UBound();
    for (Int16 i = 1; i <= n; i = CheckedAdd<Int16>(i, 1)) {
        const FrameRect first = ChoiceFrame.Rect(0);
        ChoiceFrame.Move(i, first.left, first.top, first.width, first.height);
        if (hide) {
            ChoiceFrame.SetVisible(i, false);
        }
    }
}

void SetUpPages(FrameArray& ChoiceFrame, TabStrip& TabStrip1, Int16& CurrentPage)
{
    StackFramesOnFirst(ChoiceFrame, true);
    CurrentPage = 1;
    TabStrip1.Select(CurrentPage);
    ChoiceFrame.SetVisible(CheckedSub<Int16>(CurrentPage, 1), true);
}

void OnTabClick(FrameArray& ChoiceFrame, const TabStrip& TabStrip1, Int16& CurrentPage)
{
    ChoiceFrame.SetVisible(CheckedSub<Int16>(CurrentPage, 1), false);
    CurrentPage = TabStrip1.SelectedIndex();
    ChoiceFrame.SetVisible(CheckedSub<Int16>(CurrentPage, 1), true);
}

} // namespace talmoran
