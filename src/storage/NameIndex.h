#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The first position of every name in a list of names, found in constant
// time whatever the list's length. The list stays with its owner, which only
// ever appends to it and passes it to every call. Names are compared byte for
// byte, or with ASCII letters folded to lower case.
class NameIndex {
public:
    using Names = std::vector<std::string>;

    explicit NameIndex(bool foldCase) : fold_(foldCase) {}

    // The position of the first name in `names` that matches, or -1.
    int Find(std::string_view name, const Names& names) const;
    // Takes note of names[position], unless an earlier name matches it.
    void Add(const Names& names, int position);
    void Clear();

    // Whether two names match under the comparison `foldCase` chooses.
    static bool Match(std::string_view a, std::string_view b, bool foldCase);

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::int32_t position = -1;  // -1: empty
    };

    static std::uint32_t Hash(std::string_view name);
    // The slot holding the first match of `name`, or the empty slot where it
    // would go. The table must not be empty.
    std::size_t Probe(std::string_view name, std::uint32_t hash, const Names& names) const;
    // Puts a slot of a name known to be absent into the first free place.
    void Place(Slot slot);

    bool fold_;
    // Open addressing with linear probing, at most half full; the size is a
    // power of two or zero.
    std::vector<Slot> slots_;
    std::size_t used_ = 0;
};

}  // namespace velmora
