// Starts a Windows program with the lowest 4 GB of its address space taken,
// so that every block it is given lies above 4 GB, as on a 64-bit Windows
// that randomises a program's addresses: an address cut to 32 bits then
// crashes every time, not on some machines only. Wine 8 places a program's
// memory below 4 GB, Wine 10 above: with this the Windows tests see high
// addresses under either.
//   high_addresses.exe PROGRAM.exe   -> the program's exit status
// The program is created suspended, before its own start-up code runs; the
// free regions below 4 GB are reserved in it (address space only, no
// memory), and it is let go.
#include <stdio.h>
#include <windows.h>

static unsigned long long reserve_low(HANDLE process) {
    const unsigned long long four_gb = 1ULL << 32;
    unsigned long long at = 0x10000, taken = 0;
    MEMORY_BASIC_INFORMATION region;
    while (at < four_gb && VirtualQueryEx(process, (void*)(uintptr_t)at, &region, sizeof region)) {
        unsigned long long end = (uintptr_t)region.BaseAddress + region.RegionSize;
        unsigned long long from = (at + 0xFFFF) & ~0xFFFFULL;  // reservations start on the 64 KiB grain
        if (end > four_gb) end = four_gb;
        if (region.State == MEM_FREE && from < end &&
            VirtualAllocEx(process, (void*)(uintptr_t)from, end - from, MEM_RESERVE, PAGE_NOACCESS))
            taken += end - from;
        at = end;
    }
    return taken;
}

int main(int argc, char** argv) {
    STARTUPINFOA start = {.cb = sizeof start};
    PROCESS_INFORMATION child;
    if (argc != 2 || !CreateProcessA(argv[1], NULL, NULL, NULL, FALSE, CREATE_SUSPENDED, NULL, NULL, &start, &child)) {
        fprintf(stderr, "usage: high_addresses PROGRAM.exe (cannot start it: error %lu)\n", GetLastError());
        return 2;
    }
    unsigned long long taken = reserve_low(child.hProcess);
    fprintf(stderr, "high_addresses: %llu MiB below 4 GB reserved in %s\n", taken >> 20, argv[1]);
    if (taken == 0) {  // nothing gained: the run would prove nothing
        TerminateProcess(child.hProcess, 2);
        return 2;
    }
    ResumeThread(child.hThread);
    WaitForSingleObject(child.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(child.hProcess, &status);
    return (int)status;
}
