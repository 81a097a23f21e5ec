#include "cli/CCheckCommand.h"
#include "cli/CCliSession.h"
#include "cli/CliSubcommands.h"
#include "cli/options/CCheckOptions.h"
#include "cli/options/CCommandLine.h"
#include "cli/options/CImportOptions.h"
#include "cli/options/CSimulateOptions.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

template <class Options>
const Options& Parsed(CCommandLine& line, const std::vector<std::string>& args) {
    EXPECT_TRUE(line.Parse(args)) << line.m_strError;
    const auto* options = dynamic_cast<const Options*>(line.m_pOptions.get());
    EXPECT_NE(options, nullptr);
    return *options;
}

std::string Refused(const std::vector<std::string>& args) {
    CCommandLine line(CliSubcommands());
    EXPECT_FALSE(line.Parse(args));
    return line.m_strError;
}

} // namespace

TEST(CliOptions, SimulateTakesEveryOptionAndRepeatsBreakpoints) {
    CCommandLine line(CliSubcommands());
    const auto& o = Parsed<CSimulateOptions>(line, {"simulate", "net.zrn", "--steps", "7", "--seed",
                                                    "4294967295", "--largest", "--break-at", "a,b",
                                                    "--break-at", "c", "--occurrence-xml", "o.xml",
                                                    "--save", "s.zrn"});
    EXPECT_EQ(o.Name(), "simulate");
    EXPECT_EQ(o.m_strFile, "net.zrn");
    EXPECT_EQ(o.m_nSteps, 7);
    ASSERT_TRUE(o.m_seed);
    EXPECT_EQ(*o.m_seed, 4294967295u);
    EXPECT_TRUE(o.m_bLargest);
    EXPECT_EQ(o.m_breakAt, (std::vector<std::vector<std::string>>{{"a", "b"}, {"c"}}));
    EXPECT_EQ(o.m_strOccurrenceXml, "o.xml");
    EXPECT_EQ(o.m_strSave, "s.zrn");

    CCommandLine import(CliSubcommands());
    const auto& i =
        Parsed<CImportOptions>(import, {"import", "x.pnml", "--net", "n 1", "-o", "x.zrn"});
    EXPECT_EQ(i.m_netId, "n 1");
    EXPECT_EQ(i.m_strOutput, "x.zrn");
}

TEST(CliOptions, BadCommandLinesAreRefusedWithTheReason) {
    EXPECT_EQ(Refused({}), "no command given");
    EXPECT_EQ(Refused({"frobnicate"}), "unknown command 'frobnicate'");
    EXPECT_EQ(Refused({"check"}), "check takes one FILE, too few arguments");
    EXPECT_EQ(Refused({"check", "a", "b"}), "check takes one FILE, too many arguments");
    EXPECT_EQ(Refused({"resave", "a"}), "resave takes FILE OUT, too few arguments");
    EXPECT_EQ(Refused({"new"}), "new takes one OUT, too few arguments");
    EXPECT_EQ(Refused({"check", "a", "--seed", "1"}), "unknown option '--seed' for check");
    EXPECT_EQ(Refused({"export", "a", "--net", "1"}), "unknown option '--net' for export");
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
    EXPECT_EQ(Refused({"layout", "a", "--population", "100001"}),
              "--population takes a population size, not '100001'");
    CCommandLine largest(CliSubcommands());
    EXPECT_TRUE(largest.Parse({"layout", "a", "--population", "100000"})) << largest.m_strError;
    EXPECT_EQ(Refused({"casegraph", "a", "--max-memory", "12Q"}),
              "--max-memory takes a size such as 512M or 2G, not '12Q'");
    EXPECT_EQ(Refused({"render", "a", "--view", "tree", "-o", "x.svg"}),
              "--view takes net, casegraph or occurrence, not 'tree'");
    EXPECT_EQ(Refused({"render", "a"}), "render needs -o OUT");
    EXPECT_EQ(Refused({"complement", "a"}), "complement needs -o OUT");
    EXPECT_EQ(Refused({"import", "a.pnml"}), "import needs -o OUT");
    EXPECT_EQ(Refused({"export", "a"}), "export needs --netdesign OUT or --pnml OUT");
}

// Every command answers --help with its own help: its synopsis and each option it
// takes, and nothing another command takes.
TEST(CliOptions, EachCommandHelpsWithItsOwnOptions) {
    for (const char* command : {"check", "casegraph", "export", "import", "simulate", "complement",
                                "layout", "render", "find", "resave", "new"}) {
        CCommandLine line(CliSubcommands());
        ASSERT_TRUE(line.Parse({command, "--help"})) << command;
        ASSERT_TRUE(line.m_pOptions && line.m_pOptions->HelpAsked()) << command;
        const std::string help = line.m_pOptions->Help();
        EXPECT_EQ(help.rfind(std::string("Usage: zerin-cli ") + command + " ", 0), 0u) << help;
        EXPECT_NE(help.find("  --help "), std::string::npos) << command;
        EXPECT_NE(CliSubcommands().Overview().find(line.m_pOptions->Summary()), std::string::npos);
    }
    CCommandLine simulate(CliSubcommands());
    ASSERT_TRUE(simulate.Parse({"simulate", "-h"}));
    const std::string help = simulate.m_pOptions->Help();
    for (const char* option : {"--steps N", "--seed S", "--largest", "--break-at a,b",
                               "--occurrence-xml OUT", "--save OUT"})
        EXPECT_NE(help.find(std::string("  ") + option + " "), std::string::npos) << option;
    EXPECT_EQ(help.find("--netdesign"), std::string::npos);
}

// A table takes subcommands at run time, each name once: the parser, the overview and
// the dispatch follow it.
TEST(CliOptions, ATableOfSubcommandsGrowsAtRunTime) {
    CSubcommandTable table;
    int runs = 0;
    EXPECT_TRUE(table.Add([] { return std::make_unique<CCheckOptions>(); },
                          [&runs](const CCommandOptions& options, CCliSession&) {
                              ++runs;
                              return options.m_strFile == "a.zrn" ? 0 : 1;
                          }));
    EXPECT_FALSE(table.Add(&CCheckCommand::Run));
    EXPECT_EQ(table.Overview(), CCheckOptions().Summary());
    CCommandLine line(table);
    ASSERT_TRUE(line.Parse({"check", "a.zrn"})) << line.m_strError;
    std::ostringstream out, err;
    CCliSession session(out, err);
    EXPECT_EQ(table.Find("check")->run(*line.m_pOptions, session), 0);
    EXPECT_EQ(runs, 1);
    CCommandLine other(table);
    EXPECT_FALSE(other.Parse({"casegraph", "a.zrn"}));
    EXPECT_EQ(other.m_strError, "unknown command 'casegraph'");
}
