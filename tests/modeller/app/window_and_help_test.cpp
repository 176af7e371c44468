#include <gtest/gtest.h>

#include "modeller/app/help_address.h"

namespace {

using namespace modeller;

TEST(HelpAddress, FileInTheProgramDirectoryAndPageInsideIt) {
    EXPECT_EQ(HelpAddress("/opt/mokkel", ""), "/opt/mokkel/Mokkel.chm");
    EXPECT_EQ(HelpAddress("/opt/mokkel/", "dlg_zentai.htm"),
              "/opt/mokkel/Mokkel.chm::/dlg_zentai.htm");
    EXPECT_EQ(HelpAddress("/", "index.htm"), "/Mokkel.chm::/index.htm");
}

}  // namespace
