#include "runtime/ScopeExit.h"

#include "runtime/Exception.h"

#include <gtest/gtest.h>

using namespace lumotrix;

TEST(ScopeExit, RunsOnceHoweverTheScopeEnds) {
    int runs = 0;
    {
        const TScopeExit end([&] { ++runs; });
        EXPECT_EQ(runs, 0);
    }
    EXPECT_EQ(runs, 1);

    EXPECT_THROW(
        {
            const TScopeExit end([&] { ++runs; });
            throw EReadError(QStringLiteral("line dropped"));
        },
        EReadError);
    EXPECT_EQ(runs, 2);
}

TEST(ScopeExit, TheFirstFailureIsTheOneReported) {
    // A clean-up that fails while another exception unwinds is silenced...
    try {
        const TScopeExit end([] { throw EWriteError(QStringLiteral("unlock failed")); });
        throw EReadError(QStringLiteral("line dropped"));
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("line dropped"));
    }
    // ...and reported when it is the only failure.
    EXPECT_THROW(
        { const TScopeExit end([] { throw EWriteError(QStringLiteral("unlock failed")); }); },
        EWriteError);
}
