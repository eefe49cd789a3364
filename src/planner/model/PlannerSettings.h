#pragma once

#include "planner/model/PlannerTypes.h"

#include <functional>
#include <string>
#include <vector>

// A group of planner settings; every effective change is reported to the planner that owns it.
class TPlannerSettings {
public:
    std::function<void()> OnChange;

protected:
    template <class T> void Store(T& field, const T& value) {
        if (field == value) return;
        field = value;
        if (OnChange) OnChange();
    }
};

// The time axis: slots of DisplayUnit minutes, rows DisplayStart to DisplayEnd.
class TPlannerDisplay : public TPlannerSettings {
public:
    int DisplayUnit() const { return unit_; }
    void SetDisplayUnit(int value); // 0 is ignored
    int DisplayStart() const { return start_; }
    void SetDisplayStart(int value) { Store(start_, value); }
    int DisplayEnd() const { return end_; }
    void SetDisplayEnd(int value) { Store(end_, value); }
    int DisplayOffset() const { return offset_; }
    void SetDisplayOffset(int value); // an offset beyond one slot is ignored
    int DisplayScale() const { return scale_; }
    void SetDisplayScale(int value) { Store(scale_, value); }
    int ActiveStart() const { return activeStart_; }
    void SetActiveStart(int value) { Store(activeStart_, value); }
    int ActiveEnd() const { return activeEnd_; }
    void SetActiveEnd(int value) { Store(activeEnd_, value); }
    TColor ColorActive() const { return colorActive_; }
    void SetColorActive(TColor value) { Store(colorActive_, value); }
    TColor ColorNonActive() const { return colorNonActive_; }
    void SetColorNonActive(TColor value) { Store(colorNonActive_, value); }
    bool ShowCurrent() const { return showCurrent_; }
    void SetShowCurrent(bool value) { Store(showCurrent_, value); }
    TColor ColorCurrent() const { return colorCurrent_; }
    void SetColorCurrent(TColor value) { Store(colorCurrent_, value); }
    bool ShowCurrentItem() const { return showCurrentItem_; }
    void SetShowCurrentItem(bool value) { Store(showCurrentItem_, value); }
    TColor ColorCurrentItem() const { return colorCurrentItem_; }
    void SetColorCurrentItem(TColor value) { Store(colorCurrentItem_, value); }
    int CurrentPosFrom() const { return currentPosFrom_; }
    void SetCurrentPosFrom(int value) { Store(currentPosFrom_, value); }
    int CurrentPosTo() const { return currentPosTo_; }
    void SetCurrentPosTo(int value) { Store(currentPosTo_, value); }
    bool ScaleToFit() const { return scaleToFit_; }
    void SetScaleToFit(bool value) { Store(scaleToFit_, value); }

    // Minutes of the day where the displayed and the active ranges begin and end.
    int DisplayStartMinute() const { return SlotMinute(0); }
    int DisplayEndMinute() const { return SlotMinute(end_ + 1 - start_); }
    int ActiveStartMinute() const { return SlotMinute(activeStart_); }
    int ActiveEndMinute() const { return SlotMinute(activeEnd_); }
    // First minute of grid row `row`.
    int SlotMinute(int row) const { return (start_ + row) * unit_ + offset_; }

private:
    int unit_ = 30;
    int start_ = 0;
    int end_ = 47;
    int offset_ = 0;
    int scale_ = 24;
    int activeStart_ = 16;
    int activeEnd_ = 40;
    TColor colorActive_ = clWhite;
    TColor colorNonActive_ = clSilver;
    bool showCurrent_ = false;
    TColor colorCurrent_ = clYellow;
    bool showCurrentItem_ = false;
    TColor colorCurrentItem_ = clLime;
    int currentPosFrom_ = -1;
    int currentPosTo_ = -1;
    bool scaleToFit_ = false;
};

class TPlannerMode : public TPlannerSettings {
public:
    TPlannerType PlannerType() const { return type_; }
    void SetPlannerType(TPlannerType value) { Store(type_, value); }
    bool Clip() const { return clip_; }
    void SetClip(bool value) { Store(clip_, value); }

private:
    TPlannerType type_ = plDay;
    bool clip_ = false;
};

// The header's caption strings: caption 0 sits above the time column, caption p + 1 above
// position p.
class TPlannerCaptions : public TPlannerSettings {
public:
    int Count() const { return static_cast<int>(strings_.size()); }
    // Raises EListError for an index outside the list.
    const std::string& operator[](int index) const;
    const std::vector<std::string>& Strings() const { return strings_; }
    void Add(const std::string& text);
    void Set(int index, const std::string& text);
    void Assign(const std::vector<std::string>& strings);
    void Clear();

private:
    void CheckIndex(int index) const;
    void Changed();

    std::vector<std::string> strings_;
};

class TPlannerHeader : public TPlannerSettings {
public:
    TPlannerCaptions& Captions() { return captions_; }
    const TPlannerCaptions& Captions() const { return captions_; }
    // With AutoSize the strip is as high as one line of caption text.
    int Height() const { return autoSize_ ? textHeight_ + 2 : height_; }
    void SetHeight(int value) { Store(height_, value); }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value) { Store(autoSize_, value); }
    int TextHeight() const { return textHeight_; }
    void SetTextHeight(int value) { Store(textHeight_, value); }

private:
    TPlannerCaptions captions_;
    int height_ = 16;
    bool autoSize_ = false;
    int textHeight_ = 16;
};

// The time column.
class TPlannerSideBar : public TPlannerSettings {
public:
    TSideBarPosition Position() const { return position_; }
    void SetPosition(TSideBarPosition value) { Store(position_, value); }
    int Width() const { return width_; }
    void SetWidth(int value) { Store(width_, value); }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { Store(visible_, value); }
    // Repainting an item repaints its rows of the time column too.
    bool ShowOccupied() const { return showOccupied_; }
    void SetShowOccupied(bool value) { Store(showOccupied_, value); }

private:
    TSideBarPosition position_ = spLeft;
    int width_ = 40;
    bool visible_ = true;
    bool showOccupied_ = false;
};

// The bar above the header strip.
class TPlannerCaption : public TPlannerSettings {
public:
    explicit TPlannerCaption(std::string title) : title_(std::move(title)) {}
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { Store(title_, value); }
    int Height() const { return height_; }
    void SetHeight(int value) { Store(height_, value); }

private:
    std::string title_;
    int height_ = 32;
};

class TBands : public TPlannerSettings {
public:
    bool Show() const { return show_; }
    void SetShow(bool value) { Store(show_, value); }

private:
    bool show_ = false;
};

class TPlannerItemSelection : public TPlannerSettings {
public:
    bool AutoUnSelect() const { return autoUnSelect_; }
    void SetAutoUnSelect(bool value) { Store(autoUnSelect_, value); }
    TSelectButton Button() const { return button_; }
    void SetButton(TSelectButton value) { Store(button_, value); }

private:
    bool autoUnSelect_ = true;
    TSelectButton button_ = sbLeft;
};
