#pragma once

#include "planner/model/PlannerTypes.h"

// The planner's drawing settings that the model does not hold.
struct TPlannerLooks {
    TColor CaptionBackground = clGray;
    TColor CaptionBackgroundTo = clNone;
    int CaptionBackgroundSteps = 32;
    TFont CaptionFont{"MS Sans Serif", -13, fsBold, clWhite};
    TAlignment CaptionAlignment = taLeftJustify;
    TColor HeaderColor = clBtnFace;
    TColor HeaderLineColor = clGray;
    TFont HeaderFont{"MS Sans Serif", -11, 0, clWindowText};
    bool HeaderFlat = false;
    TColor SidebarBackground = clBtnFace;
    TColor SidebarBackgroundTo = clWhite;
    TFont SidebarFont{"Arial", -11, 0, clWindowText};
    TColor SidebarSeparatorLineColor = clGray;
    bool SidebarBorder = true;
    TColor GridLineColor = clGray;
    TColor ShadowColor = clGray;
    int TrackWidth = 4;
    TColor URLColor = clBlue;
    bool IndicateNonVisibleItems = true;
    // Item caption bands fade from top to bottom when set, from left to right when not.
    bool GradientHorizontal = false;

    bool operator==(const TPlannerLooks&) const = default;
};
