#include "contest/contest_file.h"
#include "support/contest_builder.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <sys/stat.h>

using namespace r7t;
using r7t::fixtures::FileBytes;
using r7t::fixtures::TempDir;

namespace {

std::vector<uint8_t> asBytes(const std::string& s) { return {s.begin(), s.end()}; }

LoadOutcome loadFrom(Contest& c, const std::string& bytes)
{
    c.isOpen = true;
    auto data = asBytes(bytes);
    return loadContest(c, data);
}

int32_t intAt(const std::vector<uint8_t>& b, size_t offset)
{
    return static_cast<int32_t>(uint32_t(b[offset]) | uint32_t(b[offset + 1]) << 8 | uint32_t(b[offset + 2]) << 16 |
                                uint32_t(b[offset + 3]) << 24);
}

// A contest file of one round with two groups of three, written by hand;
// without ended, more groups may follow.
FileBytes oneRoundFile(int32_t version = 2, bool ended = true)
{
    const int entries = version == 1 ? 26 : 41;
    FileBytes f;
    f.i32(81245).header(version, "", "01/05/26", "Lens", "Coupe", 1).roundTables(entries, 1, 1);
    for (int n = 1; n <= 6; ++n)
        f.pilot(n, "Pilote " + std::to_string(n), 35010 + 20 * n, 0, 2500, 2600);
    f.pilot(101, "Remorqueur", 41000, 0).pilotEnd().extraEnd();
    f.group(10, 1, 1, {101}).group(11, 1, 1, {1, 2, 3}).group(20, 1, 1, {101}).group(21, 1, 1, {4, 5, 6});
    f.group(10, 1, 2, {101}).group(11, 1, 2, {4, 2, 6}).group(20, 1, 2, {101}).group(21, 1, 2, {1, 5, 3});
    if (ended)
        f.groupEnd();
    return f;
}

} // namespace

TEST(ContestFile, NewContestIsTheEmptyFileOf1196Bytes)
{
    Contest c;
    c.isOpen = true;
    auto bytes = serializeContest(c);
    ASSERT_EQ(bytes.size(), 1196u);
    EXPECT_EQ(intAt(bytes, 0), 81245);
    EXPECT_EQ(intAt(bytes, 4), 2); // version
    // Pilot end marker right after the round tables: number 0, "PILZERO".
    EXPECT_EQ(intAt(bytes, 624), 0);
    EXPECT_EQ(std::string(bytes.begin() + 628, bytes.begin() + 636), std::string("PILZERO\0", 8));
    // Extra end marker: "PLAZERO" at offset 12 of the record.
    const size_t extra = 624 + 268;
    EXPECT_EQ(intAt(bytes, extra), 0);
    EXPECT_EQ(std::string(bytes.begin() + extra + 12, bytes.begin() + extra + 19), "PLAZERO");
    // Everything else is zero: header texts, tables, group end marker.
    size_t nonZero = 0;
    for (size_t i = 4; i < bytes.size(); ++i)
        nonZero += bytes[i] != 0;
    EXPECT_EQ(nonZero, 1u + 7 + 7);
}

TEST(ContestFile, FileSizeFollowsTheRecordCounts)
{
    Contest c;
    fixtures::buildContest(c, {10, 3, 2, 4});
    auto bytes = serializeContest(c);
    EXPECT_EQ(bytes.size(), 4 + 292 + 2 * 164 + 268 * (c.pilots.size() + 1) + 96 * (c.extras.size() + 1) +
                                208 * (c.groups.size() + 1) + 72 * c.results.size());
}

TEST(ContestFile, LargestContestSavesAndReloadsFieldForField)
{
    TempDir dir;
    Contest original;
    fixtures::buildContest(original);
    original.setPath(dir.file("largest.r7s"));
    original.isOpen = true;
    setPassword(original, "secret");
    ASSERT_TRUE(MajFichier(original).ok());

    Contest loaded;
    loaded.setPath(original.filePath);
    loaded.isOpen = true;
    LoadOutcome outcome = RepriseFic(loaded);
    ASSERT_EQ(outcome.status, LoadStatus::Loaded);
    EXPECT_TRUE(loaded.isOpen);

    EXPECT_EQ(loaded.header, original.header);
    EXPECT_EQ(loaded.password.raw(), "secret");
    EXPECT_EQ(loaded.roundHasScores, original.roundHasScores);
    EXPECT_EQ(loaded.roundComplete, original.roundComplete);
    EXPECT_EQ(loaded.roundPrepared, original.roundPrepared);
    EXPECT_EQ(loaded.groupCount, original.groupCount);
    EXPECT_EQ(loaded.competitorCount(), 98);
    EXPECT_EQ(loaded.towPilotCount(), 90);
    EXPECT_EQ(loaded.highestCompetitorNumber(), 98);
    EXPECT_EQ(loaded.lastPreparedRound, 40);
    EXPECT_EQ(loaded.completeRoundCount, 40);
    EXPECT_FLOAT_EQ(loaded.bestSpeedTime, original.bestSpeedTime);
    EXPECT_TRUE(std::equal(loaded.pilots.begin(), loaded.pilots.end(), original.pilots.begin(), original.pilots.end()));
    EXPECT_TRUE(std::equal(loaded.results.begin(), loaded.results.end(), original.results.begin(),
                           original.results.end()));
    ASSERT_EQ(loaded.groups.size(), original.groups.size());

    // Groups equal but for the links, which point at the loaded results of
    // the same key.
    auto o = original.groups.begin();
    for (const StartGroup& g : loaded.groups) {
        StartGroup a = g, b = *o;
        for (int s = 0; s < 4; ++s) {
            auto sameKey = [](const FlightResult* x, const FlightResult* y) {
                return (x == nullptr) == (y == nullptr) &&
                       (!x || (x->round == y->round && x->number == y->number && x->isReflight == y->isReflight));
            };
            EXPECT_TRUE(sameKey(a.slots[s].result, b.slots[s].result));
            EXPECT_TRUE(sameKey(a.slots[s].reflight, b.slots[s].reflight));
            a.slots[s].result = b.slots[s].result = nullptr;
            a.slots[s].reflight = b.slots[s].reflight = nullptr;
        }
        EXPECT_EQ(a, b);
        ++o;
    }
    EXPECT_EQ(serializeContest(loaded), serializeContest(original));
}

TEST(ContestFile, FileOfAnotherWriterIsRewrittenByteForByteExceptLinks)
{
    // Another writer leaves link values, bytes after the texts' NULs,
    // reserved header bytes, extra records and slot spares.
    FileBytes f;
    f.i32(81245).i32(2).text("mdp", 16).text("12/07/26", 12).text("Vinon", 32);
    std::string title = "Open d'\xE9t\xE9";
    title += '\0';
    title += "garbage after NUL";
    f.text(title, 64).i32(1).fill(24, 0xAB).i32(0).fill(132, 0xCD);
    f.roundTables(41, 1, 0);
    for (int n = 1; n <= 3; ++n)
        f.pilot(n, "P" + std::to_string(n), 35010 + 40 * n, 40665, 2100, 0, 0x11223344);
    f.pilot(101, "R", 41000, 0, 0, 0, 0x11223344);
    f.pilotEnd();
    FileBytes extra;
    extra.i32(7).zeros(4).i32(0x55667788);
    for (int i = 0; i < 84; ++i)
        extra.raw(std::string(1, static_cast<char>(i * 3 + 1)));
    f.raw(extra.str()).extraEnd();
    for (int32_t task : {1, 2})
        f.group(10, 1, task, {101}, 0x0BADF00D).group(11, 1, task, {1, 2, 3}, 0x0BADF00D);
    f.groupEnd();
    f.result(2, 1, 312, 0, 1, 0x7777).result(2, 1, 301, 1, 0, 0x7777);

    Contest c;
    ASSERT_EQ(loadFrom(c, f.str()).status, LoadStatus::Loaded);
    auto rewritten = serializeContest(c);

    auto expected = asBytes(f.str());
    auto zeroAt = [&](size_t offset) { std::fill_n(expected.begin() + static_cast<long>(offset), 4, 0); };
    const size_t pilots = 624;
    for (int p = 0; p < 4; ++p)
        zeroAt(pilots + 268 * p + 256);
    const size_t extras = pilots + 268 * 5;
    zeroAt(extras + 8);
    const size_t groups = extras + 96 * 2;
    for (int g = 0; g < 4; ++g) {
        const size_t base = groups + 208 * g;
        for (int s = 0; s < 4; ++s) {
            zeroAt(base + 12 + 44 * s + 28);
            zeroAt(base + 12 + 44 * s + 32);
        }
        zeroAt(base + 188);
    }
    const size_t results = groups + 208 * 5;
    zeroAt(results + 64);
    zeroAt(results + 72 + 64);
    ASSERT_EQ(rewritten.size(), expected.size());
    EXPECT_TRUE(rewritten == expected);
    EXPECT_EQ(c.header.title.utf8(), "Open d'été");
}

TEST(ContestFile, Version1FileLoadsAndIsWrittenBackAsVersion2)
{
    FileBytes f = oneRoundFile(1);
    f.result(1, 1, 250, 0, 1).result(3, 1, 240, 0, 1);

    Contest c;
    LoadOutcome outcome = loadFrom(c, f.str());
    ASSERT_EQ(outcome.status, LoadStatus::Loaded);
    EXPECT_EQ(outcome.formatVersion, 1);
    EXPECT_EQ(c.competitorCount(), 6);
    EXPECT_EQ(c.towPilotCount(), 1);
    EXPECT_EQ(c.roundHasScores[1], 1);
    EXPECT_EQ(c.roundComplete[1], 1);
    EXPECT_EQ(c.completeRoundsText, "-1-");
    for (const Pilot& p : c.pilots) {
        EXPECT_EQ(p.massGlider1, 0);
        EXPECT_EQ(p.massGlider2, 0);
    }
    for (const FlightResult& r : c.results)
        EXPECT_EQ(r.speedWave2, 0);
    EXPECT_FLOAT_EQ(c.bestSpeedTime, 240.0f);
    EXPECT_EQ(c.groupCount[1], 2);

    auto rewritten = serializeContest(c);
    EXPECT_EQ(intAt(rewritten, 4), 2);
    EXPECT_EQ(rewritten.size(), f.size() + 2 * 15 * 4);
    Contest again;
    ASSERT_EQ(loadFrom(again, std::string(rewritten.begin(), rewritten.end())).status, LoadStatus::Loaded);
    EXPECT_EQ(again.roundComplete, c.roundComplete);
    EXPECT_TRUE(std::equal(again.pilots.begin(), again.pilots.end(), c.pilots.begin(), c.pilots.end()));
}

TEST(ContestFile, WrongTagOrNewerVersionIsIncompatible)
{
    int alerts = 0;
    for (const std::string& bytes : {FileBytes().i32(81246).header(2, "", "", "", "", 0).str(),
                                     FileBytes().i32(81245).header(3, "", "", "", "", 0).str(),
                                     std::string(), std::string("\x5d\x3d\x01", 3)}) {
        Contest c;
        c.setAlertHandler([&](int n) { alerts += n == kMessageIncompatible; });
        EXPECT_EQ(loadFrom(c, bytes).status, LoadStatus::Incompatible);
        EXPECT_FALSE(c.isOpen);
        EXPECT_TRUE(c.pilots.empty());
    }
    EXPECT_EQ(alerts, 4);
}

TEST(ContestFile, MissingFileIsRefusedAndNotCreated)
{
    TempDir dir;
    Contest c;
    c.setPath(dir.file("absent.r7s"));
    c.isOpen = true;
    EXPECT_EQ(RepriseFic(c).status, LoadStatus::Incompatible);
    EXPECT_FALSE(c.isOpen);
    struct stat st {};
    EXPECT_NE(::stat(c.filePath.c_str(), &st), 0);
}

TEST(ContestFile, LoadingLeavesTheFileUntouched)
{
    TempDir dir;
    const std::string path = dir.file("c.r7s");
    fixtures::writeFile(path, oneRoundFile(1).str());
    ::chmod(path.c_str(), 0444);
    struct stat before {};
    ::stat(path.c_str(), &before);
    Contest c;
    c.setPath(path);
    c.isOpen = true;
    ASSERT_EQ(RepriseFic(c).status, LoadStatus::Loaded);
    struct stat after {};
    ::stat(path.c_str(), &after);
    EXPECT_EQ(fixtures::readFile(path), oneRoundFile(1).str());
    EXPECT_EQ(before.st_mtim.tv_sec, after.st_mtim.tv_sec);
    EXPECT_EQ(before.st_mtim.tv_nsec, after.st_mtim.tv_nsec);
    EXPECT_EQ(after.st_mode & 0777, 0444u);
}

TEST(ContestFile, TruncatedFilesKeepTheCompleteRecordsBeforeTheCut)
{
    FileBytes f;
    f.i32(81245).header(2, "", "", "", "", 0).roundTables(41);
    f.pilot(1, "Un", 35010, 0).pilot(2, "Deux", 35050, 0).pilot(3, "Trois", 35090, 0);
    const std::string whole = f.str();
    Contest c;
    ASSERT_EQ(loadFrom(c, whole.substr(0, whole.size() - 100)).status, LoadStatus::Loaded);
    ASSERT_EQ(c.pilots.size(), 2u);
    EXPECT_EQ(c.pilots.back().name.raw(), "Deux");
    EXPECT_EQ(c.competitorCount(), 2);
    EXPECT_EQ(c.highestCompetitorNumber(), 2);
    EXPECT_TRUE(c.groups.empty());

    // Cut inside the header or the round tables: loads as an empty contest.
    for (size_t cut : {10u, 300u, 500u, 700u}) {
        Contest d;
        EXPECT_EQ(loadFrom(d, whole.substr(0, cut)).status, LoadStatus::Loaded) << cut;
        EXPECT_TRUE(d.pilots.empty());
    }
}

TEST(ContestFile, ResultWithNumberZeroIsSkippedAndLoadingGoesOn)
{
    FileBytes f = oneRoundFile();
    f.result(1, 1, 250).result(0, 1, 100).result(3, 1, 240, 1);
    Contest c;
    ASSERT_EQ(loadFrom(c, f.str()).status, LoadStatus::Loaded);
    ASSERT_EQ(c.results.size(), 2u);
    SlotRef slot1 = c.findGroupOf(1, 1, kTaskDuration);
    SlotRef slot3 = c.findGroupOf(1, 3, kTaskDuration);
    EXPECT_EQ(slot1.group->slots[slot1.slot].result, &c.results.front());
    EXPECT_EQ(slot3.group->slots[slot3.slot].reflight, &c.results.back());
    EXPECT_EQ(slot3.group->slots[slot3.slot].result, nullptr);
    EXPECT_FLOAT_EQ(c.bestSpeedTime, 240.0f); // the skipped record's 100 is not seen
}

TEST(ContestFile, ResultWithoutDurationGroupIsDroppedAndLoadingGoesOn)
{
    for (int32_t round : {1, 2, 0, 9999}) {
        FileBytes f = oneRoundFile();
        f.result(1, 1, 250).result(round == 1 ? 77 : 2, round, 100).result(3, 1, 240);
        Contest c;
        c.setFaultHandler([&](const std::string& tag) { ADD_FAILURE() << tag; });
        const LoadOutcome outcome = loadFrom(c, f.str());
        ASSERT_EQ(outcome.status, LoadStatus::Loaded) << round;
        EXPECT_EQ(outcome.resultsDropped, 1);
        EXPECT_EQ(outcome.groupsDropped, 0);
        ASSERT_EQ(c.results.size(), 2u);
        EXPECT_EQ(c.results.front().number, 1);
        EXPECT_EQ(c.results.back().number, 3);
        EXPECT_FLOAT_EQ(c.bestSpeedTime, 240.0f); // the dropped record's 100 is not seen
        EXPECT_FALSE(c.fault());
    }
}

TEST(ContestFile, BestSpeedIsTheLowestNonZeroTimeAndTiesKeepIt)
{
    FileBytes f = oneRoundFile();
    f.result(1, 1, 0).result(2, 1, 245).result(3, 1, 245).result(4, 1, 300);
    Contest c;
    ASSERT_EQ(loadFrom(c, f.str()).status, LoadStatus::Loaded);
    EXPECT_FLOAT_EQ(c.bestSpeedTime, 245.0f);

    Contest none;
    ASSERT_EQ(loadFrom(none, oneRoundFile().result(1, 1, 0).str()).status, LoadStatus::Loaded);
    EXPECT_FLOAT_EQ(none.bestSpeedTime, 1000.0f);
}

TEST(ContestFile, PreparedRoundsAndCountersAreRebuilt)
{
    FileBytes f;
    f.i32(81245).header(2, "", "", "", "", 7).roundTables(41);
    f.pilot(1, "A", 35010, 0).pilot(150, "T", 41000, 0).pilot(100, "Cent", 35030, 0).pilotEnd().extraEnd();
    for (int32_t g = 1; g <= 3; ++g)
        for (int32_t task : {1, 2})
            f.group(10 * g, 3, task, {g == 1 ? 150 : 200}).group(10 * g + 1, 3, task, {1});
    f.group(21, 5, 1, {1}).groupEnd(); // a speed record alone: no list shows round 5
    Contest c;
    const LoadOutcome outcome = loadFrom(c, f.str());
    ASSERT_EQ(outcome.status, LoadStatus::Loaded);
    EXPECT_EQ(outcome.groupsDropped, 1);
    EXPECT_EQ(c.roundPrepared[3], 1);
    EXPECT_EQ(c.roundPrepared[5], 0);
    EXPECT_EQ(c.groupCount[3], 3);  // from the task-2 record of id 31
    EXPECT_EQ(c.groupCount[5], 0);
    EXPECT_EQ(c.lastPreparedRound, 3);
    EXPECT_EQ(c.competitorCount(), 1); // number 100 is neither a competitor nor a tow pilot
    EXPECT_EQ(c.towPilotCount(), 1);
    EXPECT_EQ(c.highestCompetitorNumber(), 1);

    Contest noGroups;
    ASSERT_EQ(loadFrom(noGroups, FileBytes().i32(81245).header(2, "", "", "", "", 7).roundTables(41).str()).status,
              LoadStatus::Loaded);
    EXPECT_EQ(noGroups.lastPreparedRound, 7); // the header's value stays
}

TEST(ContestFile, HostileValuesLoadSafely)
{
    FileBytes f;
    f.i32(81245).header(-5, "0123456789abcdef", "", "", "", 123456789).roundTables(41);
    f.pilot(1, std::string(40, 'x'), 35010, 0).pilotEnd().extraEnd();
    FileBytes g;
    g.i32(11).i32(1).i32(1000000); // count far beyond the four slots
    for (int s = 0; s < 4; ++s)
        g.i32(1).zeros(40);
    g.i32(0).i32(0).i32(0).i32(kTaskDuration).i32(0);
    f.raw(g.str());
    f.group(10, 1, 2, {200}).group(10, 1, 1, {200}).group(11, 1, 1, {1});
    f.group(11, -3, 2, {1}).group(11, 41, 2, {1}).group(11, 1, 77, {1}).groupEnd();
    f.result(1, 1, -5);
    Contest c;
    const LoadOutcome outcome = loadFrom(c, f.str());
    ASSERT_EQ(outcome.status, LoadStatus::Loaded);
    EXPECT_EQ(outcome.groupsDropped, 3); // rounds -3 and 41, task 77
    EXPECT_EQ(c.lastPreparedRound, 1);
    EXPECT_EQ(c.pilots.front().name.raw().size(), 32u); // no NUL in the field: never read past it
    EXPECT_EQ(c.password.raw().size(), 16u);
    EXPECT_FALSE(passwordMatches(c, "0123456789abcdef"));
    EXPECT_EQ(c.groups.size(), 4u);
    EXPECT_EQ(c.groups.front().usedSlots(), 4);
    EXPECT_EQ(c.findGroupOf(1, 1, kTaskDuration).group, &c.groups.front());
}

// What no list, dialog or ranking can show is left out of the contest, and
// counted; what stays loads, saves and loads again unchanged.
TEST(ContestFile, RecordsNoListCanShowAreDroppedAndCounted)
{
    FileBytes f = oneRoundFile(2, false);
    f.group(2147483641, 1, 2, {1, 2, 3});                        // group 214748364
    f.group(341, 1, 2, {1}).group(340, 1, 2, {101});             // group 34: above any draw
    f.group(1, 1, 2, {1}).group(-11, 1, 2, {1}).group(12, 1, 2, {1}); // ids of no group
    f.group(11, 1, 2, {5, 5, 5});                                  // a second group 1 of the duration task
    f.group(31, 1, 1, {1}).group(30, 1, 1, {101});                 // speed group 3 of a round of 2
    f.group(11, 0, 2, {1}).group(11, 1, 3, {1});                   // no round, no task
    f.groupEnd();
    // Results: 5 flies in group 2 (the second group 1 is not seen), 9 nowhere,
    // and 1's first flight twice: the later one is linked, the earlier hidden.
    f.result(5, 1, 300).result(9, 1, 300).result(1, 1, 280).result(1, 1, 250);
    Contest c;
    const LoadOutcome outcome = loadFrom(c, f.str());
    ASSERT_EQ(outcome.status, LoadStatus::Loaded) << outcome.damage;
    EXPECT_EQ(outcome.groupsDropped, 11);
    EXPECT_EQ(outcome.resultsDropped, 2);
    EXPECT_EQ(c.groups.size(), 8u);
    EXPECT_EQ(c.groupCount[1], 2);
    ASSERT_EQ(c.results.size(), 2u);
    EXPECT_EQ(c.results.front().number, 5);
    EXPECT_EQ(c.results.back().speedTime, 250);
    EXPECT_FLOAT_EQ(c.bestSpeedTime, 250.0f);
    const SlotRef five = c.findGroupOf(1, 5, kTaskDuration);
    EXPECT_EQ(groupOfId(five.group->id), 2);
    EXPECT_EQ(five.group->slots[five.slot].result, &c.results.front());
    EXPECT_EQ(droppedRecordsText(outcome),
              "Fichier endommagé : 11 groupes de départ et 2 scores que rien ne peut afficher ont été ignorés");
    EXPECT_EQ(droppedRecordsText(outcome, true),
              "Fichier endommagé : 11 groupes de départ et 2 scores que rien ne peut afficher ont été ignorés et ne "
              "seront pas réécrits");

    const std::vector<uint8_t> once = serializeContest(c);
    Contest again;
    again.isOpen = true;
    const LoadOutcome second = loadContest(again, once);
    ASSERT_EQ(second.status, LoadStatus::Loaded);
    EXPECT_EQ(second.groupsDropped + second.resultsDropped, 0);
    EXPECT_EQ(droppedRecordsText(second), "");
    EXPECT_TRUE(serializeContest(again) == once);
}

// A round whose groups the lists would show with a record or a person
// missing is no contest the program could have written: the file is
// refused, saying where, and the fault report is never raised.
TEST(ContestFile, RoundsThatContradictThemselvesAreRefusedSayingWhere)
{
    auto withGroups = [](const std::function<void(FileBytes&)>& groups) {
        FileBytes f;
        f.i32(81245).header(2, "", "", "", "", 1).roundTables(41);
        for (int n = 1; n <= 6; ++n)
            f.pilot(n, "Pilote", 35010 + 20 * n, 0);
        f.pilot(101, "Remorqueur", 41000, 0).pilotEnd().extraEnd();
        groups(f);
        return f.groupEnd().result(1, 2, 250).str();
    };
    const std::vector<std::pair<std::function<void(FileBytes&)>, std::string>> cases = {
        {[](FileBytes& f) { f.group(10, 2, 1, {101}).group(11, 2, 1, {1, 2, 3}).group(11, 2, 2, {1, 2, 3}); },
         "manche 2, durée, groupe 1 : il manque l'enregistrement du remorqueur"},
        {[](FileBytes& f) { f.group(10, 2, 2, {101}).group(11, 2, 2, {1, 2, 3}).group(10, 2, 1, {101}); },
         "manche 2, vitesse, groupe 1 : il manque l'enregistrement des concurrents"},
        {[](FileBytes& f) {
             for (int task : {1, 2})
                 f.group(20, 2, task, {101}).group(21, 2, task, {1, 2, 3});
         },
         "manche 2, vitesse, groupe 1 : il manque l'enregistrement du remorqueur"},
        {[](FileBytes& f) {
             for (int task : {1, 2})
                 f.group(10, 2, task, {task == 2 ? 102 : 101}).group(11, 2, task, {1, 2, 3});
         },
         "manche 2, durée, groupe 1 : le remorqueur 102 n'est pas inscrit"},
        {[](FileBytes& f) {
             for (int task : {1, 2})
                 f.group(10, 2, task, {101}).group(11, 2, task, {1, 2, task == 1 ? 7 : 3});
         },
         "manche 2, vitesse, groupe 1 : le concurrent 7 n'est pas inscrit"},
    };
    for (const auto& [groups, reason] : cases) {
        Contest c;
        int alerts = 0;
        c.setAlertHandler([&](int) { ++alerts; });
        c.setFaultHandler([&](const std::string& tag) { ADD_FAILURE() << tag; });
        const LoadOutcome outcome = loadFrom(c, withGroups(groups));
        EXPECT_EQ(outcome.status, LoadStatus::Damaged) << reason;
        EXPECT_EQ(outcome.damage, reason);
        EXPECT_FALSE(c.isOpen);
        EXPECT_EQ(alerts, 0); // the caller shows the refusal with its reason
    }

    // The same round whole, with "no tow pilot" in a tow slot, loads.
    Contest whole;
    const LoadOutcome outcome = loadFrom(whole, withGroups([](FileBytes& f) {
        for (int task : {1, 2})
            f.group(10, 2, task, {task == 1 ? 200 : 101}).group(11, 2, task, {1, 2, 3});
    }));
    ASSERT_EQ(outcome.status, LoadStatus::Loaded) << outcome.damage;
    EXPECT_EQ(whole.groupCount[2], 1);
    EXPECT_EQ(whole.results.size(), 1u);
}

TEST(ContestFile, ArbitraryMutationsNeverBreakTheLoader)
{
    Contest base;
    fixtures::buildContest(base, {12, 4, 3, 5});
    auto valid = serializeContest(base);
    std::mt19937 rng(20261207);
    for (int round = 0; round < 400; ++round) {
        std::vector<uint8_t> bytes = valid;
        const int edits = 1 + static_cast<int>(rng() % 8);
        for (int e = 0; e < edits; ++e) {
            size_t at = rng() % bytes.size();
            switch (rng() % 3) {
            case 0: bytes[at] = static_cast<uint8_t>(rng()); break;
            case 1: bytes.resize(at); break;
            default: bytes.insert(bytes.begin() + static_cast<long>(at), static_cast<uint8_t>(rng())); break;
            }
            if (bytes.empty())
                break;
        }
        Contest c;
        c.isOpen = true;
        LoadOutcome outcome = loadContest(c, bytes);
        if (outcome.status == LoadStatus::Loaded) {
            auto once = serializeContest(c);
            Contest again;
            again.isOpen = true;
            ASSERT_EQ(loadContest(again, once).status, LoadStatus::Loaded);
            ASSERT_TRUE(serializeContest(again) == once) << "mutation round " << round;
        }
    }
}

TEST(ContestFile, SaveDoesNothingWhileNoContestIsOpen)
{
    TempDir dir;
    Contest c;
    c.setPath(dir.file("c.r7s"));
    EXPECT_EQ(MajFichier(c).status, SaveStatus::NotOpen);
    EXPECT_EQ(MajSauvegarde(c).status, SaveStatus::NotOpen);
    struct stat st {};
    EXPECT_NE(::stat(c.filePath.c_str(), &st), 0);
}

TEST(ContestFile, BackupHoldsTheSameContentBesideTheContestFile)
{
    TempDir dir;
    Contest c;
    fixtures::buildContest(c, {8, 2, 1, 0});
    fixtures::saveContestFile(c, dir.file("R7T_06_12_26.r7s"));
    ASSERT_TRUE(MajSauvegarde(c).ok());
    EXPECT_EQ(c.backupPath, dir.file("R7T_06_12_26.bak"));
    EXPECT_EQ(fixtures::readFile(c.backupPath), fixtures::readFile(c.filePath));
}

TEST(ContestFile, FailedSaveIsReportedAndKeepsTheOldFile)
{
    TempDir dir;
    Contest c;
    c.isOpen = true;
    c.setPath(dir.file("missing-folder/c.r7s"));
    SaveOutcome missing = MajFichier(c);
    EXPECT_EQ(missing.status, SaveStatus::Failed);
    EXPECT_FALSE(missing.error.empty());

    c.setPath(dir.file("c.r7s"));
    ASSERT_TRUE(MajFichier(c).ok());
    const std::string before = fixtures::readFile(c.filePath);
    ::chmod(c.filePath.c_str(), 0444);
    fixtures::buildContest(c, {8, 2, 1, 0});
    EXPECT_EQ(MajFichier(c).status, SaveStatus::Failed);
    EXPECT_EQ(fixtures::readFile(c.filePath), before);
}

TEST(ContestFile, HeaderIsRefreshedAtEachSave)
{
    Contest c;
    c.isOpen = true;
    c.header.version = 1;
    c.header.language = 55;
    c.lastPreparedRound = 4;
    setPassword(c, "abcdefghijklmnop");
    auto bytes = serializeContest(c);
    EXPECT_EQ(intAt(bytes, 4), 2);
    EXPECT_EQ(intAt(bytes, 4 + 128), 4);
    EXPECT_EQ(intAt(bytes, 4 + 156), 0);
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 24), std::string("abcdefghijkl\0\0\0\0", 16));
}

TEST(ContestSave, FailedSaveTextsNameTheFileAndTheCause)
{
    SaveOutcome failed{SaveStatus::Failed, "/data/R7T_06_12_26.r7s", "fichier en lecture seule"};
    const std::string text = saveFailedText(failed);
    EXPECT_NE(text.find("/data/R7T_06_12_26.r7s"), std::string::npos);
    EXPECT_NE(text.find("fichier en lecture seule"), std::string::npos);
    EXPECT_EQ(text.find('\n'), std::string::npos) << "line breaks are \\r as in the table";
    EXPECT_NE(quitUnsavedText(failed).find("Quitter"), std::string::npos);
}
