#pragma once

// Abstract base of one animated object of an effect. Items are plain records held in
// arrays, one array per render worker, and never deleted through this base; each
// concrete item adds, after Spawn, a virtual destructor and Respawn.
class CItem {
public:
    // Places the item afresh: `initial` is non-zero for the spawn at Start; a and b are
    // the set-specific values the item keeps (sprite size, or opaque values).
    virtual void Spawn(int initial, int a, int b) = 0;

protected:
    CItem() = default;
    CItem(const CItem&) = default;
    CItem& operator=(const CItem&) = default;
    ~CItem() = default;
};
