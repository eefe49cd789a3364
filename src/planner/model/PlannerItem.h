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

    int ItemBegin() const { return itemBegin_; }
    void SetItemBegin(int value); // also shows the item
    int ItemEnd() const { return itemEnd_; }
    void SetItemEnd(int value);
    int ItemPos() const { return itemPos_; }
    void SetItemPos(int value);

    // Times are kept in whole minutes: seconds given to the setters are lost. Set the start
    // before the end, whose day is judged against the start.
    TDateTime BeginTime() const;
    void SetBeginTime(TDateTime value); // also shows the item
    TDateTime EndTime() const;
    void SetEndTime(TDateTime value);
    int BeginMinute() const { return beginMinute_; }
    int EndMinute() const { return endMinute_; }
    TDateTime BeginValue() const { return beginValue_; }
    int OverflowBefore() const { return overflowBefore_; }
    int OverflowAfter() const { return overflowAfter_; }
    // The item's whole slot range, the overflow beyond the displayed rows included.
    int FirstSlot() const { return itemBegin_ - overflowBefore_; }
    int EndSlot() const { return itemEnd_ + overflowAfter_; }
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
    bool Visible() const { return visible_ && !inHeader_; }
    void SetVisible(bool value);
    bool InHeader() const { return inHeader_; }
    void SetInHeader(bool value);

    TCaptionType CaptionType() const { return captionType_; }
    void SetCaptionType(TCaptionType value) { SetAndRepaint(captionType_, value); }
    const std::string& CaptionText() const { return captionText_; }
    void SetCaptionText(const std::string& value) { SetAndRepaint(captionText_, value); }
    TColor CaptionBkg() const { return captionBkg_; }
    void SetCaptionBkg(TColor value) { ChangeAndRepaint(captionBkg_, value); }
    TColor CaptionBkgTo() const { return captionBkgTo_; }
    void SetCaptionBkgTo(TColor value) { ChangeAndRepaint(captionBkgTo_, value); }
    const TPlannerFont& CaptionFont() const { return captionFont_; }
    void SetCaptionFont(const TPlannerFont& value) { SetAndRepaint(captionFont_, value); }
    TAlignment CaptionAlign() const { return captionAlign_; }
    void SetCaptionAlign(TAlignment value) { captionAlign_ = value; }

    const std::vector<std::string>& Text() const { return text_; }
    void SetText(const std::vector<std::string>& lines) { SetAndRepaint(text_, lines); }
    // Splits at CR LF, LF or CR; a final line break adds no empty line.
    void SetTextString(const std::string& text);
    const TPlannerFont& Font() const { return font_; }
    void SetFont(const TPlannerFont& value) { SetAndRepaint(font_, value); }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { SetAndRepaint(alignment_, value); }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value) { wordWrap_ = value; }

    TColor Color() const { return color_; }
    void SetColor(TColor value) { SetAndRepaint(color_, value); }
    TColor SelectColor() const { return selectColor_; }
    void SetSelectColor(TColor value) { ChangeAndRepaint(selectColor_, value); }
    TColor SelectFontColor() const { return selectFontColor_; }
    void SetSelectFontColor(TColor value) { ChangeAndRepaint(selectFontColor_, value); }
    bool Selected() const { return selected_; }
    void SetSelected(bool value) { ChangeAndRepaint(selected_, value); }
    // Focus within the planner; TPlannerItems::Select gives it to one item.
    bool HasFocus() const { return hasFocus_; }
    bool ShowSelection() const { return showSelection_; }
    void SetShowSelection(bool value) { showSelection_ = value; }
    TPlannerShape Shape() const { return shape_; }
    void SetShape(TPlannerShape value) { SetAndRepaint(shape_, value); }
    bool Shadow() const { return shadow_; }
    void SetShadow(bool value) { ChangeAndRepaint(shadow_, value); }
    TColor TrackColor() const { return trackColor_; }
    void SetTrackColor(TColor value) { trackColor_ = value; }
    bool TrackVisible() const { return trackVisible_; }
    void SetTrackVisible(bool value) { trackVisible_ = value; }
    bool UniformBkg() const { return uniformBkg_; }
    void SetUniformBkg(bool value) { uniformBkg_ = value; }
    TBrushStyle BrushStyle() const { return brushStyle_; }
    void SetBrushStyle(TBrushStyle value) { brushStyle_ = value; }

    bool AllowOverlap() const { return allowOverlap_; }
    void SetAllowOverlap(bool value) { allowOverlap_ = value; }
    // A background item is pinned: read-only, fixed in place and size, not overlappable.
    bool Background() const { return background_; }
    void SetBackground(bool value);
    int Layer() const { return layer_; }
    void SetLayer(int value) { SetAndRepaint(layer_, value); }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    bool FixedPos() const { return fixedPos_; }
    void SetFixedPos(bool value) { fixedPos_ = value; }
    bool FixedSize() const { return fixedSize_; }
    void SetFixedSize(bool value) { fixedSize_ = value; }
    // May move in time but not to another position.
    bool FixedPosition() const { return fixedPosition_; }
    void SetFixedPosition(bool value) { fixedPosition_ = value; }
    TPlannerEditType InplaceEdit() const { return inplaceEdit_; }
    void SetInplaceEdit(TPlannerEditType value) { inplaceEdit_ = value; }
    int ImageID() const { return imageID_; }
    void SetImageID(int value) { imageID_ = value; }

    const std::string& Name() const { return name_; }
    void SetName(const std::string& value) { name_ = value; }
    int Tag() const { return tag_; }
    void SetTag(int value) { tag_ = value; }
    int DBTag() const { return dbTag_; }
    void SetDBTag(int value) { dbTag_ = value; }
    // The application's own text; the planner never reads or copies it.
    const std::string& ItemKey() const { return itemKey_; }
    void SetItemKey(const std::string& value) { itemKey_ = value; }

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

    int itemBegin_ = 0;
    int itemEnd_ = 0;
    int itemPos_ = 0;
    bool visible_ = false;
    bool inHeader_ = false;

    TCaptionType captionType_ = ctNone;
    std::string captionText_;
    TColor captionBkg_ = clWhite;
    TColor captionBkgTo_ = clNone;
    TPlannerFont captionFont_;
    TAlignment captionAlign_ = taLeftJustify;
    std::vector<std::string> text_;
    TPlannerFont font_;
    TAlignment alignment_ = taLeftJustify;
    bool wordWrap_ = true;
    TColor color_ = clWhite;
    TColor selectColor_ = clInfoBk;
    TColor selectFontColor_ = clRed;
    bool selected_ = false;
    bool hasFocus_ = false;
    bool showSelection_ = true;
    TPlannerShape shape_ = psRect;
    bool shadow_ = true;
    TColor trackColor_ = clBlue;
    bool trackVisible_ = true;
    bool uniformBkg_ = true;
    TBrushStyle brushStyle_ = bsSolid;
    bool allowOverlap_ = true;
    bool background_ = false;
    int layer_ = 0;
    bool readOnly_ = false;
    bool fixedPos_ = false;
    bool fixedSize_ = false;
    bool fixedPosition_ = false;
    TPlannerEditType inplaceEdit_ = peMemo;
    int imageID_ = -1;
    std::string name_;
    int tag_ = 0;
    int dbTag_ = 0;
    std::string itemKey_;

    int beginMinute_ = 0;
    int endMinute_ = 0;
    TDateTime beginValue_ = 0;
    int overflowBefore_ = 0;
    int overflowAfter_ = 0;
    TLaneLayout layout_;
    TItemViewState viewState_;
};
