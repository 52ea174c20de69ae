// Writes the release's user's manual, 使用说明.txt: UTF-8 with byte-order mark,
// CR LF lines wrapped for Notepad. The part about each program comes from the
// catalogue (names, descriptions, inputs, defaults, limits, record files); the
// rest is the fixed text for the ward and for IT below.
//
//   kinetora_manual <file>       writes the manual; exit code 1 when it cannot
//   kinetora_manual --version    prints the version, for the release's file name
//   kinetora_manual --programs   prints the programs' file names, one a line
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "records/record_line.h"
#include "catalogue/catalogue.h"
#include "engine/wide_text.h"
#include "version_info.h"

namespace {

constexpr int32_t kLineCapacity = 2048;      // one paragraph before wrapping
constexpr int32_t kUtf8Capacity = 3 * kLineCapacity + 8;
constexpr int32_t kWrapColumns = 78;         // a CJK character takes two columns
constexpr wchar_t kVersion[] = L"" KINETORA_VERSION_TEXT;
// The record files' place as the programs make it, under the variable's name.
constexpr wchar_t kLocalAppData[] = L"%LOCALAPPDATA%";

std::FILE* out_file = nullptr;
bool write_failed = false;

void put_utf8(const wchar_t* text) {
    static char bytes[kUtf8Capacity];
    const int32_t count = utf8_from_wide(text, bytes, kUtf8Capacity);
    if (count <= 0) {
        write_failed = true;
        return;
    }
    const size_t size = static_cast<size_t>(count - 1);
    if (std::fwrite(bytes, 1, size, out_file) != size) write_failed = true;
}

bool is_wide(wchar_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6);
}

// Punctuation that may not begin a line, and that may not end one.
bool is_closing(wchar_t c) { return c != 0 && std::wcschr(L"，。、；：？！）》”’", c) != nullptr; }
bool is_opening(wchar_t c) { return c != 0 && std::wcschr(L"（《“‘", c) != nullptr; }

// May a line break fall between text[i - 1] and text[i]? Between two wide
// characters, between a wide and an ASCII one, and after a blank, but never
// inside an ASCII word (a path or a command stays whole).
bool may_break_before(const wchar_t* text, int32_t i) {
    const wchar_t before = text[i - 1];
    const wchar_t at = text[i];
    if (is_closing(at) || is_opening(before)) return false;
    if (before == L' ') return at != L' ';
    return is_wide(at) || is_wide(before);
}

// Writes `text` wrapped to kWrapColumns: the first line after `first`, the
// following ones after `indent` blanks. Blanks at a break are dropped.
void put_wrapped(const wchar_t* first, int32_t indent, const wchar_t* text) {
    wchar_t line[kLineCapacity];
    wtext_copy(line, kLineCapacity, first);
    int32_t start = 0;
    while (text[start] != 0) {
        int32_t columns = indent;
        int32_t end = start;
        int32_t last_break = -1;
        while (text[end] != 0) {
            if (end > start && may_break_before(text, end)) last_break = end;
            const int32_t width = is_wide(text[end]) ? 2 : 1;
            if (columns + width > kWrapColumns && last_break > start) break;
            columns += width;
            ++end;
        }
        if (text[end] != 0) end = last_break;
        int32_t stop = end;
        while (stop > start && text[stop - 1] == L' ') --stop;
        wtext_append_n(line, kLineCapacity, text + start, stop - start);
        wtext_append(line, kLineCapacity, L"\r\n");
        put_utf8(line);
        start = end;
        while (text[start] == L' ') ++start;
        line[0] = 0;
        for (int32_t i = 0; i < indent && i < kLineCapacity - 1; ++i) line[i] = L' ';
        line[indent < kLineCapacity - 1 ? indent : kLineCapacity - 1] = 0;
    }
}

// A paragraph formatted from `format`, wrapped with continuation lines indented
// by `indent`; the first line starts with `indent` blanks too.
void paragraph(int32_t indent, const wchar_t* format, ...) {
    wchar_t text[kLineCapacity];
    va_list args;
    va_start(args, format);
    wtext_vformat(text, kLineCapacity, format, args);
    va_end(args);
    wchar_t blanks[64];
    int32_t n = 0;
    for (; n < indent && n < 63; ++n) blanks[n] = L' ';
    blanks[n] = 0;
    put_wrapped(blanks, indent, text);
}

// A numbered paragraph: "1. " and the text, continuation lines under the text.
void numbered(const wchar_t* number, const wchar_t* text) { put_wrapped(number, 3, text); }

void blank_line() { put_utf8(L"\r\n"); }

void write_program(int32_t number, const CatalogueProgram& program) {
    const ToolDef& tool = *program.tool->tool;
    paragraph(0, L"%d. %ls：%ls（工具编号 %03d）", number, program.file_name, tool.name, tool.id);
    paragraph(5, L"用途：%ls。", tool.description);
    if (tool.input_count == 0) {
        paragraph(5, L"输入：无，直接点击“计算”或按 F5。");
    } else {
        paragraph(5, L"输入：");
        for (int32_t i = 0; i < tool.input_count; ++i) {
            const ToolInput& input = tool.inputs[i];
            wchar_t text[kLineCapacity];
            // A count without a unit (the roster's rotation start) has no "（）".
            if (input.unit != nullptr && input.unit[0] != 0) {
                wtext_format(text, kLineCapacity, L"%ls（%ls），默认 %g；%ls。", input.label,
                             input.unit, input.default_value, program.tool->input_limits[i]);
            } else {
                wtext_format(text, kLineCapacity, L"%ls，默认 %g；%ls。", input.label,
                             input.default_value, program.tool->input_limits[i]);
            }
            put_wrapped(L"     - ", 7, text);
        }
    }
    if (tool.custom_report_kind == 0) {
        wchar_t outputs[kLineCapacity];
        outputs[0] = 0;
        for (int32_t i = 0; i < tool.output_count; ++i) {
            wchar_t item[256];
            const ToolOutput& output = tool.outputs[i];
            const bool has_unit = output.unit != nullptr && output.unit[0] != 0;
            wtext_format(item, 256, has_unit ? L"%ls%ls（%ls）" : L"%ls%ls", i > 0 ? L"、" : L"",
                         output.label, has_unit ? output.unit : L"");
            wtext_append(outputs, kLineCapacity, item);
        }
        paragraph(5, L"结果：%ls，以及按结果给出的提示。", outputs);
    } else {
        paragraph(5, L"结果：一份报告和一句提示，可复制或保存。");
    }
    paragraph(5, L"依据：%ls。", tool.reference);
    paragraph(5, L"说明：%ls", tool.note);
    wchar_t folder[kRecordFolderCapacity];
    wchar_t path[kRecordPathCapacity];
    build_record_paths(kLocalAppData, tool.id, folder, path);
    paragraph(5, L"记录：%ls", path);
    blank_line();
}

void write_manual() {
    put_utf8(L"\xFEFF");
    paragraph(0, L"Kinetora 临床小工具套件 V%ls 使用说明", kVersion);
    blank_line();
    paragraph(0, L"本套件共 %d 个程序，每个程序是一个独立的 .exe 文件。无需安装，不写注册表，"
                 L"也没有设置文件：复制到任意文件夹后双击即可运行。",
              kCatalogueProgramCount);
    paragraph(0, L"套件分两个压缩包发布，其中的程序同名，功能和计算结果完全相同，按电脑上的 Windows "
                 L"选用：Kinetora-%ls-win32.zip 适用于 32 位和 64 位的 Windows 7 至 "
                 L"Windows 11，每台电脑都可以用；Kinetora-%ls-win64.zip 只适用于 64 位的 "
                 L"Windows 7 至 Windows 11。不确定时选 win32 压缩包。Windows 是 32 位还是 "
                 L"64 位，见“控制面板”中“系统”一页的“系统类型”。",
              kVersion, kVersion);
    paragraph(0, L"程序打开时，各输入框已填好示例值，直接点击“计算”或按 F5 即可看到示例"
                 L"结果。“复制结果”把结果放到剪贴板；“保存记录”把结果追加到该程序的记录"
                 L"文件；“清空重填”恢复示例值。");
    paragraph(0, L"键盘：Tab 与 Shift+Tab 在输入框、按钮和结果框之间依次移动，进入输入框时"
                 L"全选其内容，直接输入即替换；空格键按下当前按钮；Enter 或 F5 计算；"
                 L"Ctrl+S 保存记录。窗口随显示器的缩放比例放大，并完整显示在任务栏以外的"
                 L"屏幕区域内。");
    paragraph(0, L"计算结果仅供临床参考，不能替代医师的诊疗判断。");
    blank_line();
    paragraph(0, L"一、各程序说明");
    blank_line();
    for (int32_t i = 0; i < kCatalogueProgramCount; ++i) {
        write_program(i + 1, kCataloguePrograms[i]);
    }
    wchar_t folder[kRecordFolderCapacity];
    wchar_t path[kRecordPathCapacity];
    build_record_paths(kLocalAppData, 0, folder, path);
    paragraph(0, L"二、记录文件");
    blank_line();
    paragraph(0, L"“保存记录”把上一次计算的结果追加为记录文件中的一行。每个程序有自己的"
                 L"记录文件，都在文件夹 %ls 中，文件名为 T 加三位工具编号（见上文各程序的"
                 L"“记录”）。记录文件是 UTF-8 编码（带 BOM）的 CSV 文件，可用 Excel 打开；"
                 L"第一次保存时自动建立文件夹和表头。记录文件正被其他程序（如 Excel）打开时，"
                 L"保存会提示“保存失败”，文件保持原样。",
              folder);
    blank_line();
    paragraph(0, L"三、信息科：部署与检查");
    blank_line();
    numbered(L"1. ", L"自检。不打开窗口，用各输入的默认值计算一次，把结果写入文件。命令行：");
    paragraph(5, L"Kinetora.exe --selftest [路径]");
    paragraph(3, L"每个程序都可以这样自检（把 Kinetora.exe 换成其他程序的文件名）。路径含"
                 L"空格时加英文双引号；不写路径时写入当前文件夹中的 selftest.txt。同名文件"
                 L"会被覆盖。结果文件为 UTF-8 编码，每行一项（TOOL、LEVEL、OUT、VERDICT、"
                 L"DETAIL、ERRORS）。程序没有控制台窗口，在命令提示符中请用 start /wait "
                 L"运行，再查看退出代码，例如：");
    paragraph(5, L"start /wait \"\" Kinetora.exe --selftest D:\\check\\kinetora.txt");
    paragraph(5, L"echo %%ERRORLEVEL%%");
    paragraph(3, L"退出代码：0 自检通过；2 有输出公式无法计算；3 结果文件无法写入（如文件夹"
                 L"不存在或没有写入权限）；4 命令行中有程序不认识的选项（以 - 或 / 开头的其他"
                 L"参数，如拼错的 --selftest），程序不打开窗口，也不写任何文件。");
    blank_line();
    numbered(L"2. ", L"校验文件。压缩包旁的 SHA256SUMS 记有两个压缩包本身的 SHA-256 值；"
                     L"每个压缩包内的 SHA256SUMS 记有该压缩包中每个程序和本说明的 SHA-256 "
                     L"值，每行为“校验值  文件名”。两个压缩包中的程序同名而内容不同，请与同一"
                     L"压缩包内的 SHA256SUMS 对照。在命令提示符中进入文件所在的文件夹，运行：");
    paragraph(5, L"certutil -hashfile Kinetora-%ls-win32.zip SHA256", kVersion);
    paragraph(5, L"certutil -hashfile Kinetora.exe SHA256");
    paragraph(3, L"（64 位的压缩包和其他文件同样，换成要检查的文件名），把显示的值与 "
                 L"SHA256SUMS 中同名文件那一行的值对照，二者应完全相同（不分大小写；较早的 "
                 L"Windows 显示的值中间带空格，去掉空格后对照）。");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("%s\n", KINETORA_VERSION_TEXT);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--programs") == 0) {
        for (int32_t i = 0; i < kCatalogueProgramCount; ++i) {
            char name[64];
            if (utf8_from_wide(kCataloguePrograms[i].file_name, name, 64) == 0) return 1;
            std::printf("%s\n", name);
        }
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: kinetora_manual <file> | --version | --programs\n");
        return 1;
    }
    out_file = std::fopen(argv[1], "wb");
    if (out_file == nullptr) {
        std::fprintf(stderr, "kinetora_manual: cannot write %s\n", argv[1]);
        return 1;
    }
    write_manual();
    if (std::fclose(out_file) != 0) write_failed = true;
    if (write_failed) {
        std::fprintf(stderr, "kinetora_manual: writing %s failed\n", argv[1]);
        return 1;
    }
    return 0;
}
