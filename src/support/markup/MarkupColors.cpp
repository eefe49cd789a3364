#include "support/markup/Markup.h"
#include "support/markup/MarkupLine.h"

#include <cctype>
#include <unordered_map>

TColor ColorByName(const std::string& name) {
    static const std::unordered_map<std::string, TColor> kColors = {
        {"clred", clRed},
        {"clblack", clBlack},
        {"clblue", clBlue},
        {"clgreen", clGreen},
        {"claqua", clAqua},
        {"clyellow", clYellow},
        {"clfuchsia", clFuchsia},
        {"clwhite", clWhite},
        {"cllime", clLime},
        {"clsilver", clSilver},
        {"clgray", clGray},
        {"clolive", clOlive},
        {"clnavy", clNavy},
        {"clpurple", clPurple},
        {"clteal", clTeal},
        {"clmaroon", clMaroon},
        {"clbackground", clBackground},
        {"clactivecaption", clActiveCaption},
        {"clinactivecaption", clInactiveCaption},
        {"clmenu", clMenu},
        {"clwindow", clWindow},
        {"clwindowframe", clWindowFrame},
        {"clmenutext", clMenuText},
        {"clwindowtext", clWindowText},
        {"clcaptiontext", clCaptionText},
        {"clactiveborder", clActiveBorder},
        {"clinactiveborder", clInactiveBorder},
        {"clappworkspace", clAppWorkSpace},
        {"clhighlight", clHighlight},
        {"clhighlighttext", clHighlightText},
        {"clbtnface", clBtnFace},
        {"clbtnshadow", clBtnShadow},
        {"clgraytext", clGrayText},
        {"clbtntext", clBtnText},
        {"clinactivecaptiontext", clInactiveCaptionText},
        {"clbtnhighlight", clBtnHighlight},
        {"cl3ddkshadow", cl3DDkShadow},
        {"cl3dlight", cl3DLight},
        {"clinfotext", clInfoText},
        {"clinfobk", clInfoBk},
    };
    const auto found = kColors.find(name);
    return found == kColors.end() ? 0 : found->second;
}

// "#RRGGBB" or a colour name in any case.
TColor MarkupColor(const std::string& value) {
    if (value.size() == 7 && value[0] == '#') {
        const unsigned long rgb = std::strtoul(value.c_str() + 1, nullptr, 16);
        return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    }
    return ColorByName(LowerCase(value));
}
