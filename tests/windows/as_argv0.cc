// as_argv0 NAME PROGRAM [ARGUMENT...]
//
// Runs PROGRAM with NAME as its argument 0 and the ARGUMENTs after it, waits
// for it and ends with its exit status.  Windows programs learn argument 0
// from their command line, which Wine's launcher always fills with the full
// path of the program (Z:\...\bondscope.exe); the end-to-end tests need the
// program to see exactly the name a user would type, as on Linux.
//
// The child inherits the standard streams unchanged, so its output reaches
// the same files and pipes, byte for byte.
#include <windows.h>

#include <string>

namespace {

// Argument 0 is split off the command line by a simpler rule than the
// others: a quoted one ends at the next quote, with no escapes.
std::wstring quote_argument0(const std::wstring& name) {
  if (!name.empty() && name.find_first_of(L" \t") == std::wstring::npos) {
    return name;
  }
  return L"\"" + name + L"\"";
}

// The C runtime's rules for the other arguments: inside quotes, backslashes
// are literal unless they precede a quote, where each pair is one backslash
// and an odd one escapes the quote.
std::wstring quote_argument(const std::wstring& argument) {
  if (!argument.empty() &&
      argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    return argument;
  }
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    if (c == L'"') {
      quoted.append(2 * backslashes + 1, L'\\');
    } else {
      quoted.append(backslashes, L'\\');
    }
    backslashes = 0;
    quoted.push_back(c);
  }
  quoted.append(2 * backslashes, L'\\');
  quoted.push_back(L'"');
  return quoted;
}

HANDLE inheritable(DWORD which) {
  HANDLE original = GetStdHandle(which);
  HANDLE copy = nullptr;
  if (original == nullptr || original == INVALID_HANDLE_VALUE ||
      !DuplicateHandle(GetCurrentProcess(), original, GetCurrentProcess(),
                       &copy, 0, TRUE, DUPLICATE_SAME_ACCESS)) {
    return original;
  }
  return copy;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    const char usage[] = "usage: as_argv0 NAME PROGRAM [ARGUMENT...]\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), usage, sizeof usage - 1, &written,
              nullptr);
    return 125;
  }
  std::wstring command_line = quote_argument0(argv[1]);
  for (int i = 3; i < argc; ++i) {
    command_line += L' ';
    command_line += quote_argument(argv[i]);
  }

  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = inheritable(STD_INPUT_HANDLE);
  startup.hStdOutput = inheritable(STD_OUTPUT_HANDLE);
  startup.hStdError = inheritable(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(argv[2], command_line.data(), nullptr, nullptr, TRUE, 0,
                      nullptr, nullptr, &startup, &process)) {
    const char failed[] = "as_argv0: cannot start the program\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), failed, sizeof failed - 1,
              &written, nullptr);
    return 126;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 1;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(status);
}
