// The shipped .asi under a Windows loader: threads that start and end in the
// game send the DLL notifications it must answer without a call.
#include "../behaviour/plugin_test.h"

#include <windows.h>

using Lifecycle = PluginTest;

TEST_F(Lifecycle, ThreadsStartingAndEndingCallNothing) {
    load();
    world->clearCalls();
    // Each thread sends the DLL a thread attach and a thread detach.
    for (int i = 0; i < 3; ++i) {
        HANDLE thread = CreateThread(
            nullptr, 0, [](LPVOID) -> DWORD { return 0; }, nullptr, 0, nullptr);
        ASSERT_NE(thread, nullptr);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    EXPECT_TRUE(world->calls().empty());
    EXPECT_EQ(world->registrations(), 1);
    EXPECT_EQ(world->unregistrations(), 0);
}
