#include "testfolder.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    jw::test::installTestFolders();
    return RUN_ALL_TESTS();
}
