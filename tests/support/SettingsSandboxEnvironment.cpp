#include "support/SettingsSandbox.h"

#include <gtest/gtest.h>

// Every processor reads its settings file and looks for its start-up preset when it is built;
// in this binary that happens inside a sandbox, never in a real installation.
namespace
{
    struct SandboxEnvironment : ::testing::Environment
    {
        void SetUp() override      { sandbox = std::make_unique<SettingsSandbox>(); }
        void TearDown() override   { sandbox.reset(); }

        std::unique_ptr<SettingsSandbox> sandbox;
    };

    [[maybe_unused]] const auto* const environment = ::testing::AddGlobalTestEnvironment (new SandboxEnvironment);
}
