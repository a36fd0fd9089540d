// Writes the starting inputs of the fuzz targets, one folder per target
// under the given folder; fuzz/corpus/ holds them minimised. Without a valid
// tag and header the file fuzzers would never reach the record blocks, nor
// the import its data lines.
#include "contest/contest_file.h"
#include "inspection/ctr_file.h"
#include "support/contest_builder.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

void write(const std::filesystem::path& file, const std::vector<uint8_t>& bytes)
{
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void write(const std::filesystem::path& file, const std::string& text)
{
    write(file, std::vector<uint8_t>(text.begin(), text.end()));
}

// An empty contest, a round with every result and re-flights, and two
// rounds of groups of 4 and 3 without tow pilots (slots of 200), the second
// round's scores not all entered.
void contestSeeds(const std::filesystem::path& dir)
{
    int index = 0;
    for (r7t::fixtures::ContestShape shape :
         {r7t::fixtures::ContestShape{0, 0, 0, 0}, r7t::fixtures::ContestShape{6, 1, 1, 2},
          r7t::fixtures::ContestShape{13, 0, 2, 4}}) {
        r7t::Contest contest;
        r7t::fixtures::buildContest(contest, shape);
        if (shape.rounds == 2) {
            contest.results.remove_if([](const r7t::FlightResult& r) { return r.round == 2 && r.number > 9; });
            for (r7t::StartGroup& g : contest.groups)
                for (r7t::GroupSlot& slot : g.slots)
                    if (g.round == 2 && slot.pilotNumber > 9) {
                        slot.result = nullptr;
                        slot.reflight = nullptr;
                    }
            contest.roundComplete[2] = 0;
            contest.updateCompleteRounds();
        }
        write(dir / ("seed" + std::to_string(index++) + ".r7s"), r7t::serializeContest(contest));
    }
    // The round with re-flights as a version 1 file: 26-integer round
    // tables, the masses and speedWave2 then meaningless.
    r7t::Contest contest;
    r7t::fixtures::buildContest(contest, {6, 1, 1, 2});
    std::vector<uint8_t> bytes = r7t::serializeContest(contest);
    bytes[4] = 1; // the version, little-endian
    constexpr size_t kTables = 4 + r7t::kHeaderSize, kTable = 4 * r7t::kRoundTableSize;
    constexpr size_t kVersion1Table = 4 * r7t::kVersion1RoundTableSize;
    for (size_t table : {kTables + kTable, kTables}) // the later one first
        bytes.erase(bytes.begin() + static_cast<long>(table + kVersion1Table),
                    bytes.begin() + static_cast<long>(table + kTable));
    write(dir / "version1.r7s", bytes);
}

// The tag alone, and two pilots with both gliders, one measured and valid.
void inspectionSeeds(const std::filesystem::path& dir)
{
    r7t::Inspection inspection;
    write(dir / "empty.ctr", r7t::serializeInspection(inspection));
    for (int32_t pilot : {3, 12})
        for (int32_t glider : {1, 2}) {
            r7t::Glider* p = inspection.newGlider();
            p->pilot = pilot;
            p->glider = glider;
            p->pilotName.assignUtf8("LEFÈVRE Luc");
            if (pilot == 3 && glider == 1) {
                p->model.assignUtf8("Ventus 2cx");
                p->registration.assignUtf8("F-CABC");
                p->mass = 4800;
                p->span = 450.0f;
                p->width = 12.0f;
                p->height = 15.0f;
                p->canopy = 1;
                p->groundClearance = 1;
                p->valid = 1;
                p->filled = 1;
            }
        }
    write(dir / "two_pilots.ctr", r7t::serializeInspection(inspection));
}

// Windows-1252 text: a good line, every frequency band and line end, and
// each kind of faulty line.
void importSeeds(const std::filesystem::path& dir)
{
    const std::string header = "N\xB0\tNom\tFr\xE9q1\tFr\xE9q2\tLicence\tClub\tN\xB0 club\tPays\tRemarque\n";
    write(dir / "one.txt",
          "N\tNom\tF1\tF2\tLic\tClub\tNc\tPays\tRem\n3\tDupont\t35,01\t40.665\tL1\tClub\t7\tFrance\tR\n");
    write(dir / "bands.txt", header +
                                 "1\tL\xC9ON No\xEBl\t72,210\t2400\tL1\tClub\t1\tFrance\tr\xE9marque\tdixi\xE8me\r\n"
                                 "2\tB\t35010\t\tL2\tC\t2\tBelgique\t\r\n"
                                 "98\tZ\t41.000\t40,685\tL98\tC\t3\tSuisse\tfin\n");
    write(dir / "faults.txt", header +
                                  "5\t\t35,01\t\tL5\tC\t1\tF\t\n"
                                  "5\tX\tbad\t\tL5\tC\t1\tF\t\n"
                                  "99\tY\t35050\t\tL\tC\t1\tF\t\n"
                                  "6\tseven\ttabs\tonly\there\t\t\t\n"
                                  "garbage line\n"
                                  "7\tW\t35070\t\tL7\tC\t1\tF\t\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const std::filesystem::path root = argv[1];
    const auto folder = [&](const char* target) {
        std::filesystem::create_directories(root / target);
        return root / target;
    };
    contestSeeds(folder("fuzz_contest_file"));
    contestSeeds(folder("fuzz_contest_commands"));
    inspectionSeeds(folder("fuzz_ctr_file"));
    importSeeds(folder("fuzz_import"));
    return 0;
}
