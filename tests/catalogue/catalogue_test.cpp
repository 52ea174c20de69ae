// The suite's programs: one per tool and per report kind, named after the tool
// id, and each tool's inputs exactly the keys its report reads, with defaults
// that take effect.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "catalogue/catalogue.h"
#include "engine/compute_tool.h"

namespace {

// The input keys each custom report kind reads (kind n at index n - 1).
const std::set<std::string> kReportKeys[] = {
    {"nurses", "days", "start"},          //  1 nurse duty roster
    {"start", "interval", "times"},       //  2 dosing timetable
    {"kind"},                             //  3 blood-draw order
    {"kind"},                             //  4 critical values
    {"kind"},                             //  5 high-alert drugs
    {"drugA", "drugB"},                   //  6 drug compatibility
    {"start", "gap", "times"},            //  7 follow-up plan
    {},                                   //  8 surgical safety checklist
    {"beds"},                             //  9 handover template
    {"bed", "dose", "volume", "gtt", "drip"},  // 10 infusion card
    {"panel"},                            // 11 laboratory panels
};

std::wstring report_of(const ToolDef& tool, const double* values) {
    static wchar_t report[8192];
    static wchar_t detail[8192];
    wchar_t verdict[512];
    int32_t level = 0;
    compute_tool(tool, values, report, 8192, verdict, 512, &level, detail, 8192);
    return std::wstring(report) + L"|" + verdict + L"|" + std::to_wstring(level);
}

bool has_text(const wchar_t* text) { return text != nullptr && text[0] != 0; }

TEST(Catalogue, OneProgramPerToolAndReportKindNamedAfterTheId) {
    std::set<int32_t> ids;
    std::set<int32_t> kinds;
    for (int32_t i = 0; i < kCatalogueProgramCount; ++i) {
        const CatalogueProgram& program = kCataloguePrograms[i];
        const ToolDef& tool = *program.tool->tool;
        EXPECT_EQ(program.id, tool.id) << "the catalogue's row and the tool disagree";
        EXPECT_TRUE(ids.insert(tool.id).second) << "id " << tool.id << " twice";
        EXPECT_TRUE(kinds.insert(tool.custom_report_kind).second)
            << "kind " << tool.custom_report_kind << " twice";
        wchar_t name[32];
        std::swprintf(name, 32, tool.id == 30 ? L"Kinetora.exe" : L"Kinetora-T%03d.exe", tool.id);
        EXPECT_EQ(std::wstring(program.file_name), name);
    }
    EXPECT_EQ(kinds, (std::set<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
}

TEST(Catalogue, InputsAreTheKeysTheReportReadsWithTheirTexts) {
    for (int32_t i = 0; i < kCatalogueProgramCount; ++i) {
        const CatalogueTool& entry = *kCataloguePrograms[i].tool;
        const ToolDef& tool = *entry.tool;
        SCOPED_TRACE(tool.id);
        EXPECT_TRUE(has_text(tool.name) && has_text(tool.description) &&
                    has_text(tool.category) && has_text(tool.reference) && has_text(tool.note));
        ASSERT_LE(tool.input_count, kMaxToolInputs);
        std::set<std::string> keys;
        for (int32_t k = 0; k < tool.input_count; ++k) {
            const ToolInput& input = tool.inputs[k];
            EXPECT_TRUE(keys.insert(input.key).second) << input.key << " twice";
            // A count without a unit (the roster's rotation start) has an empty one.
            EXPECT_TRUE(has_text(input.label) && input.unit != nullptr) << input.key;
            EXPECT_TRUE(has_text(entry.input_limits[k])) << input.key;
        }
        if (tool.custom_report_kind != 0) {
            EXPECT_EQ(keys, kReportKeys[tool.custom_report_kind - 1]);
        }
    }
}

// A default at or beyond a report's limit would show the limit's result, not
// its own: one step up and one step down must each change the result.
TEST(Catalogue, EveryDefaultTakesEffect) {
    for (int32_t i = 0; i < kCatalogueProgramCount; ++i) {
        const ToolDef& tool = *kCataloguePrograms[i].tool->tool;
        double values[kMaxToolInputs] = {};
        for (int32_t k = 0; k < tool.input_count; ++k) values[k] = tool.inputs[k].default_value;
        const std::wstring by_default = report_of(tool, values);
        for (int32_t k = 0; k < tool.input_count; ++k) {
            for (double step : {-1.0, 1.0}) {
                double moved[kMaxToolInputs];
                std::copy(values, values + kMaxToolInputs, moved);
                moved[k] += step;
                EXPECT_NE(report_of(tool, moved), by_default)
                    << "tool " << tool.id << ", " << tool.inputs[k].key << " moved by " << step;
            }
        }
    }
}

}  // namespace
