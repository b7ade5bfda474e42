// Fills the global atom table, which window class names are kept in, so that
// a test can see a window class that cannot be registered: adds atoms until
// the system refuses one, gives back the last `spare` of them, prints
// "ready <held>" and holds the rest until the file <stop> exists. Global
// atoms outlive their process, so it deletes them itself.
//   atom_hog.exe <spare> <stop>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv)
{
    const auto spare = static_cast<std::size_t>(argc > 1 ? _wtoi(argv[1]) : 0);
    std::vector<ATOM> held;
    for (ATOM atom = 0; held.size() < 70000;) {
        const std::wstring name = L"talmoran-test-atom-" + std::to_wstring(held.size());
        if ((atom = GlobalAddAtomW(name.c_str())) == 0) {
            break;
        }
        held.push_back(atom);
    }
    for (std::size_t i = 0; i < spare && !held.empty(); ++i) {
        GlobalDeleteAtom(held.back());
        held.pop_back();
    }
    std::printf("ready %zu\n", held.size());
    std::fflush(stdout);
    while (argc > 2 && GetFileAttributesW(argv[2]) == INVALID_FILE_ATTRIBUTES) {
        Sleep(20);
    }
    for (ATOM atom : held) {
        GlobalDeleteAtom(atom);
    }
    return 0;
}
