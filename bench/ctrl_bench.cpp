// The inspection program on a full inspection, offscreen: 99 pilots with
// both gliders filled. The start, from the file to the main window shown;
// "Enregistrer" in the glider dialog with its atomic write of the file; the
// sheets of all 99 pilots to a PDF file.
#include "inspection/ctr_file.h"
#include "inspection/glider_entry.h"
#include "inspection/opening.h"
#include "inspection/ui/glider_dialog.h"
#include "inspection/ui/inspection_common.h"
#include "inspection/ui/inspection_window.h"
#include "print/inspection_sheet.h"
#include "print/ui/pdf_device.h"
#include "support/temp_dir.h"
#include "widgets/drawing_resources.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>

using namespace r7t;
using namespace r7t::ui;

namespace {

void fillAll(Inspection& inspection)
{
    for (int n = 1; n <= 99; ++n) {
        createPilot(inspection, n, "Pilote");
        for (int g = 1; g <= 2; ++g) {
            GliderForm f;
            f.model = "Fox Mini";
            f.registration = "F-1234";
            f.mass = n % 7 == 0 ? "5200" : "3450";
            f.span = "400";
            f.width = "12.8";
            f.height = "16.1";
            f.groundClearance = f.canopy = true;
            storeForm(*inspection.findGlider(n, g), f);
        }
    }
}

struct FullFile {
    fixtures::TempDir dir;
    std::string path = dir.file("R7T_06_12_26.ctr");
    FullFile()
    {
        Inspection inspection;
        startNewInspection(inspection, path);
        fillAll(inspection);
        MajFichier(inspection);
    }
};

void BM_StartToMainWindow(benchmark::State& state)
{
    FullFile file;
    for (auto _ : state) {
        Inspection inspection;
        openInspectionFile(inspection, file.path);
        InspectionWindow window(inspection);
        window.startInspection();
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            state.SkipWithError("the window was not shown");
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.board());
    }
}
BENCHMARK(BM_StartToMainWindow)->Unit(benchmark::kMillisecond);

void BM_EnregistrerWithItsWrite(benchmark::State& state)
{
    FullFile file;
    Inspection inspection;
    openInspectionFile(inspection, file.path);
    for (auto _ : state) {
        state.PauseTiming();
        auto dialog = std::make_unique<GliderDialog>(inspection, *inspection.findGlider(50, 2), PrintRunner{});
        state.ResumeTiming();
        dialog->save();
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EnregistrerWithItsWrite)->Unit(benchmark::kMillisecond);

// The write alone (two fsyncs and a rename), to tell the disk's share of
// "Enregistrer" from the program's.
void BM_AtomicWriteAlone(benchmark::State& state)
{
    FullFile file;
    Inspection inspection;
    openInspectionFile(inspection, file.path);
    for (auto _ : state)
        if (!MajFichier(inspection).ok())
            state.SkipWithError("not written");
}
BENCHMARK(BM_AtomicWriteAlone)->Unit(benchmark::kMillisecond);

void BM_NinetyNineSheetsToPdf(benchmark::State& state)
{
    Inspection inspection;
    fillAll(inspection);
    fixtures::TempDir dir;
    const std::string path = dir.file("fiches.pdf");
    const PrintApplication application;
    for (auto _ : state) {
        std::unique_ptr<PrintDevice> device = makePdfDevice(path);
        PrintEngine engine(*device);
        if (ImprPlaneur(inspection, engine, 1, 99) != PrintOutcome::Printed)
            state.SkipWithError("nothing printed");
    }
}
BENCHMARK(BM_NinetyNineSheetsToPdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    initInspectionResources(screenScale());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
