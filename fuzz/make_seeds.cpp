// Writes starting inputs for the contest-file fuzzer: without a valid tag and
// header it would never reach the record blocks.
#include "contest/contest_file.h"
#include "support/contest_builder.h"

#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const std::string dir = argv[1];
    int index = 0;
    for (r7t::fixtures::ContestShape shape : {r7t::fixtures::ContestShape{0, 0, 0, 0},
                                             r7t::fixtures::ContestShape{7, 2, 1, 3},
                                             r7t::fixtures::ContestShape{13, 3, 3, 2}}) {
        r7t::Contest contest;
        r7t::fixtures::buildContest(contest, shape);
        auto bytes = r7t::serializeContest(contest);
        std::ofstream(dir + "/seed" + std::to_string(index++) + ".r7s", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    return 0;
}
