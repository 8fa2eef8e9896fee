// SPDX-License-Identifier: GPL-3.0-or-later
// zm480-sweep's command line: what it takes, what it refuses and what it says then, and
// that its help and manual page name every option it takes.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <ostream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/sweep_command_line.h"
#include "cli/sweep_usage.h"
#include "numbers/number_text.h"

namespace zm {
namespace {

std::variant<SweepCommandLine, UsageError> parsed(const std::vector<std::string>& arguments) {
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) {
        pointers.push_back(argument.c_str());
    }
    return parseSweepCommandLine(pointers);
}

// The options given, in a fixed order; what was not given is not there.
std::string given(const SweepCommandLine& line) {
    if (line.action != SweepCommandLine::Action::Sweep) {
        return line.action == SweepCommandLine::Action::Help ? "help" : "version";
    }
    std::string text;
    const auto add = [&text](const std::string& part) {
        text += (text.empty() || part.empty() ? "" : " ") + part;
    };
    for (const std::string& band : line.bands) {
        add("band " + band);
    }
    if (line.pointsPerBand) {
        add("points " + std::to_string(*line.pointsPerBand));
    }
    if (line.span) {
        add("span " + shortestNumber(line.span->startMHz) + " " +
            shortestNumber(line.span->stopMHz) + " " + shortestNumber(line.span->stepMHz));
    }
    if (line.carrierMode) {
        add("mode " + std::to_string(*line.carrierMode));
    }
    if (line.planKey) {
        add("plan " + *line.planKey);
    }
    if (line.planPoints) {
        add(*line.planPoints == PlanPoints::Refine ? "refine" : "every");
    }
    if (line.plane) {
        add(*line.plane == Plane::Antenna ? "at antenna" : "at meter");
    }
    if (line.output) {
        add("output " + line.output->path +
            (line.output->kind == SweepFileKind::Touchstone ? " s1p" : " csv"));
    }
    add(line.keep ? "keep" : "");
    add(line.dryRun ? "dry-run" : "");
    add(line.summary == SummaryFormat::Json ? "json" : "");
    if (line.settingsFolder) {
        add("settings " + *line.settingsFolder);
    }
    return text;
}

struct CommandLineCase {
    const char* name;
    std::vector<std::string> arguments;
    std::string expected;  // what given() says, or the usage error
    friend void PrintTo(const CommandLineCase& c, std::ostream* os) { *os << c.name; }
};

class CommandLineTable : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTable, TakesOrRefusesSayingWhy) {
    const CommandLineCase& c = GetParam();
    const auto result = parsed(c.arguments);
    if (const auto* error = std::get_if<UsageError>(&result)) {
        EXPECT_EQ(error->why, c.expected);
    } else {
        EXPECT_EQ(given(std::get<SweepCommandLine>(result)), c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Taken, CommandLineTable,
    ::testing::Values(
        // Every unit reads as the window's step list reads "50 kHz": the same doubles.
        CommandLineCase{"FrequenciesInEachUnit",
                        {"--start", "14000k", "--stop", "14.35M", "--step", "50k"},
                        "span 14 14.35 0.05"},
        CommandLineCase{"MegahertzWithoutAUnit",
                        {"--start=7", "--stop", "7.2 MHz", "--step", "0.05"},
                        "span 7 7.2 0.05"},
        CommandLineCase{"HertzAndOnePoint",
                        {"--start", "7100000Hz", "--stop", "7.1", "--step", "1k"},
                        "span 7.1 7.1 0.001"},
        // Nothing defaulted here: the settings folder fills in what was not given.
        CommandLineCase{"OptionsNotGivenStayEmpty", {"--band", "40m"}, "band 40m"},
        CommandLineCase{"JoinedBunchedAndRepeated",
                        {"--band=40m", "-b", "20m,15m", "-nk", "-os.csv"},
                        "band 40m band 20m band 15m output s.csv csv keep dry-run"},
        CommandLineCase{
            "EveryHowAndWhatOption",
            {"--band", "40m", "--points", "30", "-m", "am", "--plan", "iaru1", "--refine", "--at",
             "meter", "-o", "Sweep.S1P", "--summary", "json", "--settings", "/tmp/station"},
            "band 40m points 30 mode 4 plan iaru1 refine at meter output Sweep.S1P "
            "s1p json settings /tmp/station"},
        CommandLineCase{"StandardOutputByName",
                        {"--band", "40m", "--every", "--at", "antenna", "-o", "-"},
                        "band 40m every at antenna output - csv"},
        CommandLineCase{"HelpWinsOverAnyMistake", {"--frobnicate", "--help"}, "help"},
        CommandLineCase{"BunchedHelp", {"-kh"}, "help"},
        CommandLineCase{"Version", {"-V"}, "version"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Refused, CommandLineTable,
    ::testing::Values(
        CommandLineCase{"NothingToSweep",
                        {"--mode", "CW"},
                        "say what to sweep: --band 40m (or 40m,20m), or --start 14.0 --stop 14.35 "
                        "--step 50k"},
        CommandLineCase{"BandAndFrequencies",
                        {"--band", "40m", "--start", "7.0"},
                        "--band and --start/--stop/--step each say what to sweep: give one of "
                        "them"},
        CommandLineCase{"RefineAndEvery",
                        {"--band", "40m", "--refine", "--every"},
                        "--refine and --every contradict each other: give one of them"},
        CommandLineCase{"PointsWithoutBand",
                        {"--points", "20", "--start", "14", "--stop", "14.35", "--step", "50k"},
                        "--points counts the points of each band of --band; with --start and "
                        "--stop, --step spaces the points"},
        CommandLineCase{"StartAboveStop",
                        {"--start", "14.35M", "--stop", "14000k", "--step", "50k"},
                        "--start 14.35M lies above --stop 14000k: give the lower frequency first"},
        CommandLineCase{"StopMissing",
                        {"--start", "14", "--step", "50k"},
                        "--stop is missing: --start, --stop and --step go together, e.g. --start "
                        "14.0 --stop 14.35 --step 50k"},
        CommandLineCase{"ZeroStep",
                        {"--start", "14", "--stop", "14.35", "--step", "0"},
                        "--step 0: not above 0"},
        CommandLineCase{"NegativeStep",
                        {"--start", "14", "--stop", "14.35", "--step", "-50k"},
                        "--step -50k: not above 0"},
        CommandLineCase{"UnknownUnit",
                        {"--start", "14.35G", "--stop", "14.4", "--step", "50k"},
                        "--start 14.35G: \"G\" is no unit of frequency: write MHz (14.35 or "
                        "14.35M) or kHz (14350k)"},
        CommandLineCase{"DecimalComma",
                        {"--start", "14,35", "--stop", "14.4", "--step", "50k"},
                        "--start 14,35: not a frequency: write MHz (14.35 or 14.35M) or kHz "
                        "(14350k)"},
        CommandLineCase{"MorePointsThanASweepHolds",
                        {"--start", "1", "--stop", "30", "--step", "0.5k"},
                        "--start 1 to --stop 30 in steps of 0.5k is 58001 points, and a sweep "
                        "has at most 32766: take a larger step or a narrower span"},
        CommandLineCase{"TooFewPointsInABand",
                        {"--band", "40m", "--points", "2"},
                        "--points 2: a band's sweep has 3 to 500 points"},
        CommandLineCase{"EmptyBandName",
                        {"--band", "40m,,20m"},
                        "--band 40m,,20m: a band's name is missing: name the bands with commas "
                        "between, e.g. 40m,20m"},
        CommandLineCase{"UnknownMode",
                        {"--band", "40m", "--mode", "SSB"},
                        "--mode SSB: the carrier mode is CW, AM or FSK"},
        CommandLineCase{"PlanKeyInCapitals",
                        {"--band", "40m", "--plan", "IARU1"},
                        "--plan IARU1: a band plan's key is lower-case letters, digits and -, "
                        "e.g. iaru1"},
        CommandLineCase{"OutputOfNeitherKind",
                        {"--band", "40m", "-o", "sweep.txt"},
                        "-o sweep.txt: \"sweep.txt\": the name must end in .csv (CSV) or .s1p "
                        "(Touchstone), or be - for CSV on standard output"},
        CommandLineCase{"OutputThatIsOnlyAnEnding",
                        {"--band", "40m", "--output", "out/.csv"},
                        "--output out/.csv: \"out/.csv\" is only an ending: put a name before "
                        "it, e.g. sweep.csv"},
        CommandLineCase{
            "UnknownOption", {"--bands", "40m"}, "there is no option --bands (see --help)"},
        CommandLineCase{"ValueMissing", {"--band"}, "--band needs a value, e.g. --band 40m,20m"},
        CommandLineCase{"FlagWithAValue", {"--keep=yes"}, "--keep takes no value"},
        CommandLineCase{"Argument",
                        {"--band", "40m", "20m"},
                        "\"20m\" is no option: zm480-sweep takes options only (see --help)"}),
    [](const auto& info) { return std::string(info.param.name); });

std::string sourceFile(const std::string& path) {
    const char* source = std::getenv("ZM_SOURCE_DIR");
    std::ifstream file(std::string(source ? source : ".") + "/" + path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// A user reads of an option in the help or the manual page: the command must take it, and
// both must name it.
TEST(SweepUsage, NamesEveryOptionTheCommandTakesInHelpAndManualPage) {
    const std::string help(kSweepUsage);
    const std::string manual = sourceFile("packaging/zm480-sweep.1.in");
    ASSERT_FALSE(manual.empty());
    std::set<std::string> options;
    const std::regex option("--[a-z][a-z-]*");
    for (auto it = std::sregex_iterator(help.begin(), help.end(), option);
         it != std::sregex_iterator(); ++it) {
        options.insert(it->str());
    }
    EXPECT_EQ(options.size(), 19u);
    for (const std::string& name : options) {
        const auto result = parsed({name});
        const auto* error = std::get_if<UsageError>(&result);
        EXPECT_FALSE(error && error->why.starts_with("there is no option")) << name;
        EXPECT_NE(manual.find(std::regex_replace(name, std::regex("-"), "\\-")), std::string::npos)
            << name << " is not in the manual page";
    }
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_LE(line.size(), 80u) << line;
    }
}

}  // namespace
}  // namespace zm
