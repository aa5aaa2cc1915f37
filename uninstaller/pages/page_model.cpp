#include "uninstaller/pages/page_model.h"

#include <algorithm>

#include "uninstaller/common/lenient_integer.h"

PageModel::PageModel(PageSurface& surface) : surface_(surface) {}

const PageControl& PageModel::Control(int index) const
{
    return controls_[static_cast<std::size_t>(first_ + index)];
}

PageControl& PageModel::MutableControl(int index)
{
    return controls_[static_cast<std::size_t>(first_ + index)];
}

void PageModel::SelectWindow()
{
    currentControl_ = -1;
    currentKind_ = WindowKindName;
}

void PageModel::SelectControl(int index)
{
    if (index < 0 || index >= count_)
        return;
    currentControl_ = index;
    currentKind_ = Control(index).Kind;
}

void PageModel::ClearControls()
{
    first_ = MaxPageControls;
    count_ = 0;
    poolCounts_.fill(0);
    nextControlId_ = FirstControlId;
    createdCount_ = 0;
    ProgressIndex = -1;
    SelectWindow();
}

int PageModel::RegisterControl(const ControlRect& rect, int controlId, ControlKind kind, int kindIndex)
{
    if (count_ == MaxPageControls)
        return -1;
    // A slot may hold a record of an earlier page: start it afresh.
    --first_;
    ++count_;
    PageControl& record = MutableControl(0);
    record = PageControl();
    record.Rect = rect;
    record.Kind = KindInfo(kind).keyword;
    record.KindCode = kind;
    record.ControlId = controlId;
    record.KindIndex = kindIndex;
    record.IdName = DefaultIdName(kind, kindIndex);
    SelectControl(0);
    return count_ - 1;
}

bool PageModel::CountCreatedControl(ControlKind kind)
{
    int& poolCount = poolCounts_[static_cast<std::size_t>(PoolOf(kind))];
    if (poolCount >= MaxKindControls)
        return false;
    ++poolCount;
    ++nextControlId_;
    ++createdCount_;
    return true;
}

void PageModel::SetPropertyCount(int index, int count)
{
    if (index < 0 || index >= count_)
        return;
    MutableControl(index).PropCount = std::clamp(count, 0, MaxControlProperties);
}

void PageModel::SetSourceKeys(int index, int infoKey, int propertyKey)
{
    if (index < 0 || index >= count_)
        return;
    MutableControl(index).InfoKey = infoKey;
    MutableControl(index).PropertyKey = propertyKey;
}

void PageModel::SetLoadedProperty(int index, int position, const CString& name, const CString& value, int number)
{
    if (index < 0 || index >= count_ || position < 0 || position >= MaxControlProperties)
        return;
    PageControl& record = MutableControl(index);
    const auto at = static_cast<std::size_t>(position);
    record.PropNames[at] = name;
    record.PropValues[at] = value;
    record.PropNumbers[at] = number;
}

int PageModel::FindControlId(const CString& idName) const
{
    for (int index = 0; index < count_; ++index) {
        if (Control(index).IdName == idName)
            return Control(index).ControlId;
    }
    return -1;
}

int PageModel::FindRecordIndex(int controlId) const
{
    for (int index = 0; index < count_; ++index) {
        if (Control(index).ControlId == controlId)
            return index;
    }
    return -1;
}

int PageModel::FindKindIndex(int controlId) const
{
    const int index = FindRecordIndex(controlId);
    return index < 0 ? -1 : Control(index).KindIndex;
}

int PageModel::GetClickAction(int index) const
{
    if (index < 0 || index >= count_)
        return -1;
    const PageControl& record = Control(index);
    int action = -1;
    for (int position = 0; position < record.PropCount; ++position) {
        const CString& name = record.PropNames[static_cast<std::size_t>(position)];
        if (name != "On Click" && name != "Mouse Click")
            continue;
        const CString& value = record.PropValues[static_cast<std::size_t>(position)];
        if (value.IsEmpty())
            return -1;
        // "1-Next" gives 1; a value without "-" reads as nothing, so 0.
        const int dash = value.Find('-');
        action = dash < 0 ? 0 : ReadLeadingInteger(value.view().substr(0, static_cast<std::size_t>(dash)));
    }
    return action;
}
