#include "../testfolder.h"
#include "xvfbserver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

// Every run gets its own X server, so the tests can press keys and take
// global grabs without touching the developer's desktop.
int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();

    jw::test::XvfbServer server;
    std::string error;
    if (!server.start(error)) {
        std::fprintf(stderr, "hotkeys_x11_tests: %s\n", error.c_str());
        return 1;
    }
    jw::test::setEnvironment("DISPLAY", server.display());
    jw::test::setEnvironment("QT_QPA_PLATFORM", "xcb");

    jw::test::installTestFolders();
    const int status = RUN_ALL_TESTS();
    server.stop();
    return status;
}
