// An index of the log's records by a key made of some of their fields: whether any record has the key, without
// scanning the log. Open addressing with linear probing over flat 8-byte slots; a slot keeps part of the key's
// hash and the position of one record with that key, which stands in for the key itself (no copies of texts).
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

inline std::uint64_t hashTexts(std::initializer_list<std::string_view> parts) {
    // FNV-1a over the texts, each closed by a byte no text holds; keys are a few bytes long.
    std::uint64_t h = 0xCBF29CE484222325ull;
    for (std::string_view p : parts) {
        for (unsigned char c : p) h = (h ^ c) * 0x100000001B3ull;
        h *= 0x100000001B3ull;
    }
    // Slots are picked by the low bits: fold the high ones in.
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    return h ^ (h >> 33);
}

// Key: a value type with `static Key of(const Record&)`, `std::uint64_t hash() const` and `operator==`.
// Records (the log, indexed by position) is a parameter of the members: the record type may be incomplete here.
template <class Key>
class RecordIndex {
public:
    // Room for one more key: the add that follows allocates nothing.
    void reserveOne() {
        if ((m_used + 1) * 8 > m_slots.size() * 7) grow();
    }

    // Indexes record number `position` (whose key is k), the log's last; true when an earlier record has k. The
    // slot then stands for the key through this latest record. Needs reserveOne().
    template <class Records>
    bool add(const Key& k, std::uint32_t position, const Records& records) {
        const std::uint64_t h = k.hash();
        Slot& s = m_slots[find(k, h, records)];
        const bool seen = s.record != 0;
        if (!seen) ++m_used;
        s = {tagOf(h), position + 1};
        return seen;
    }

    template <class Records>
    bool contains(const Key& k, const Records& records) const {
        return latest(k, records) >= 0;
    }

    // The position of the latest record with key k; -1 when none has it.
    template <class Records>
    long latest(const Key& k, const Records& records) const {
        if (m_slots.empty()) return -1;
        return static_cast<long>(m_slots[find(k, k.hash(), records)].record) - 1;
    }

    // Forgets record number `position`, still in `records`; the positions after it are then one less.
    template <class Records>
    void remove(std::uint32_t position, const Records& records) {
        const Key k = Key::of(records[position]);
        const std::size_t i = find(k, k.hash(), records);
        Slot& s = m_slots[i];
        if (s.record == position + 1) {
            // The slot stands for the key through this record: hand it to the latest of the others, or let it go.
            std::uint32_t other = 0;
            for (std::uint32_t j = static_cast<std::uint32_t>(records.size()); j-- > 0 && other == 0;)
                if (j != position && Key::of(records[j]) == k) other = j + 1;
            if (other != 0)
                s.record = other;
            else
                erase(i);
        }
        for (Slot& t : m_slots)
            if (t.record > position + 1) --t.record;
    }

    void clear() {
        for (Slot& s : m_slots) s.record = 0;
        m_used = 0;
    }

private:
    struct Slot {
        std::uint32_t tag;    // the hash's low half: it also gives the home slot of any table we will ever hold
        std::uint32_t record; // position + 1 of a record with the key; 0: empty
    };

    static std::uint32_t tagOf(std::uint64_t h) { return static_cast<std::uint32_t>(h); }
    std::size_t mask() const { return m_slots.size() - 1; }

    template <class Records>
    std::size_t find(const Key& k, std::uint64_t h, const Records& records) const {
        const std::uint32_t tag = tagOf(h);
        for (std::size_t i = h & mask();; i = (i + 1) & mask()) {
            const Slot& s = m_slots[i];
            if (s.record == 0 || (s.tag == tag && Key::of(records[s.record - 1]) == k)) return i;
        }
    }

    // The new table is made whole before it takes the old one's place: a failed allocation leaves the index as
    // it was.
    void grow() {
        std::vector<Slot> bigger(m_slots.empty() ? 1024 : m_slots.size() * 2, Slot{0, 0});
        const std::size_t biggerMask = bigger.size() - 1;
        for (const Slot& s : m_slots) {
            if (s.record == 0) continue;
            std::size_t i = s.tag & biggerMask;
            while (bigger[i].record != 0) i = (i + 1) & biggerMask;
            bigger[i] = s;
        }
        m_slots.swap(bigger);
    }

    // Backward-shift deletion keeps every probe run unbroken without tombstones.
    void erase(std::size_t i) {
        for (std::size_t j = (i + 1) & mask(); m_slots[j].record != 0; j = (j + 1) & mask()) {
            const std::size_t home = m_slots[j].tag & mask();
            const bool movable = i <= j ? (home <= i || home > j) : (home <= i && home > j);
            if (movable) {
                m_slots[i] = m_slots[j];
                i = j;
            }
        }
        m_slots[i].record = 0;
        --m_used;
    }

    std::vector<Slot> m_slots;
    std::size_t m_used = 0;
};
