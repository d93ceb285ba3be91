#include "support/TestApplication.h"

namespace lumotrix::test {
namespace {

[[maybe_unused]] testing::Environment* const GEnvironment = testing::AddGlobalTestEnvironment(
    new TTestApplication("widgets_tests", QStringLiteral("Lumotrix - Windows Side of Lumotrix")));

} // namespace
} // namespace lumotrix::test
