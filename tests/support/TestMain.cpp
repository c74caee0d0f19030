#include "tests/support/TestFolders.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    morva::test::PrepareTestFolders();
    return RUN_ALL_TESTS();
}
