// Prints what the shell makes of the Explorer policy values, from a fresh
// process (Wine's shell caches them per process):
//   NoDrives=<n> NoViewOnDrive=<n>
#include <windows.h>
#include <shlobj.h>

#include <cstdio>

int wmain()
{
    wprintf(L"NoDrives=%lu NoViewOnDrive=%lu\n", SHRestricted(REST_NODRIVES), SHRestricted(REST_NOVIEWONDRIVE));
    return 0;
}
