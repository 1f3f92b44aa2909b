// Entry point of the soak and fault test programs: GoogleTest, the file-holding child or the
// child killed while saving.
#include "dying_saver.h"
#include "holder_process.h"

#include <gtest/gtest.h>

#include <cstring>

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--hold") == 0) return soak::RunHolder(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--die-saving") == 0)
        return soak::RunDyingSave(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
