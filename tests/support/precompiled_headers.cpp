// The program that compiles the test programs' precompiled headers (tests/CMakeLists.txt): it holds nothing of
// its own, so that its flags are a test program's and nothing else.
int main() { return 0; }
