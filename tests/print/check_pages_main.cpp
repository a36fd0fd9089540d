// r7t_check_pages FOLDER [a4|letter]: prints every document of the longest
// contest and the inspection sheet to PDF files in FOLDER, reads each text
// box back with pdftotext -bbox and reports the boxes that overlap, leave
// the printable area or pass the right end of the rules. Exit 0 when every
// page passes, 1 when a fault was found, 2 when the check cannot run.
#include "page_check.h"

#include "text/text.h"

#include <cstdio>
#include <filesystem>
#include <string>

using namespace r7t;
using namespace r7t::page_check;

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s FOLDER [a4|letter]\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    std::vector<PdfPaper> papers{PdfPaper::A4, PdfPaper::Letter};
    if (argc == 3) {
        const std::string paper = argv[2];
        if (paper == "a4")
            papers = {PdfPaper::A4};
        else if (paper == "letter")
            papers = {PdfPaper::Letter};
        else {
            std::fprintf(stderr, "paper: a4 or letter\n");
            return 2;
        }
    }
    if (!pdftotextAvailable()) {
        std::fprintf(stderr, "pdftotext (poppler-utils) is needed: scripts/setup installs it\n");
        return 2;
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);

    const PrintApplication application;
    int failed = 0;
    for (PdfPaper paper : papers)
        for (const DocumentCheck& check : checkEveryDocument(folder, paper)) {
            std::printf("%-6s %-20s %4d pages  %s\n", paperName(paper), check.name.c_str(), check.pages,
                        check.faults.empty() ? "ok" : stringPrintf("%zu faults", check.faults.size()).c_str());
            constexpr size_t kShown = 12;
            for (size_t i = 0; i < check.faults.size() && i < kShown; ++i)
                std::printf("    %s\n", check.faults[i].c_str());
            if (check.faults.size() > kShown)
                std::printf("    ... and %zu more\n", check.faults.size() - kShown);
            failed += !check.faults.empty();
        }
    std::printf("%s: the PDF files are in %s\n", failed ? "FAILED" : "passed", folder.c_str());
    return failed ? 1 : 0;
}
