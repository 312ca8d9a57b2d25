// Frees the toolkit's font caches after the last test, so that leak checkers see a clean exit.
#include "vstgui/vstgui.h"

#include <gtest/gtest.h>

namespace {
class FontCacheRelease : public ::testing::Environment {
public:
    void TearDown() override { VSTGUI::releaseFontCaches(); }
};
const auto* const s_pEnvironment = ::testing::AddGlobalTestEnvironment(new FontCacheRelease);
}  // namespace
