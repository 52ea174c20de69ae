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
#include "engine/line_break.h"
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

// Writes `text` wrapped to kWrapColumns: the first line after `first`, the
// following ones after `indent` blanks, breaking only where line_break_allowed
// lets it (a text with no such place runs on past the margin). Blanks at a
// break are dropped.
void put_wrapped(const wchar_t* first, int32_t indent, const wchar_t* text) {
    const int32_t length = wtext_length(text);
    wchar_t line[kLineCapacity];
    wtext_copy(line, kLineCapacity, first);
    int32_t start = 0;
    while (text[start] != 0) {
        int32_t columns = indent;
        int32_t end = start;
        int32_t last_break = -1;
        while (text[end] != 0) {
            if (end > start && line_break_allowed(text, length, end)) last_break = end;
            const int32_t width = is_wide_char(text[end]) ? 2 : 1;
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
    if (program.tool->sources != nullptr) paragraph(5, L"出处：%ls。", program.tool->sources);
    paragraph(5, L"说明：%ls", tool.note);
    wchar_t folder[kRecordFolderCapacity];
    wchar_t path[kRecordPathCapacity];
    build_record_paths(kLocalAppData, tool.id, folder, path);
    paragraph(5, L"记录：%ls", path);
    blank_line();
}

void write_printing() {
    paragraph(0, L"二、打印");
    blank_line();
    paragraph(0, L"计算后点击“打印”或按 Ctrl+P，在 Windows 的打印对话框中选择打印机和页码，"
                 L"即打印上一次计算的结果；还没有计算时，程序提示先点击“计算”。");
    paragraph(0, L"每一页的页眉是程序名称、类别和用途、打印时间和计算机名，页脚是“计算结果仅供"
                 L"临床参考”和“第 N 页 / 共 M 页”。正文依次为：“输入”（每项参数一行，按计算时所填"
                 L"的数字原样印出，供核对人核对）、提示（前面以【正常】、【注意】、【警示】或"
                 L"【危急】标明级别）、报告全文、说明和参考依据。报告较长时自动分页，每一行都"
                 L"完整打印，不会被截断；逐床交班表的每一床、排班表的每一行不会被分在两页。");
    paragraph(0, L"最后一页的末尾是签名行，上方留有手写的空间：一般为“核对人、执行人、日期”；"
                 L"手术安全核查表为该表要求的手术医师、麻醉医师和手术室护士三方签名。");
    paragraph(0, L"打印任务交给打印机后，窗口底部的状态栏显示“已发送到打印机：”和打印机名称。"
                 L"没有打印机或打印失败时，弹出“打印失败”提示并说明原因，本次不打印任何内容。");
    blank_line();
}

void write_keys() {
    paragraph(0, L"三、键盘");
    blank_line();
    paragraph(0, L"不用鼠标也能完成全部操作：");
    numbered(L"1. ", L"Tab：移到下一个输入框、按钮或结果框，到最后一个后回到第一个。进入输入框时"
                     L"全选其内容，直接输入即替换原有内容。");
    numbered(L"2. ", L"Shift+Tab：按相反的顺序移动。");
    numbered(L"3. ", L"Enter 或 F5：计算，光标在任何输入框或按钮上都可以。");
    numbered(L"4. ", L"Ctrl+S：保存记录。");
    numbered(L"5. ", L"Ctrl+P：打印（见第二节）。");
    numbered(L"6. ", L"空格键：按下带虚线焦点框的按钮。");
    paragraph(0, L"输入有误时，按 Enter 关闭“输入有误”提示后，光标回到出错的输入框，并全选其"
                 L"内容，直接输入正确的数值即可。");
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
                 L"结果。“复制结果”把程序名称、所填参数和结果放到剪贴板（排班表同时以表格"
                 L"单元格放入，可直接粘贴到电子表格，每位护士一行、每天一列）；"
                 L"“保存记录”把提示和结果追加到该程序的记录文件；“清空重填”恢复示例值。按编号查询的程序（采血顺序、危急值、高警示"
                 L"药品、配伍禁忌、检验套餐）在输入框下方列出每个编号及其名称。");
    paragraph(0, L"“打印”（Ctrl+P）把结果打印成纸质单据，见第二节；全部按键见第三节。"
                 L"窗口随显示器的缩放比例放大，并完整显示在任务栏以外的屏幕区域内。");
    paragraph(0, L"计算结果仅供临床参考，不能替代医师的诊疗判断。");
    blank_line();
    paragraph(0, L"一、各程序说明");
    blank_line();
    for (int32_t i = 0; i < kCatalogueProgramCount; ++i) {
        write_program(i + 1, kCataloguePrograms[i]);
    }
    write_printing();
    write_keys();
    wchar_t folder[kRecordFolderCapacity];
    wchar_t path[kRecordPathCapacity];
    build_record_paths(kLocalAppData, 0, folder, path);
    paragraph(0, L"四、记录文件");
    blank_line();
    paragraph(0, L"“保存记录”把上一次计算的结果追加为记录文件中的一行。每个程序有自己的"
                 L"记录文件，都在文件夹 %ls 中，文件名为 T 加三位工具编号（见上文各程序的"
                 L"“记录”）。记录文件是 UTF-8 编码（带 BOM）的 CSV 文件，可用 Excel 打开；"
                 L"第一次保存时自动建立文件夹和表头。记录文件正被其他程序（如 Excel）打开时，"
                 L"保存会提示“保存失败”，文件保持原样。",
              folder);
    blank_line();
    paragraph(0, L"五、信息科：部署与检查");
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
