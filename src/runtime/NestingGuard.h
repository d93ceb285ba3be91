#pragma once

#include <concepts>
#include <exception>

namespace lumotrix {

// Every reader of forms and resources stops at the same depth, so that whatever one of them
// accepts the others (converter, loader, translator) accept too. Deep enough for any real form,
// shallow enough that hostile nesting cannot exhaust the stack.
inline constexpr int MaxNesting = 256;

// Counts one level of nesting for as long as it lives, also when a read throws. Entering a level
// below MaxNesting calls `tooDeep`, which throws the reader's own error with its own position.
//
//     const TNestingGuard guard(FDepth, [&] { Fail(QStringLiteral("Nested too deeply"), at); });
class [[nodiscard]] TNestingGuard {
public:
    template <std::invocable TooDeep> TNestingGuard(int& depth, TooDeep&& tooDeep) : FDepth(depth) {
        if (FDepth >= MaxNesting) {
            tooDeep();
            std::terminate(); // tooDeep must not return: the stack is what the limit protects
        }
        ++FDepth;
    }
    ~TNestingGuard() { --FDepth; }
    TNestingGuard(const TNestingGuard&) = delete;
    TNestingGuard& operator=(const TNestingGuard&) = delete;

private:
    int& FDepth;
};

} // namespace lumotrix
