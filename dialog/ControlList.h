#pragma once
// The dialog's list of the controls of one kind. It owns its entries, which the
// kind's reader appends; a position is the control's index. The dialog empties
// the lists in FreeSkin.
#include "controls/SkinControl.h"

#include <memory>
#include <vector>

template <typename T>
class ControlList {
public:
    ControlList() = default;
    ControlList(const ControlList&) = delete;
    ControlList& operator=(const ControlList&) = delete;
    virtual ~ControlList() = default;

    int GetSize() const { return static_cast<int>(m_items.size()); }
    bool Contains(int index) const { return index >= 0 && index < GetSize(); }
    // Needs T complete: used where the control kind is known.
    T* GetAt(int index) const { return static_cast<T*>(EntryAt(index)); }
    int Add(std::unique_ptr<T> control)
    {
        m_items.push_back(std::move(control));
        return GetSize() - 1;
    }

    SkinControl* EntryAt(int index) const { return m_items[static_cast<std::size_t>(index)].get(); }
    // Deletes the controls from the first to the last (each takes its window
    // with it), then empties the list.
    void DeleteAll()
    {
        for (auto& control : m_items)
            control.reset();
        m_items.clear();
    }

private:
    std::vector<std::unique_ptr<SkinControl>> m_items;
};
