#pragma once

#include "planner/model/LaneArranger.h"
#include "planner/model/PlannerItems.h"
#include "planner/model/PlannerSettings.h"
#include "planner/model/PlannerView.h"

#include <string>
#include <utility>
#include <vector>

// The items with their states, the positions and the header captions: what it takes to put a
// planner's content back exactly (selection and lanes are not part of it).
struct TPlannerContent {
    int Positions = 1;
    std::vector<std::string> Captions;
    std::vector<TPlannerItemState> Items;

    bool operator==(const TPlannerContent&) const = default;
};

// The day planner without its widget: time axis, positions, header captions, items and their
// arrangement. A view attached with SetView is told what to repaint.
class TCustomPlanner {
public:
    static constexpr int kSlotColorCount = 289;

    TCustomPlanner();
    TCustomPlanner(const TCustomPlanner&) = delete;
    TCustomPlanner& operator=(const TCustomPlanner&) = delete;

    void SetView(TPlannerView* view) { view_ = view; }

    // Brackets applying the settings of a form: the time axis is refreshed and the items
    // arranged once at Loaded.
    void BeginLoad() { loading_ = true; }
    void Loaded();
    bool Loading() const { return loading_; }

    TPlannerDisplay& Display() { return display_; }
    const TPlannerDisplay& Display() const { return display_; }
    TPlannerMode& Mode() { return mode_; }
    TPlannerHeader& Header() { return header_; }
    const TPlannerHeader& Header() const { return header_; }
    TPlannerSideBar& Sidebar() { return sidebar_; }
    const TPlannerSideBar& Sidebar() const { return sidebar_; }
    TPlannerCaption& Caption() { return caption_; }
    const TPlannerCaption& Caption() const { return caption_; }
    TBands& Bands() { return bands_; }
    TPlannerItemSelection& ItemSelection() { return itemSelection_; }
    TPlannerItems& Items() { return items_; }
    const TPlannerItems& Items() const { return items_; }
    // The template every added item copies; never shown.
    TPlannerItem& DefaultItem() { return defaultItems_[0]; }
    void SetDefaultItem(const TPlannerItem& item) { DefaultItem().Assign(item); }

    int Positions() const { return positions_; }
    void SetPositions(int value); // values below 1 are ignored
    // Header strip texts: section 0 above the time column, k above position k - 1, and one
    // trailing section.
    const std::vector<std::string>& HeaderSections() const { return sections_; }
    // Per position, a colour for every slot; clNone keeps the normal slot colour.
    const std::vector<std::vector<TColor>>& SlotColors() const { return slotColors_; }
    int RowCount() const { return display_.DisplayEnd() - display_.DisplayStart() + 1; }
    int ColumnCount() const { return positions_ + 1; }

    int PositionWidth() const { return positionWidth_; }
    void SetPositionWidth(int value) { Store(positionWidth_, value); }
    int PositionGap() const { return positionGap_; }
    void SetPositionGap(int value) { Store(positionGap_, value); }
    int ItemGap() const { return itemGap_; }
    void SetItemGap(int value) { Store(itemGap_, value); }
    bool Overlap() const { return overlap_; }
    void SetOverlap(bool value) { Store(overlap_, value); }
    int Layer() const { return layer_; }
    void SetLayer(int value);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value) { Store(multiSelect_, value); }
    bool DirectMove() const { return directMove_; }
    void SetDirectMove(bool value) { Store(directMove_, value); }
    bool InsertAlways() const { return insertAlways_; }
    void SetInsertAlways(bool value) { Store(insertAlways_, value); }
    TInplaceEditType InplaceEdit() const { return inplaceEdit_; }
    void SetInplaceEdit(TInplaceEditType value) { Store(inplaceEdit_, value); }
    int GridTopRow() const { return gridTopRow_; }
    void SetGridTopRow(int value) { Store(gridTopRow_, value); }
    TColor SelectColor() const { return selectColor_; }
    void SetSelectColor(TColor value) { Store(selectColor_, value); }
    // Percent of SelectColor in the colour of selected slots; raises outside 0 to 100.
    int SelectBlend() const { return selectBlend_; }
    void SetSelectBlend(int value);
    // The font new items start with.
    const TPlannerFont& Font() const { return font_; }
    void SetFont(const TPlannerFont& value) { Store(font_, value); }

    TPlannerContent Content() const;
    // Replaces every item, the positions and the captions; arranges once.
    void SetContent(const TPlannerContent& content);

    // Lays overlapping items side by side; waits while the layout is locked.
    void ArrangeItems();
    // Has the item's rows repainted, with those of the items it meets in its position.
    void RepaintItem(TPlannerItem& item);
    // Recomputes every item's slots from its minutes after the time axis changed.
    void RefreshDisplay();
    // Whether an item other than the selected one keeps others out of [begin, end) at position.
    bool Blocked(int begin, int end, int position) const;

private:
    friend class TPlannerItems;

    template <class T> void Store(T& field, const T& value) {
        if (field == value) return;
        field = value;
        SettingsChanged();
    }
    void SettingsChanged();
    void ApplySidebar();
    void CopyCaptionsToSections();
    void Arrange(bool repaintItems);
    std::pair<int, int> RepaintRange(const TPlannerItem& item) const;
    void InvalidateRows(int column, int beginRow, int endRow);
    // Called by the items.
    void LayoutReleased();
    void ItemRemoving(TPlannerItem& item);

    TPlannerView* view_ = nullptr;
    bool loading_ = false;
    TPlannerDisplay display_;
    TPlannerMode mode_;
    TPlannerHeader header_;
    TPlannerSideBar sidebar_;
    TPlannerCaption caption_{"TPlanner"};
    TBands bands_;
    TPlannerItemSelection itemSelection_;
    TPlannerFont font_;
    int positions_ = 3;
    int positionWidth_ = 0;
    int positionGap_ = 0;
    int itemGap_ = 11;
    bool overlap_ = true;
    int layer_ = 0;
    bool multiSelect_ = false;
    bool directMove_ = false;
    bool insertAlways_ = true;
    TInplaceEditType inplaceEdit_ = ieAlways;
    int gridTopRow_ = 0;
    TColor selectColor_ = clHighlight;
    int selectBlend_ = 90;
    std::vector<std::string> sections_;
    std::vector<std::vector<TColor>> slotColors_;
    TPlannerItems items_{*this};
    TPlannerItems defaultItems_{*this};
    TLaneArranger arranger_;
    std::vector<TArrangedItem> arranged_;
};
