// Shared by every test executable: nothing yet beyond linking gtest_main.
