#include "command_text.h"

#include "../engine/wide_text.h"

void build_subtitle(const ToolDef& tool, wchar_t* out, int32_t capacity) {
    wtext_format(out, capacity, L"%ls  ·  %ls", tool.category ? tool.category : L"",
                 tool.description ? tool.description : L"");
}

void build_reference_text(const ToolDef& tool, wchar_t* out, int32_t capacity) {
    wtext_format(out, capacity, L"参考依据：%ls", tool.reference ? tool.reference : L"");
}

void build_input_error_message(const ToolDef& tool, int32_t index, wchar_t* out,
                               int32_t capacity) {
    const wchar_t* label = (index >= 0 && index < tool.input_count) ? tool.inputs[index].label
                                                                     : nullptr;
    wtext_format(out, capacity, L"第 %d 项“%ls”请输入数字。", index + 1, label ? label : L"");
}

void build_summary(const ToolDef& tool, const wchar_t* report, const wchar_t* verdict,
                   wchar_t* out, int32_t capacity) {
    if (tool.custom_report_kind == 0) {
        wtext_format(out, capacity, L"%ls—— %ls", report, verdict);
    } else {
        wtext_copy(out, capacity, report);
    }
}

void build_calculate_status(const ToolDef& tool, wchar_t* out, int32_t capacity) {
    wtext_format(out, capacity, L"计算完成  %ls", tool.name);
}

void build_about_text(const ToolDef& tool, wchar_t* out, int32_t capacity) {
    wtext_format(out, capacity,
                 L"%ls\r\n"
                 L"\r\n"
                 L"分类：%ls\r\n"
                 L"参考依据：%ls\r\n"
                 L"\r\n"
                 L"本工具为临床辅助计算/记录工具，结果不能替代医师诊疗判断，\r\n"
                 L"具体用药与处置请结合患者实际情况及本院规范执行。\r\n"
                 L"\r\n"
                 L"版本 V" KINETORA_VERSION_TEXT L"    官网：%ls",
                 tool.name, tool.category ? tool.category : L"",
                 tool.reference ? tool.reference : L"", kPublisherHost);
}

void build_clipboard_inputs(const ToolDef& tool, const ToolResult& result, wchar_t* out,
                            int32_t capacity) {
    build_inputs_text(tool, result, L" ", L"；", out, capacity);
}

void build_clipboard_text(const ToolDef& tool, const ToolResult& result, wchar_t* out,
                          int32_t capacity) {
    if (capacity < 1) return;
    wchar_t inputs[kClipboardInputsCapacity];
    build_clipboard_inputs(tool, result, inputs, kClipboardInputsCapacity);
    wtext_format(out, capacity, L"%ls\r\n", tool.name != nullptr ? tool.name : L"");
    if (inputs[0] != 0) {
        wtext_append(out, capacity, inputs);
        wtext_append(out, capacity, L"\r\n");
    }
    const int32_t head = wtext_length(out);
    build_summary(tool, result.report, result.verdict, out + head, capacity - head);
}

int32_t clipboard_block_bytes(const ToolDef& tool, const ToolResult& result) {
    wchar_t inputs[kClipboardInputsCapacity];
    build_clipboard_inputs(tool, result, inputs, kClipboardInputsCapacity);
    int32_t units = wtext_length(tool.name != nullptr ? tool.name : L"") + 2;
    if (inputs[0] != 0) units += wtext_length(inputs) + 2;
    units += wtext_length(result.report);
    if (tool.custom_report_kind == 0) units += 3 + wtext_length(result.verdict);
    return units * 2 + 32;
}
