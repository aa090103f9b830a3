#pragma once
// What the skin dialog keeps of every control it creates from a skin line: its
// name and index, its window, and a way to delete it. Each control kind
// derives from its framework class and from SkinControl.
#include <windows.h>

#include <string>
#include <vector>

class SkinControl {
public:
    virtual ~SkinControl() = default;
    virtual HWND ControlWindow() const = 0;

    std::string m_name; // field 1 of the control's line, exactly as split
    int m_index = 0;    // position in the dialog's list of its kind
};

// The dialog's list of the controls of one kind. Entries are created with new
// by the kind's reader and deleted by the dialog (FreeSkin); a position is the
// control's index.
template <typename T>
class ControlList {
public:
    ControlList() = default;
    ControlList(const ControlList&) = delete;
    ControlList& operator=(const ControlList&) = delete;
    virtual ~ControlList() = default; // deleting the entries is the dialog's job

    int GetSize() const { return static_cast<int>(m_items.size()); }
    bool Contains(int index) const { return index >= 0 && index < GetSize(); }
    // Needs T complete: used where the control kind is known.
    T* GetAt(int index) const { return static_cast<T*>(m_items[static_cast<std::size_t>(index)]); }
    int Add(T* control)
    {
        m_items.push_back(control);
        return GetSize() - 1;
    }

    SkinControl* EntryAt(int index) const { return m_items[static_cast<std::size_t>(index)]; }
    void DeleteAll()
    {
        for (SkinControl* c : m_items)
            delete c;
        m_items.clear();
    }

private:
    std::vector<SkinControl*> m_items;
};
