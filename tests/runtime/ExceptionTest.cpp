#include "runtime/Exception.h"

#include <gtest/gtest.h>

using namespace lumotrix;

TEST(Exception, CarriesItsMessageAsUnicodeAndUtf8) {
    try {
        throw ERangeError(QStringLiteral("Valore fuori intervallo: 300 °C"));
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Valore fuori intervallo: 300 °C"));
        EXPECT_STREQ(e.what(), "Valore fuori intervallo: 300 °C");
    }
}
