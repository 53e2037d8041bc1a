// quenta10-script: runs a session script against the program's logic on the
// headless window layer and prints what the user would see.
#include "Runner.h"

int main(int argc, char** argv) { return script::runMain(argc, argv); }
