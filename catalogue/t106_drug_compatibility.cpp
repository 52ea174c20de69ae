// Tool 106, the program Kinetora-T106.exe: the drug compatibility check (custom report
// kind 6). Defaults: ceftriaxone with calcium gluconate, a contraindicated pair
// (level 3).
#include "catalogue.h"

#include "../reports/compat_drugs.h"

namespace {

const ToolInput kInputs[] = {
    // key     label          unit   default
    {"drugA",  L"药物一编号", L"号", 1.0},
    {"drugB",  L"药物二编号", L"号", 2.0},
};

// Numbers outside 1 to 10 name no drug: the report shows "（无此编号）" in place
// of a name and does not judge the pair.
const wchar_t kDrugLimits[] = L"整数，1–10（编号见说明）；小数不作查询，提示“输入超出范围”；其他编号显示“无此编号”，不作判断，提示核对编号；两个编号相同时提示核对";

// The note numbers every drug of the check, made from the report's own list:
// "药物编号：1 头孢曲松，2 葡萄糖酸钙，…，10 多巴胺。" and the closing words.
constexpr const wchar_t kNoteHead[] = L"药物编号：";
constexpr const wchar_t kNoteSeparator[] = L"，";
constexpr const wchar_t kNoteTail[] = L"。未收录的组合不等于可以配伍，仍须查本院配伍表。";
static_assert(kCompatDrugCount < 100, "drug numbers have at most two digits");

constexpr size_t units_of(const wchar_t* text) {
    size_t n = 0;
    while (text[n] != 0) ++n;
    return n;
}

constexpr size_t note_units() {
    size_t n = units_of(kNoteHead) + units_of(kNoteTail);
    for (int32_t i = 0; i < kCompatDrugCount; ++i) {
        const int32_t number = i + 1;
        n += (i > 0 ? units_of(kNoteSeparator) : 0) + (number >= 10 ? 2 : 1) + 1 +
             units_of(kCompatDrugNames[i]);
    }
    return n;
}

template <size_t N>
struct NoteText {
    wchar_t units[N];
};

constexpr size_t put_text(wchar_t* out, size_t at, const wchar_t* text) {
    for (size_t i = 0; text[i] != 0; ++i) out[at++] = text[i];
    return at;
}

constexpr NoteText<note_units() + 1> make_note() {
    NoteText<note_units() + 1> note{};
    size_t at = put_text(note.units, 0, kNoteHead);
    for (int32_t i = 0; i < kCompatDrugCount; ++i) {
        const int32_t number = i + 1;
        if (i > 0) at = put_text(note.units, at, kNoteSeparator);
        if (number >= 10) note.units[at++] = static_cast<wchar_t>(L'0' + number / 10);
        note.units[at++] = static_cast<wchar_t>(L'0' + number % 10);
        note.units[at++] = L' ';
        at = put_text(note.units, at, kCompatDrugNames[i]);
    }
    put_text(note.units, at, kNoteTail);
    return note;
}

constexpr NoteText<note_units() + 1> kNote = make_note();

// The manual's words for each input: the values the report works with.
const wchar_t* const kLimits[] = {
    kDrugLimits,
    kDrugLimits,
};
static_assert(table_size(kLimits) == table_size(kInputs), "one limits text per input");

const ToolDef kTool = {
    106,
    L"配伍禁忌查询",
    L"查询两种常用注射药物能否同瓶输注，并按风险分级提示",
    L"输液安全",
    L"各药品说明书及国家药监部门安全警示；多巴胺与碳酸氢钠：Am J Hosp Pharm 1975；"
    L"Y 型管配伍：Trissel《注射药物手册》；以本院配伍表为准",
    kNote.units,
    table_size(kInputs), kInputs,
    0, nullptr,
    0, nullptr,
    6,
};

}  // namespace

extern const CatalogueTool catalogue_tool_106;
const CatalogueTool catalogue_tool_106 = {
    &kTool, kLimits,
    L"维生素C与碳酸氢钠：维生素C注射液说明书；"
    L"头孢曲松与氨溴索：徐海艳《注射用头孢曲松钠与17种常用注射液联合用药的配伍禁忌》；"
    L"万古霉素与呋塞米经 Y 型管：依据 Trissel《注射药物手册》与 King Guide 的配伍表"};

#ifndef KINETORA_CATALOGUE_ALL
const ToolDef& get_tool_definition() { return kTool; }
#endif
