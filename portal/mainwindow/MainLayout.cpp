#include "portal/mainwindow/MainLayout.h"

namespace lumera::portal {

namespace {

// Tree, pop-up pane and browser pane as the right-hand panel shows them.
void placeTreeAndPop(MainLayout& l, int scaleWidth, int scaleHeight) {
    l.tvw.setWidth(kTreeWidth);
    l.tvw.Left = scaleWidth - l.tvw.Width - 50;
    l.tvw.setHeight(scaleHeight - 4750);
}

// The search bar keeps its right-hand alignment on wide windows and stands at its design
// place where that fits; where it does not, it is right-aligned too, so the engine box, the
// query box and the button are always whole and inside the window.
void placeSearchBar(MainLayout& l, int scaleWidth, int windowWidth) {
    static const MainLayout design;
    const bool designFits = design.Cmd.Left + design.Cmd.Width <= scaleWidth;
    if (windowWidth > kWideWindow || !designFits) {
        l.Cmd.Left = scaleWidth - 1150;
        l.CmbSearch.Left = scaleWidth - 5100;
        l.CmbType.Left = scaleWidth - 6500;
    } else {
        l.Cmd.Left = design.Cmd.Left;
        l.CmbSearch.Left = design.CmbSearch.Left;
        l.CmbType.Left = design.CmbType.Left;
    }
}

} // namespace

void resizeLayout(MainLayout& l, int scaleWidth, int scaleHeight, int windowWidth) {
    placeSearchBar(l, scaleWidth, windowWidth);
    placeTreeAndPop(l, scaleWidth, scaleHeight);
    l.Pop.setHeight(kPopHeight);
    if (l.tvw.Visible) {
        l.Pop.Visible = true;
        l.Piclose.Visible = true;
        l.Web.setWidth(scaleWidth - l.tvw.Width - 150);
        l.Web.setHeight(scaleHeight - 950);
        l.Pop.move(l.tvw.Left, scaleHeight - 4080, l.tvw.Width - 10);
        l.Piclose.Left = scaleWidth - 850;
        l.Piclose.Top = l.Pop.Top - 250;
    } else {
        l.Web.setWidth(scaleWidth - 100);
        l.Web.setHeight(scaleHeight - 950);
    }
    l.lab.setHeight(scaleHeight - 950);
    l.lab.Left = l.Web.Width + 50;
    l.PicPro.Top = scaleHeight - 255;
}

void toggleRightPanel(MainLayout& l, int scaleWidth, int scaleHeight) {
    if (l.tvw.Visible) {
        l.tvw.Visible = l.Pop.Visible = l.Piclose.Visible = l.lab.Visible = false;
        l.tvw.setHeight(scaleHeight - 950);
        l.Web.setWidth(scaleWidth - 100);
        return;
    }
    l.tvw.Visible = l.Pop.Visible = l.Piclose.Visible = l.lab.Visible = true;
    placeTreeAndPop(l, scaleWidth, scaleHeight);
    l.Pop.move(l.tvw.Left, scaleHeight - 4080, l.tvw.Width - 10);
    l.Pop.setHeight(kPopHeight);
    l.Web.setWidth(scaleWidth - l.tvw.Width - 150);
    l.lab.Left = l.Web.Width + 50;
}

void closePopPane(MainLayout& l, int scaleHeight) {
    l.Piclose.Visible = false;
    l.Pop.Visible = false;
    l.tvw.setHeight(scaleHeight - 950);
}

void dragSplitter(MainLayout& l, int x) {
    l.lab.Left = l.lab.Left + x - kSplitterGrip;
}

void dropSplitter(MainLayout& l, int scaleWidth) {
    l.Web.setWidth(l.lab.Left - 50);
    l.tvw.Left = l.lab.Left + 50;
    l.tvw.setWidth(scaleWidth - l.tvw.Left - 50);
    l.Pop.Left = l.tvw.Left;
    l.Pop.setWidth(l.tvw.Width);
}

} // namespace lumera::portal
