#include "tests/win/ChildProcess.h"

namespace talmoran::test {

std::wstring BesideThisExe(const std::wstring& name)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    return folder + name;
}

std::string RunAndCapture(const std::wstring& commandLine, DWORD* exitCode)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    std::wstring mutableLine = commandLine;
    const BOOL started =
        CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(writeEnd);
    std::string output;
    if (started) {
        // A child that hangs fails the test instead of hanging the run.
        if (WaitForSingleObject(process.hProcess, 60000) == WAIT_TIMEOUT) {
            TerminateProcess(process.hProcess, 259);
            output = "(timed out) ";
        }
        // Only what is there: a helper process the child started may hold
        // the pipe open, so waiting for its end could wait forever.
        char buffer[4096];
        DWORD available = 0;
        DWORD got = 0;
        while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
               ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
            output.append(buffer, got);
        }
        if (exitCode != nullptr) {
            GetExitCodeProcess(process.hProcess, exitCode);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(readEnd);
    return output;
}

} // namespace talmoran::test
