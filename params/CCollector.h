#pragma once

#include <cstddef>
#include <type_traits>
#include <vector>

// Owning list of pointers, kept in insertion order. Delete operations and the destructor
// destroy the item (through its virtual destructor where its type has one); detach
// operations only remove it. Removal keeps the order of the remaining items.
template <class P> class CCollector {
    static_assert(std::is_pointer_v<P>, "CCollector holds pointers");

public:
    CCollector() = default;
    CCollector(const CCollector&) = delete;
    CCollector& operator=(const CCollector&) = delete;

    virtual ~CCollector() { DeleteAll(); }

    // Appends the item; 0 when the same pointer is already present.
    virtual int Add(P item) {
        if (IndexOf(item) >= 0)
            return 0;
        items.push_back(item);
        return 1;
    }

    // Appends every element of another array (which may be this list's own). Pointers
    // already in the list are skipped: owning one twice would destroy it twice.
    virtual int AddAll(const std::vector<P>* others) {
        if (!others)
            return 1;
        const std::vector<P> incoming = *others;
        for (P item : incoming)
            Add(item);
        return 1;
    }

    // Destroys and removes the item at the position; returns the position that follows.
    // A position outside the list changes nothing.
    virtual int DeleteAt(int position) {
        if (position < 0 || position >= Count())
            return position;
        P item = items[static_cast<std::size_t>(position)];
        items.erase(items.begin() + position);
        delete item;
        return position;
    }

    virtual bool DeleteIndex(int index) {
        if (index < 0 || index >= Count())
            return false;
        return Delete(items[static_cast<std::size_t>(index)]);
    }

    virtual bool Delete(P item) {
        const int index = IndexOf(item);
        if (index < 0)
            return false;
        DeleteAt(index);
        return true;
    }

    // Removes the item at the position without destroying it; outside the list, nothing.
    virtual int DetachAt(int position) {
        if (position < 0 || position >= Count())
            return position;
        items.erase(items.begin() + position);
        return position;
    }

    virtual bool Detach(P item) {
        const int index = IndexOf(item);
        if (index < 0)
            return false;
        DetachAt(index);
        return true;
    }

    virtual void DetachAll() { items.clear(); }

    virtual void DeleteAll() {
        // Take the list first so that a destructor that looks at the list sees it empty.
        std::vector<P> doomed;
        doomed.swap(items);
        for (P item : doomed)
            delete item;
    }

    // The item at the index, or null at or beyond the count.
    virtual P GetAt(int index) const {
        if (index < 0 || index >= Count())
            return nullptr;
        return items[static_cast<std::size_t>(index)];
    }

    virtual int IndexOf(P item) const {
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i] == item)
                return static_cast<int>(i);
        return -1;
    }

    int Count() const { return static_cast<int>(items.size()); }
    const std::vector<P>& Items() const { return items; }

private:
    std::vector<P> items;
};
