// Checks that the sanitizer build reports leaks: a test that leaks must fail the run.
//
//   leak_probe           loses the only pointer to a block and exits normally
//   leak_probe --free    frees it (checks that the probe itself runs and passes)
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    const bool release = argc > 1 && std::strcmp(argv[1], "--free") == 0;
    // Volatile, so that the compiler can neither drop the allocation nor keep the pointer.
    int* volatile block = new int[64];
    block[0] = 1;
    if (release) delete[] block;
    block = nullptr;
    std::puts(release ? "leak_probe: freed" : "leak_probe: leaked 256 bytes");
    return 0;
}
