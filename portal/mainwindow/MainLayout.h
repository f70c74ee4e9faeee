#pragma once

namespace lumera::portal {

// Position and size of one control in twips, as the form keeps them. A width or height
// below zero cannot be applied: the control keeps its previous size, exactly as a failing
// layout step is skipped and the next one runs.
struct ControlBox {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Visible = true;

    void setWidth(int width) {
        if (width >= 0)
            Width = width;
    }
    void setHeight(int height) {
        if (height >= 0)
            Height = height;
    }
    void move(int left, int top, int width) {
        Left = left;
        Top = top;
        setWidth(width);
    }
};

// The controls of a main window that the layout rules move, at their design positions.
struct MainLayout {
    ControlBox CmbType{8880, 120, 1335, 315};
    ControlBox CmbSearch{10440, 120, 3900, 315};
    ControlBox Cmd{14400, 120, 1100, 330};
    ControlBox Web{50, 650, 3615, 4335};
    ControlBox lab{4920, 645, 50, 5175};
    ControlBox tvw{8160, 645, 3300, 4335};
    ControlBox Pop{8160, 5040, 3255, 1935};
    ControlBox Piclose{-960, 2520, 780, 280};
    ControlBox PicPro{8200, 7080, 300, 255};
};

// The fixed measures of the layout.
inline constexpr int kTreeWidth = 4400;
inline constexpr int kPopHeight = 3800;
inline constexpr int kWideWindow = 16000;
// The splitter bar is dragged by its centre.
inline constexpr int kSplitterGrip = 25;

// Form_Resize: fits the controls to a client area of scaleWidth × scaleHeight inside a window
// windowWidth wide (all in twips). The search bar is right-aligned on windows wider than
// kWideWindow and wherever its design place would run past the right edge. Reverts a splitter
// drag and shows the pop-up pane again while the tree is visible.
void resizeLayout(MainLayout& layout, int scaleWidth, int scaleHeight, int windowWidth);

// HideList_Click: hides the right-hand panel (tree, pop-up pane, its close button, splitter)
// or shows it again.
void toggleRightPanel(MainLayout& layout, int scaleWidth, int scaleHeight);

// Piclose_Click: the pop-up pane and its close button go, the tree grows over their space.
void closePopPane(MainLayout& layout, int scaleHeight);

// lab_MouseMove with the left button held: x is the pointer inside the bar.
void dragSplitter(MainLayout& layout, int x);

// lab_MouseUp: the panes follow the bar wherever it was dropped.
void dropSplitter(MainLayout& layout, int scaleWidth);

} // namespace lumera::portal
