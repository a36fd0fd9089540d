#include "inspection/ctr_file.h"
#include "inspection/glider_entry.h"
#include "inspection/opening.h"
#include "support/lock_holder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace r7t;

namespace {

GliderForm form(const char* mass, const char* span, const char* width, const char* height, bool boxes = true)
{
    GliderForm f;
    f.mass = mass;
    f.span = span;
    f.width = width;
    f.height = height;
    f.groundClearance = boxes;
    f.canopy = boxes;
    return f;
}

bool light(const GliderForm& f, int check) { return lightsOf(f).checks[static_cast<size_t>(check - 1)]; }

} // namespace

// Each check at its boundary, judged on the value the record will keep.
TEST(GliderEntry, LightsAtEachBoundaryJudgeWhatIsStored)
{
    EXPECT_FALSE(light(form("1000", "", "", ""), kCheckMass));
    EXPECT_TRUE(light(form("1001", "", "", ""), kCheckMass));
    EXPECT_TRUE(light(form("5000", "", "", ""), kCheckMass));
    EXPECT_FALSE(light(form("5001", "", "", ""), kCheckMass));
    // The record keeps 1000 of 1000.5: the light must not promise more.
    EXPECT_FALSE(light(form("1000.5", "", "", ""), kCheckMass));

    EXPECT_TRUE(light(form("", "350", "", ""), kCheckSpan));
    EXPECT_FALSE(light(form("", "349.9", "", ""), kCheckSpan));
    EXPECT_TRUE(light(form("", "400", "12.8", "16.1"), kCheckWidth));
    EXPECT_TRUE(light(form("", "400", "12.8", "16.1"), kCheckHeight));
    EXPECT_FALSE(light(form("", "400", "12.7", "16"), kCheckWidth));
    EXPECT_FALSE(light(form("", "400", "12.7", "16"), kCheckHeight));
    EXPECT_FALSE(light(form("", "350", "11.2", ""), kCheckWidth));
    // A decimal comma is the point a French hand writes.
    EXPECT_TRUE(light(form("", "400", "12,8", "16,1"), kCheckWidth));
    EXPECT_EQ(readMeasure("16,1"), 16.1f);

    // No span typed: 100 cm is the width's and height's reference.
    EXPECT_TRUE(light(form("", "", "3.3", "4.1"), kCheckWidth));
    EXPECT_TRUE(light(form("", "", "3.3", "4.1"), kCheckHeight));
    EXPECT_FALSE(light(form("", "", "3.1", "3.9"), kCheckWidth));
    EXPECT_FALSE(light(form("", "", "3.1", "3.9"), kCheckHeight));

    // Only the first seven characters are read.
    EXPECT_EQ(readMeasure("1234.5678"), 1234.56f);
    EXPECT_FALSE(lightsOf(form("3000", "400", "13", "17", false)).allPass());
    EXPECT_TRUE(lightsOf(form("3000", "400", "13", "17")).allPass());
}

TEST(GliderEntry, StoredFormComesBackAsTypedAndAbsentKeepsMeasures)
{
    Glider g;
    GliderForm typed = form("2500.7", "412.35", "13.2", "16.5");
    typed.model = std::string(40, 'M');
    typed.registration = "F-ABCDEFGHIJ";
    storeForm(g, typed);
    EXPECT_EQ(g.mass, 2500);
    EXPECT_EQ(g.span, 412.35f);
    EXPECT_EQ(g.model.raw().size(), 29u);
    EXPECT_EQ(g.registration.raw(), "F-ABCDEFG");
    EXPECT_EQ(g.filled, 1);
    EXPECT_EQ(g.valid, 1);
    EXPECT_EQ(verdictOf(g).valid(), true);

    // Shown again and saved again, nothing moves: 412.35 is not rounded away.
    const GliderForm shown = formOf(g);
    EXPECT_EQ(shown.span, "412.35");
    EXPECT_EQ(shown.width, "13.2");
    Glider again = g;
    storeForm(again, shown);
    EXPECT_EQ(again, g);

    declareAbsent(g);
    EXPECT_EQ(g.filled, 0);
    EXPECT_EQ(g.valid, 0);
    EXPECT_EQ(g.mass, 2500);
    EXPECT_EQ(formOf(g).mass, "");

    // A stored span of 0 is shown empty.
    storeForm(g, form("2000", "", "1", "1"));
    EXPECT_EQ(formOf(g).span, "");
    EXPECT_EQ(g.valid, 0);

    EXPECT_EQ(sheetRange("5", "3").last, 5);
    EXPECT_EQ(sheetRange("12", "4567").last, 456);
}

// A new file is written by nothing but the first change; an existing one is
// read; a foreign one is refused; a file another program holds is not even read.
TEST(InspectionOpening, NewExistingForeignAndLockedFiles)
{
    fixtures::TempDir dir;
    const std::string path = dir.file("R7T_06_12_26.ctr");
    {
        Inspection fresh;
        ASSERT_EQ(startNewInspection(fresh, path), InspectionOpenStatus::Opened);
        EXPECT_TRUE(fresh.isOpen);
        EXPECT_FALSE(std::filesystem::exists(path));
        ASSERT_EQ(createPilot(fresh, 7, "Dupont"), NewPilotStatus::Created);
        ASSERT_TRUE(MajFichier(fresh).ok());
    }
    {
        fixtures::LockInChild other(path, LockHolder::Program);
        ASSERT_TRUE(other.held());
        Inspection refused;
        LockHolder holder = LockHolder::Command;
        EXPECT_EQ(openInspectionFile(refused, path, &holder), InspectionOpenStatus::Locked);
        EXPECT_EQ(holder, LockHolder::Program);
        EXPECT_FALSE(refused.isOpen);
        EXPECT_TRUE(refused.gliders.empty());
        EXPECT_EQ(startNewInspection(refused, path), InspectionOpenStatus::Locked);
    }
    Inspection resumed;
    ASSERT_EQ(openInspectionFile(resumed, path), InspectionOpenStatus::Opened);
    EXPECT_EQ(resumed.gliders.size(), 2u);
    EXPECT_EQ(fixtures::stateSeenByAnotherProcess(path), FileLock::State::Busy);

    const std::string foreign = dir.file("autre.ctr");
    std::ofstream(foreign) << "pas un contrôle";
    Inspection wrong;
    int alert = 0;
    wrong.setAlertHandler([&](int n) { alert = n; });
    EXPECT_EQ(openInspectionFile(wrong, foreign), InspectionOpenStatus::Incompatible);
    EXPECT_EQ(alert, kInspectionMessageIncompatible);
    EXPECT_FALSE(wrong.isOpen);
    EXPECT_TRUE(wrong.filePath.empty());
}
