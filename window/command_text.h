// Texts of the main window and its commands: everything the commands show that
// does not need Win32. The Win32 layer (commands.cpp, main_window.cpp) only
// moves these texts in and out of controls, message boxes and the clipboard.
// The input fields' own texts are read and written by input_field.h.
#pragma once

#include <cstdint>

#include "../engine/compute_tool.h"
#include "../engine/tool_def.h"
#include "../engine/tool_result.h"
#include "../resources/version_info.h"

// The publisher's website host name: drawn in the header, closes the About text,
// and names the publisher in the version resource.
constexpr const wchar_t* kPublisherHost = L"" KINETORA_PUBLISHER_HOST;

// ---- Capacities (UTF-16 units, terminator included) ------------------------

// kReportCapacity and kVerdictCapacity: engine/compute_tool.h.
// A summary: the whole report, "—— " and the whole verdict, so the clipboard
// carries everything the window shows.
constexpr int32_t kSummaryCapacity = kReportCapacity + 3 + kVerdictCapacity;
// The clipboard's inputs line: sixteen inputs with labels and units of some
// fifty units each fit it whole.
constexpr int32_t kClipboardInputsCapacity = 2048;
constexpr int32_t kStatusCapacity = 256;        // AppState::status_text
constexpr int32_t kInputErrorCapacity = 256;
constexpr int32_t kAboutCapacity = 1400;
constexpr int32_t kSubtitleCapacity = 256;
constexpr int32_t kHostNameCapacity = 64;
constexpr int32_t kReferenceCapacity = 512;
constexpr int32_t kCaptionCapacity = 64;        // a button caption as read back

// ---- Fixed texts -------------------------------------------------------------

constexpr const wchar_t* kVerdictHint = L"填写左侧参数，点击“计算”";
constexpr const wchar_t* kReadyStatus = L"就绪：填写参数后按 F5 或点击“计算”";
constexpr const wchar_t* kCopiedStatus = L"结果已复制到剪贴板";
// The copy of a report that holds the cut marker says so.
constexpr const wchar_t* kCopiedCutStatus = L"结果已复制到剪贴板（报告过长，末尾已截断）";
// The text went to the clipboard, but not the grid's cells: a paste into a
// spreadsheet lands in one column.
constexpr const wchar_t* kCopiedTextOnlyStatus = L"结果已复制到剪贴板（仅文本：表格单元格未能复制）";
constexpr const wchar_t* kResetStatus = L"已恢复默认值";
// After a user edit of an input, and after a calculate stopped by an input
// error: the result on screen no longer belongs to the fields, so there is none.
constexpr const wchar_t* kInputChangedStatus = L"输入已更改，请重新计算";
constexpr const wchar_t* kInputErrorCaption = L"输入有误";
constexpr const wchar_t* kNoticeCaption = L"提示";
constexpr const wchar_t* kCopyNeedsResult = L"请先点击“计算”生成结果。";
constexpr const wchar_t* kAboutCaption = L"关于本工具";
constexpr const wchar_t* kNoInputsNotice = L"本工具无需输入参数，点击“计算”或按 F5 即可。";

// ---- Texts built from the tool and the result ---------------------------------

// Header subtitle "%ls  ·  %ls": category and description (absent counts as empty).
void build_subtitle(const ToolDef& tool, wchar_t* out, int32_t capacity);

// Reference label "参考依据：%ls".
void build_reference_text(const ToolDef& tool, wchar_t* out, int32_t capacity);

// The input error message for input `index` (0-based; the text numbers from 1).
void build_input_error_message(const ToolDef& tool, int32_t index, wchar_t* out,
                               int32_t capacity);

// The summary of a result: for a formula tool the report, "—— " and the
// verdict; for a custom-report tool the report alone; cut at capacity - 1
// (kSummaryCapacity holds the longest report and verdict whole).
void build_summary(const ToolDef& tool, const wchar_t* report, const wchar_t* verdict,
                   wchar_t* out, int32_t capacity);

// Status after a calculation: "计算完成  " and the tool's name.
void build_calculate_status(const ToolDef& tool, wchar_t* out, int32_t capacity);

// The nine-line About text, lines separated by CR LF, no final line end.
void build_about_text(const ToolDef& tool, wchar_t* out, int32_t capacity);

// The clipboard's inputs line: "label value unit" per input (an input left
// empty shows kEmptyInputBlank), joined by "；". Empty for a tool without inputs.
void build_clipboard_inputs(const ToolDef& tool, const ToolResult& result, wchar_t* out,
                            int32_t capacity);

// The clipboard text of `result`: the tool's name, CR LF; the inputs line and
// CR LF unless the tool has no inputs; the summary. Cut at capacity - 1
// (clipboard_block_bytes holds it whole).
void build_clipboard_text(const ToolDef& tool, const ToolResult& result, wchar_t* out,
                          int32_t capacity);

// Byte size of the clipboard block for that text: its units x 2 + 32.
int32_t clipboard_block_bytes(const ToolDef& tool, const ToolResult& result);
