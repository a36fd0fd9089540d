#include "cli/command.h"
#include "inspection/ctr_file.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <random>
#include <sstream>

using namespace r7t;
using fixtures::FileBytes;

namespace {

Glider measured(int32_t mass, float span, float width, float height)
{
    Glider p;
    p.pilot = 7;
    p.glider = 1;
    p.mass = mass;
    p.span = span;
    p.width = width;
    p.height = height;
    p.canopy = 1;
    p.groundClearance = 1;
    p.filled = 1;
    return p;
}

FileBytes& f32(FileBytes& b, float v) { return b.i32(static_cast<int32_t>(std::bit_cast<uint32_t>(v))); }

// One record written field by field, independently of the program's writer.
FileBytes& record(FileBytes& b, int32_t pilot, int32_t glider, const std::string& model, int32_t mass, float span,
                  float width, float height, int32_t valid, int32_t filled, uint32_t link = 0)
{
    b.i32(pilot).i32(glider).i32(static_cast<int32_t>(link)).text(model, 32).text("F-CABC", 12).text("Dupr\xE9", 32)
        .i32(mass);
    f32(b, span);
    f32(b, width);
    f32(b, height);
    return b.zeros(12).i32(1).i32(1).zeros(4).i32(valid).i32(filled).zeros(4);
}

std::span<const uint8_t> spanOf(const std::string& s) { return {reinterpret_cast<const uint8_t*>(s.data()), s.size()}; }

std::string bytesOf(const Inspection& i)
{
    auto v = serializeInspection(i);
    return {v.begin(), v.end()};
}

} // namespace

TEST(Inspection, MassAndSpanLimits)
{
    const Glider p;
    EXPECT_EQ(checkPasses(p, kCheckMass, 1000.0f, 0), 0);
    EXPECT_EQ(checkPasses(p, kCheckMass, 1001.0f, 0), 1);
    EXPECT_EQ(checkPasses(p, kCheckMass, 5000.0f, 0), 1);
    EXPECT_EQ(checkPasses(p, kCheckMass, 5001.0f, 0), 0);
    EXPECT_EQ(checkPasses(p, kCheckMass, 1000.5f, 0), 1); // the dialog checks what was typed
    EXPECT_EQ(checkPasses(p, kCheckSpan, 350.0f, 0), 1);
    EXPECT_EQ(checkPasses(p, kCheckSpan, 349.9f, 0), 0);
    for (int other : {0, 3, 6, 7, -1})
        EXPECT_EQ(checkPasses(p, other, 1e6f, 1.0f), 0) << other;
}

TEST(Inspection, CrossSectionLimitsFollowTheExtendedProduct)
{
    const Glider p;
    EXPECT_EQ(checkPasses(p, kCheckWidth, 12.8f, 400.0f), 1);
    EXPECT_EQ(checkPasses(p, kCheckWidth, 12.7f, 400.0f), 0);
    EXPECT_EQ(checkPasses(p, kCheckHeight, 16.0f, 400.0f), 0); // a double product would let it pass
    EXPECT_EQ(checkPasses(p, kCheckHeight, 16.1f, 400.0f), 1);
    EXPECT_EQ(checkPasses(p, kCheckWidth, 11.2f, 350.0f), 0);
    EXPECT_EQ(checkPasses(p, kCheckWidth, 11.3f, 350.0f), 1);
    EXPECT_EQ(checkPasses(p, kCheckHeight, 14.0f, 350.0f), 0);
    EXPECT_EQ(checkPasses(p, kCheckHeight, 0.0f, 0.0f), 1); // no span stored: nothing to fail
    EXPECT_EQ(checkPasses(p, kCheckHeight, std::numeric_limits<float>::quiet_NaN(), 400.0f), 0);
    EXPECT_EQ(checkPasses(p, kCheckHeight, 16.1f, std::numeric_limits<float>::infinity()), 0);
}

TEST(Inspection, ExactProductAgreesWithTheExtendedOne)
{
    // The fallback of platforms without an 80-bit long double must give the
    // same outcome, including for the floats nearest the product.
    if (std::numeric_limits<long double>::digits != 64)
        GTEST_SKIP() << "no 80-bit long double to compare with";
    std::mt19937 random(12345);
    std::uniform_real_distribution<float> spans(1.0f, 2000.0f);
    int differing = 0;
    for (int i = 0; i < 200000; ++i) {
        const float s = i < 1000 ? 300.0f + 0.1f * static_cast<float>(i) : spans(random);
        for (double c : {0.032, 0.04}) {
            const float near = static_cast<float>(c * s);
            for (float w : {std::nextafter(near, 0.0f), near, std::nextafter(near, 1e9f)})
                differing += detail::atLeastExactProduct(w, c, s) != detail::atLeastLongDoubleProduct(w, c, s);
        }
    }
    EXPECT_EQ(differing, 0);
    // The double product is the one that differs.
    EXPECT_TRUE(16.0 >= 0.04 * static_cast<double>(400.0f));
}

TEST(Inspection, GliderVerdictNeedsAllSixChecks)
{
    Glider ok = measured(3500, 400.0f, 12.8f, 16.1f);
    EXPECT_TRUE(verdictOf(ok).valid());
    Glider noCanopy = ok;
    noCanopy.canopy = 0;
    EXPECT_FALSE(verdictOf(noCanopy).valid());
    EXPECT_FALSE(verdictOf(noCanopy).checks[kCheckCanopy - 1]);
    Glider noClearance = ok;
    noClearance.groundClearance = 0;
    EXPECT_FALSE(verdictOf(noClearance).checks[kCheckGroundClearance - 1]);
    Glider low = measured(3500, 400.0f, 12.8f, 16.0f);
    EXPECT_FALSE(verdictOf(low).valid());
    EXPECT_TRUE(verdictOf(low).checks[kCheckWidth - 1]);
    EXPECT_FALSE(verdictOf(low).checks[kCheckHeight - 1]);
    // No span stored: width and height pass, the span fails.
    Glider noSpan = measured(3500, 0.0f, 1.0f, 1.0f);
    EXPECT_TRUE(verdictOf(noSpan).checks[kCheckWidth - 1]);
    EXPECT_FALSE(verdictOf(noSpan).checks[kCheckSpan - 1]);

    EXPECT_EQ(buttonState(Glider{}), 0);
    ok.valid = 1;
    EXPECT_EQ(buttonState(ok), 2);
    EXPECT_EQ(buttonState(low), 1);
}

TEST(Inspection, RecordsOfPilots)
{
    Inspection ins;
    EXPECT_EQ(createPilot(ins, 0, ""), NewPilotStatus::BadNumber);
    EXPECT_EQ(createPilot(ins, 100, ""), NewPilotStatus::BadNumber);
    ASSERT_EQ(createPilot(ins, 12, "Jean-Fran\xE7ois de la Montagne Noire"), NewPilotStatus::Created);
    EXPECT_EQ(createPilot(ins, 12, ""), NewPilotStatus::Exists);
    ASSERT_EQ(createPilot(ins, 3, ""), NewPilotStatus::Created);
    EXPECT_EQ(ins.highestNumber, 12);
    ASSERT_EQ(ins.gliders.size(), 4u);
    Glider* g2 = ins.findGlider(12, 2);
    ASSERT_NE(g2, nullptr);
    EXPECT_EQ(g2->glider, 2);
    EXPECT_EQ(g2->pilotName.raw().size(), 29u);
    EXPECT_EQ(g2->filled, 0);

    int alerts = 0;
    ins.setAlertHandler([&](int n) { alerts += n == kInspectionMessageOutOfMemory; });
    ins.failNextAllocationForTest();
    EXPECT_EQ(createPilot(ins, 5, ""), NewPilotStatus::OutOfMemory);
    EXPECT_EQ(alerts, 1);
    EXPECT_EQ(ins.findGlider(5, 1), nullptr);
    EXPECT_EQ(ins.gliders.size(), 4u);

    deletePilot(ins, 12);
    EXPECT_EQ(ins.gliders.size(), 2u);
    EXPECT_EQ(ins.findGlider(12, 1), nullptr);
    ins.removeGlider(ins.findGlider(3, 2));
    ins.removeGlider(nullptr);
    ASSERT_EQ(ins.gliders.size(), 1u);
    Glider* last = ins.newGlider();
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(&ins.gliders.back(), last); // appended at the tail
}

TEST(InspectionFile, BytesOfTheFileAndRoundTrip)
{
    FileBytes file;
    file.i32(51245);
    record(file, 7, 1, "ASW 28", 3500, 400.0f, 12.8f, 16.1f, 1, 1);
    record(file, 7, 2, "Ka 6", 0, 0.0f, 0.0f, 0.0f, 0, 0);
    record(file, 2, 1, "Discus \xE9t\xE9", 1000, 349.9f, 11.0f, 14.0f, 0, 1);
    record(file, 2, 2, "", 0, 0.0f, 0.0f, 0.0f, 0, 0);
    ASSERT_EQ(file.size(), 4u + 4 * 140);

    Inspection ins;
    InspectionLoadOutcome loaded = loadInspection(ins, spanOf(file.str()));
    ASSERT_EQ(loaded.status, InspectionLoadStatus::Loaded);
    EXPECT_EQ(loaded.records, 4);
    EXPECT_FALSE(loaded.truncated);
    ASSERT_EQ(ins.gliders.size(), 4u);
    EXPECT_EQ(ins.gliders.front().model.raw(), "ASW 28");
    EXPECT_EQ(ins.gliders.front().span, 400.0f);
    EXPECT_EQ(ins.gliders.front().canopy, 1);
    EXPECT_EQ(ins.findGlider(2, 1)->model.utf8(), "Discus été");
    EXPECT_EQ(ins.highestNumber, 7);
    EXPECT_EQ(ins.currentPilot, 2);
    EXPECT_EQ(bytesOf(ins), file.str());

    // Link fields of another writer mean nothing and are written as zero;
    // reserved bytes are kept.
    FileBytes linked;
    linked.i32(51245);
    record(linked, 9, 1, "X", 2000, 360.0f, 20.0f, 20.0f, 1, 1, 0xDEADBEEF);
    std::string withReserved = linked.str();
    withReserved[4 + 104] = 'r';
    Inspection other;
    ASSERT_EQ(loadInspection(other, spanOf(withReserved)).records, 1);
    std::string expected = withReserved;
    for (int i = 0; i < 4; ++i)
        expected[4 + 8 + static_cast<size_t>(i)] = 0;
    EXPECT_EQ(bytesOf(other), expected);

    Inspection empty;
    EXPECT_EQ(loadInspection(empty, spanOf(std::string("\x2D\xC8\0\0", 4))).records, 0);
    EXPECT_EQ(bytesOf(empty), std::string("\x2D\xC8\0\0", 4));
}

TEST(InspectionFile, HostileBytesNeverCrash)
{
    int refused = 0;
    auto load = [&](const std::string& bytes) {
        Inspection ins;
        ins.isOpen = true;
        ins.setAlertHandler([&](int n) { refused += n == kInspectionMessageIncompatible; });
        InspectionLoadOutcome o = loadInspection(ins, spanOf(bytes));
        EXPECT_EQ(ins.isOpen, o.status != InspectionLoadStatus::Incompatible);
        return o;
    };
    EXPECT_EQ(load("").status, InspectionLoadStatus::Incompatible);
    EXPECT_EQ(load("\x2D\xC8").status, InspectionLoadStatus::Incompatible);
    EXPECT_EQ(load(std::string("\x5D\x3D\x01\0", 4)).status, InspectionLoadStatus::Incompatible); // a contest file
    EXPECT_EQ(refused, 3);

    FileBytes f;
    f.i32(51245);
    record(f, 1, 1, "A", 2000, 400, 13, 17, 1, 1);
    record(f, 0, 1, "end", 0, 0, 0, 0, 0, 0);
    record(f, 2, 1, "after the end", 0, 0, 0, 0, 0, 0);
    InspectionLoadOutcome stopped = load(f.str());
    EXPECT_EQ(stopped.records, 1);

    std::string cut = f.str().substr(0, 4 + 140 + 70);
    InspectionLoadOutcome truncated = load(cut);
    EXPECT_EQ(truncated.records, 1);
    EXPECT_TRUE(truncated.truncated);

    // Odd numbers, NaN measures, unterminated texts, then random bytes.
    FileBytes odd;
    odd.i32(51245);
    record(odd, -5, 9, std::string(32, 'M'), -1, std::numeric_limits<float>::quiet_NaN(), -1e38f, 1e38f, 7, 7);
    record(odd, 2000000000, 1, "", 0, 0, 0, 0, 0, 0);
    Inspection ins;
    ASSERT_EQ(loadInspection(ins, spanOf(odd.str())).records, 2);
    EXPECT_EQ(ins.highestNumber, 0); // only numbers 1..99 raise it
    EXPECT_EQ(ins.gliders.front().model.raw().size(), 32u);
    EXPECT_EQ(bytesOf(ins), odd.str());
    EXPECT_FALSE(verdictOf(ins.gliders.front()).valid());

    std::mt19937 random(7);
    for (int i = 0; i < 2000; ++i) {
        std::string bytes = f.str();
        bytes.resize(random() % 700);
        for (char& b : bytes)
            if (random() % 8 == 0)
                b = static_cast<char>(random());
        if (bytes.size() >= 4 && random() % 2)
            bytes.replace(0, 4, std::string("\x2D\xC8\0\0", 4));
        Inspection any;
        loadInspection(any, spanOf(bytes));
        for (const Glider& p : any.gliders)
            (void)verdictOf(p);
        EXPECT_LE(any.gliders.size(), bytes.size() / 140);
    }
}

TEST(InspectionFile, SaveIsAtomicAndOnlyWhenOpen)
{
    fixtures::TempDir dir;
    Inspection ins;
    ins.filePath = dir.file("c.ctr");
    ASSERT_EQ(createPilot(ins, 4, "Marie"), NewPilotStatus::Created);
    EXPECT_EQ(MajFichier(ins).status, InspectionSaveStatus::NotOpen);
    EXPECT_FALSE(std::filesystem::exists(ins.filePath));
    ins.isOpen = true;
    ASSERT_TRUE(MajFichier(ins).ok());
    EXPECT_EQ(fixtures::readFile(ins.filePath), bytesOf(ins));
    EXPECT_EQ(std::filesystem::file_size(ins.filePath), 4u + 2 * 140);

    Inspection back;
    back.filePath = ins.filePath;
    back.isOpen = true;
    ASSERT_EQ(RepriseFic(back).status, InspectionLoadStatus::Loaded);
    EXPECT_EQ(back.gliders, ins.gliders);
    EXPECT_TRUE(back.isOpen);

    Inspection missing;
    missing.filePath = dir.file("absent.ctr");
    missing.isOpen = true;
    EXPECT_EQ(RepriseFic(missing).status, InspectionLoadStatus::Incompatible);
    EXPECT_FALSE(std::filesystem::exists(missing.filePath)); // loading never creates a file

    // A read-only file is left as it is until it is made writable.
    std::filesystem::permissions(ins.filePath, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    deletePilot(ins, 4);
    EXPECT_EQ(MajFichier(ins).status, InspectionSaveStatus::Failed);
    EXPECT_EQ(std::filesystem::file_size(ins.filePath), 4u + 2 * 140);
    ASSERT_TRUE(makeWritable(ins.filePath));
    ASSERT_TRUE(MajFichier(ins).ok());
    EXPECT_EQ(std::filesystem::file_size(ins.filePath), 4u);
}

TEST(InspectionCli, PrintsEveryGliderWithItsChecks)
{
    fixtures::TempDir dir;
    FileBytes file;
    file.i32(51245);
    record(file, 7, 1, "ASW 28", 3500, 400.0f, 12.8f, 16.0f, 0, 1);
    record(file, 7, 2, "Ka 6", 0, 0.0f, 0.0f, 0.0f, 0, 0);
    record(file, 2, 1, "Discus", 3000, 400.0f, 12.8f, 16.1f, 1, 1);
    record(file, 2, 2, "", 0, 0.0f, 0.0f, 0.0f, 0, 0);
    fixtures::writeFile(dir.file("c.ctr"), file.str());

    std::ostringstream out, err;
    ASSERT_EQ(cli::runR7t({"inspection", dir.file("c.ctr")}, out, err), 0) << err.str();
    EXPECT_EQ(out.str(),
              "Pilote N° 02\tDupré\n"
              "Planeur 1\tDiscus\tF-CABC\n"
              "\tMasse en vol ( g )\t3000\tValide\n"
              "\tEnvergure totale ( cm )\t400\tValide\n"
              "\tLargeur maître-couple ( cm )\t12.8\tValide\n"
              "\tHauteur maître-couple ( cm )\t16.1\tValide\n"
              "\tGarde au sol > 1 cm\t\tValide\n"
              "\tVerrière transparente\t\tValide\n"
              "\tPlaneur réglementaire\n"
              "Planeur 2\tPas de planeur 2\n"
              "Pilote N° 07\tDupré\n"
              "Planeur 1\tASW 28\tF-CABC\n"
              "\tMasse en vol ( g )\t3500\tValide\n"
              "\tEnvergure totale ( cm )\t400\tValide\n"
              "\tLargeur maître-couple ( cm )\t12.8\tValide\n"
              "\tHauteur maître-couple ( cm )\t16.0\tInvalide\n"
              "\tGarde au sol > 1 cm\t\tValide\n"
              "\tVerrière transparente\t\tValide\n"
              "\tPlaneur non valide\n"
              "Planeur 2\tPas de planeur 2\n");
    EXPECT_EQ(fixtures::readFile(dir.file("c.ctr")), file.str());

    fixtures::writeFile(dir.file("bad.ctr"), "R7T!");
    std::ostringstream out2, err2;
    EXPECT_EQ(cli::runR7t({"inspection", dir.file("bad.ctr")}, out2, err2), 1);
    EXPECT_NE(err2.str().find("Le fichier choisi est incompatible !"), std::string::npos);
    std::ostringstream outAbsent, errAbsent;
    EXPECT_EQ(cli::runR7t({"inspection", dir.file("absent.ctr")}, outAbsent, errAbsent), 1);
    EXPECT_EQ(errAbsent.str(), "r7t inspection: " + dir.file("absent.ctr") +
                                   ": Le fichier choisi est incompatible ! (fichier introuvable)\n");
    // Measures no inspection would type still print.
    FileBytes odd;
    odd.i32(51245);
    record(odd, 5, 1, "", 0, std::numeric_limits<float>::quiet_NaN(), -1e38f, 3.4e38f, 1, 1);
    fixtures::writeFile(dir.file("odd.ctr"), odd.str());
    std::ostringstream outOdd, errOdd;
    ASSERT_EQ(cli::runR7t({"inspection", dir.file("odd.ctr")}, outOdd, errOdd), 0);
    EXPECT_NE(outOdd.str().find("\tMasse en vol ( g )\t?????\tInvalide\n"), std::string::npos);
    EXPECT_NE(outOdd.str().find("\tEnvergure totale ( cm )\tnan\tInvalide\n"), std::string::npos);
    EXPECT_NE(outOdd.str().find("Planeur 2\tPas de planeur 2\n"), std::string::npos);

    std::ostringstream out3, err3;
    EXPECT_EQ(cli::runR7t({"inspection", dir.file("absent.ctr"), "--password", "x"}, out3, err3), 2);
}
