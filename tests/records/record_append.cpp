// Appends records to the built-in tool's record file through the record store,
// as the save command does, for the tests that read the file back.
//
//   record_append <base> <count> <first>
//       appends <count> records with t = <first>, <first> + 1, ... under the base
//       folder <base>; exit code 0 when every save reported success.
//   record_append --race <base> <count>
//       starts two copies of this program that append <count> records each to
//       the same file at the same moment (t from 1 and from 1001) and prints how
//       long they took; exit code 0 when both succeeded.
//   record_append --report <base> <file>
//       appends one record with t = 1 whose report is the UTF-8 text of <file>
//       (at most the window's report, 8191 units); exit code 0 when it was saved.
//
// Each record's report names its t and holds a comma, quotes and line breaks,
// so a reader can tell every record apart and quoting is exercised.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "records/record_store.h"
#include "engine/platform.h"
#include "engine/wide_text.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

constexpr int32_t kBaseCapacity = 520;
constexpr int32_t kReportFileUnits = 8191;  // the window's report, its capacity less the terminator
constexpr int32_t kSecondFirst = 1001;  // first t of the second copy in a race
constexpr int32_t kRacePauseMs = 1;     // between two saves of a copy in a race

// The result of the built-in tool at `value` with `report` in place of its own:
// the verdict line "【正常】药代参数估算完成" and `report` (whole, up to the
// window's report) make the record's result cell.
const ToolResult& result_of(double value, const wchar_t* report) {
    static ToolResult result;
    const double normal = 8;
    evaluate_tool(get_tool_definition(), &normal, &result);
    result.inputs[0] = value;
    wtext_copy(result.report, kReportCapacity, report);
    return result;
}

// Appends `count` records; prints each failure; returns the number of failures.
// `pause_ms` between saves: a copy of the program saves on a click, never in a
// tight loop, and a tight loop would keep the other copy waiting for the whole
// run on a slow disk.
int append_records(const wchar_t* base, long count, long first, int32_t pause_ms) {
    const ToolDef& tool = get_tool_definition();
    int failures = 0;
    for (long i = 0; i < count; ++i) {
        const double value = static_cast<double>(first + i);
        wchar_t report[128];
        wtext_format(report, 128, L"第 %lld 条，\"引号\"\r\n第二行\r\n", static_cast<long long>(first + i));
        SaveOutcome outcome;
        save_record_with(default_record_file_ops(), base, 0, local_time_now(), tool,
                         result_of(value, report), &outcome);
        if (outcome.status != SaveStatus::saved) {
            char text[4096];
            utf8_from_wide(outcome.message, text, sizeof text);
            std::fprintf(stderr, "t = %ld not saved: %s\n", first + i, text);
            ++failures;
        }
        if (pause_ms > 0) default_record_file_ops().sleep(nullptr, pause_ms);
    }
    return failures;
}

long elapsed_ms(std::chrono::steady_clock::time_point since) {
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                 std::chrono::steady_clock::now() - since)
                                 .count());
}

void report_race(long count, long ms, int exit_a, int exit_b) {
    std::printf("race: 2 x %ld records in %ld ms (exit codes %d and %d)\n", count, ms, exit_a,
                exit_b);
}

#ifdef _WIN32

// The copies wait on a named event that the parent sets once both have
// signalled a named semaphore: both start appending at the same moment.
int child(const wchar_t* go_name, const wchar_t* ready_name, const wchar_t* base, long count,
          long first) {
    HANDLE go = OpenEventW(SYNCHRONIZE, FALSE, go_name);
    HANDLE ready = OpenSemaphoreW(SEMAPHORE_MODIFY_STATE, FALSE, ready_name);
    if (go == nullptr || ready == nullptr) return 100;
    ReleaseSemaphore(ready, 1, nullptr);
    if (WaitForSingleObject(go, 60000) != WAIT_OBJECT_0) return 101;
    int failures = append_records(base, count, first, kRacePauseMs);
    return failures > 99 ? 99 : failures;
}

int race(const wchar_t* self, const wchar_t* base, long count) {
    wchar_t go_name[64];
    wchar_t ready_name[64];
    wtext_format(go_name, 64, L"Local\\record_append_go_%lld", static_cast<long long>(GetCurrentProcessId()));
    wtext_format(ready_name, 64, L"Local\\record_append_ready_%lld", static_cast<long long>(GetCurrentProcessId()));
    HANDLE go = CreateEventW(nullptr, TRUE, FALSE, go_name);
    HANDLE ready = CreateSemaphoreW(nullptr, 0, 2, ready_name);
    PROCESS_INFORMATION process[2];
    for (int i = 0; i < 2; ++i) {
        wchar_t command[2048];
        wtext_format(command, 2048, L"\"%ls\" --child %ls %ls \"%ls\" %lld %lld", self, go_name,
                     ready_name, base, static_cast<long long>(count),
                     static_cast<long long>(i == 0 ? 1L : kSecondFirst));
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process[i])) {
            std::fprintf(stderr, "cannot start a copy (error %lu)\n", GetLastError());
            return 1;
        }
    }
    for (int i = 0; i < 2; ++i) {
        if (WaitForSingleObject(ready, 60000) != WAIT_OBJECT_0) {
            std::fprintf(stderr, "the copies did not get ready\n");
            return 1;
        }
    }
    auto started = std::chrono::steady_clock::now();
    SetEvent(go);
    DWORD codes[2] = {1, 1};
    for (int i = 0; i < 2; ++i) {
        WaitForSingleObject(process[i].hProcess, INFINITE);
        GetExitCodeProcess(process[i].hProcess, &codes[i]);
    }
    report_race(count, elapsed_ms(started), static_cast<int>(codes[0]),
                static_cast<int>(codes[1]));
    return codes[0] == 0 && codes[1] == 0 ? 0 : 1;
}

#else

// The copies are forked and block on a pipe until the parent closes it.
int race(const wchar_t* base, long count) {
    int gate[2];
    if (pipe(gate) != 0) return 1;
    pid_t children[2];
    for (int i = 0; i < 2; ++i) {
        children[i] = fork();
        if (children[i] < 0) return 1;
        if (children[i] == 0) {
            close(gate[1]);
            char byte;
            while (read(gate[0], &byte, 1) > 0) {
            }
            int failures = append_records(base, count, i == 0 ? 1 : kSecondFirst, kRacePauseMs);
            std::fflush(stderr);
            _exit(failures > 99 ? 99 : failures);
        }
    }
    close(gate[0]);
    auto started = std::chrono::steady_clock::now();
    close(gate[1]);
    int codes[2] = {1, 1};
    for (int i = 0; i < 2; ++i) {
        int status = 0;
        waitpid(children[i], &status, 0);
        codes[i] = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    }
    report_race(count, elapsed_ms(started), codes[0], codes[1]);
    return codes[0] == 0 && codes[1] == 0 ? 0 : 1;
}

#endif

// UTF-8 to wide text (UTF-16 where wchar_t has 16 bits), terminated; false
// when it is not UTF-8 or does not fit `capacity` units.
bool wide_from_utf8(const char* bytes, size_t count, wchar_t* out, int32_t capacity) {
    int32_t n = 0;
    for (size_t i = 0; i < count;) {
        const unsigned lead = static_cast<unsigned char>(bytes[i]);
        size_t extra = 0;
        unsigned long code = lead;
        if ((lead & 0xE0u) == 0xC0u) {
            extra = 1, code = lead & 0x1Fu;
        } else if ((lead & 0xF0u) == 0xE0u) {
            extra = 2, code = lead & 0x0Fu;
        } else if ((lead & 0xF8u) == 0xF0u) {
            extra = 3, code = lead & 0x07u;
        } else if (lead >= 0x80u) {
            return false;
        }
        if (i + extra >= count) return false;
        for (size_t k = 1; k <= extra; ++k) {
            const unsigned next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0u) != 0x80u) return false;
            code = (code << 6) | (next & 0x3Fu);
        }
        i += extra + 1;
        if (sizeof(wchar_t) == 2 && code > 0xFFFF) {
            if (n + 2 >= capacity) return false;
            code -= 0x10000;
            out[n++] = static_cast<wchar_t>(0xD800 + (code >> 10));
            out[n++] = static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
        } else {
            if (n + 1 >= capacity) return false;
            out[n++] = static_cast<wchar_t>(code);
        }
    }
    out[n] = 0;
    return true;
}

// Saves one record whose report is the UTF-8 text of `file`, which it closes.
int append_report_file(const wchar_t* base, std::FILE* file) {
    if (file == nullptr) {
        std::fprintf(stderr, "cannot read the report file\n");
        return 1;
    }
    static char bytes[4 * kReportFileUnits + 1];
    const size_t count = std::fread(bytes, 1, sizeof bytes, file);
    std::fclose(file);
    static wchar_t report[kReportFileUnits + 1];
    if (count == sizeof bytes || !wide_from_utf8(bytes, count, report, kReportFileUnits + 1)) {
        std::fprintf(stderr, "the report file is not UTF-8 of at most %d units\n",
                     static_cast<int>(kReportFileUnits));
        return 1;
    }
    const double value = 1;
    SaveOutcome outcome;
    save_record_with(default_record_file_ops(), base, 0, local_time_now(), get_tool_definition(),
                     result_of(value, report), &outcome);
    if (outcome.status == SaveStatus::saved) return 0;
    char text[4096];
    utf8_from_wide(outcome.message, text, sizeof text);
    std::fprintf(stderr, "not saved: %s\n", text);
    return 1;
}

int usage() {
    std::fprintf(stderr,
                 "usage: record_append <base> <count> <first>\n"
                 "       record_append --race <base> <count>\n"
                 "       record_append --report <base> <file>\n");
    return 2;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    if (argc == 7 && std::wcscmp(argv[1], L"--child") == 0) {
        return child(argv[2], argv[3], argv[4], std::wcstol(argv[5], nullptr, 10),
                     std::wcstol(argv[6], nullptr, 10));
    }
    if (argc == 4 && std::wcscmp(argv[1], L"--race") == 0) {
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        return race(self, argv[2], std::wcstol(argv[3], nullptr, 10));
    }
    if (argc == 4 && std::wcscmp(argv[1], L"--report") == 0) {
        return append_report_file(argv[2], _wfopen(argv[3], L"rb"));
    }
    if (argc != 4) return usage();
    return append_records(argv[1], std::wcstol(argv[2], nullptr, 10),
                          std::wcstol(argv[3], nullptr, 10), 0) == 0
               ? 0
               : 1;
}
#else
int main(int argc, char** argv) {
    wchar_t base[kBaseCapacity];
    if (argc == 4 && std::strcmp(argv[1], "--race") == 0) {
        ansi_to_wide(argv[2], base, kBaseCapacity);
        return race(base, std::strtol(argv[3], nullptr, 10));
    }
    if (argc == 4 && std::strcmp(argv[1], "--report") == 0) {
        ansi_to_wide(argv[2], base, kBaseCapacity);
        return append_report_file(base, std::fopen(argv[3], "rb"));
    }
    if (argc != 4) return usage();
    ansi_to_wide(argv[1], base, kBaseCapacity);
    return append_records(base, std::strtol(argv[2], nullptr, 10),
                          std::strtol(argv[3], nullptr, 10), 0) == 0
               ? 0
               : 1;
}
#endif
