#include <windows.h>

#include <gtest/gtest.h>

// GoogleTest's flags apply (--gtest_filter=Suite.Name and the like).
int main(int argc, char** argv) {
  // A crash must end the run, not wait for someone to close a dialog.
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
