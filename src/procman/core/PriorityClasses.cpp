#include "procman/core/PriorityClasses.h"

#include <cstdlib>

namespace velmora {

const PriorityClass* PriorityClassOfCommand(int command) {
    for (const PriorityClass& priority : kPriorityClasses) {
        if (priority.command == command) {
            return &priority;
        }
    }
    return nullptr;
}

const PriorityClass& PriorityClassOfNice(int nice) {
    const PriorityClass* best = &kPriorityClasses[0];
    for (const PriorityClass& priority : kPriorityClasses) {
        const int distance = std::abs(priority.nice - nice);
        const int bestDistance = std::abs(best->nice - nice);
        if (distance < bestDistance ||
            (distance == bestDistance && std::abs(priority.nice) < std::abs(best->nice))) {
            best = &priority;
        }
    }
    return *best;
}

}  // namespace velmora
