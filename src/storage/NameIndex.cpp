#include "storage/NameIndex.h"

namespace velmora {

namespace {

// The "C" locale's tolower: A-Z become a-z, every other byte stays.
char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool NameIndex::Match(std::string_view a, std::string_view b, bool foldCase) {
    if (a.size() != b.size()) {
        return false;
    }
    if (!foldCase) {
        return a == b;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) {
            return false;
        }
    }
    return true;
}

// FNV-1a over the folded bytes: names that match either way hash alike.
std::uint32_t NameIndex::Hash(std::string_view name) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : name) {
        hash = (hash ^ static_cast<unsigned char>(FoldCase(c))) * 1099511628211ULL;
    }
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

std::size_t NameIndex::Probe(std::string_view name, std::uint32_t hash, const Names& names) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = hash & mask;
    for (; slots_[i].position >= 0; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.hash == hash &&
            Match(names[static_cast<std::size_t>(slot.position)], name, fold_)) {
            break;
        }
    }
    return i;
}

int NameIndex::Find(std::string_view name, const Names& names) const {
    return slots_.empty() ? -1 : slots_[Probe(name, Hash(name), names)].position;
}

void NameIndex::Add(const Names& names, int position) {
    if ((used_ + 1) * 2 > slots_.size()) {
        std::vector<Slot> old(slots_.empty() ? 8 : slots_.size() * 2);
        old.swap(slots_);
        for (const Slot& slot : old) {
            if (slot.position >= 0) {
                Place(slot);
            }
        }
    }
    const std::string_view name = names[static_cast<std::size_t>(position)];
    const std::uint32_t hash = Hash(name);
    Slot& slot = slots_[Probe(name, hash, names)];
    if (slot.position < 0) {
        slot = Slot{hash, position};
        ++used_;
    }
}

void NameIndex::Place(Slot slot) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = slot.hash & mask;
    while (slots_[i].position >= 0) {
        i = (i + 1) & mask;
    }
    slots_[i] = slot;
}

void NameIndex::Clear() {
    slots_.clear();
    used_ = 0;
}

}  // namespace velmora
