#include "LinkFakes.h"

#include "link/Pause.h"

#include <QTimer>
#include <gtest/gtest.h>

using namespace lumotrix;
using namespace lumotrix::test;

// The window's pause keeps the event loop turning (the progress bar and the port's events go
// on) and ends as soon as the port closes, however long the pause was meant to be.
TEST(EventPause, DeliversEventsAndEndsWhenThePortCloses) {
    LinkTestApp();
    TEventLog log;
    TFakePort port(log);
    port.Open();
    TEventPause pause(port);

    bool delivered = false;
    QTimer::singleShot(20, [&] {
        delivered = true;
        port.Close();
    });
    // An hour: only the closed port can end it within the test's time.
    pause.Sleep(60LL * 60 * 1000);
    EXPECT_TRUE(delivered);
    EXPECT_FALSE(port.IsOpen());

    // On a closed port there is nothing to wait for.
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    pause.Sleep(60LL * 60 * 1000);
    EXPECT_TRUE(ran) << "the pause turns the event loop at least once";
}
