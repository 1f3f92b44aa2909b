// Entry point of the soak and fault test programs: GoogleTest, or the file-holding child.
#include "holder_process.h"

#include <gtest/gtest.h>

#include <cstring>

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--hold") == 0) return soak::RunHolder(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
