#include "cli/CCliOptions.h"

#include <gtest/gtest.h>

namespace {

CCliOptions Parsed(const std::vector<std::string>& args) {
    CCliOptions options;
    EXPECT_TRUE(options.Parse(args)) << options.m_strError;
    return options;
}

std::string Refused(const std::vector<std::string>& args) {
    CCliOptions options;
    EXPECT_FALSE(options.Parse(args));
    return options.m_strError;
}

} // namespace

TEST(CliOptions, SimulateTakesEveryOptionAndRepeatsBreakpoints) {
    const CCliOptions o = Parsed({"simulate", "net.zrn", "--steps", "7", "--seed", "4294967295",
                                  "--largest", "--break-at", "a,b", "--break-at", "c",
                                  "--occurrence-xml", "o.xml", "--save", "s.zrn"});
    EXPECT_EQ(o.m_strCommand, "simulate");
    EXPECT_EQ(o.m_strFile, "net.zrn");
    EXPECT_EQ(o.m_nSteps, 7);
    ASSERT_TRUE(o.m_seed);
    EXPECT_EQ(*o.m_seed, 4294967295u);
    EXPECT_TRUE(o.m_bLargest);
    EXPECT_EQ(o.m_breakAt, (std::vector<std::vector<std::string>>{{"a", "b"}, {"c"}}));
    EXPECT_EQ(o.m_strOccurrenceXml, "o.xml");
    EXPECT_EQ(o.m_strSave, "s.zrn");
}

TEST(CliOptions, BadCommandLinesAreRefusedWithTheReason) {
    EXPECT_EQ(Refused({}), "no command given");
    EXPECT_EQ(Refused({"frobnicate"}), "unknown command 'frobnicate'");
    EXPECT_EQ(Refused({"check"}), "check takes one FILE, too few arguments");
    EXPECT_EQ(Refused({"check", "a", "b"}), "check takes one FILE, too many arguments");
    EXPECT_EQ(Refused({"resave", "a"}), "resave takes FILE OUT, too few arguments");
    EXPECT_EQ(Refused({"check", "a", "--seed", "1"}), "unknown option '--seed' for check");
    EXPECT_EQ(Refused({"simulate", "a", "--steps"}), "option '--steps' needs a value");
    EXPECT_EQ(Refused({"simulate", "a", "--steps", "-1"}),
              "--steps takes a number of steps, not '-1'");
    EXPECT_EQ(Refused({"simulate", "a", "--steps", "+3"}),
              "--steps takes a number of steps, not '+3'");
    EXPECT_EQ(Refused({"simulate", "a", "--steps", "3x"}),
              "--steps takes a number of steps, not '3x'");
    EXPECT_EQ(Refused({"simulate", "a", "--seed", "4294967296"}),
              "--seed takes a number from 0 to 4294967295, not '4294967296'");
    EXPECT_EQ(Refused({"layout", "a", "--population", "0"}),
              "--population takes a population size, not '0'");
    EXPECT_EQ(Refused({"render", "a", "--view", "tree", "-o", "x.svg"}),
              "--view takes net, casegraph or occurrence, not 'tree'");
    EXPECT_EQ(Refused({"render", "a"}), "render needs -o OUT");
    EXPECT_EQ(Refused({"complement", "a"}), "complement needs -o OUT");
    EXPECT_EQ(Refused({"export", "a"}), "export needs --netdesign OUT");
}
