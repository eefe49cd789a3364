#pragma once

#include "planner/model/LaneArranger.h"
#include "planner/model/PlannerTypes.h"
#include "platform/DateTime.h"
#include "platform/Geometry.h"

#include <string>
#include <vector>

class TCustomPlanner;
class TPlannerItems;

// State kept for the view between paints and clicks; the model only clears Painted.
struct TItemViewState {
    bool Painted = false;      // drawn in the current paint pass
    int CaptionHeight = 0;     // pixel height of the caption band
    TRect TextRect;            // where the body text was drawn, in grid coordinates
    bool TextOverflow = false; // the text did not fit
    bool IsCurrent = false;    // covers the current time
};

// What an item holds apart from its place in the collection, selection, lanes and view state:
// copying it back puts an item back exactly as it was.
struct TPlannerItemState {
    int ItemBegin = 0;
    int ItemEnd = 0;
    int ItemPos = 0;
    bool Visible = false;
    bool InHeader = false;
    TCaptionType CaptionType = ctNone;
    std::string CaptionText;
    TColor CaptionBkg = clWhite;
    TColor CaptionBkgTo = clNone;
    TPlannerFont CaptionFont;
    TAlignment CaptionAlign = taLeftJustify;
    std::vector<std::string> Text;
    TPlannerFont Font;
    TAlignment Alignment = taLeftJustify;
    bool WordWrap = true;
    TColor Color = clWhite;
    TColor SelectColor = clInfoBk;
    TColor SelectFontColor = clRed;
    bool ShowSelection = true;
    TPlannerShape Shape = psRect;
    bool Shadow = true;
    TColor TrackColor = clBlue;
    bool TrackVisible = true;
    bool UniformBkg = true;
    TBrushStyle BrushStyle = bsSolid;
    bool AllowOverlap = true;
    bool Background = false;
    int Layer = 0;
    bool ReadOnly = false;
    bool FixedPos = false;
    bool FixedSize = false;
    bool FixedPosition = false;
    TPlannerEditType InplaceEdit = peMemo;
    int ImageID = -1;
    std::string Name;
    int Tag = 0;
    int DbTag = 0;
    std::string ItemKey;
    int BeginMinute = 0;
    int EndMinute = 0;
    TDateTime BeginValue = 0;
    int OverflowBefore = 0;
    int OverflowAfter = 0;

    bool operator==(const TPlannerItemState&) const = default;
};

// One block of the planner: a slot range [ItemBegin, ItemEnd) in position ItemPos, with the
// exact minutes it was placed at, its caption, text and looks.
class TPlannerItem {
public:
    TPlannerItem(const TPlannerItem&) = delete;
    TPlannerItem& operator=(const TPlannerItem&) = delete;

    int Index() const { return index_; }
    TPlannerItems& Collection() const { return collection_; }
    // Copies every setting of `source` except FixedPosition and ItemKey; place first, then
    // visibility, so no later setting can show or hide the item.
    void Assign(const TPlannerItem& source);

    int ItemBegin() const { return state_.ItemBegin; }
    void SetItemBegin(int value); // also shows the item
    int ItemEnd() const { return state_.ItemEnd; }
    void SetItemEnd(int value);
    int ItemPos() const { return state_.ItemPos; }
    void SetItemPos(int value);

    // Times are kept in whole minutes: seconds given to the setters are lost. Set the start
    // before the end, whose day is judged against the start.
    TDateTime BeginTime() const;
    void SetBeginTime(TDateTime value); // also shows the item
    TDateTime EndTime() const;
    void SetEndTime(TDateTime value);
    int BeginMinute() const { return state_.BeginMinute; }
    int EndMinute() const { return state_.EndMinute; }
    TDateTime BeginValue() const { return state_.BeginValue; }
    int OverflowBefore() const { return state_.OverflowBefore; }
    int OverflowAfter() const { return state_.OverflowAfter; }
    // The item's whole slot range, the overflow beyond the displayed rows included.
    int FirstSlot() const { return state_.ItemBegin - state_.OverflowBefore; }
    int EndSlot() const { return state_.ItemEnd + state_.OverflowAfter; }
    // Places the whole range [begin, end) in a position: what lies above row 0 or below the
    // last row becomes overflow, and the minutes become slot boundaries.
    void Place(int begin, int end, int position);
    // Moves only one end of the whole range; the other end keeps its exact minute.
    void PlaceBegin(int begin);
    void PlaceEnd(int end);
    std::string CaptionString() const;
    std::string TimeSpanText() const;
    // Clock texts of the start, the part above midnight included, and of the end.
    std::string StartText() const;
    std::string EndText() const;

    // Reads false also while the item sits in the header.
    bool Visible() const { return state_.Visible && !state_.InHeader; }
    void SetVisible(bool value);
    bool InHeader() const { return state_.InHeader; }
    void SetInHeader(bool value);

    TCaptionType CaptionType() const { return state_.CaptionType; }
    void SetCaptionType(TCaptionType value) { SetAndRepaint(state_.CaptionType, value); }
    const std::string& CaptionText() const { return state_.CaptionText; }
    void SetCaptionText(const std::string& value) { SetAndRepaint(state_.CaptionText, value); }
    TColor CaptionBkg() const { return state_.CaptionBkg; }
    void SetCaptionBkg(TColor value) { ChangeAndRepaint(state_.CaptionBkg, value); }
    TColor CaptionBkgTo() const { return state_.CaptionBkgTo; }
    void SetCaptionBkgTo(TColor value) { ChangeAndRepaint(state_.CaptionBkgTo, value); }
    const TPlannerFont& CaptionFont() const { return state_.CaptionFont; }
    void SetCaptionFont(const TPlannerFont& value) { SetAndRepaint(state_.CaptionFont, value); }
    TAlignment CaptionAlign() const { return state_.CaptionAlign; }
    void SetCaptionAlign(TAlignment value) { state_.CaptionAlign = value; }

    const std::vector<std::string>& Text() const { return state_.Text; }
    void SetText(const std::vector<std::string>& lines) { SetAndRepaint(state_.Text, lines); }
    // Splits at CR LF, LF or CR; a final line break adds no empty line.
    void SetTextString(const std::string& text);
    const TPlannerFont& Font() const { return state_.Font; }
    void SetFont(const TPlannerFont& value) { SetAndRepaint(state_.Font, value); }
    TAlignment Alignment() const { return state_.Alignment; }
    void SetAlignment(TAlignment value) { SetAndRepaint(state_.Alignment, value); }
    bool WordWrap() const { return state_.WordWrap; }
    void SetWordWrap(bool value) { state_.WordWrap = value; }

    TColor Color() const { return state_.Color; }
    void SetColor(TColor value) { SetAndRepaint(state_.Color, value); }
    TColor SelectColor() const { return state_.SelectColor; }
    void SetSelectColor(TColor value) { ChangeAndRepaint(state_.SelectColor, value); }
    TColor SelectFontColor() const { return state_.SelectFontColor; }
    void SetSelectFontColor(TColor value) { ChangeAndRepaint(state_.SelectFontColor, value); }
    bool Selected() const { return selected_; }
    void SetSelected(bool value) { ChangeAndRepaint(selected_, value); }
    // Focus within the planner; TPlannerItems::Select gives it to one item.
    bool HasFocus() const { return hasFocus_; }
    bool ShowSelection() const { return state_.ShowSelection; }
    void SetShowSelection(bool value) { state_.ShowSelection = value; }
    TPlannerShape Shape() const { return state_.Shape; }
    void SetShape(TPlannerShape value) { SetAndRepaint(state_.Shape, value); }
    bool Shadow() const { return state_.Shadow; }
    void SetShadow(bool value) { ChangeAndRepaint(state_.Shadow, value); }
    TColor TrackColor() const { return state_.TrackColor; }
    void SetTrackColor(TColor value) { state_.TrackColor = value; }
    bool TrackVisible() const { return state_.TrackVisible; }
    void SetTrackVisible(bool value) { state_.TrackVisible = value; }
    bool UniformBkg() const { return state_.UniformBkg; }
    void SetUniformBkg(bool value) { state_.UniformBkg = value; }
    TBrushStyle BrushStyle() const { return state_.BrushStyle; }
    void SetBrushStyle(TBrushStyle value) { state_.BrushStyle = value; }

    bool AllowOverlap() const { return state_.AllowOverlap; }
    void SetAllowOverlap(bool value) { state_.AllowOverlap = value; }
    // A background item is pinned: read-only, fixed in place and size, not overlappable.
    bool Background() const { return state_.Background; }
    void SetBackground(bool value);
    int Layer() const { return state_.Layer; }
    void SetLayer(int value) { SetAndRepaint(state_.Layer, value); }
    bool ReadOnly() const { return state_.ReadOnly; }
    void SetReadOnly(bool value) { state_.ReadOnly = value; }
    bool FixedPos() const { return state_.FixedPos; }
    void SetFixedPos(bool value) { state_.FixedPos = value; }
    bool FixedSize() const { return state_.FixedSize; }
    void SetFixedSize(bool value) { state_.FixedSize = value; }
    // May move in time but not to another position.
    bool FixedPosition() const { return state_.FixedPosition; }
    void SetFixedPosition(bool value) { state_.FixedPosition = value; }
    TPlannerEditType InplaceEdit() const { return state_.InplaceEdit; }
    void SetInplaceEdit(TPlannerEditType value) { state_.InplaceEdit = value; }
    int ImageID() const { return state_.ImageID; }
    void SetImageID(int value) { state_.ImageID = value; }

    const std::string& Name() const { return state_.Name; }
    void SetName(const std::string& value) { state_.Name = value; }
    int Tag() const { return state_.Tag; }
    void SetTag(int value) { state_.Tag = value; }
    int DBTag() const { return state_.DbTag; }
    void SetDBTag(int value) { state_.DbTag = value; }
    // The application's own text; the planner never reads or copies it.
    const std::string& ItemKey() const { return state_.ItemKey; }
    void SetItemKey(const std::string& value) { state_.ItemKey = value; }

    const TLaneLayout& Layout() const { return layout_; }
    int LaneCount() const { return layout_.LaneCount; }
    int Lane() const { return layout_.Lane; }
    int GroupBegin() const { return layout_.GroupBegin; }
    int GroupEnd() const { return layout_.GroupEnd; }
    bool LaneChanged() const { return layout_.LaneChanged; }

    TItemViewState& ViewState() { return viewState_; }
    const TItemViewState& ViewState() const { return viewState_; }

private:
    friend class TPlannerItems;
    friend class TCustomPlanner;

    // Hidden, one slot long at the start of the active range, as the planner's font says.
    TPlannerItem(TPlannerItems& collection, int index);

    TCustomPlanner& Planner() const;
    void Repaint();
    void AssignLooks(const TPlannerItem& source);
    void AssignBehaviour(const TPlannerItem& source);
    template <class T> void SetAndRepaint(T& field, const T& value) {
        field = value;
        Repaint();
    }
    template <class T> void ChangeAndRepaint(T& field, const T& value) {
        if (field == value) return;
        field = value;
        Repaint();
    }

    TPlannerItems& collection_;
    int index_;

    TPlannerItemState state_;
    bool selected_ = false;
    bool hasFocus_ = false;
    TLaneLayout layout_;
    TItemViewState viewState_;
};
