#pragma once

#include <exception>
#include <utility>

namespace lumotrix {

// Runs a clean-up when the scope ends, however it ends: the one way of writing "end also on a
// throw" in this program.
//
//     table.DisableControls();
//     const TScopeExit resume([&] { table.EnableControls(); });
//
// A clean-up that throws while the scope is already unwinding from another exception is
// silenced, so the first failure is the one reported; otherwise its exception goes on.
template <typename TCleanUp> class [[nodiscard]] TScopeExit {
public:
    explicit TScopeExit(TCleanUp cleanUp) : FCleanUp(std::move(cleanUp)) {}
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;

    ~TScopeExit() noexcept(false) {
        if (std::uncaught_exceptions() > FUncaughtAtStart) {
            try {
                FCleanUp();
            } catch (...) {
            }
            return;
        }
        FCleanUp();
    }

private:
    TCleanUp FCleanUp;
    int FUncaughtAtStart = std::uncaught_exceptions();
};

} // namespace lumotrix
