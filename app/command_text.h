// Texts of the main window and its commands, and the reading of an input field:
// everything the commands show or compute that does not need Win32. The Win32
// layer (commands.cpp, main_window.cpp) only moves these texts in and out of
// controls, message boxes and the clipboard.
#pragma once

#include <cstdint>

#include "../engine/tool_def.h"
#include "resources/version_info.h"

// The publisher's website host name: drawn in the header, closes the About text,
// and names the publisher in the version resource.
constexpr const wchar_t* kPublisherHost = L"" KINETORA_PUBLISHER_HOST;

// ---- Capacities (UTF-16 units, terminator included) ------------------------

constexpr int32_t kInputTextCapacity = 128;     // one input field as read
constexpr int32_t kReportCapacity = 4096;       // report of one calculation
constexpr int32_t kVerdictCapacity = 512;
constexpr int32_t kDetailCapacity = 8192;       // AppState::detail_text
constexpr int32_t kSummaryCapacity = 1024;      // AppState::summary_text
constexpr int32_t kStatusCapacity = 256;        // AppState::status_text
constexpr int32_t kInputErrorCapacity = 256;
constexpr int32_t kAboutCapacity = 1400;
constexpr int32_t kDefaultTextCapacity = 64;    // an input's default in "%.6g" form
constexpr int32_t kSubtitleCapacity = 256;
constexpr int32_t kHostNameCapacity = 64;
constexpr int32_t kReferenceCapacity = 512;
constexpr int32_t kCaptionCapacity = 64;        // a button caption as read back

// ---- Fixed texts -------------------------------------------------------------

constexpr const wchar_t* kVerdictHint = L"填写左侧参数，点击“计算”";
constexpr const wchar_t* kReadyStatus = L"就绪：填写参数后按 F5 或点击“计算”";
constexpr const wchar_t* kCopiedStatus = L"结果已复制到剪贴板";
constexpr const wchar_t* kResetStatus = L"已恢复默认值";
constexpr const wchar_t* kInputErrorCaption = L"输入有误";
constexpr const wchar_t* kNoticeCaption = L"提示";
constexpr const wchar_t* kCopyNeedsResult = L"请先点击“计算”生成结果。";
constexpr const wchar_t* kAboutCaption = L"关于本工具";
constexpr const wchar_t* kNoInputsNotice = L"本工具无需输入参数，点击“计算”或按 F5 即可。";

// ---- Input fields ------------------------------------------------------------

// Maps, in place, the full-width forms an input method types in full-width mode
// to ASCII: U+FF10..U+FF19 digits, U+FF0B "＋", U+FF0D "－", U+FF0E "．",
// U+FF25/U+FF45 "Ｅ"/"ｅ", and the ideographic space U+3000 to U+0020. Every
// other unit stays as it is.
void map_full_width_forms(wchar_t* text);

// The classic-locale wide-string-to-double conversion of the longest numeric
// prefix: leading white space (tab, LF, VT, FF, CR, blank) skipped; an optional
// sign; decimal digits with an optional point and exponent, hexadecimal
// "0x" digits with an optional point and binary exponent, "inf", "infinity" or
// "nan" in any case. No numeric prefix gives 0; an out-of-range value gives
// infinity; the rest of the text is ignored. The same result on every platform.
double convert_number_prefix(const wchar_t* text);

// Reads one input field's text as the calculate command does: only the first
// 127 units count; full-width forms are mapped; a text of blanks (U+0020 and
// U+3000) only, or an empty one, is 0; anything else is converted with
// convert_number_prefix. Stores the value and returns true when it is finite,
// false for infinity or NaN (the input error).
bool read_input_value(const wchar_t* field_text, double* value);

// An input's default value in "%.6g" form (capacity kDefaultTextCapacity).
void format_default_value(double value, wchar_t* out, int32_t capacity);

// ---- Texts built from the tool and the result ---------------------------------

// Header subtitle "%ls  ·  %ls": category and description (absent counts as empty).
void build_subtitle(const ToolDef& tool, wchar_t* out, int32_t capacity);

// Reference label "参考依据：%ls".
void build_reference_text(const ToolDef& tool, wchar_t* out, int32_t capacity);

// The input error message for input `index` (0-based; the text numbers from 1).
void build_input_error_message(const ToolDef& tool, int32_t index, wchar_t* out,
                               int32_t capacity);

// summary_text of a result: for a formula tool the report, "—— " and the
// verdict; for a custom-report tool the report alone; cut at capacity - 1.
void build_summary(const ToolDef& tool, const wchar_t* report, const wchar_t* verdict,
                   wchar_t* out, int32_t capacity);

// Status after a calculation: "计算完成  " and the tool's name.
void build_calculate_status(const ToolDef& tool, wchar_t* out, int32_t capacity);

// The nine-line About text, lines separated by CR LF, no final line end.
void build_about_text(const ToolDef& tool, wchar_t* out, int32_t capacity);

// The clipboard text: the tool's name, CR LF, the summary.
void build_clipboard_text(const ToolDef& tool, const wchar_t* summary, wchar_t* out,
                          int32_t capacity);

// Byte size of the clipboard block for that text: (summary + name units) x 2 + 32.
int32_t clipboard_block_bytes(const ToolDef& tool, const wchar_t* summary);
