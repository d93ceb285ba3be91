#include "TranslationFixture.h"

#include "localisation/TranslateSettings.h"
#include "runtime/ModuleList.h"

namespace lumotrix::test {

namespace {

[[maybe_unused]] testing::Environment* const GEnvironment =
    testing::AddGlobalTestEnvironment(new TTestApplication("localisation_tests"));

} // namespace

void TranslationTest::TearDown() {
    UseResourceFile(nullptr);
    TranslateKinds = {};
    TranslateRootPosition = false;
    BeforeTranslate = nullptr;
    AfterTranslate = nullptr;
}

} // namespace lumotrix::test
