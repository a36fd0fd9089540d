#include "support/cli_run.h"
#include "contest/contest_file.h"
#include "support/contest_builder.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace r7t;
using r7t::fixtures::CliRun;
using r7t::fixtures::runCli;
using r7t::fixtures::TempDir;

namespace {

// Two rounds, every competitor scored, competitor 7 with a re-flight.
std::string writeScored(const TempDir& dir)
{
    Contest c;
    fixtures::buildContest(c, {7, 0, 2, 7});
    return fixtures::saveContestFile(c, dir.file("c.r7s"));
}

FlightResult storedResult(const std::string& path, int round, int number, int flight = 0)
{
    Contest back;
    back.setPath(path);
    back.isOpen = true;
    EXPECT_EQ(RepriseFic(back).status, LoadStatus::Loaded);
    const FlightResult* r = back.findResult(round, number, flight);
    EXPECT_NE(r, nullptr);
    return r ? *r : FlightResult{};
}

} // namespace

TEST(ScoreTimes, AreReadAsTypedOrRefusedNamingOptionAndText)
{
    TempDir dir;
    const std::string path = writeScored(dir);
    const std::string original = fixtures::readFile(path);
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"--duration", "abc"}, "--duration : « abc » n'est pas une durée (mn.ss ou mn:ss)"},
        {{"--speed", "99:99"}, "--speed : « 99:99 » n'est pas un temps de vitesse (ss.d)"},
        {{"--reflight", "7:75"}, "--reflight : « 7:75 » n'est pas une durée (mn.ss ou mn:ss)"},
    };
    for (const auto& [options, message] : refused) {
        std::vector<std::string> args{"score", path, "2", "1"};
        args.insert(args.end(), options.begin(), options.end());
        CliRun run = runCli(args);
        EXPECT_EQ(run.exit, 2) << message;
        EXPECT_EQ(run.err.substr(0, run.err.find('\n')), "r7t score: " + message);
    }
    EXPECT_EQ(fixtures::readFile(path), original);

    ASSERT_EQ(runCli({"score", path, "2", "1", "--speed", "23:4", "--duration", "7:30"}).exit, 0);
    const FlightResult r = storedResult(path, 2, 1);
    EXPECT_EQ(r.speedTime, 234);
    EXPECT_EQ(r.durationTime, 450);
}

TEST(ScoreCorrection, ChangesOnlyTheNamedFieldAndReplaceTakesTheWholeSheet)
{
    TempDir dir;
    const std::string path = writeScored(dir);
    const std::string original = fixtures::readFile(path);
    // Competitor 5 of round 2: speed and duration flown, "A plus de 100 m",
    // glider 2, a re-flight of 5 min.
    const FlightResult first = storedResult(path, 2, 5);
    const FlightResult again = storedResult(path, 2, 5, 1);
    ASSERT_EQ(first.landingBeyond100, 1);
    ASSERT_EQ(first.glider, 2);
    ASSERT_EQ(first.hasReflight, 1);
    ASSERT_EQ(first.speedVoid + first.durationVoid + first.speedWave2 + first.speedTrial, 0);

    struct Case {
        std::vector<std::string> options;
        void (*change)(FlightResult& first, FlightResult& again);
    };
    const std::vector<Case> cases = {
        {{"--speed", "28.1"}, [](FlightResult& f, FlightResult& a) { f.speedTime = a.speedTime = 281; }},
        {{"--speed-void"}, [](FlightResult& f, FlightResult& a) {
             f.speedVoid = a.speedVoid = 1;
             f.speedTime = a.speedTime = 0;
         }},
        {{"--speed-trial"}, [](FlightResult& f, FlightResult& a) { f.speedTrial = a.speedTrial = 1; }},
        {{"--wave2"}, [](FlightResult& f, FlightResult&) { f.speedWave2 = 1; }},
        {{"--duration", "5:10"}, [](FlightResult& f, FlightResult&) { f.durationTime = 310; }},
        {{"--duration-trial"}, [](FlightResult& f, FlightResult&) { f.durationTrial = 1; }},
        {{"--duration-loss"}, [](FlightResult& f, FlightResult&) { f.durationLoss = 1; }},
        {{"--landing", "1"}, [](FlightResult& f, FlightResult&) {
             f.landingTarget = 1;
             f.landingBeyond100 = 0;
         }},
        {{"--glider", "1"}, [](FlightResult& f, FlightResult& a) { f.glider = a.glider = 1; }},
        {{"--reflight", "6:00"}, [](FlightResult&, FlightResult& a) { a.durationTime = 360; }},
        {{"--reflight-landing", "2"}, [](FlightResult&, FlightResult& a) {
             a.landingTarget = 0;
             a.landingBeyond100 = 0;
         }},
    };
    for (const Case& c : cases) {
        fixtures::writeFile(path, original);
        std::vector<std::string> args{"score", path, "2", "5"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        CliRun run = runCli(args);
        ASSERT_EQ(run.exit, 0) << c.options[0] << run.err;
        FlightResult wantFirst = first, wantAgain = again;
        c.change(wantFirst, wantAgain);
        EXPECT_EQ(storedResult(path, 2, 5), wantFirst) << c.options[0];
        EXPECT_EQ(storedResult(path, 2, 5, 1), wantAgain) << c.options[0];
    }

    // The sheet shows what was stored, in the dialog's forms.
    fixtures::writeFile(path, original);
    CliRun corrected = runCli({"score", path, "2", "5", "--speed", "28.1", "--wave2"});
    ASSERT_EQ(corrected.exit, 0) << corrected.err;
    EXPECT_EQ(corrected.out.substr(corrected.out.find('\n') + 1),
              "Vitesse : 28.1 (Vague 2)\nDurée : 5.07"
                  ", A plus de 100 m\nPlaneur 2\nRevol : 5.00, A plus de 100 m\nScore complet\n");
    EXPECT_NE(runCli({"info", path}).out.find("complete rounds: -1-2-\n"), std::string::npos);

    // --replace: the options are the whole sheet; the re-flight goes.
    CliRun replaced = runCli({"score", path, "2", "5", "--replace", "--speed", "28.1", "--duration", "4:00"});
    ASSERT_EQ(replaced.exit, 0) << replaced.err;
    const FlightResult whole = storedResult(path, 2, 5);
    EXPECT_EQ(whole.speedTime, 281);
    EXPECT_EQ(whole.speedWave2, 0);
    EXPECT_EQ(whole.durationTime, 240);
    EXPECT_EQ(whole.landingTarget, 1);
    EXPECT_EQ(whole.glider, 1);
    EXPECT_EQ(whole.hasReflight, 0);
    EXPECT_NE(replaced.out.find("Planeur 1\nRevol : non\n"), std::string::npos) << replaced.out;
    EXPECT_EQ(runCli({"score", path, "2", "5", "--replace", "--delete"}).exit, 2);
}
